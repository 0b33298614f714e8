#pragma once
// Whether a windowed control draws the sunken client edge round itself.
enum class TBorderStyle { bsNone, bsSingle };
