#pragma once
// The colour-on-colour stretch rule, as one stateless routine.
//
// Target pixel i of a run targetSize long takes source pixel
// (2i + 1) * sourceSize / (2 * targetSize), integer division: pixels are
// repeated or dropped, never blended, and equal sizes map 1 : 1. Computed in
// 64 bits, so no size the graphics layer accepts can overflow.
// Requires 0 <= i < targetSize and sourceSize > 0.

#include <cstdint>

constexpr int StretchSourceIndex(int i, int targetSize, int sourceSize)
{
    return static_cast<int>((2 * static_cast<std::int64_t>(i) + 1) * sourceSize / (2 * static_cast<std::int64_t>(targetSize)));
}
