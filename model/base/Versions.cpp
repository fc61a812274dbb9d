#include "model/base/Versions.h"

std::int32_t FileVersionMajor = 0;
std::int32_t FileVersionMinor = 0;

bool FileVersionAtLeast(std::int32_t Major, std::int32_t Minor)
{
    return FileVersionMajor > Major || (FileVersionMajor == Major && FileVersionMinor >= Minor);
}

TFileVersionScope::TFileVersionScope(std::int32_t Major, std::int32_t Minor)
    : FOldMajor(FileVersionMajor), FOldMinor(FileVersionMinor)
{
    FileVersionMajor = Major;
    FileVersionMinor = Minor;
}

TFileVersionScope::~TFileVersionScope()
{
    FileVersionMajor = FOldMajor;
    FileVersionMinor = FOldMinor;
}
