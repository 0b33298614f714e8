#pragma once
// Whether a control draws a single-line frame around its client area.
enum class TBorderStyle { bsNone, bsSingle };
