#pragma once
// A skin sent by another process with WM_COPYDATA (dwData 2): a fixed record
// whose text fields are zero-ended within their slots. The sender is another
// program, so only a record of exactly the record's size and tag is taken,
// and no field is read past its slot.
#include <windows.h>

#include "framework/System.h"

#include <optional>
#include <string>

constexpr ULONG_PTR ReceivedSkinCopyDataKind = 2;
constexpr uint32_t ReceivedSkinTag = 0xA400;
constexpr size_t ReceivedSkinRecordSize = 40773;

struct TacReceivedSkin {
  String SkinName;
  String SectionName;  // empty: the whole skin
  String SkinDirectory;
  std::string OptionText;
};

std::optional<TacReceivedSkin> ParseReceivedSkin(const COPYDATASTRUCT& data);
