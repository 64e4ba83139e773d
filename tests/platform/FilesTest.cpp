#include "platform/files/Drive.h"
#include "platform/files/FileSystem.h"
#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FilesTest : public ::testing::Test {
 protected:
  TempDrive drive;
};

TEST_F(FilesTest, PathsResolveWithoutCaseAndMissingPartsKeepTheirCase) {
  ASSERT_TRUE(CreateDir("c:\\Orvalix"));
  EXPECT_FALSE(CreateDir("C:\\ORVALIX"));  // the same folder
  EXPECT_TRUE(CreateDir("C:\\ORVALIX\\Remessa"));
  EXPECT_TRUE(DirectoryExists("c:/orvalix/REMESSA"));
  EXPECT_EQ(HostPath("C:\\ORVALIX\\REMESSA\\New.TXT"), drive.Root() / "c" / "Orvalix" / "Remessa" / "New.TXT");
  EXPECT_EQ(HostPath("\\orvalix"), drive.Root() / "c" / "Orvalix");
  EXPECT_FALSE(CreateDir("C:\\A\\B"));  // one level only
}

TEST_F(FilesTest, NamesWithAccentsAreStoredAsUtf8OnTheHost) {
  drive.WriteFile("C:\\x", "");
  TextFile file;
  AssignFile(file, "C:\\Relatório.txt"_a);
  Rewrite(file);
  CloseFile(file);
  EXPECT_TRUE(std::filesystem::exists(drive.Root() / "c" / "Relatório.txt"));
  EXPECT_TRUE(FileExists("C:\\RELATÓRIO.TXT"_a));
}

TEST_F(FilesTest, RenameFailsWhenTheTargetExistsAndKeepsBoth) {
  drive.WriteFile("C:\\R\\RET1.re", "new");
  drive.WriteFile("C:\\R\\RET1.ret", "old");
  EXPECT_FALSE(RenameFile("C:\\R\\RET1.re", "C:\\R\\RET1.ret"));
  EXPECT_EQ(drive.ReadFile("C:\\R\\RET1.ret"), "old");
  EXPECT_EQ(drive.ReadFile("C:\\R\\RET1.re"), "new");
  EXPECT_TRUE(DeleteFile("C:\\R\\ret1.RET"));
  EXPECT_TRUE(RenameFile("C:\\R\\RET1.re", "C:\\R\\RET1.ret"));
  EXPECT_EQ(drive.ReadFile("C:\\R\\RET1.ret"), "new");
  EXPECT_FALSE(RenameFile("C:\\R\\missing", "C:\\R\\other"));
  EXPECT_FALSE(DeleteFile("C:\\R\\missing"));
  EXPECT_FALSE(DeleteFile("C:\\R"));  // a folder is no file
}

TEST_F(FilesTest, FindEntriesListsFoldersOnlyWhenAsked) {
  drive.WriteFile("C:\\F\\a.txt", "abc");
  std::filesystem::create_directories(drive.Host("C:\\F\\b.txt"));
  auto names = [](const std::vector<TSearchRec> &entries) {
    std::vector<AnsiString> out;
    for (const auto &e : entries) out.push_back(e.Name);
    std::sort(out.begin(), out.end());
    return out;
  };
  EXPECT_EQ(names(FindEntries("C:\\F\\*.txt", faAnyFile)), (std::vector<AnsiString>{"a.txt", "b.txt"}));
  EXPECT_EQ(names(FindEntries("C:\\F\\*.txt", faArchive)), std::vector<AnsiString>{"a.txt"});
  EXPECT_EQ(names(FindEntries("C:\\F\\*", faAnyFile)), (std::vector<AnsiString>{".", "..", "a.txt", "b.txt"}));
}

TEST_F(FilesTest, MasksMatchWithoutCase) {
  struct {
    AnsiString name, mask;
    bool match;
  } cases[] = {
      {"CONS0001.TXT", "CONS*.TXT", true}, {"cons.txt", "CONS*.TXT", true},  {"CONS1.TXT.ERR", "CONS*.TXT", false},
      {"a.ret", "*.ret", true},            {"a.re", "*.ret", false},          {"INSERE_DADO1.TXT", "insere_dado*.txt", true},
      {"x", "*.*", true},                  {"ab", "a?", true},                {"a", "a?", false},
      {"ção.txt"_a, "ÇÃO*"_a, true},       {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},
  };
  for (const auto &c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
}

TEST_F(FilesTest, TextFilesReadAnyLineEndAndWriteCrLf) {
  drive.WriteFile("C:\\in.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  TextFile in;
  AssignFile(in, "C:\\IN.TXT");
  Reset(in);
  std::vector<AnsiString> lines;
  while (!Eof(in)) {
    AnsiString line;
    Readln(in, line);
    lines.push_back(line);
  }
  CloseFile(in);
  EXPECT_EQ(lines, (std::vector<AnsiString>{"one", "two", "three", "four", "", "last"}));

  TextFile out;
  AssignFile(out, "C:\\out.txt");
  Rewrite(out);
  Writeln(out, "a");
  out.Write("b");
  Writeln(out, "");
  CloseFile(out);
  EXPECT_EQ(drive.ReadFile("C:\\out.txt"), "a\r\nb\r\n");
}

TEST_F(FilesTest, TextFileFailuresRaiseInputOutputErrors) {
  TextFile file;
  AssignFile(file, "C:\\missing.txt");
  try {
    Reset(file);
    FAIL() << "no error";
  } catch (const EInOutError &e) {
    EXPECT_EQ(e.ErrorCode, 2);
  }
  AssignFile(file, "C:\\NoFolder\\x.txt");
  EXPECT_THROW(Rewrite(file), EInOutError);
  EXPECT_THROW(file.ReadLine(), EInOutError);  // not open
  drive.WriteFile("C:\\r.txt", "x");
  AssignFile(file, "C:\\r.txt");
  Reset(file);
  EXPECT_THROW(Writeln(file, "y"), EInOutError);  // open for reading only
  CloseFile(file);
  std::filesystem::create_directories(drive.Host("C:\\dir"));
  AssignFile(file, "C:\\dir");
  EXPECT_THROW(Reset(file), EInOutError);
}

TEST(WindowsDirectory, ReportsTheNeededSizeWhenTheBufferIsSmall) {
  char small[4];
  EXPECT_EQ(GetWindowsDirectoryA(small, sizeof small), 11u);
  char buffer[144];
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS");
}

}  // namespace

namespace {

TEST_F(FilesTest, HostNamesComeAndGoWithTheirOwnBytes) {
  const struct {
    std::string host;
    AnsiString name;  // as the program sees it
  } cases[] = {
      {"CONS0001.TXT", "CONS0001.TXT"},
      {"Relat\xc3\xb3rio \xe2\x82\xac.txt", "Relat\xf3rio \x80.txt"},  // characters of the code page
      {"CONS\xe9" "135.TXT", "CONS\x81\xe9" "135.TXT"},                 // not UTF-8
      {"A\xe4\xb8\xad.TXT", "A\x81\xe4\x81\xb8\x81\xad.TXT"},           // a character cp1252 lacks
      {"B\xc2\x81.TXT", "B\x81\xc2\x81\x81.TXT"},                       // U+0081, the mark itself
      {"C\xc3", "C\x81\xc3"},                                           // a sequence cut short
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FromHostName(c.host), c.name) << c.host;
    EXPECT_EQ(ToHostName(c.name), c.host) << c.host;
  }
}

TEST_F(FilesTest, ASettledOpenTakesOnlyARegularFileThatNoOneWritesAndThatStoodStillASecond) {
  const std::filesystem::path folder = drive.Root() / "c";
  drive.WriteFile("C:\\still.txt", "line\r\n");
  drive.WriteFile("C:\\written.txt", "li");
  drive.WriteFile("C:\\unended.txt", "line");
  drive.WriteFile("C:\\denied.txt", "line\r\n");
  std::filesystem::permissions(folder / "denied.txt", std::filesystem::perms::none);
  std::ofstream writer(folder / "written.txt", std::ios::app);
  std::filesystem::create_directory(folder / "folder");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink(folder / "missing", folder / "dangling");
  std::filesystem::create_symlink("/dev/zero", folder / "zero");
  std::filesystem::create_symlink(folder / "still.txt", folder / "link.txt");
  const bool root = ::geteuid() == 0;  // reads any file
  const struct {
    const char *name;
    bool closedByWriter, stoodStill;
    int code;
  } cases[] = {
      {"still.txt", false, true, 0},           {"link.txt", false, true, 0},
      {"still.txt", false, false, kFileInUse}, {"still.txt", true, false, 0},  // closed whole while watched
      {"unended.txt", true, false, kFileInUse}, {"written.txt", true, true, kFileInUse},
      {"folder", false, true, kNotAFile},      {"pipe", false, true, kNotAFile},
      {"dangling", false, true, kNotAFile},    {"zero", false, true, kNotAFile},
      {"absent", false, true, 2},              {"denied.txt", false, true, root ? 0 : kReadDenied},
  };
  for (const auto &c : cases) {
    TextFile file;
    AssignFile(file, AnsiString("C:\\") + c.name);
    std::optional<TFileState> seen;
    const TStillness stillness = [&](const TFileState &state) {
      seen = state;
      return c.stoodStill;
    };
    try {
      ResetSettled(file, c.closedByWriter, stillness);
      EXPECT_EQ(file.ReadLine(), "line") << c.name;
      EXPECT_EQ(c.code, 0) << c.name;
    } catch (const EInOutError &e) {
      EXPECT_EQ(e.ErrorCode, c.code) << c.name;
      EXPECT_FALSE(file.IsOpen()) << c.name;
    }
    if (seen) {
      EXPECT_EQ(seen->Size, std::filesystem::file_size(folder / c.name)) << c.name;
    }
  }
}

}  // namespace

namespace {

TEST(DeleteFileIfSame, DeletesOnlyTheFileAsItWasReadAlsoWhereARenameThatMustNotReplaceIsRefused) {
  TempDrive drive;
  const AnsiString path = "C:\\Q\\A.TXT";
  const struct {
    const char *what;
    std::function<void()> meanwhile;
    TDeleteOutcome outcome;
    std::string left;  // what stands at the path after, "(none)" for nothing
  } cases[] = {
      {"unchanged", [] {}, TDeleteOutcome::Deleted, "(none)"},
      {"grown", [&] { std::ofstream(drive.Host(path), std::ios::app) << "more"; }, TDeleteOutcome::Grown, "read\r\nmore"},
      {"replaced", [&] {
         drive.WriteFile("C:\\Q\\B.TXT", "new\r\n");
         std::filesystem::rename(drive.Host("C:\\Q\\B.TXT"), drive.Host(path));
       },
       TDeleteOutcome::Replaced, "new\r\n"},
      {"gone", [&] { std::filesystem::remove(drive.Host(path)); }, TDeleteOutcome::Deleted, "(none)"},
  };
  for (const bool refused : {false, true})
  for (const auto &c : cases) {
    RefuseNoReplaceForTesting(refused);
    drive.WriteFile(path, "read\r\n");
    TextFile file;
    AssignFile(file, path);
    Reset(file);
    while (!Eof(file)) file.ReadLine();
    c.meanwhile();
    EXPECT_EQ(DeleteFileIfSame(path, file.Identity(), file.Position()), c.outcome) << c.what;
    EXPECT_EQ(FileExists(path) ? drive.ReadFile(path) : "(none)", c.left) << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Host("C:\\Q")), {}), FileExists(path) ? 1 : 0)
        << c.what;  // nothing left under another name
    RefuseNoReplaceForTesting(false);
  }
}

}  // namespace
