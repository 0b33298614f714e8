// Skins sent by another process: only the exact record is taken, and no field
// is read past its slot.
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/manager/SkinManager.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Record(const std::string& name, const std::string& section, const std::string& dir,
                   const std::string& text) {
  std::string r(ReceivedSkinRecordSize, '\0');
  const uint32_t tag = ReceivedSkinTag;
  std::memcpy(r.data(), &tag, 4);
  r.replace(4, name.size(), name);
  r.replace(132, section.size(), section);
  r.replace(260, dir.size(), dir);
  r.replace(772, text.size(), text);
  return r;
}

COPYDATASTRUCT Copy(std::string& bytes, ULONG_PTR kind = ReceivedSkinCopyDataKind) {
  return COPYDATASTRUCT{kind, DWORD(bytes.size()), bytes.data()};
}

TEST(ReceivedSkin, OnlyTheExactRecordIsTaken) {
  std::string good = Record("Sent", "BUTTON", "c:\\x", "[GLOBALINFO]\r\n");
  auto parsed = ParseReceivedSkin(Copy(good));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->SkinName, L"Sent");
  EXPECT_EQ(parsed->SectionName, L"BUTTON");
  EXPECT_EQ(parsed->SkinDirectory, L"c:\\x");
  EXPECT_EQ(parsed->OptionText, "[GLOBALINFO]\r\n");

  std::string shorter = good.substr(0, good.size() - 1);
  std::string longer = good + "x";
  std::string badTag = good;
  badTag[1] = 0x41;
  EXPECT_FALSE(ParseReceivedSkin(Copy(shorter)));
  EXPECT_FALSE(ParseReceivedSkin(Copy(longer)));
  EXPECT_FALSE(ParseReceivedSkin(Copy(badTag)));
  EXPECT_FALSE(ParseReceivedSkin(Copy(good, 1)));
  COPYDATASTRUCT none{ReceivedSkinCopyDataKind, DWORD(ReceivedSkinRecordSize), nullptr};
  EXPECT_FALSE(ParseReceivedSkin(none));
}

TEST(ReceivedSkin, FieldsWithoutAnEndStopAtTheirSlot) {
  std::string full = Record(std::string(128, 'N'), std::string(128, 'S'), std::string(512, 'D'),
                            std::string(40001, 'T'));
  auto parsed = ParseReceivedSkin(Copy(full));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->SkinName, String(128, L'N'));
  EXPECT_EQ(parsed->SectionName, String(128, L'S'));
  EXPECT_EQ(parsed->SkinDirectory, String(512, L'D'));
  EXPECT_EQ(parsed->OptionText.size(), 40001u);
}

TEST(ReceivedSkin, ManagerAppliesItAndForgetsTheText) {
  InitApplication();
  TsSkinManager m(nullptr);
  m.OnShowError = [](const String&) { ADD_FAILURE(); };
  std::string bytes = Record("Sent", "", "c:\\nowhere", "[GLOBALINFO]\r\nAUTHOR=sender\r\n[EDIT]\r\nCOLOR=5\r\n");
  auto parsed = ParseReceivedSkin(Copy(bytes));
  ASSERT_TRUE(parsed);
  m.ApplyReceivedSkin(*parsed);
  EXPECT_TRUE(m.IsSkinLoaded());
  EXPECT_EQ(m.SkinOrigin(), TacSkinOrigin::Received);
  EXPECT_EQ(m.SkinName(), L"Sent");
  EXPECT_EQ(m.Globals().Author, L"sender");
  // A later change looks for the skin again; a received one is not kept.
  m.SetSkinName(L"Sent");
  EXPECT_FALSE(m.IsSkinLoaded());
}

}  // namespace
