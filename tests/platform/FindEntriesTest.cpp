#include "platform/files/FileSystem.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::pair<AnsiString, int>> Listed(const AnsiString &mask, int attr) {
  std::vector<std::pair<AnsiString, int>> out;
  for (const TSearchRec &entry : FindEntries(mask, attr)) out.emplace_back(entry.Name, entry.Attr);
  std::sort(out.begin(), out.end());
  return out;
}

TEST(FindEntries, LinksCountAsWhatTheyPointToAndDotNamesAsHidden) {
  TempDrive drive;
  drive.WriteFile("C:\\Q\\CONS1.TXT", "x");
  drive.WriteFile("C:\\Q\\.CONS2.TXT", "x");
  std::filesystem::create_directories(drive.Host("C:\\Q\\CONS3.TXT"));
  std::filesystem::create_directory_symlink(drive.Host("C:\\Q\\CONS3.TXT"), drive.Host("C:\\Q") / "CONS4.TXT");
  std::filesystem::create_symlink(drive.Host("C:\\Q\\CONS1.TXT"), drive.Host("C:\\Q") / "CONS5.TXT");
  std::filesystem::create_symlink(drive.Host("C:\\Q") / "gone", drive.Host("C:\\Q") / "CONS6.TXT");
  EXPECT_EQ(Listed("C:\\Q\\*.txt", faAnyFile),
            (std::vector<std::pair<AnsiString, int>>{{".CONS2.TXT", faArchive | faHidden},
                                                     {"CONS1.TXT", faArchive},
                                                     {"CONS3.TXT", faDirectory},
                                                     {"CONS4.TXT", faDirectory},
                                                     {"CONS5.TXT", faArchive},
                                                     {"CONS6.TXT", faArchive}}));
  EXPECT_EQ(Listed("C:\\Q\\cons*.txt", faArchive),
            (std::vector<std::pair<AnsiString, int>>{{"CONS1.TXT", faArchive}, {"CONS5.TXT", faArchive}, {"CONS6.TXT", faArchive}}));
  EXPECT_TRUE(FindEntries("C:\\Missing\\*", faAnyFile).empty());
}

}  // namespace
