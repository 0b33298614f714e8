#pragma once
// The shape of every block and pool, derived from two machine facts: the size of a block header
// and the alignment every block handed out must have. The allocator was first laid out for a
// 4-byte header and 8-byte steps; every size below is that layout scaled to these two constants.
#include <cstddef>
#include <cstdint>

namespace mm {

// What `new` and `malloc` promise on x64, and the one word in front of every block.
inline constexpr size_t kAlignment = 16;
inline constexpr size_t kHeaderBytes = sizeof(size_t);
static_assert(kAlignment == 2 * kHeaderBytes, "a block's usable size is 16 k + 8: header plus aligned body");

// The original layout stepped in 8 bytes; every derived size scales by this.
inline constexpr size_t kScale = kAlignment / 8;

// Header flags (the low four bits of the header word).
inline constexpr size_t kFreeFlag = 1;
inline constexpr size_t kMediumFlag = 2;
inline constexpr size_t kLargeFlag = 4;  // with kMediumFlag: a medium block serving as a small-block pool
inline constexpr size_t kPoolFlag = kMediumFlag | kLargeFlag;
inline constexpr size_t kPreviousFreeFlag = 8;  // medium: the block before is free
inline constexpr size_t kSpansRegionsFlag = 8;  // large: grown in place over several regions
inline constexpr size_t kFlagMask = 15;

// Small blocks: 56 types whose sizes are given in steps of kAlignment.
inline constexpr size_t kSmallTypeCount = 56;
inline constexpr size_t kSmallLookupStep = kAlignment;

// Medium blocks: sizes of the form kMediumGranularity * k + kMediumSizeOffset, 1024 bins in 32 groups.
inline constexpr size_t kMediumGranularity = 32 * kAlignment;
inline constexpr size_t kMediumSizeOffset = 6 * kAlignment;
inline constexpr size_t kMinMediumBlockBytes = 11 * kMediumGranularity + kMediumSizeOffset;
inline constexpr size_t kMediumBinCount = 1024;
inline constexpr size_t kBinsPerGroup = 32;
inline constexpr size_t kMediumGroupCount = kMediumBinCount / kBinsPerGroup;
inline constexpr size_t kMaxMediumBlockBytes = kMinMediumBlockBytes + (kMediumBinCount - 1) * kMediumGranularity;
inline constexpr size_t kMaxMediumRequest = kMaxMediumBlockBytes - kHeaderBytes;
inline constexpr size_t kMinMediumRequest = kMinMediumBlockBytes - kHeaderBytes;
// A medium block shrunk below this is better off as a small block.
inline constexpr size_t kMediumToSmallShrink = kMinMediumBlockBytes / 4;

// A medium pool: two ring links, padding and the first block's header, then the blocks, then an end
// sentinel header. Its size is 20 * 64 KiB per scale step, less its own header.
inline constexpr size_t kMediumPoolHeaderBytes = 4 * sizeof(void*);
inline constexpr size_t kMediumPoolBytes = 20 * 65536 * kScale - kMediumPoolHeaderBytes;
inline constexpr size_t kMediumBlockAreaBytes = kMediumPoolBytes - kMediumPoolHeaderBytes;

// Small-block pools (medium blocks): header of owner, partial-list links, free chain, use count and
// the first block's header word.
inline constexpr size_t kSmallPoolHeaderBytes = 6 * sizeof(void*);
inline constexpr size_t kMinPoolBlockCount = 12;
inline constexpr size_t kOptimalPoolBlockCount = 48;
inline constexpr size_t kMinOptimalPoolBytes = 115 * kMediumGranularity + kMediumSizeOffset;
inline constexpr size_t kMaxOptimalPoolBytes = 255 * kMediumGranularity + kMediumSizeOffset;
// A free medium block at least this big is split when a pool is cut from it.
inline constexpr size_t kSplitForPoolBytes = kMaxOptimalPoolBytes + kMinMediumBlockBytes;
inline constexpr size_t kGroupSpanBytes = kBinsPerGroup * kMediumGranularity;

// Resize rules of small blocks: keep when 4 * NewSize + slack >= Available; grow to 2 * Available + slack.
inline constexpr size_t kSmallShrinkSlack = 8 * kAlignment;
inline constexpr size_t kSmallGrowSlack = 4 * kAlignment;

// Large blocks: ring links, user size and region size in front of the block, 64 KiB regions.
inline constexpr size_t kLargeHeaderBytes = 4 * sizeof(void*);
inline constexpr size_t kRegionGranularity = 65536;
inline constexpr size_t kLargeOverheadBytes = kLargeHeaderBytes + kHeaderBytes;

// Requests above this can never be met (the top bit of a size_t).
inline constexpr size_t kMaxRequest = SIZE_MAX / 2;

static_assert(kMinMediumBlockBytes % kAlignment == 0 && kMediumGranularity % kAlignment == 0);
static_assert(kMediumPoolHeaderBytes % kAlignment == 0 && kSmallPoolHeaderBytes % kAlignment == 0);
static_assert(kLargeHeaderBytes % kAlignment == 0);

// The header word in front of a block.
inline size_t& HeaderOf(void* block) { return *(reinterpret_cast<size_t*>(block) - 1); }
inline size_t HeaderOf(const void* block) { return *(reinterpret_cast<const size_t*>(block) - 1); }

inline char* Offset(void* p, ptrdiff_t bytes) { return static_cast<char*>(p) + bytes; }

// The medium block size that holds a request: the smallest size of the form above that covers
// request + header.
constexpr size_t MediumBlockBytesFor(size_t request) {
  return ((request + kHeaderBytes + kMediumGranularity - 1 - kMediumSizeOffset) & ~(kMediumGranularity - 1)) +
         kMediumSizeOffset;
}

constexpr size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

}  // namespace mm
