// The contour line: segments joined into a polyline, its path on the plan,
// its printed form and its labels.

#include "model/contours/MVContourObj.h"

#include "gfx/RotatedText.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/contours/ContourLabels.h"
#include "model/contours/SegmentJoiner.h"

TContourSegment::TContourSegment(double AX, double AY, double AX2, double AY2) : FP1(AX, AY), FP2(AX2, AY2) {}

TContourSegment::TContourSegment(const TDblPoint& Pt1, const TDblPoint& Pt2)
    : FP1(Pt1.X(), Pt1.Y()), FP2(Pt2.X(), Pt2.Y())
{
}

TContourLine::TContourLine(TConvertFunction TheConvertFunction) : FConvertFunction(std::move(TheConvertFunction))
{
    FFont.SetName(QStringLiteral("Verdana"));
    FFont.SetSize(8);
}

TContourLine::~TContourLine() = default;

QString TContourLine::LabelText() const
{
    return FormatFloat(FLabelMask, FZLevel * FLabelFactor);
}

void TContourLine::AddSegment(double AX, double AY, double AX2, double AY2)
{
    Add(std::make_unique<TContourSegment>(AX, AY, AX2, AY2));
}

void TContourLine::AddSegment(const TDblPoint& Pt1, const TDblPoint& Pt2)
{
    Add(std::make_unique<TContourSegment>(Pt1, Pt2));
}

std::unique_ptr<TContourLine> TContourLine::MakePolyline()
{
    // Take the segments out of the list; the used ones are freed below, the
    // rest moves into the new line.
    std::vector<std::unique_ptr<TContourSegment>> segments;
    std::vector<TSegmentJoiner::TSegment> ends;
    segments.reserve(static_cast<size_t>(Count()));
    ends.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        segments.emplace_back(Segments(i));
        const TContourSegment& s = *segments.back();
        ends.push_back(TSegmentJoiner::TSegment{s.P1().X(), s.P1().Y(), s.P2().X(), s.P2().Y()});
    }
    const bool owns = OwnsObjects();
    SetOwnsObjects(false);
    Clear();
    SetOwnsObjects(owns);

    TSegmentJoiner joiner(std::move(ends));
    const std::vector<TDblPoint> points = joiner.Next();
    std::unique_ptr<TContourLine> rest;
    if (!joiner.Empty()) {
        rest = std::make_unique<TContourLine>(FConvertFunction);
        for (int i : joiner.Leftover()) rest->Add(segments[static_cast<size_t>(i)].release());
    }
    SetWorldPoints(points);
    return rest;
}

void TContourLine::SetWorldPoints(const std::vector<TDblPoint>& Points)
{
    DPIPoints.clear();
    PtArray.clear();
    DPIPoints.reserve(Points.size());
    PtArray.reserve(Points.size());
    for (const TDblPoint& p : Points) {
        const QPointF world(p.X(), p.Y());
        DPIPoints.push_back(FromQPointF(FConvertFunction ? FConvertFunction(world) : world));
        PtArray.push_back(RoundD2Point(DPIPoints.back()));
    }
    CreatePathFromPoints(true);
}

void TContourLine::SetPlanPoints(TD2Pointslist Points, bool IsOpenLine)
{
    DPIPoints = std::move(Points);
    PtArray.clear();
    PtArray.reserve(DPIPoints.size());
    for (const D2D_POINT_2F& p : DPIPoints) PtArray.push_back(RoundD2Point(p));
    CreatePathFromPoints(IsOpenLine);
}

void TContourLine::CreatePathFromPoints(bool IsOpenLine)
{
    if (DPIPoints.size() < 2) {
        D2Path.reset();
        return;
    }
    TD2PathGeometryPtr path = TD2PathGeometry::Create();
    TD2GeometrySink& sink = path->Open();
    sink.BeginFigure(DPIPoints.front(), false);
    for (size_t i = 1; i < DPIPoints.size(); ++i) sink.AddLine(DPIPoints[i]);
    sink.EndFigure(!IsOpenLine);
    sink.Close();
    D2Path = std::move(path);
}

void TContourLine::Draw(TCustomCanvas& ACanvas)
{
    ACanvas.Pen().SetWidth(RoundEven(FWidth));
    ACanvas.Pen().SetColor(FColor);
    ACanvas.Polyline(PtArray);
    if (FShowLabels) DrawLabels(ACanvas);
}

void TContourLine::DrawLabels(TCustomCanvas& ACanvas)
{
    ACanvas.Font().Assign(FFont);
    ACanvas.Brush().SetStyle(FDeleteBackground ? bsSolid : bsClear);
    const std::vector<int> places = LayoutGDILabels(PtArray, FLabelDistance);
    if (places.empty()) return;
    const QString text = LabelText();
    for (int i : places)
        TextAlongLine(ACanvas, PtArray[static_cast<size_t>(i)], PtArray[static_cast<size_t>(i) + 1], ACanvas.Font(),
                      text, false);
}

void TContourLine::D2DrawLabels(TDirect2DCanvas& ACanvas)
{
    TD2RenderTarget& target = ACanvas.RenderTarget();
    float dpiX = 96, dpiY = 96;
    target.GetDpi(dpiX, dpiY);
    const float dist = static_cast<float>(FLabelDistance / 254.0 * dpiX);
    const std::vector<TD2LabelPlace> places = LayoutD2Labels(DPIPoints, dist);
    if (places.empty()) return;
    const QString text = LabelText();
    // Without the plan's shared brushes the background still gets its white.
    const TD2BrushPtr white = D2WhiteBrush ? D2WhiteBrush : ACanvas.CreateBrush(clWhite);
    for (const TD2LabelPlace& place : places) {
        ACanvas.Font().Assign(FFont);
        const D2D_MATRIX_3X2_F saved = target.GetTransform();
        target.SetTransform(D2D_MATRIX_3X2_F::Rotation(place.Angle, place.Center) * saved);
        const D2D_RECT_F r = DrawTextAligned(ACanvas, place.Center, text, 2, 2);
        if (FDeleteBackground) {
            target.FillRectangle(r, white);
            DrawTextAligned(ACanvas, place.Center, text, 2, 2);
        }
        target.SetTransform(saved);
    }
}

// ---------------------------------------------------------------------------

TMVContourLineStyle::TMVContourLineStyle() : FZValue(1), FWidth(5.0f), FColor(0) {}

TMVContourLineStyle::TMVContourLineStyle(double AZ, TColor AColor, float AWidth)
    : FZValue(AZ), FWidth(AWidth), FColor(AColor)
{
}

void TMVContourLineStyle::Read(TStream& S)
{
    const double z = S.ReadDouble();
    const std::int32_t color = S.ReadInt32();
    const float width = S.ReadSingle();
    FZValue = z;
    FColor = static_cast<TColor>(color);
    FWidth = width;
}

void TMVContourLineStyle::Write(TStream& S)
{
    S.WriteDouble(FZValue);
    S.WriteInt32(static_cast<std::int32_t>(FColor));
    S.WriteSingle(FWidth);
}
