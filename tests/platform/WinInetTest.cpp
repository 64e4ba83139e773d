#include "platform/win/WinInet.h"

#include <gtest/gtest.h>

namespace {

TEST(InternetGetConnectedState, TestsSetTheAnswerAndTheHostIsReadOtherwise) {
  const TConnectedState states[] = {{0, 0}, {1, INTERNET_CONNECTION_LAN}, {1, INTERNET_CONNECTION_MODEM_BUSY | 1}};
  for (const TConnectedState &state : states) {
    SetConnectedStateForTesting(state);
    DWORD flags = 0xFFFF;
    EXPECT_EQ(InternetGetConnectedState(&flags, 0), state.Result);
    EXPECT_EQ(flags, state.Flags);
  }
  SetConnectedStateForTesting(std::nullopt);
  DWORD flags = 0xFFFF;
  const BOOL connected = InternetGetConnectedState(&flags, 0);
  // The host gives the local-network flag exactly when it reports a connection.
  EXPECT_EQ(flags, connected ? INTERNET_CONNECTION_LAN : 0u);
}

}  // namespace
