#pragma once
// Wayland lets no client place its windows, and tells no client where the cursor is outside its own
// windows: the start screen, the corner window and the tray menu at the cursor would not stand where the
// design puts them. Where a Wayland session offers XWayland, the program runs on it (Qt's xcb platform),
// unless the user chose a platform himself (QT_QPA_PLATFORM, or -platform on the command line).

// Before the Qt application is made.
void PreferXWayland(int argc, char **argv);
// Whether the Qt application would have a screen to show a window on: a display to reach, and a
// platform that draws on it (not offscreen or minimal).
bool DisplayAvailable(int argc, char **argv);
