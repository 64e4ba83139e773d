#include "platform/vcl/DisplayServer.h"

#include <QtGlobal>

namespace {

// The platform the user chose: -platform on the command line over QT_QPA_PLATFORM; empty for none.
QByteArray ChosenPlatform(int argc, char **argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    const QByteArray argument(argv[i]);
    if (argument == "-platform" || argument == "--platform") return argv[i + 1];
  }
  return qgetenv("QT_QPA_PLATFORM");
}

}  // namespace

QByteArray PlatformFor(const TSessionDisplays &session) {
  if (session.PlatformChosen) return {};
  if (session.X && (session.Wayland || session.WaylandSession)) return "xcb";
  if (!session.X && session.Wayland) return "wayland";  // Qt would look for an X display first
  return {};
}

void ChooseDisplayServer(int argc, char **argv) {
  TSessionDisplays session;
  session.PlatformChosen = !ChosenPlatform(argc, argv).isEmpty();
  session.X = !qEnvironmentVariableIsEmpty("DISPLAY");
  session.Wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  session.WaylandSession = qgetenv("XDG_SESSION_TYPE") == "wayland";
  const QByteArray platform = PlatformFor(session);
  if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

bool DisplayAvailable(int argc, char **argv) {
  const QByteArray platform = ChosenPlatform(argc, argv);
  if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return false;
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
