#pragma once
// The file operations the system uses, on Windows paths of drive C: (see Drive.h).

#include "platform/ansi/AnsiString.h"
#include "platform/files/TextFile.h"

#include <vector>

bool FileExists(const AnsiString &path);       // a file, not a folder
bool DirectoryExists(const AnsiString &path);
bool CreateDir(const AnsiString &path);        // one level; false when it fails or exists
bool DeleteFile(const AnsiString &path);       // false when missing or not deleted
// As on Windows: fails (false) when the target exists, and never replaces it.
bool RenameFile(const AnsiString &oldPath, const AnsiString &newPath);
// The same for entries named within a folder, their names taken as they stand: on Linux a backslash
// is a character of a name, not a separator.
bool RenameFileIn(const AnsiString &folder, const AnsiString &oldName, const AnsiString &newName);
bool EntryExistsIn(const AnsiString &folder, const AnsiString &name);  // a file, folder or link
// Deletes the file at path only when it is the one given, as large as given: it is moved aside to a
// hidden name first, so that a file a writer puts there meanwhile is never the one deleted. Another
// file, or the same one grown, goes back under its name, never replacing a file that came there
// meanwhile: then it stays hidden (Hidden).
enum class TDeleteOutcome { Deleted, Replaced, Grown, Failed, Hidden };
TDeleteOutcome DeleteFileIfSame(const AnsiString &path, const TFileIdentity &identity, std::uintmax_t size);
// Moves a file left under a hidden name of DeleteFileIfSame's back under its name in folder, unless a
// file stands there; gives the name when it did, else empty.
AnsiString BringBackHidden(const AnsiString &folder, const std::string &hostName);
// As a share that refuses a rename that must not replace (NFS, FUSE).
void RefuseNoReplaceForTesting(bool refuse);
// Writes what the system holds of a file, or of a folder's entries, to the disk; false when it fails.
bool FlushFileBuffers(const AnsiString &path);
std::uintmax_t FileSize(const AnsiString &path);  // 0 when missing
long long FileAge(const AnsiString &path);        // modification time in ms since the epoch; -1 when missing
TFileIdentity FileIdentity(const AnsiString &path);  // of the file a path names; all 0 when missing

// Entry attributes, as the class library numbers them.
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faAnyFile = 0x3F,
};

struct TSearchRec {
  AnsiString Name;  // the name alone, without the folder
  int Attr = 0;
};

// Every entry of the mask's folder whose name matches the mask's last component and whose attributes
// are within attr (folders only when attr has faDirectory), in the order the host returns them; the
// entries "." and ".." come first, as the system's search returns them.
std::vector<TSearchRec> FindEntries(const AnsiString &mask, int attr);

// The Windows directory, C:\WINDOWS: the number of characters copied, or the size needed (with the
// terminating zero) when the buffer is too small.
unsigned GetWindowsDirectoryA(char *buffer, unsigned size);
