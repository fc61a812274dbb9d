// Time-series import of load profiles (text as spreadsheets export it).
#include "FuzzCommon.h"

#include "model/loads/PowerSeriesFile.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    try {
        ParsePowerSeries(QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)),
                         QStringLiteral("fuzz"));
    } catch (const EKPError&) {
    }
    return 0;
}
