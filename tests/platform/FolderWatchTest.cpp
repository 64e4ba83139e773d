#include "platform/files/FolderWatch.h"
#include "platform/files/FileSystem.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::vector<AnsiString> Items(const TStringList &list) { return {list.begin(), list.end()}; }

class FolderWatch : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(Folder()); }
  std::filesystem::path Folder() { return drive.Host("C:\\Q"); }
  void Write(const std::string &name) { std::ofstream(Folder() / name) << "x\r\n"; }
  std::vector<AnsiString> Watched(const char *mask) {
    watch.Update();
    TStringList list;
    watch.ListFiles(mask, list);
    return Items(list);
  }
  // The same mask as the list's own listing and sort give it.
  std::vector<AnsiString> Listed(const char *mask) {
    TStringList list;
    for (const TSearchRec &entry : FindEntries(mask, faAnyFile))
      if (entry.Name[0] != '.') list.Add(entry.Name);
    list.Sort();
    return Items(list);
  }

  TempDrive drive;
  TFolderWatch watch{"C:\\Q"};
};

TEST_F(FolderWatch, ListsInTheListsOwnOrderAndFollowsEveryChange) {
  for (const char *name : {"cons10.txt", "CONS9.TXT", "Cons_1.TXT", "CONSÁ.TXT", "CONSa.txt", ".CONS0.TXT", "TRANS1.TXT"})
    Write(name);
  EXPECT_EQ(Watched("C:\\Q\\CONS*.TXT"), Listed("C:\\Q\\CONS*.TXT"));
  ASSERT_TRUE(watch.Watched());
  std::filesystem::remove(Folder() / "CONS9.TXT");
  std::filesystem::rename(Folder() / "TRANS1.TXT", Folder() / "CONS2.TXT");
  Write("CONS0.TXT");
  std::filesystem::create_directory(Folder() / "CONS5.TXT");
  EXPECT_EQ(Watched("C:\\Q\\CONS*.TXT"), Listed("C:\\Q\\CONS*.TXT"));
  EXPECT_EQ(Watched("C:\\Q\\TRANS*.TXT"), std::vector<AnsiString>{});
  const std::vector<AnsiString> all = Listed("C:\\Q\\CONS*.TXT");
  TStringList second;
  watch.ListFiles("C:\\Q\\CONS*.TXT", second, [&](const AnsiString &name) { return name != all[0]; }, 1);
  EXPECT_EQ(Items(second), std::vector<AnsiString>{all[1]});
}

TEST_F(FolderWatch, AFileIsFinishedOnlyWhenSeenWholeSinceTheWatchBegan) {
  Write("BEFORE.TXT");  // its writer may have begun before the watch
  watch.Update();
  std::ofstream(Folder() / "BEFORE.TXT", std::ios::app) << "y\r\n";
  std::ofstream open(Folder() / "OPEN.TXT");
  open << "x" << std::flush;
  Write("CLOSED.TXT");
  Write("ELSEWHERE.TXT");
  std::filesystem::rename(Folder() / "ELSEWHERE.TXT", Folder() / "MOVED.TXT");
  watch.Update();
  EXPECT_FALSE(watch.Finished("BEFORE.TXT"));
  EXPECT_FALSE(watch.Finished("OPEN.TXT"));
  EXPECT_TRUE(watch.Finished("CLOSED.TXT"));
  EXPECT_TRUE(watch.Finished("MOVED.TXT"));
  open.close();
  std::ofstream(Folder() / "CLOSED.TXT", std::ios::app) << "more";  // written again, and closed
  watch.Update();
  EXPECT_TRUE(watch.Finished("OPEN.TXT"));
  EXPECT_TRUE(watch.Finished("CLOSED.TXT"));
  EXPECT_TRUE(watch.Contains("MOVED.TXT"));
  EXPECT_FALSE(watch.Contains("ELSEWHERE.TXT"));
}

}  // namespace
