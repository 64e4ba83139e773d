#pragma once
// Icon handles: an image kept by the system until DestroyIcon. Stock icons are shared and never destroyed.

#include "platform/win/Windows.h"

#include <QIcon>

constexpr std::uintptr_t IDI_WINLOGO = 32517;

HICON CreateIconFromImage(const QIcon &image);
BOOL DestroyIcon(HICON icon);
// The image behind a live handle; a null icon for 0 or a handle that is gone.
QIcon IconImage(HICON icon);
// Stock icons of the system (instance 0); 0 for a name it does not have.
HICON LoadIconA(void *instance, std::uintptr_t name);
