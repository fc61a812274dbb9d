#pragma once

// Font sizes in points that stored records and settings may hold. Sizes are
// scaled to heights and negated on their way to a canvas; beyond this range
// (the largest size Windows font dialogs offer) that arithmetic overflows.
// Negative sizes stay allowed: they stand for a cell height.
inline constexpr int MaxFontSize = 1638;
inline constexpr int MinFontSize = -MaxFontSize;

inline bool FontSizeInRange(long long Size) { return Size >= MinFontSize && Size <= MaxFontSize; }
