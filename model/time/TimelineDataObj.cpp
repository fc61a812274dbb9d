#include "model/time/TimelineDataObj.h"

void TTimeData::Read(TStream& S)
{
    const double t = S.ReadDouble();
    const double d = S.ReadDouble();
    FTime = t;
    FData = d;
}

void TTimeData::Write(TStream& S)
{
    S.WriteDouble(FTime);
    S.WriteDouble(FData);
}

void RegisterTimeStreamClasses() { RegisterStreamClass<TTimeData>(); }
