#include "platform/sys/Exceptions.h"
#include "platform/win/Registry.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(TRegistry, WritesKeepTheirValuesAcrossRegistryObjectsAndKeysCompareWithoutCase) {
  TempDrive drive;
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", true));
    registry.WriteString("Port", " ");
    registry.WriteString("Server", "db.example");
    registry.WriteString("Keep", "mine");
    registry.CloseKey();
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\software\\odbc\\odbc.ini\\CHECK", false));
  EXPECT_EQ(registry.ReadString("port"), " ");
  registry.WriteString("SERVER", "other");  // overwrites the value, whatever the case of its name
  EXPECT_EQ(registry.ReadString("Server"), "other");
  EXPECT_EQ(registry.ReadString("Keep"), "mine");
  EXPECT_FALSE(registry.ValueExists("Missing"));
  EXPECT_EQ(registry.ReadString("Missing"), "");
  // The keys above a created key exist too; a relative path continues from the open key.
  EXPECT_TRUE(registry.KeyExists("\\Software\\ODBC"));
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC", false));
  EXPECT_TRUE(registry.OpenKey("ODBC.INI\\Check", false));
  EXPECT_EQ(registry.ReadString("Server"), "other");
}

TEST(TRegistry, MissingKeysAreOpenedOnlyWhenCreationIsAllowed) {
  TempDrive drive;
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey("\\Software\\Nothing", false));
  EXPECT_FALSE(registry.OpenKeyReadOnly("\\Software\\Nothing"));
  EXPECT_THROW(registry.WriteString("x", "y"), ERegistryException);  // no key open
  TRegistry reader(KEY_READ);
  EXPECT_FALSE(reader.OpenKey("\\Software\\Nothing", true));
}

TEST(TRegistry, AnyTextSurvivesTheHiveFile) {
  TempDrive drive;
  const AnsiString texts[] = {"a=b", "back\\slash", "line\r\nbreak", "[bracket]", "", "Ação ÿ"_a, "=", "\\"};
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Odd]=\\Key", true));
    for (const AnsiString &text : texts) registry.WriteString("v" + text, text);
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Odd]=\\Key", false));
  for (const AnsiString &text : texts) EXPECT_EQ(registry.ReadString("v" + text), text) << text;
}

TEST(TRegistry, AWriteThatCannotBeStoredRaisesTheRegistryError) {
  TempDrive drive;
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", true));
  // The hive's folder replaced by a file: nothing can be written there any more.
  std::filesystem::remove_all(TRegistry::HiveFile(HKEY_CURRENT_USER).parent_path());
  std::ofstream(TRegistry::HiveFile(HKEY_CURRENT_USER).parent_path()) << "x";
  try {
    registry.WriteString("Database", "quendara");
    FAIL() << "no error";
  } catch (const ERegistryException &error) {
    EXPECT_EQ(error.Message, "Failed to set data for 'Database'");
  }
}

}  // namespace
