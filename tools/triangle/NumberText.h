#pragma once

#include <string>
#include <string_view>

namespace tri {

// Locale-independent number conversion for the mesh files.

// Reads a whole token as a double ("." decimals, optional sign and exponent).
// False when the token is not entirely a number or its value is out of range.
// Non-finite words ("nan", "inf") are read; callers reject them.
bool parseDouble(std::string_view token, double& value);

// Shortest text that reads back to the identical double.
std::string formatDouble(double value);

}  // namespace tri
