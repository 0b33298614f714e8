// Reading the option text of a skin: values, sections, and text that is not
// what it should be.
#include "skin/manager/ImageDescriptor.h"
#include "skin/manager/SkinOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinOptions, IntegersAsTheLoaderReadsThem) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"-5", -5},
      {"$FF", 255},
      {"$00D98B3D", 0x00D98B3D},
      {"$FFFFFFFF", -1},
      {"$80000000", INT_MIN},
      {"0x10", 16},
      {" 7 ", 7},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      // Not numbers: the default.
      {"", 77},
      {"abc", 77},
      {"12a", 77},
      {"$", 77},
      {"$1FFFFFFFF", 77},
      {"99999999999", 77},
      {"2147483648", 77},
      {"-", 77},
      {"1.5", 77},
  };
  for (const auto& c : cases) {
    TacSkinOptions o(std::string("[S]\r\nK=") + c.text + "\r\n");
    EXPECT_EQ(o.ReadInteger(L"S", L"K", 77), c.expected) << c.text;
  }
}

TEST(SkinOptions, SectionsAndKeysKeepFileOrderAndCase) {
  TacSkinOptions o(
      "[GLOBALINFO]\nA=1\r\n[form]\rX=lower\r\n[FORM]\r\nX=upper\r\nY=2\r\nX=again\r\n"
      "no equals sign\r\n=nokey\r\n;C=comment\r\n[GLOBALINFO]\r\nB=2\r\n");
  ASSERT_EQ(o.Sections().size(), 3u);
  EXPECT_EQ(o.Sections()[0].Name, L"GLOBALINFO");
  EXPECT_EQ(o.Sections()[1].Name, L"form");
  EXPECT_EQ(o.Sections()[2].Name, L"FORM");
  EXPECT_EQ(o.ReadString(L"form", L"X", L""), L"lower");
  EXPECT_EQ(o.ReadString(L"FORM", L"X", L""), L"upper");  // the first of a repeated key
  EXPECT_EQ(o.ReadString(L"FORM", L"x", L"none"), L"none");
  EXPECT_EQ(o.ReadInteger(L"GLOBALINFO", L"B", 0), 2);  // a repeated header adds to the first
  EXPECT_FALSE(o.ValueExists(L"FORM", L"C"));
  EXPECT_EQ(o.Sections()[2].Keys.size(), 3u);
}

TEST(SkinOptions, PaletteAndVersionReads) {
  TacSkinOptions o("[G]\r\nBIG=18446744073709551615\r\nBTN=4406328\r\nV=16.00\r\nBAD=16,0\r\nNEG=-1\r\n");
  EXPECT_EQ(uint32_t(o.ReadInt64(L"G", L"BIG", 0)), 0xFFFFFFFFu);
  EXPECT_EQ(o.ReadInt64(L"G", L"BTN", 0), 4406328);
  EXPECT_EQ(o.ReadInt64(L"G", L"V", 9), 9);
  EXPECT_DOUBLE_EQ(o.ReadFloat(L"G", L"V", 0), 16.0);
  EXPECT_DOUBLE_EQ(o.ReadFloat(L"G", L"BAD", 3), 3);
  EXPECT_EQ(o.ReadInt64(L"G", L"NEG", 0), -1);
}

TEST(ImageDescriptor, OlderFormsBecomeTheFixedForm) {
  struct Case {
    const wchar_t* value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"&0000004000480072000000000000000031000000000", L"&0000004000480072000000000000000031000000000"},
      {L"PATTERN.BMP", L"&0000000000000000000000000000000010100000000PATTERN.BMP"},
      {L"A.B", L"&0000000000000000000000000000000030101000000A.B"},
      {L"!X.BMP!3!1!1", L"&0000000000000000000000000000000031100000000X.BMP"},
      {L"!X.BMP!2!1!0!0001!0002!0003!0004!5", L"&0000000000000000000100020003000421005000000X.BMP"},
      {L"!X.BMP!2!1!2!0001!0002!0003!0004!5", L"&0001000200030004000000000000000021205000000X.BMP"},
      {L"@0010@0020@0030@0040@2@1", L"&0010002000300040000000000000000021200000000"},
      {L"~0001~0002~0003~0004~7", L"&0001000200030004000000000000000010107000000"},
      {L"^0000^0000^0040^0020^0004^0003^0002^0001^2^1^3", L"&0000000000400020000400030002000121003000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertImageDescriptor(c.value), c.expected) << c.value;
}

TEST(ImageDescriptor, DerivedBordersNeverDivideByZero) {
  // Frame count 0 and a mask digit of 0 ask the "^" form to derive borders.
  const String zero = L"^0000^0000^0040^0020^0000^0000^0000^0000^0^0^0^0000";
  ASSERT_GE(zero.size(), 48u);
  String converted = ConvertImageDescriptor(zero);
  TacImageDescriptor d = ParseImageDescriptor(converted);
  EXPECT_EQ(d.SrcRect.right, 40);
  EXPECT_EQ(d.WL, 19);  // (40 / 1 - 1) / 2
  EXPECT_EQ(d.WT, 9);   // (20 / 1 - 1) / 2
}

TEST(ImageDescriptor, FieldsAreReadByPosition) {
  TacImageDescriptor d = ParseImageDescriptor(L"&0005000601050026000200030004000510117000000PAT.PNG");
  EXPECT_EQ(d.SrcRect.left, 5);
  EXPECT_EQ(d.SrcRect.top, 6);
  EXPECT_EQ(d.SrcRect.right, 105);
  EXPECT_EQ(d.SrcRect.bottom, 26);
  EXPECT_EQ(d.WL, 2);
  EXPECT_EQ(d.WB, 5);
  EXPECT_EQ(d.ImageCount, 1);
  EXPECT_EQ(d.MaskType, 0);
  EXPECT_EQ(d.ImgKind, 1);
  EXPECT_EQ(d.DrawMode, 17);
  EXPECT_EQ(d.FileName, L"PAT.PNG");
  // A damaged value reads as zeros rather than failing.
  TacImageDescriptor damaged = ParseImageDescriptor(L"&00x5");
  EXPECT_EQ(damaged.SrcRect.left, 0);
  EXPECT_EQ(damaged.ImageCount, 0);
}

TEST(ImageDescriptor, WhatCountsAsAnImage) {
  EXPECT_TRUE(IsImageValue(L"&000"));
  EXPECT_TRUE(IsImageValue(L"!A"));
  EXPECT_TRUE(IsImageValue(L"X.JPG"));
  EXPECT_TRUE(IsImageValue(L"X.BMP"));
  EXPECT_FALSE(IsImageValue(L"X.PNG"));  // a PNG needs one of the prefixes
  EXPECT_FALSE(IsImageValue(L"$00FF00"));
  EXPECT_FALSE(IsImageValue(L""));
}

}  // namespace
