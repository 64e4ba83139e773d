#include "MainWindowFixture.h"

#include "platform/win/Registry.h"

#include <QImage>
#include <filesystem>
#include <fstream>

namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, CreatesTheFoldersDeletesStaleAnswersLoadsThePictureAndStartsTheBatch) {
  drive.WriteFile("C:\\Orvalix\\Retorno\\RET0001.ret", "old");
  drive.WriteFile("C:\\Orvalix\\Retorno\\RET0002.RET", "old");
  drive.WriteFile("C:\\Orvalix\\Retorno\\RET0003.re", "half");
  drive.WriteFile("C:\\Orvalix\\Retorno\\RET0004.retx", "other");
  QImage picture(20, 10, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(drive.Host("C:\\Orvalix\\orvalix.bmp").string()), "BMP"));

  TForm1 &form = CreateMainWindow();
  for (const char *folder : {"C:\\ORVALIX", "C:\\ORVALIX\\REMESSA", "C:\\ORVALIX\\RETORNO"})
    EXPECT_TRUE(DirectoryExists(folder)) << folder;
  EXPECT_FALSE(FileExists("C:\\Orvalix\\Retorno\\RET0001.ret"));
  EXPECT_FALSE(FileExists("C:\\Orvalix\\Retorno\\RET0002.RET"));
  EXPECT_TRUE(FileExists("C:\\Orvalix\\Retorno\\RET0003.re"));
  EXPECT_TRUE(FileExists("C:\\Orvalix\\Retorno\\RET0004.retx"));
  EXPECT_FALSE(form.Image1->Empty());
  EXPECT_EQ(form.Image1->pixmap().size(), QSize(20, 10));
  EXPECT_TRUE(form.Timer2->Enabled());
  EXPECT_EQ(form.Timer2->Interval(), 500u);
  EXPECT_FALSE(form.UpdateFileOpen);
  EXPECT_FALSE(form.Database1->Connected());  // the first tick connects
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(StartUp, AFolderThatCannotBeCreatedIsPassedOverAndSoAreItsSubfolders) {
  drive.WriteFile("C:\\Orvalix", "a file where the folder should be");
  TForm1 &form = CreateMainWindow();
  EXPECT_FALSE(DirectoryExists("C:\\Orvalix\\Remessa"));
  EXPECT_TRUE(form.Image1->Empty());
  EXPECT_TRUE(form.Timer2->Enabled());
  EXPECT_TRUE(boxes.Calls().empty());
}

// The error box of a failed start-up step; the later steps are skipped, the window is there all the
// same, and the end of the start screen starts the batch.
void ExpectStartUpStoppedWith(MessageBoxSeam &boxes, const AnsiString &message, bool connectionStringSet) {
  TForm1 &form = *Form1;
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, message);
  EXPECT_EQ(boxes.Calls()[0].Caption, "Orvalix Express");
  EXPECT_EQ(form.Database1->ConnectionString.empty(), !connectionStringSet);
  EXPECT_FALSE(form.Timer2->Enabled());
  form.Timer1Timer(form.Timer1);
  EXPECT_TRUE(form.Timer2->Enabled());
}

TEST_F(StartUp, ARegistryThatRefusesTheDataSourceStopsTheStartUpWithItsError) {
  std::filesystem::create_directories(TRegistry::HiveFile(HKEY_CURRENT_USER).parent_path().parent_path());
  std::ofstream(TRegistry::HiveFile(HKEY_CURRENT_USER).parent_path()) << "x";
  CreateMainWindow();
  ExpectStartUpStoppedWith(boxes, "Failed to set data for 'Database'", false);
  EXPECT_FALSE(DirectoryExists("C:\\Orvalix"));
}

TEST_F(StartUp, AnUnreadablePictureStopsTheStartUpBeforeTheBatchStarts) {
  drive.WriteFile("C:\\Orvalix\\orvalix.bmp", "no picture");
  CreateMainWindow();
  ExpectStartUpStoppedWith(boxes, "Bitmap image is not valid.", true);
}

TEST_F(StartUp, TheDataSourceHoldsItsTenValuesAndTheConnectionStringItsFivePieces) {
  TForm1 &form = CreateMainWindow();
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", false));
  const std::pair<const char *, AnsiString> values[] = {
      {"Database", "quendara"},
      {"Description", "Orvalix Express"},
      {"Driver", "C:\\WINDOWS\\system32\\myodbc3.dll"},
      {"Flag", "1"},
      {"Password", "qt_ro_lk_wenaft"},
      {"Port", " "},
      {"Server", ORVALIX_DB_HOST},
      {"UID", " "},
      {"User", " "},
  };
  for (const auto &[name, value] : values) EXPECT_EQ(registry.ReadString(name), value) << name;
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\ODBC Data Sources", false));
  EXPECT_EQ(registry.ReadString("Check"), "MySQL ODBC 3.51 Driver");
  EXPECT_EQ(form.Database1->ConnectionString, AnsiString("Provider=MSDASQL.1;Password=") + testdb::kPassword +
                                                  ";Persist Security Info=True;User ID=" + testdb::kUser +
                                                  ";Data Source=Check");
}

TEST_F(StartUp, ChangedDataSourceValuesAreWrittenAgainAndOthersAreLeftAlone) {
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", true));
    registry.WriteString("Server", "elsewhere");
    registry.WriteString("Option", "3");
  }
  CreateMainWindow();
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", false));
  EXPECT_EQ(registry.ReadString("Server"), ORVALIX_DB_HOST);
  EXPECT_EQ(registry.ReadString("Option"), "3");
}

}  // namespace
