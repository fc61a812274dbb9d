#pragma once

#include "chart/MVAxis.h"
#include "gfx/Colors.h"

#include <functional>

// The chart's two lines the user can grab: a straight line y' = A·x' + B in axis space
// (x' = log10 x on a logarithmic x axis, y = 10^y' on a logarithmic y axis), so that it
// is straight on the drawn chart whatever the scales, and a vertical line at XValue.

using TDblFunction = std::function<double()>;

class TMVLine {
public:
    TMVLine() = default;
    virtual ~TMVLine() = default;

    double A() const { return FA; }
    // Taken only when it fits LineSlope; otherwise the old slope stays.
    void SetA(double Value);
    double B() const { return FB; }
    void SetB(double Value) { FB = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    TLineSlope LineSlope() const { return FLineSlope; }
    void SetLineSlope(TLineSlope Value) { FLineSlope = Value; }
    TMVHorzAxis* XAxis() const { return FXAxis; }
    void SetXAxis(TMVHorzAxis* Value) { FXAxis = Value; }
    TMVVertAxis* YAxis() const { return FYAxis; }
    void SetYAxis(TMVVertAxis* Value) { FYAxis = Value; }
    bool Dragging() const { return FDragging; }
    void SetDragging(bool Value) { FDragging = Value; }
    bool Rotating() const { return FRotating; }
    void SetRotating(bool Value) { FRotating = Value; }

    // A·AX + B, AX in axis space.
    virtual double LineValue(double AX) const { return FA * AX + FB; }
    // Ends of the visible part of the line, in axis values; false when the end lies
    // outside the x range or the line never enters the value range.
    virtual bool GetLeft(ChartTypes::TDblPoint& P) const;
    virtual bool GetRight(ChartTypes::TDblPoint& P) const;

    // The line's value (not axis space) at the axis value AX.
    double ValueAt(double AX) const;
    // Shifts the line parallel by the move of the mouse from Prev to Now (axis values).
    void MoveBy(const ChartTypes::TDblPoint& Prev, const ChartTypes::TDblPoint& Now);
    // Turns the line about its left visible end so that it passes through C.
    void TurnThrough(const ChartTypes::TDblPoint& C);

private:
    bool GetEnd(ChartTypes::TDblPoint& P, bool Right) const;

    double FA = 1;
    double FB = 0;
    int FWidth = 2;
    TColor FColor = clBlack;
    bool FVisible = false;
    TMVHorzAxis* FXAxis = nullptr;
    TMVVertAxis* FYAxis = nullptr;
    bool FDragging = false;
    bool FRotating = false;
    TLineSlope FLineSlope = lsDontCare;
};

class TVerticalLine : public TMVLine {
public:
    TVerticalLine() = default;

    double XValue() const { return FXValue; }
    void SetXValue(double Value) { FXValue = Value; }
    const TDblFunction& OnGetYMin() const { return FOnGetYMin; }
    void SetOnGetYMin(TDblFunction Value) { FOnGetYMin = std::move(Value); }
    const TDblFunction& OnGetYMax() const { return FOnGetYMax; }
    void SetOnGetYMax(TDblFunction Value) { FOnGetYMax = std::move(Value); }
    double YMin() const;
    double YMax() const;

private:
    double FXValue = 0;
    TDblFunction FOnGetYMin;
    TDblFunction FOnGetYMax;
};
