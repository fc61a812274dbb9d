#pragma once

#include "model/base/MVStreamList.h"

// A stored pair of a time and a value.
class TTimeData : public TObject {
    KP_CLASS(TTimeData)
public:
    TTimeData() = default;
    explicit TTimeData(TBlank) {}

    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    double Time() const { return FTime; }
    void SetTime(double V) { FTime = V; }
    double Data() const { return FData; }
    void SetData(double V) { FData = V; }

private:
    double FTime = 0;
    double FData = 0;
};

void RegisterTimeStreamClasses();
