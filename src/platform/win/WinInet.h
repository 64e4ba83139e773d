#pragma once
// The Internet functions' connection state, read from the host's network interfaces.

#include "platform/win/Windows.h"

#include <optional>

constexpr DWORD INTERNET_CONNECTION_MODEM = 0x01;
constexpr DWORD INTERNET_CONNECTION_LAN = 0x02;
constexpr DWORD INTERNET_CONNECTION_PROXY = 0x04;
constexpr DWORD INTERNET_CONNECTION_MODEM_BUSY = 0x08;

// True with the local-network flag when a non-loopback interface of /sys/class/net is up;
// false with no flag otherwise.
BOOL InternetGetConnectedState(DWORD *flags, DWORD reserved);

// Tests decide the answer: the call's result and its flags. std::nullopt goes back to the host.
struct TConnectedState {
  BOOL Result = 0;
  DWORD Flags = 0;
};
void SetConnectedStateForTesting(std::optional<TConnectedState> state);
