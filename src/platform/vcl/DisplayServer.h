#pragma once
// Wayland lets no client place its windows, and tells no client where the cursor is outside its own
// windows: the start screen, the corner window and the tray menu at the cursor would not stand where the
// design puts them. Where a Wayland session offers XWayland, the program runs on it (Qt's xcb platform);
// where it offers none, on Wayland itself, whose compositor then places the windows. A platform the user
// chose (QT_QPA_PLATFORM, or -platform on the command line) is kept.

#include <QByteArray>

struct TSessionDisplays {
  bool PlatformChosen = false;  // by the user
  bool X = false;               // DISPLAY
  bool Wayland = false;         // WAYLAND_DISPLAY
  bool WaylandSession = false;  // XDG_SESSION_TYPE=wayland
};

// The Qt platform to start on, or empty to leave the choice to Qt.
QByteArray PlatformFor(const TSessionDisplays &session);
// Before the Qt application is made: sets QT_QPA_PLATFORM to the platform chosen for this session.
void ChooseDisplayServer(int argc, char **argv);
// Whether the Qt application would have a screen to show a window on: a display to reach, and a
// platform that draws on it (not offscreen or minimal).
bool DisplayAvailable(int argc, char **argv);
