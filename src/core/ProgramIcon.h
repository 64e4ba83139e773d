#pragma once
// The program's icon: in the notification area and on the taskbar.

#include <QIcon>

QIcon ProgramIcon();
