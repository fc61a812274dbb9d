#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tri {

// Locale-independent number conversion for the mesh files.

// Reads a whole token as a double ("." decimals, optional sign and exponent).
// False when the token is not entirely a number or its value is out of range.
// Non-finite words ("nan", "inf") are read; callers reject them.
bool parseDouble(std::string_view token, double& value);

// Room that writeDouble needs at most.
constexpr std::size_t kMaxDoubleChars = 32;

// Writes the shortest text that reads back to the identical double (the text of
// std::to_chars) at out, which has room for kMaxDoubleChars; returns its end.
char* writeDouble(char* out, double value);

// The text of writeDouble as a string.
std::string formatDouble(double value);

}  // namespace tri
