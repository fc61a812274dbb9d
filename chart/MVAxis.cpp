#include "chart/MVAxis.h"

#include "gfx/AlignedText.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/base/Stream.h"
#include "model/base/StreamStrings.h"
#include "model/settings/Streamft.h"

#include <algorithm>
#include <cmath>

namespace {

// Chart coordinates stay far inside the int range, so that sums and differences of
// them (rectangle sizes, mirrored points) never overflow.
constexpr double CoordLimit = 1.0e8;

int RoundCoord(double X)
{
    if (std::isnan(X)) return 0;
    return RoundEven(std::clamp(X, -CoordLimit, CoordLimit));
}

std::unique_ptr<Streamft::TStreamFont> MakeFont(int Size, bool Bold)
{
    auto f = std::make_unique<Streamft::TStreamFont>();
    f->SetFontName(QStringLiteral("Arial"));
    f->SetSize(Size);
    f->SetBold(Bold);
    return f;
}

} // namespace

double AxisStep(double Min, double Max, int Count)
{
    if (Count == 0) {
        if (Max - Min == 0 || std::isnan(Max - Min)) throw EInvalidOp(QStringLiteral("Ungültige Gleitkommaoperation"));
        throw EZeroDivide(QStringLiteral("Number of steps must be greater then 0!"));
    }
    return (Max - Min) / Count;
}

void TextOutAligned(TCustomCanvas& ACanvas, const QString& Text, int X, int Y, int Alignment)
{
    if (Alignment < 0 || Alignment > 2) return;
    AlignedTextOut(ACanvas, X, Y, Text, static_cast<uint8_t>(Alignment));
}

TPoint RealToScreenPoint(const TRect& R, double X1, double Y1, double X2, double Y2, double AX, double AY)
{
    const double x = (static_cast<double>(R.Right) - R.Left) / (X2 - X1) * (AX - X1) + R.Left;
    const double y = (static_cast<double>(R.Bottom) - R.Top) / (Y2 - Y1) * (AY - Y1);
    return TPoint{RoundCoord(x), R.Top + RoundCoord(y)};
}

bool ScreenToRealPoint(const TRect& R, double X1, double Y1, double X2, double Y2, TPoint P, double& RX, double& RY)
{
    RX = (X2 - X1) / (static_cast<double>(R.Right) - R.Left) * (static_cast<double>(P.X) - R.Left) + X1;
    RY = (Y2 - Y1) / (static_cast<double>(R.Bottom) - R.Top) * (static_cast<double>(P.Y) - R.Top) + Y1;
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

TMVAxis::TMVAxis() : FFont(MakeFont(8, false)), FCaptionFont(MakeFont(10, true)) {}

TMVAxis::~TMVAxis() = default;

void TMVAxis::SetSegmentCount(int Value)
{
    if (Value > 0) FSegmentCount = Value;
}

void TMVAxis::SetFont(Streamft::TStreamFont* Value)
{
    if (Value && Value != FFont.get()) FFont.reset(Value);
}

void TMVAxis::SetCaptionFont(Streamft::TStreamFont* Value)
{
    if (Value && Value != FCaptionFont.get()) FCaptionFont.reset(Value);
}

void TMVAxis::SetLog(bool Value)
{
    FLog = Value;
    if (!Value) return;
    // NaN compares false everywhere: treat it like a range a logarithm cannot show.
    if (!(FMin > 0) || !(FMax > 0)) FMin = (!(FMin > 0) && FMax > 0) ? FMax / 100 : 0.01;
    if (!(FMax > 0) || FMax <= FMin) FMax = FMin * 10;
}

QString TMVAxis::LabelText(double Value) const { return FormatFloat(FLabelFormat, Value); }

void TMVAxis::WriteToStream(TStream& S) const
{
    S.WriteBoolean(FVisible);
    S.WriteDouble(FMin);
    S.WriteDouble(FMax);
    S.WriteBoolean(FMinAuto);
    S.WriteBoolean(FMaxAuto);
    S.WriteInt32(FSegmentCount);
    S.WriteInt32(FTickLen);
    S.WriteBoolean(FShowLabels);
    S.WriteBoolean(FLog);
    S.WriteBoolean(FMinGrid);
    S.WriteBoolean(FMainGrid);
    S.WriteBoolean(FShowCaption);
    S.WriteBoolean(FInvert);
    S.WriteBoolean(FLabelsMinMaxOnly);
    FFont->Store(S);
    FCaptionFont->Store(S);
    WriteStringToStream(S, FCaption);
    WriteStringToStream(S, FLabelFormat);
    WriteExtra(S);
}

void TMVAxis::ReadRecord(TStream& S, bool Legacy)
{
    // Fields go straight in: a stored segment count of 0 or a log range the setter
    // would repair is kept as written.
    FVisible = S.ReadBoolean();
    FMin = S.ReadDouble();
    FMax = S.ReadDouble();
    FMinAuto = S.ReadBoolean();
    FMaxAuto = S.ReadBoolean();
    FSegmentCount = S.ReadInt32();
    FTickLen = S.ReadInt32();
    FShowLabels = S.ReadBoolean();
    FLog = S.ReadBoolean();
    FMinGrid = S.ReadBoolean();
    FMainGrid = S.ReadBoolean();
    FShowCaption = S.ReadBoolean();
    FInvert = S.ReadBoolean();
    FLabelsMinMaxOnly = S.ReadBoolean();
    if (Legacy) {
        FFont->LoadShortString(S);
        FCaptionFont->LoadShortString(S);
        FCaption = AnsiToString(ReadAnsiStringFromStream(S));
        FLabelFormat = AnsiToString(ReadAnsiStringFromStream(S));
    } else {
        FFont->Load(S);
        FCaptionFont->Load(S);
        FCaption = ReadStringFromStream(S);
        FLabelFormat = ReadStringFromStream(S);
    }
    ReadExtra(S);
}

void TMVAxis::LoadFromStream(TStream& S)
{
    std::unique_ptr<TMVAxis> fresh = NewBlank();
    fresh->ReadRecord(S, false);
    AssignStored(*fresh);
}

void TMVAxis::LoadLegacy(TStream& S)
{
    std::unique_ptr<TMVAxis> fresh = NewBlank();
    fresh->ReadRecord(S, true);
    AssignStored(*fresh);
}

void TMVAxis::AssignStored(const TMVAxis& Source)
{
    if (&Source == this) return;
    FVisible = Source.FVisible;
    FMin = Source.FMin;
    FMax = Source.FMax;
    FMinAuto = Source.FMinAuto;
    FMaxAuto = Source.FMaxAuto;
    FSegmentCount = Source.FSegmentCount;
    FTickLen = Source.FTickLen;
    FShowLabels = Source.FShowLabels;
    FLog = Source.FLog;
    FMinGrid = Source.FMinGrid;
    FMainGrid = Source.FMainGrid;
    FShowCaption = Source.FShowCaption;
    FInvert = Source.FInvert;
    FLabelsMinMaxOnly = Source.FLabelsMinMaxOnly;
    FFont->Assign(*Source.FFont);
    FCaptionFont->Assign(*Source.FCaptionFont);
    FCaption = Source.FCaption;
    FLabelFormat = Source.FLabelFormat;
    AssignExtra(Source);
}

void TMVAxis::RangeValues(Eigen::VectorXd* TheValues, int Length, int Accuracy) const
{
    if (!TheValues || Length <= 0 || Accuracy <= 0) return;
    const int n = Length / Accuracy;
    TheValues->resize(n + 1);
    Eigen::VectorXd& v = *TheValues;
    v[0] = FMin;
    if (!FLog) {
        const double step = AxisStep(FMin, FMax, n);
        for (int i = 1; i <= n; ++i) v[i] = v[i - 1] + step;
        return;
    }
    const double lmin = std::log10(FMin), lmax = std::log10(FMax);
    for (int i = 1; i <= n; ++i) v[i] = std::pow(10.0, lmin + (lmax - lmin) / n * i);
}

void TMVHorzAxis::WriteExtra(TStream& S) const { S.WriteEnum(FLabelPos); }

void TMVHorzAxis::ReadExtra(TStream& S) { FLabelPos = S.ReadEnum<THorzLabelPos>(lpdown, "Beschriftungsseite der Achse"); }

void TMVHorzAxis::AssignExtra(const TMVAxis& Source)
{
    if (const auto* h = dynamic_cast<const TMVHorzAxis*>(&Source)) FLabelPos = h->FLabelPos;
}

QString TMVVertAxis::LabelText(double Value) const
{
    if (FOnGetDepthString) return FOnGetDepthString(LabelFormat(), Value);
    return TMVAxis::LabelText(Value);
}
