#pragma once
// The "&Sair" button of the administration's windows, BitBtn2 in each: its glyph and its hint
// "Fechar janela.", which is never shown (hints are not switched on for it).

#include "platform/vcl/Buttons.h"

#include <QRect>

TBitBtn *ExitButton(QWidget *form, QRect place);
