#pragma once
// Drive C: in a host folder: $ORVALIX_ROOT/c, the root defaulting to ~/.local/share/orvalix.
// Windows paths are resolved component by component without regard to case, as Windows compares
// names; a missing component keeps the case it was given.

#include "platform/ansi/AnsiString.h"

#include <filesystem>

// The root folder; tests point it elsewhere (the environment is read when no override is set).
std::filesystem::path RootFolder();
void SetRootFolderForTesting(const std::filesystem::path &root);  // empty: back to the environment

// "C:\ORVALIX\x.txt", "c:/orvalix/x.txt", "\x.txt" (drive C:) or a relative path (the current folder).
std::filesystem::path HostPath(const AnsiString &windowsPath);

// Host names are UTF-8. A byte that does not stand for a character of the program's code page (a name
// written in another encoding, or a character cp1252 lacks) comes into the program's text as the
// unassigned byte 0x81 followed by that byte, and goes back out as the byte itself, so that a name
// derived from a listed one (an answer's) keeps its bytes.
AnsiString FromHostName(std::string_view host);
std::string ToHostName(std::string_view name);

// Case-insensitive match of a name against a mask of "*" and "?".
bool MatchesMask(const AnsiString &name, const AnsiString &mask);
