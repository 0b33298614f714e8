#pragma once
// The 56 small block types: their sizes, the request-size lookup table and the pool sizes each
// type makes. All of it is fixed at compile time.
#include <array>
#include <cstdint>

#include "runtime/BlockLayout.h"

namespace mm {

// Block sizes (header included) in steps of kAlignment, ascending. The last two repeat the largest
// so that it too has two larger neighbours to fall back on when its lock is held.
inline constexpr std::array<uint16_t, kSmallTypeCount> kSmallBlockSteps = {
    1,  2,  3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18, 19,
    20, 22, 24,  26,  28,  30,  32,  34,  36,  38,  40,  44,  48,  52,  56,  60,  66,  72, 78,
    84, 92, 100, 110, 120, 132, 144, 158, 172, 188, 206, 226, 248, 272, 298, 326, 326, 326};

inline constexpr size_t kSelectableSmallTypes = kSmallTypeCount - 2;
inline constexpr size_t kMaxSmallBlockBytes = kSmallBlockSteps[kSmallTypeCount - 1] * kAlignment;
inline constexpr size_t kMaxSmallRequest = kMaxSmallBlockBytes - kHeaderBytes;
inline constexpr size_t kSmallLookupEntries = (kMaxSmallRequest + kHeaderBytes - 1) / kSmallLookupStep + 1;

struct SmallTypeShape {
  uint32_t BlockBytes = 0;
  uint32_t MinPoolBytes = 0;   // the smallest pool worth making
  uint32_t PoolBytes = 0;      // the pool normally made
  uint32_t PoolGroupMask = 0;  // bin groups a new pool may be taken from: bits g to 31
};

constexpr size_t RoundUpToMediumSize(size_t bytes) {
  return MediumBlockBytesFor(bytes < kHeaderBytes ? 0 : bytes - kHeaderBytes);
}

constexpr SmallTypeShape ShapeOfSmallType(size_t blockBytes) {
  SmallTypeShape shape;
  shape.BlockBytes = static_cast<uint32_t>(blockBytes);

  size_t minimum = RoundUpToMediumSize(blockBytes * kMinPoolBlockCount + kSmallPoolHeaderBytes);
  if (minimum < kMinMediumBlockBytes) minimum = kMinMediumBlockBytes;
  size_t group = (minimum - kMinMediumBlockBytes + kGroupSpanBytes / 2) / kGroupSpanBytes;
  if (group > 7) group = 7;
  shape.PoolGroupMask = ~0u << group;
  shape.MinPoolBytes = static_cast<uint32_t>(group * kGroupSpanBytes + kMinMediumBlockBytes);

  size_t optimal = RoundUpToMediumSize(blockBytes * kOptimalPoolBlockCount + kSmallPoolHeaderBytes);
  if (optimal < kMinOptimalPoolBytes) optimal = kMinOptimalPoolBytes;
  if (optimal > kMaxOptimalPoolBytes) optimal = kMaxOptimalPoolBytes;
  size_t blocks = (optimal - kSmallPoolHeaderBytes) / blockBytes;
  shape.PoolBytes = static_cast<uint32_t>(RoundUpToMediumSize(blocks * blockBytes + kSmallPoolHeaderBytes));
  return shape;
}

inline constexpr std::array<SmallTypeShape, kSmallTypeCount> kSmallTypeShapes = [] {
  std::array<SmallTypeShape, kSmallTypeCount> shapes{};
  for (size_t i = 0; i < kSmallTypeCount; ++i) shapes[i] = ShapeOfSmallType(kSmallBlockSteps[i] * kAlignment);
  return shapes;
}();

// Index (size + header - 1) / step: the smallest type whose block holds size + header.
inline constexpr std::array<uint8_t, kSmallLookupEntries> kSmallSizeLookup = [] {
  std::array<uint8_t, kSmallLookupEntries> lookup{};
  size_t previousBytes = 0;
  for (size_t type = 0; type < kSelectableSmallTypes; ++type) {
    size_t bytes = kSmallBlockSteps[type] * kAlignment;
    for (size_t i = previousBytes / kSmallLookupStep; i <= (bytes - 1) / kSmallLookupStep; ++i)
      lookup[i] = static_cast<uint8_t>(type);
    previousBytes = bytes;
  }
  return lookup;
}();

constexpr size_t SmallTypeFor(size_t request) {
  return kSmallSizeLookup[(request + kHeaderBytes - 1) / kSmallLookupStep];
}

}  // namespace mm
