// The heat-pump list file "heatpumps.kph".
#include "FuzzCommon.h"

#include "model/loads/HeatpumpObj.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString file = FuzzFile(QStringLiteral("heatpumps.kph"), Data, Size);
    THeatPumplist list;
    try {
        list.LoadFromFile(file);
    } catch (const EKPError&) {
    }
    return 0;
}
