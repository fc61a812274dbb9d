#pragma once

#include "KPVersion.h"

#include <cstdint>

// Written into every project file; a file newer than this is refused.
// Taken from the generated version header, the program's one version source.
inline constexpr std::int32_t ProgramVersionMajor = KP_VERSION_MAJOR;
inline constexpr std::int32_t ProgramVersionMinor = KP_VERSION_MINOR;

// The version of the file being read. Loaders read a field added in a later
// version only when the file is at least that version.
extern std::int32_t FileVersionMajor;
extern std::int32_t FileVersionMinor;

// True when the file being read has version Major.Minor or newer.
bool FileVersionAtLeast(std::int32_t Major, std::int32_t Minor);

// Sets the file version for a scope and restores the previous one on exit,
// also when reading throws.
class TFileVersionScope {
public:
    TFileVersionScope(std::int32_t Major, std::int32_t Minor);
    ~TFileVersionScope();
    TFileVersionScope(const TFileVersionScope&) = delete;
    TFileVersionScope& operator=(const TFileVersionScope&) = delete;

private:
    std::int32_t FOldMajor;
    std::int32_t FOldMinor;
};
