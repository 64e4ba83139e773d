#pragma once
// The exchange folders as the batch names them. The start creates them as "c:\Orvalix\Remessa" and
// "c:\Orvalix\Retorno" when missing; names on drive C: compare without case.

#include "platform/ansi/AnsiString.h"

inline const AnsiString kRemessa = "C:\\ORVALIX\\REMESSA\\";
inline const AnsiString kRetorno = "C:\\ORVALIX\\RETORNO\\";
