#pragma once
// The entries of one folder of drive C:, kept from the kernel's notices where the folder's file system
// sends them for every writer (a local one), so that a queue of thousands of waiting files is not
// listed at every look; elsewhere (a network or FUSE share, notices lost to an overflow) the folder is
// listed anew at each update. It also tells which files their writer has finished: created or renamed
// into the folder while watched, and closed since its last write; and which stood still a full second
// of a monotonic clock, as it saw them (from the watch's start on for the files there already).

#include "platform/ansi/AnsiString.h"
#include "platform/files/Drive.h"
#include "platform/files/TextFile.h"
#include "platform/sys/StringList.h"

#include <QCollator>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

class TFolderWatch {
 public:
  explicit TFolderWatch(AnsiString folder);  // a Windows path
  ~TFolderWatch();
  TFolderWatch(const TFolderWatch &) = delete;
  TFolderWatch &operator=(const TFolderWatch &) = delete;

  // Takes in the notices that came since the last update; watches the folder again when it was
  // removed or replaced.
  void Update();
  // As ListFiles: the names of the entries that match the mask's last component (hidden names left
  // out), in ascending order without regard to case; the mask's folder is this one. Only the names
  // wanted, and no more than most of them: a queue that takes its first name needs no more.
  void ListFiles(const AnsiString &mask, TStringList &list, const std::function<bool(const AnsiString &)> &wanted = {},
                 std::size_t most = SIZE_MAX);
  bool Contains(const AnsiString &name) const { return entries_.count(ToHostName(name)) > 0; }
  bool Finished(const AnsiString &name) const;
  TStillness StillnessOf(const AnsiString &name);
  // The host names of the hidden entries (a name that begins with a dot).
  const std::set<std::string> &HiddenNames() const { return hidden_; }
  bool Watched() const { return watch_ >= 0; }

 private:
  struct TEntry {
    AnsiString Name;
    bool Seen = false;      // created or renamed into the folder while watched
    bool Finished = false;  // and closed by its writer after its last write
    // Since when it is known unchanged, and in which state it was last seen (none while unseen).
    std::chrono::steady_clock::time_point Since;
    std::optional<TFileState> State;
    // A change noticed now: still from now on, in a state not seen yet.
    void Changed() {
      Since = std::chrono::steady_clock::now();
      State.reset();
    }
  };
  // A name under the list's order: its collation key, made once, then the name's bytes.
  struct TListKey {
    QCollatorSortKey Key;
    AnsiString Name;
    bool operator<(const TListKey &other) const;
  };
  using TNames = std::set<TListKey>;
  TListKey KeyOf(const AnsiString &name) const;

  bool StoodStill(const AnsiString &name, const TFileState &state);
  bool StartWatch();
  void StopWatch();
  void ReadNotices();
  // What stands in the folder; what was known of the names still there is kept when asked for.
  void List(bool keepObservations);
  void Add(const std::string &host, bool finished);
  void Remove(const std::string &host);

  AnsiString folder_;
  int notices_ = -1;  // the inotify instance
  int watch_ = -1;
  unsigned long long device_ = 0, inode_ = 0;  // of the folder watched
  std::string host_;                           // its host path when the watch began
  std::map<std::string, TEntry> entries_;      // by host name
  std::set<std::string> hidden_;
  std::map<AnsiString, TNames> byPattern_;     // the names of each pattern asked for, kept in order
  QCollator collator_;
};

// Whether notices of the file system of the host folder come for every writer: local file systems
// (ext2/3/4, xfs, btrfs, f2fs, jfs, reiserfs, zfs, bcachefs, nilfs, tmpfs, ramfs, overlay, vfat,
// exfat, ntfs); not network shares (nfs, smb/cifs, 9p, ceph...) or FUSE, where another machine writes
// unseen.
bool LocalFileSystem(const std::string &hostFolder);
