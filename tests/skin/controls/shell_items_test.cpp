// Shell item lists and the shell session the file controls start with.
#include "skin/controls/ShellItemLists.h"
#include "skin/controls/ShellSession.h"
#include "skin/imagelists/AlphaImageList.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A list of items of the given sizes, each filled with its own byte.
TacOwnedPIDL MakeList(const std::vector<USHORT>& Sizes) {
  UINT Total = sizeof(USHORT);
  for (USHORT s : Sizes) Total += s;
  TacOwnedPIDL List(AllocPIDL(Total));
  auto* At = reinterpret_cast<BYTE*>(List.get());
  BYTE Fill = 0x10;
  for (USHORT s : Sizes) {
    std::memset(At, Fill++, s);
    std::memcpy(At, &s, sizeof(s));
    At += s;
  }
  return List;
}

TEST(ShellItemListsTest, SizeCountsTheItemsAndTheTerminator) {
  EXPECT_EQ(GetPIDLSize(nullptr), 0u);
  EXPECT_EQ(GetPIDLSize(MakeList({}).get()), 2u);
  EXPECT_EQ(GetPIDLSize(MakeList({20, 14}).get()), 36u);
  auto List = MakeList({20, 14});
  EXPECT_EQ(reinterpret_cast<BYTE*>(NextPIDL(List.get())) - reinterpret_cast<BYTE*>(List.get()), 20);
}

TEST(ShellItemListsTest, CopiesAndJoinsByteForByte) {
  auto A = MakeList({20, 14});
  auto B = MakeList({8});
  TacOwnedPIDL Copy(CopyPIDL(A.get()));
  ASSERT_EQ(GetPIDLSize(Copy.get()), 36u);
  EXPECT_EQ(std::memcmp(Copy.get(), A.get(), 36), 0);

  TacOwnedPIDL OnlyB(ConcatPIDLs(nullptr, B.get()));
  ASSERT_EQ(GetPIDLSize(OnlyB.get()), GetPIDLSize(B.get()));
  EXPECT_EQ(std::memcmp(OnlyB.get(), B.get(), GetPIDLSize(B.get())), 0);

  TacOwnedPIDL Joined(ConcatPIDLs(A.get(), B.get()));
  ASSERT_EQ(GetPIDLSize(Joined.get()), 34u + 8u + 2u);
  EXPECT_EQ(std::memcmp(Joined.get(), A.get(), 34), 0);
  EXPECT_EQ(std::memcmp(reinterpret_cast<BYTE*>(Joined.get()) + 34, B.get(), 10), 0);
}

TEST(ShellSessionTest, BuildsTheDesktopRootAndWrapsTheSystemIcons) {
  {
    TacShellSession Session;
    ASSERT_NE(Session.DesktopRoot(), nullptr);
    EXPECT_EQ(DesktopRootFolder(), Session.DesktopRoot());
    EXPECT_EQ(Session.DesktopRoot()->Parent(), nullptr);
    EXPECT_NE(Session.DesktopRoot()->ShellFolder(), nullptr);
    EXPECT_TRUE(Session.OleReady());
    // The record's real size: the shell answers with the system list.
    const HIMAGELIST System = ShellSmallImageList(L"C:\\");
    ASSERT_NE(System, nullptr);
    EXPECT_EQ(Session.SystemSmallImages(), System);
    ASSERT_NE(Session.SystemImageList(), nullptr);
    EXPECT_EQ(Session.SystemImageList()->Handle(), System);

    // A folder made without a parent hangs below the root; its full list
    // begins with the desktop's own.
    auto Item = MakeList({6});
    TacShellFolder Folder(nullptr, DesktopShellFolder(), Item.get());
    EXPECT_EQ(Folder.Parent(), Session.DesktopRoot());
    EXPECT_EQ(GetPIDLSize(Folder.RelativePIDL()), 8u);
    EXPECT_EQ(GetPIDLSize(Folder.FullPIDL()), GetPIDLSize(Session.DesktopRoot()->FullPIDL()) + 6u);
    EXPECT_EQ(Folder.Level(), 0);
  }
  EXPECT_EQ(DesktopRootFolder(), nullptr);
  // The system's list outlives the wrapper.
  EXPECT_GT(ImageList_GetImageCount(ShellSmallImageList(L"C:\\")), 0);
}

}  // namespace
