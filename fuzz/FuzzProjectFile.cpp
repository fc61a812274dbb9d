// The project file ".kpm": every record of the project, its profiles and models.
#include "FuzzCommon.h"

#include "model/project/ProjectObj.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString file = FuzzFile(QStringLiteral("input.kpm"), Data, Size);
    TProject p;
    try {
        p.Load(file);
    } catch (const EKPError&) {
    }
    return 0;
}
