// The framework's image list: images in and out, a size change empties it,
// and change links hear of changes until either side is gone.
#include "framework/ImageList.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"

namespace {

std::unique_ptr<TBitmap> Picture(int Width, int Height) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->SetPixelFormat(pf32bit);
  Bmp->SetSize(Width, Height);
  return Bmp;
}

HICON IconOf(TCustomImageList& List, int Index) { return List.GetIcon(Index); }

TEST(ImageList, AddsReplacesAndDeletesImages) {
  TImageList List(nullptr);
  auto Bmp = Picture(16, 16);
  EXPECT_EQ(List.Add(Bmp.get(), nullptr), 0);
  EXPECT_EQ(List.Add(Bmp.get(), nullptr), 1);
  HICON Icon = IconOf(List, 0);
  ASSERT_NE(Icon, nullptr);
  EXPECT_EQ(List.AddIcon(Icon), 2);
  List.ReplaceIcon(1, Icon);
  List.ReplaceIcon(7, Icon);  // out of range: nothing
  DestroyIcon(Icon);
  EXPECT_EQ(List.Count(), 3);
  List.Delete(0);
  List.Delete(5);
  EXPECT_EQ(List.Count(), 2);
  EXPECT_EQ(List.GetIcon(2), nullptr);
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Add(nullptr, nullptr), -1);
}

TEST(ImageList, ASizeChangeEmptiesTheList) {
  TImageList List(nullptr);
  auto Bmp = Picture(16, 16);
  List.Add(Bmp.get(), nullptr);
  List.SetWidth(24);
  EXPECT_EQ(List.Count(), 0);
  int W = 0, H = 0;
  ImageList_GetIconSize(List.Handle(), &W, &H);
  EXPECT_EQ(W, 24);
  EXPECT_EQ(H, 16);
}

TEST(ImageList, ChangeLinksAreToldAndLetGoWhenEitherSideDies) {
  int Told = 0;
  auto Link = std::make_unique<TChangeLink>();
  Link->OnChange = [&](TObject*) { ++Told; };
  {
    TImageList List(nullptr);
    List.RegisterChanges(Link.get());
    EXPECT_EQ(Link->Sender(), &List);
    auto Bmp = Picture(16, 16);
    List.Add(Bmp.get(), nullptr);
    EXPECT_EQ(Told, 1);
    List.BeginUpdate();
    List.Add(Bmp.get(), nullptr);
    List.Add(Bmp.get(), nullptr);
    EXPECT_EQ(Told, 1);
    List.EndUpdate();
    EXPECT_EQ(Told, 2);

    // A link freed first unregisters itself: later changes reach nobody.
    auto Second = std::make_unique<TChangeLink>();
    int SecondTold = 0;
    Second->OnChange = [&](TObject*) { ++SecondTold; };
    List.RegisterChanges(Second.get());
    Second.reset();
    List.Delete(0);
    EXPECT_EQ(Told, 3);
    EXPECT_EQ(SecondTold, 0);
  }
  // The list went first: the link forgets it and dies without touching it.
  EXPECT_EQ(Link->Sender(), nullptr);
  Link.reset();
}

}  // namespace
