#include "framework/Registry.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* const kTestKey = L"Software\\KelvraTest";

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry reg;
    reg.DeleteKey(kTestKey);
  }
};

TEST_F(RegistryTest, ValuesRoundTripAndMissingOnesBehaveAsBefore) {
  TRegistry reg(KEY_ALL_ACCESS | KEY_WOW64_64KEY);
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(kTestKey, false));
  ASSERT_TRUE(reg.OpenKey(String(L"\\") + kTestKey + L"\\Port", true));
  reg.WriteString(L"Name", L"K\u00e9lvra");
  reg.WriteInteger(L"Baud", -9600);
  reg.WriteBool(L"Dtr", true);
  EXPECT_EQ(reg.ReadString(L"Name"), L"K\u00e9lvra");
  EXPECT_EQ(reg.ReadInteger(L"Baud"), -9600);
  EXPECT_TRUE(reg.ReadBool(L"Dtr"));
  EXPECT_EQ(reg.ReadString(L"Missing"), L"");
  EXPECT_THROW(reg.ReadInteger(L"Missing"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger(L"Name"), ERegistryException);  // wrong type
  EXPECT_TRUE(reg.ValueExists(L"Name"));
  EXPECT_TRUE(reg.DeleteValue(L"Name"));
  EXPECT_FALSE(reg.ValueExists(L"Name"));
  EXPECT_FALSE(reg.DeleteValue(L"Name"));
  reg.CloseKey();
  EXPECT_THROW(reg.WriteString(L"x", L"y"), ERegistryException);
  EXPECT_EQ(reg.ReadString(L"Baud"), L"");
}

TEST_F(RegistryTest, ReadOnlyKeysCannotBeWritten) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    reg.WriteInteger(L"v", 1);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(reg.ReadInteger(L"v"), 1);
  EXPECT_THROW(reg.WriteInteger(L"v", 2), ERegistryException);
  EXPECT_EQ(reg.Access(), REGSAM(KEY_ALL_ACCESS));
}

TEST_F(RegistryTest, DeleteKeyRemovesEverythingBelow) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(String(kTestKey) + L"\\a\\b", true));
  reg.WriteString(L"x", L"1");
  reg.CloseKey();
  EXPECT_TRUE(reg.KeyExists(String(kTestKey) + L"\\a\\b"));
  EXPECT_TRUE(reg.DeleteKey(kTestKey));
  EXPECT_FALSE(reg.KeyExists(kTestKey));
  EXPECT_FALSE(reg.DeleteKey(kTestKey));
}

}  // namespace
