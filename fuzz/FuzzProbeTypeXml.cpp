// The probe-type list file "bhetypes.xml".
#include "FuzzCommon.h"

#include "model/probes/BHETypelistObj.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString file = FuzzFile(QStringLiteral("bhetypes.xml"), Data, Size);
    TBHETypelist list;
    try {
        list.LoadXML(file);
    } catch (const EKPError&) {
    }
    return 0;
}
