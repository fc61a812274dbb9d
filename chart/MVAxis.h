#pragma once

#include "gfx/WinTypes.h"
#include "model/base/KPError.h"

#include <QString>
#include <Eigen/Core>
#include <cstdint>
#include <functional>
#include <memory>

class TCanvas;
class TCustomCanvas;
class TStream;
namespace Streamft {
class TStreamFont;
}

// The axes of the chart control and the small geometry they share with it. All
// drawing coordinates are chart units of 0.1 mm, x to the right, y downward.

// A real-valued chart point.
// In a namespace of its own: the model has a point class of the same name.
namespace ChartTypes {
struct TDblPoint {
    double x = 0;
    double y = 0;
    bool operator==(const TDblPoint&) const = default;
};
}

enum TLineSlope : uint8_t { lsDontCare, lsPositive, lsNegative };
enum THorzLabelPos : uint8_t { lpUp, lpdown };

// Text of a depth label: (Mask, Depth) -> text.
using TOnGetDepthString = std::function<QString(const QString& Mask, double Depth)>;

// The axis step with a segment count of 0 (only a loaded record can hold one).
class EZeroDivide : public EKPError {
public:
    using EKPError::EKPError;
};

// 0/0: an empty range divided into no segments.
class EInvalidOp : public EKPError {
public:
    using EKPError::EKPError;
};

// (Max - Min) / Count; Count 0 raises EZeroDivide (EInvalidOp when Min = Max too).
double AxisStep(double Min, double Max, int Count);
// Top at Y; Alignment 0: starts at X, 1: ends at X, 2: centred on X; else nothing.
void TextOutAligned(TCustomCanvas& ACanvas, const QString& Text, int X, int Y, int Alignment);
// (X1, Y1) lands on R's top-left, (X2, Y2) on its bottom-right. A mapping that is not
// finite (an empty range) gives a clamped point, never an undefined conversion.
TPoint RealToScreenPoint(const TRect& R, double X1, double Y1, double X2, double Y2, double AX, double AY);
// The inverse; true when P lies in R (right and bottom edges excluded).
bool ScreenToRealPoint(const TRect& R, double X1, double Y1, double X2, double Y2, TPoint P, double& RX, double& RY);
// The mirror image of C within A..B.
inline int FlipCoordinate(int A, int B, int C) { return A + B - C; }

class TMVAxis {
public:
    TMVAxis();
    virtual ~TMVAxis();
    TMVAxis(const TMVAxis&) = delete;
    TMVAxis& operator=(const TMVAxis&) = delete;

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    double Min() const { return FMin; }
    void SetMin(double Value) { FMin = Value; }
    bool MinAuto() const { return FMinAuto; }
    void SetMinAuto(bool Value) { FMinAuto = Value; }
    double Max() const { return FMax; }
    void SetMax(double Value) { FMax = Value; }
    bool MaxAuto() const { return FMaxAuto; }
    void SetMaxAuto(bool Value) { FMaxAuto = Value; }
    int SegmentCount() const { return FSegmentCount; }
    // Values of 0 or less are ignored.
    void SetSegmentCount(int Value);
    int TickLen() const { return FTickLen; }
    void SetTickLen(int Value) { FTickLen = Value; }
    bool ShowLabels() const { return FShowLabels; }
    void SetShowLabels(bool Value) { FShowLabels = Value; }
    bool LabelsMinMaxOnly() const { return FLabelsMinMaxOnly; }
    void SetLabelsMinMaxOnly(bool Value) { FLabelsMinMaxOnly = Value; }
    const QString& LabelFormat() const { return FLabelFormat; }
    void SetLabelFormat(const QString& Value) { FLabelFormat = Value; }
    Streamft::TStreamFont* Font() const { return FFont.get(); }
    // Takes ownership; null is refused.
    void SetFont(Streamft::TStreamFont* Value);
    bool Log() const { return FLog; }
    // Switching on repairs a range a logarithm cannot show.
    void SetLog(bool Value);
    bool MainGrid() const { return FMainGrid; }
    void SetMainGrid(bool Value) { FMainGrid = Value; }
    bool MinGrid() const { return FMinGrid; }
    void SetMinGrid(bool Value) { FMinGrid = Value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { FShowCaption = Value; }
    Streamft::TStreamFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(Streamft::TStreamFont* Value);
    bool Invert() const { return FInvert; }
    void SetInvert(bool Value) { FInvert = Value; }

    // (X, Y): left end of a horizontal axis, top end of a vertical one; Width is the
    // length of a grid line across the diagram.
    virtual void Draw(TCanvas& ACanvas, int X, int Y, int Length, int Width, bool DrawLast) = 0;
    virtual void WriteToStream(TStream& S) const;
    // Both loads read the whole record first and change the axis only on success.
    virtual void LoadFromStream(TStream& S);
    virtual void LoadLegacy(TStream& S);
    // The range sampled at one value per Accuracy units over Length units.
    virtual void RangeValues(Eigen::VectorXd* TheValues, int Length, int Accuracy) const;

    // Copies every stored field (the record's fields) from Source.
    void AssignStored(const TMVAxis& Source);

protected:
    // The record's fields after the common part; a horizontal axis adds its label side.
    virtual void WriteExtra(TStream&) const {}
    virtual void ReadExtra(TStream&) {}
    virtual void AssignExtra(const TMVAxis&) {}
    virtual std::unique_ptr<TMVAxis> NewBlank() const = 0;

    // Axis-side geometry of one tick at Offset along the axis, filled by the descendants.
    struct TTickPlace {
        TPoint Outer;  // outer end of the tick
        TPoint OnAxis; // where it meets the axis line
        TPoint Grid;   // far end of the grid line
    };
    virtual TTickPlace PlaceTick(int X, int Y, int Offset, int Length, int Width, int TickLen) const = 0;
    virtual void DrawLabel(TCanvas& ACanvas, const TTickPlace& Tick, const QString& Text) = 0;
    virtual void DrawCaption(TCanvas& ACanvas, int X, int Y, int Length) = 0;
    virtual QString LabelText(double Value) const;

    void DrawLinear(TCanvas& ACanvas, int X, int Y, int Length, int Width, int LastTick);
    void DrawLogarithmic(TCanvas& ACanvas, int X, int Y, int Length, int Width);
    void DrawCaptionIfShown(TCanvas& ACanvas, int X, int Y, int Length);

private:
    void ReadRecord(TStream& S, bool Legacy);

    bool FVisible = false;
    double FMin = 0;
    double FMax = 10;
    int FSegmentCount = 5;
    int FTickLen = 15;
    bool FShowLabels = false;
    std::unique_ptr<Streamft::TStreamFont> FFont;
    bool FLog = false;
    bool FMinGrid = false;
    bool FMainGrid = false;
    QString FCaption;
    bool FShowCaption = true;
    std::unique_ptr<Streamft::TStreamFont> FCaptionFont;
    bool FInvert = false;
    bool FLabelsMinMaxOnly = false;
    QString FLabelFormat = QStringLiteral("0.#");
    bool FMinAuto = true;
    bool FMaxAuto = true;
};

class TMVHorzAxis : public TMVAxis {
public:
    TMVHorzAxis() = default;
    THorzLabelPos LabelPos() const { return FLabelPos; }
    void SetLabelPos(THorzLabelPos Value) { FLabelPos = Value; }

    // Always draws the last tick; DrawLast is ignored.
    void Draw(TCanvas& ACanvas, int X, int Y, int Length, int Width, bool DrawLast) override;

protected:
    void WriteExtra(TStream& S) const override;
    void ReadExtra(TStream& S) override;
    void AssignExtra(const TMVAxis& Source) override;
    std::unique_ptr<TMVAxis> NewBlank() const override { return std::make_unique<TMVHorzAxis>(); }
    TTickPlace PlaceTick(int X, int Y, int Offset, int Length, int Width, int TickLen) const override;
    void DrawLabel(TCanvas& ACanvas, const TTickPlace& Tick, const QString& Text) override;
    void DrawCaption(TCanvas& ACanvas, int X, int Y, int Length) override;

private:
    THorzLabelPos FLabelPos = lpUp;
};

class TMVVertAxis : public TMVAxis {
public:
    TMVVertAxis() = default;
    bool Leftside() const { return FLeftside; }
    void SetLeftside(bool Value) { FLeftside = Value; }
    const TOnGetDepthString& OnGetDepthString() const { return FOnGetDepthString; }
    void SetOnGetDepthString(TOnGetDepthString Value) { FOnGetDepthString = std::move(Value); }

    void Draw(TCanvas& ACanvas, int X, int Y, int Length, int Width, bool DrawLast) override;

protected:
    std::unique_ptr<TMVAxis> NewBlank() const override { return std::make_unique<TMVVertAxis>(); }
    TTickPlace PlaceTick(int X, int Y, int Offset, int Length, int Width, int TickLen) const override;
    void DrawLabel(TCanvas& ACanvas, const TTickPlace& Tick, const QString& Text) override;
    void DrawCaption(TCanvas& ACanvas, int X, int Y, int Length) override;
    QString LabelText(double Value) const override;

private:
    bool FLeftside = true;
    TOnGetDepthString FOnGetDepthString;
    int FWidestLabel = 0;  // of the last drawing, places the caption
};
