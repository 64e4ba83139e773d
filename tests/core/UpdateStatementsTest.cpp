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
  const TUpdateProgress progress{"C:\\ORVALIX\\REMESSA\\INSERE_DADO 1\t.TXT", 12345678901ull, 1765000000123, 17, 2,
                                 TStatementPhase::Prepared, "00ff"};
  TUpdateProgress read;
  ASSERT_TRUE(ParseUpdateProgress(FormatUpdateProgress(progress), read));
  EXPECT_EQ(read, progress);
  // A record of the earlier form, without phase and token.
  ASSERT_TRUE(ParseUpdateProgress("3\t1\t5\t6\tC:\\A\t1", read));
  EXPECT_EQ(read, (TUpdateProgress{"C:\\A\t1", 5, 6, 3, 1, TStatementPhase::Idle, ""}));
  for (const char *line : {"", "1\t0\t5\t6", "x\t0\t5\t6\tC:\\A", "-1\t0\t5\t6\tC:\\A", "1\t0\t5\t6\t", "1\t0\t5 \t6\tC:\\A",
                           "1\t0\t99999999999999999999999\t6\tC:\\A", "1\t0\t5\t6\t1\t\tC:\\A"}) {
    TUpdateProgress untouched = progress;
    EXPECT_FALSE(ParseUpdateProgress(line, untouched)) << line;
    EXPECT_EQ(untouched, progress) << line;
  }
}

TEST(UpdateProgress, TheStateFileKeepsFilesInPlaceAndAChangedFileStartsAfresh) {
  TempDrive drive;
  const AnsiString state = "C:\\WINDOWS\\insere_dado.conf";
  CreateDir("C:\\WINDOWS");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\A.TXT", "abc");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\B.TXT", "defg");
  {
    TUpdateProgressFile file(state);
    file.Resume("C:\\ORVALIX\\REMESSA\\A.TXT").Done = 3;
    file.Resume("C:\\ORVALIX\\REMESSA\\B.TXT").Done = 5;
    file.Save();
  }
  EXPECT_FALSE(FileExists(state + ".new"));
  DeleteFile("C:\\ORVALIX\\REMESSA\\B.TXT");
  AnsiString token;
  {
    TUpdateProgressFile file(state);  // as after a restart of the program
    EXPECT_EQ(file.Resume("c:\\orvalix\\remessa\\a.txt").Done, 3);
    token = file.Find("C:\\ORVALIX\\REMESSA\\A.TXT")->Token;
    EXPECT_EQ(token.size(), 16u);
    file.Save();  // B is gone: its record goes
  }
  const std::string kept = drive.ReadFile(state);
  EXPECT_EQ(kept, "3\t0\t3\t" + std::to_string(FileAge("C:\\ORVALIX\\REMESSA\\A.TXT")) + "\t0\t" + token +
                      "\tC:\\ORVALIX\\REMESSA\\A.TXT\r\n");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\A.TXT", "abcd");
  TUpdateProgressFile file(state);
  EXPECT_EQ(file.Resume("C:\\ORVALIX\\REMESSA\\A.TXT").Done, 0);
  EXPECT_NE(file.Find("C:\\ORVALIX\\REMESSA\\A.TXT")->Token, token);  // its statements are new ones
  // A record in doubt stays when its file goes, until the server has told what became of it.
  file.Find("C:\\ORVALIX\\REMESSA\\A.TXT")->Phase = TStatementPhase::Sent;
  DeleteFile("C:\\ORVALIX\\REMESSA\\A.TXT");
  file.Save();
  EXPECT_EQ(TUpdateProgressFile(state).InDoubt().size(), 1u);
  drive.WriteFile(state, "garbage\r\n");
  TUpdateProgressFile garbled(state);
  EXPECT_EQ(garbled.Find("C:\\ORVALIX\\REMESSA\\A.TXT"), nullptr);
}

}  // namespace
