#include "core/UpdateProgress.h"
#include "core/UpdateStatements.h"

#include "platform/files/FileSystem.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

namespace {

struct Start {
  bool statement;
  std::vector<AnsiString> lines;
  bool operator==(const Start &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Start &s) {
  os << (s.statement ? "statement" : "dropped");
  for (const AnsiString &line : s.lines) os << " [" << line << "]";
  return os;
}

TEST(UpdateStatements, AFileIsCutIntoStatementStartsAndItsSemicolonLinesCounted) {
  const struct {
    const char *what;
    std::string bytes;
    int ends;
    std::vector<Start> starts;
  } cases[] = {
      {"empty", "", 0, {}},
      {"one line each", "INSERT INTO DADOS 1;\r\nDELETE FROM DADOS 2;\nupdate dados set x=1;", 3,
       {{true, {"INSERT INTO DADOS 1;"}}, {true, {"DELETE FROM DADOS 2;"}}, {true, {"update dados set x=1;"}}}},
      {"several lines, trimmed", " INSERT INTO DADOS (a)\r\n\t VALUES (1)\r\n  ;\r\n", 1,
       {{true, {"INSERT INTO DADOS (a)", "VALUES (1)", ";"}}}},
      {"to the end without a semicolon", "DELETE FROM DADOS\r\nWHERE 1=1\r\n", 0, {{true, {"DELETE FROM DADOS", "WHERE 1=1"}}}},
      {"a blank line and a stranger", "\r\nSELECT 1;\r\nINSERT INTO DADOSX;\r\n", 2,
       {{false, {""}}, {false, {"SELECT 1;"}}, {true, {"INSERT INTO DADOSX;"}}}},
      {"UPDATE DADOS SET alone", "UPDATE DADOS SET\r\nx=1;\r\n", 1, {{false, {"UPDATE DADOS SET"}}, {false, {"x=1;"}}}},
      {"two blanks", "INSERT  INTO DADOS;\r\n", 1, {{false, {"INSERT  INTO DADOS;"}}}},
      {"a semicolon and a blank", "INSERT INTO DADOS 1; \r\nINSERT INTO DADOS 2;\r\n", 1,
       {{true, {"INSERT INTO DADOS 1;"}}, {true, {"INSERT INTO DADOS 2;"}}}},
      {"a blank inside a statement", "INSERT INTO DADOS\r\n\r\n(1);\r\n", 1, {{true, {"INSERT INTO DADOS", "", "(1);"}}}},
  };
  TempDrive drive;
  for (const auto &c : cases) {
    drive.WriteFile("C:\\F.TXT", c.bytes);
    TextFile file;
    AssignFile(file, "C:\\F.TXT");
    Reset(file);
    EXPECT_EQ(CountStatementEnds(file), c.ends) << c.what;
    Reset(file);
    std::vector<Start> starts;
    while (!Eof(file)) {
      Start start;
      start.statement = ReadStatement(file, start.lines);
      starts.push_back(start);
    }
    CloseFile(file);
    EXPECT_EQ(starts, c.starts) << c.what;
  }
}

TEST(UpdateProgress, RecordsReadBackAsWrittenAndOtherLinesAreNoRecords) {
  TUpdateProgress progress;
  progress.Path = "C:\\ORVALIX\\REMESSA\\INSERE_DADO 1\t.TXT";
  progress.Done = 17;
  progress.Failures = 2;
  progress.Phase = TStatementPhase::Prepared;
  progress.Token = "00ff";
  progress.Handled = {12345678901ull, "ab12", 40};
  progress.Pending = {12345678999ull, "cd34", 41};
  progress.Session = 77;
  progress.ServerStart = 1765000000;
  progress.Aside = ".2.ERR";
  progress.Returning = {2049, 12345678901ull, 1765000000123456789ll};
  TUpdateProgress read;
  ASSERT_TRUE(ParseUpdateProgress(FormatUpdateProgress(progress), read));
  EXPECT_EQ(read, progress);
  // The form before the returning file: none.
  ASSERT_TRUE(ParseUpdateProgress("v2\t1\t0\t0\tt\t5\td\t1\t5\td\t1\t0\t0\t.ERR\tC:\\A", read));
  EXPECT_EQ(read.Returning, TFileIdentity{});
  EXPECT_EQ(read.Aside, ".ERR");
  // Records of the two earlier forms, recognised by the file's size and time.
  TUpdateProgress earlier;
  earlier.Path = "C:\\A\t1";
  earlier.Done = 3;
  earlier.Failures = 1;
  earlier.Size = 5;
  earlier.Age = 6;
  ASSERT_TRUE(ParseUpdateProgress("3\t1\t5\t6\tC:\\A\t1", read));
  EXPECT_EQ(read, earlier);
  earlier.Path = "C:\\A";
  earlier.Phase = TStatementPhase::Sent;
  earlier.Token = "00ff";
  ASSERT_TRUE(ParseUpdateProgress("3\t1\t5\t6\t1\t00ff\tC:\\A", read));
  EXPECT_EQ(read, earlier);
  for (const char *line : {"", "1\t0\t5\t6", "x\t0\t5\t6\tC:\\A", "-1\t0\t5\t6\tC:\\A", "1\t0\t5\t6\t", "1\t0\t5 \t6\tC:\\A",
                           "1\t0\t99999999999999999999999\t6\tC:\\A", "1\t0\t5\t6\t1\t\tC:\\A",
                           "v2\t1\t0\t0\tt\t5\td\t1\t5\td\t1\t0\t0\t\t", "v2\t1\t0\t3\tt\t5\td\t1\t5\td\t1\t0\t0\t\tC:\\A"}) {
    TUpdateProgress untouched = progress;
    EXPECT_FALSE(ParseUpdateProgress(line, untouched)) << line;
    EXPECT_EQ(untouched, progress) << line;
  }
}

TEST(UpdateProgress, AFileResumesWhileItIsTheSameAsFarAsItTookEffect) {
  TempDrive drive;
  const AnsiString state = "C:\\WINDOWS\\insere_dado.conf";
  const AnsiString a = "C:\\ORVALIX\\REMESSA\\A.TXT", b = "C:\\ORVALIX\\REMESSA\\B.TXT";
  CreateDir("C:\\WINDOWS");
  drive.WriteFile(a, "abc");
  drive.WriteFile(b, "defg");
  const auto same = [](const TUpdateProgress &) { return true; };
  const auto changed = [](const TUpdateProgress &) { return false; };
  {
    TUpdateProgressFile file(state);
    file.Resume(a, {}, changed).Done = 3;
    file.Resume(b, {}, changed).Done = 5;
    file.Save();
  }
  EXPECT_FALSE(FileExists(state + ".new"));
  DeleteFile(b);
  AnsiString token;
  {
    TUpdateProgressFile file(state);  // as after a restart of the program
    EXPECT_EQ(file.Resume("c:\\orvalix\\remessa\\a.txt", {}, same).Done, 3);
    token = file.Find(a)->Token;
    EXPECT_EQ(token.size(), 16u);
    EXPECT_EQ(file.Find(b), nullptr);  // gone with its file
    EXPECT_EQ(file.Resume(a, {}, changed).Done, 0);
    EXPECT_NE(file.Find(a)->Token, token);  // its statements are new ones
    // A record in doubt stays when its file goes, until the server has told what became of it.
    file.Find(a)->Phase = TStatementPhase::Sent;
    DeleteFile(a);
    file.Save();
  }
  EXPECT_EQ(TUpdateProgressFile(state).InDoubt().size(), 1u);
  // A set-aside file's record serves a file of its name only while the set-aside one stands.
  drive.WriteFile(a, "abc");
  drive.WriteFile(a + ".ERR", "abc");
  {
    TUpdateProgressFile file(state);
    TUpdateProgress &record = file.Begin(a);
    record.Done = 2;
    record.Aside = ".ERR";
    file.Save();
    EXPECT_EQ(file.Resume(a, {}, same).Done, 2);
    EXPECT_EQ(file.Find(a)->Aside, "");
    file.Find(a)->Aside = ".ERR";
    DeleteFile(a + ".ERR");
    EXPECT_EQ(file.Resume(a, {}, same).Done, 0);
  }
  // A record of the earlier form goes by the file's size and time.
  drive.WriteFile(state, "4\t0\t3\t" + std::to_string(FileAge(a)) + "\t" + a + "\r\n");
  EXPECT_EQ(TUpdateProgressFile(state).Resume(a, {}, changed).Done, 4);
  drive.WriteFile(state, "4\t0\t3\t1\t" + a + "\r\n");
  EXPECT_EQ(TUpdateProgressFile(state).Resume(a, {}, same).Done, 0);
  drive.WriteFile(state, "garbage\r\n");
  TUpdateProgressFile garbled(state);
  EXPECT_EQ(garbled.Find(a), nullptr);
}

}  // namespace
