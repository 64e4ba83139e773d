#include "platform/files/FolderWatch.h"

#include "platform/files/Drive.h"

#include <array>
#include <cerrno>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kNotices = IN_CREATE | IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE | IN_DELETE | IN_MOVED_FROM |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// The pattern of a mask: its last component.
AnsiString PatternOf(const AnsiString &mask) {
  const std::size_t cut = mask.find_last_of("\\/");
  return cut == AnsiString::npos ? mask : mask.substr(cut + 1);
}

bool Hidden(const std::string &host) { return !host.empty() && host[0] == '.'; }

constexpr auto kStill = std::chrono::seconds(1);

}  // namespace

bool LocalFileSystem(const std::string &hostFolder) {
  struct statfs info {};
  if (::statfs(hostFolder.c_str(), &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0xF2F52010:  // f2fs
    case 0x3153464A:  // jfs
    case 0x52654973:  // reiserfs
    case 0x2FC12FC1:  // zfs
    case 0xCA451A4E:  // bcachefs
    case 0x3434:      // nilfs
    case 0x01021994:  // tmpfs
    case 0x858458F6:  // ramfs
    case 0x794C7630:  // overlay
    case 0x4D44:      // vfat
    case 0x2011BAB0:  // exfat
    case 0x7366746E:  // ntfs
      return true;
    default:
      return false;
  }
}

bool TFolderWatch::TListKey::operator<(const TListKey &other) const {
  const int order = Key.compare(other.Key);
  return order != 0 ? order < 0 : Name < other.Name;
}

// The key of the list's own sort (AnsiCompareText's order).
TFolderWatch::TListKey TFolderWatch::KeyOf(const AnsiString &name) const {
  return {collator_.sortKey(ToQString(name).toCaseFolded()), name};
}

TFolderWatch::TFolderWatch(AnsiString folder) : folder_(std::move(folder)) {}

TFolderWatch::~TFolderWatch() {
  if (notices_ >= 0) ::close(notices_);
}

void TFolderWatch::Update() {
  if (Watched()) {
    ReadNotices();
    // A folder moved away with its parent sends no notice of its own: its path leads elsewhere now.
    struct stat info {};
    if (Watched() && (::stat(host_.c_str(), &info) != 0 || info.st_dev != device_ || info.st_ino != inode_))
      StopWatch();
  }
  if (!Watched() && !StartWatch()) List(true);
}

bool TFolderWatch::StartWatch() {
  if (notices_ < 0) notices_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  const std::string host = HostPath(folder_).string();
  struct stat info {};
  if (notices_ < 0 || ::stat(host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !LocalFileSystem(host))
    return false;
  watch_ = ::inotify_add_watch(notices_, host.c_str(), kNotices);
  if (watch_ < 0) return false;
  host_ = host;
  device_ = info.st_dev;
  inode_ = info.st_ino;
  // Notices only tell what changes from now on: what stands there already is listed once, and watched
  // for change from now on.
  List(false);
  return true;
}

void TFolderWatch::StopWatch() {
  if (watch_ >= 0) ::inotify_rm_watch(notices_, watch_);
  watch_ = -1;
}

void TFolderWatch::ReadNotices() {
  alignas(inotify_event) std::array<char, 64 * 1024> buffer;
  for (;;) {
    const ssize_t got = ::read(notices_, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      // Nothing more to read, or the instance failed: then the folder is listed from now on.
      if (got < 0 && errno != EAGAIN) StopWatch();
      return;
    }
    bool relist = false;
    for (ssize_t at = 0; at < got;) {
      const auto *notice = reinterpret_cast<const inotify_event *>(buffer.data() + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
      if (notice->mask & IN_Q_OVERFLOW) {
        relist = true;
        continue;
      }
      if (notice->wd != watch_) continue;  // of a watch given up before
      if (notice->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
        StopWatch();
        return;
      }
      const std::string host = notice->len ? std::string(notice->name) : std::string();
      if (host.empty()) continue;
      if (Hidden(host)) {
        if (notice->mask & (IN_CREATE | IN_MOVED_TO)) hidden_.insert(host);
        if (notice->mask & (IN_DELETE | IN_MOVED_FROM)) hidden_.erase(host);
        continue;
      }
      if (notice->mask & IN_CREATE) {
        Add(host, false);
      } else if (notice->mask & IN_MOVED_TO) {
        Add(host, true);  // written elsewhere and renamed into place
      } else if (notice->mask & (IN_DELETE | IN_MOVED_FROM)) {
        Remove(host);
      } else if (auto found = entries_.find(host); found != entries_.end()) {
        if (notice->mask & IN_MODIFY) {
          found->second.Finished = false;
          found->second.Changed();
        }
        if (notice->mask & IN_CLOSE_WRITE) found->second.Finished = found->second.Seen;
      }
    }
    // Notices were lost: what stands there is listed again, and no file counts as finished.
    if (relist) List(false);
  }
}

void TFolderWatch::List(bool keepObservations) {
  std::map<std::string, TEntry> listed;
  byPattern_.clear();
  hidden_.clear();
  const auto now = std::chrono::steady_clock::now();
  if (DIR *dir = ::opendir(HostPath(folder_).c_str())) {
    while (const dirent *raw = ::readdir(dir)) {
      const std::string host = raw->d_name;
      if (host == "." || host == "..") continue;
      if (Hidden(host)) {
        hidden_.insert(host);
        continue;
      }
      const auto known = entries_.find(host);
      if (keepObservations && known != entries_.end()) {
        listed.emplace(host, std::move(known->second));
        continue;
      }
      TEntry &entry = listed[host];
      entry.Name = FromHostName(host);
      entry.Since = now;
    }
    ::closedir(dir);
  }
  entries_ = std::move(listed);
}

void TFolderWatch::Add(const std::string &host, bool finished) {
  TEntry &entry = entries_[host];
  const bool added = entry.Name.empty();
  if (added) entry.Name = FromHostName(host);
  entry.Seen = true;
  entry.Finished = finished;
  entry.Changed();
  if (!added) return;
  for (auto &[pattern, names] : byPattern_)
    if (MatchesMask(entry.Name, pattern)) names.insert(KeyOf(entry.Name));
}

void TFolderWatch::Remove(const std::string &host) {
  const auto found = entries_.find(host);
  if (found == entries_.end()) return;
  if (!byPattern_.empty()) {
    const TListKey key = KeyOf(found->second.Name);
    for (auto &[pattern, names] : byPattern_) names.erase(key);
  }
  entries_.erase(found);
}

void TFolderWatch::ListFiles(const AnsiString &mask, TStringList &list,
                             const std::function<bool(const AnsiString &)> &wanted, std::size_t most) {
  const AnsiString pattern = PatternOf(mask);
  auto found = byPattern_.find(pattern);
  if (found == byPattern_.end()) {
    TNames names;
    for (const auto &[host, entry] : entries_)
      if (MatchesMask(entry.Name, pattern)) names.insert(KeyOf(entry.Name));
    found = byPattern_.emplace(pattern, std::move(names)).first;
  }
  std::size_t listed = 0;
  for (auto name = found->second.begin(); name != found->second.end() && listed < most; ++name) {
    if (wanted && !wanted(name->Name)) continue;
    list.Add(name->Name);
    ++listed;
  }
}

bool TFolderWatch::Finished(const AnsiString &name) const {
  const auto found = entries_.find(ToHostName(name));
  return found != entries_.end() && found->second.Finished;
}

bool TFolderWatch::StoodStill(const AnsiString &name, const TFileState &state) {
  const auto found = entries_.find(ToHostName(name));
  if (found == entries_.end()) return false;
  TEntry &entry = found->second;
  const auto now = std::chrono::steady_clock::now();
  if (entry.State != state) {
    // Unchanged since the watch saw it come, or since its last change was noticed: still from then.
    // Otherwise (a change seen, or no notices to tell) from now.
    if (entry.State || !Watched()) entry.Since = now;
    entry.State = state;
  }
  return now - entry.Since >= kStill;
}

TStillness TFolderWatch::StillnessOf(const AnsiString &name) {
  return [this, name](const TFileState &state) { return StoodStill(name, state); };
}
