// The project's XML document (root "BHEModelingProject") with its models.
#include "FuzzCommon.h"

#include "model/project/ProjectObj.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString file = FuzzFile(QStringLiteral("input.xml"), Data, Size);
    TProject p;
    try {
        p.LoadXML(file);
    } catch (const EKPError&) {
    }
    return 0;
}
