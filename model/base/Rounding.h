#pragma once

#include <cstdint>

// Converting a non-finite or out-of-range double to an integer is undefined
// behaviour in C++, so every conversion in the program goes through these.
// NaN gives 0; values beyond the target range are clamped.

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t RoundEven64(double X);
int RoundEven(double X);

// Towards zero, down and up, guarded the same way.
int TruncInt(double X);
std::int64_t Trunc64(double X);
int FloorInt(double X);
int CeilInt(double X);

// True when X is finite and fits into an int after rounding.
bool FitsInt(double X);
