#include "platform/vcl/DisplayServer.h"

#include <QtGlobal>

QByteArray PlatformFor(const TSessionDisplays &session) {
  if (session.PlatformChosen) return {};
  if (session.X && (session.Wayland || session.WaylandSession)) return "xcb";
  if (!session.X && session.Wayland) return "wayland";  // Qt would look for an X display first
  return {};
}

void ChooseDisplayServer(int argc, char **argv) {
  TSessionDisplays session;
  session.PlatformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
  for (int i = 1; i < argc; ++i) {
    const QByteArray argument(argv[i]);
    if (argument == "-platform" || argument == "--platform") session.PlatformChosen = true;
  }
  session.X = !qEnvironmentVariableIsEmpty("DISPLAY");
  session.Wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  session.WaylandSession = qgetenv("XDG_SESSION_TYPE") == "wayland";
  const QByteArray platform = PlatformFor(session);
  if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

bool DisplayAvailable(int argc, char **argv) {
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    const QByteArray argument(argv[i]);
    if (argument == "-platform" || argument == "--platform") platform = argv[i + 1];
  }
  if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return false;
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
