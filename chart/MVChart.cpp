// The chart control: construction, properties, layout and the mappings between real
// values, chart units and surface pixels.
#include "chart/MVChart.h"

#include "chart/ChartScreenMapping.h"
#include "chart/MVChartLine.h"
#include "chart/MVPaintBox.h"
#include "gfx/Canvas.h"
#include "model/base/Rounding.h"
#include "model/settings/Streamft.h"

#include <algorithm>
#include <cmath>

namespace {

double AxisSpace(const TMVAxis& Axis, double V) { return Axis.Log() ? std::log10(V) : V; }

} // namespace

void TPointerStyle::Assign(const TPointerStyle* Source)
{
    if (!Source) return;
    FColor = Source->FColor;
    FSize = Source->FSize;
    FStyle = Source->FStyle;
}

TMVChart::TMVChart(QWidget* Parent)
    : QScrollArea(Parent), FTopAxis(std::make_unique<TMVHorzAxis>()), FLeftAxis(std::make_unique<TMVVertAxis>()),
      FBottomAxis(std::make_unique<TMVHorzAxis>()), FLegendFont(std::make_unique<Streamft::TStreamFont>()),
      FQAxis(std::make_unique<TMVVertAxis>()), FFitLine(std::make_unique<TMVLine>()),
      FVertLine(std::make_unique<TVerticalLine>())
{
    FPaintBox = new TMVPaintBox(this, this);
    FPaintBox->setObjectName(QStringLiteral("SubPaintBox"));
    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& Name) { FPaintBox->setObjectName(Name + QStringLiteral("SubPaintBox")); });
    setWidget(FPaintBox);
    setWidgetResizable(false);

    FTopAxis->SetVisible(true);
    FTopAxis->SetShowLabels(true);
    FTopAxis->SetLabelPos(lpUp);
    FLeftAxis->SetVisible(true);
    FLeftAxis->SetShowLabels(true);
    FLeftAxis->SetLeftside(true);
    FBottomAxis->SetVisible(true);
    FBottomAxis->SetShowLabels(true);
    FBottomAxis->SetLabelPos(lpdown);
    FQAxis->SetVisible(false);
    FQAxis->SetShowLabels(true);
    FQAxis->SetInvert(true);
    FQAxis->SetLeftside(false);
    FLegendFont->SetFontName(QStringLiteral("Verdana"));
    FLegendFont->SetSize(9);
    FLegendFont->SetBold(false);
    for (TMVLine* line : {static_cast<TMVLine*>(FFitLine.get()), static_cast<TMVLine*>(FVertLine.get())}) {
        line->SetXAxis(FTopAxis.get());
        line->SetYAxis(FLeftAxis.get());
    }
    ResizePaintBox();
}

TMVChart::~TMVChart() = default;

void TMVChart::SetChartWidth(int Value)
{
    // A chart without extent has no mapping at all.
    if (Value < 1) return;
    FChartWidth = Value;
    ResizePaintBox();
}

void TMVChart::SetChartHeight(int Value)
{
    if (Value < 1) return;
    FChartHeight = Value;
    ResizePaintBox();
}

void TMVChart::SetZoom(int Value)
{
    if (Value < 1 || Value > 10000) return;
    FZoom = Value;
    ResizePaintBox();
}

void TMVChart::SetLegendFont(Streamft::TStreamFont* Value)
{
    if (Value && Value != FLegendFont.get()) FLegendFont.reset(Value);
}

void TMVChart::SetLegendCols(int Value)
{
    if (Value > 0) FLegendCols = Value;
}

void TMVChart::SetLegendRows(int Value)
{
    if (Value > 0) FLegendRows = Value;
}

void TMVChart::SetMouseThreshold(int Value)
{
    if (Value > 0) FMouseThreshold = Value;
}

void TMVChart::SetQDiagram(bool Value)
{
    FQDiagram = Value;
    FQAxis->SetVisible(Value);
}

void TMVChart::SetSplitRatio(double X)
{
    if (X >= 0 && X <= 1) FSplitRatio = X;
}

double TMVChart::GetSplitRatio() const { return FQDiagram ? FSplitRatio : 1; }

void TMVChart::SetState(TChartState Value)
{
    if (Value == csZooming) {
        FOriginal[0] = ChartTypes::TDblPoint{FTopAxis->Min(), FLeftAxis->Min()};
        FOriginal[1] = ChartTypes::TDblPoint{FTopAxis->Max(), FLeftAxis->Max()};
        FOriginal[2] = ChartTypes::TDblPoint{FBottomAxis->Min(), FLeftAxis->Min()};
        FOriginal[3] = ChartTypes::TDblPoint{FBottomAxis->Max(), FLeftAxis->Max()};
    }
    FState = Value;
}

TChartScreenMapping TMVChart::ScreenMapping() const
{
    return TChartScreenMapping(FChartWidth, FChartHeight, FZoom, FPaintBox->logicalDpiX(), FPaintBox->logicalDpiY());
}

void TMVChart::ResizePaintBox()
{
    const TSize size = ScreenMapping().ViewportExt();
    FPaintBox->resize(size.cx, size.cy);
}

void TMVChart::SetupScreenMapping(TCanvas& ACanvas) { ScreenMapping().Apply(ACanvas); }

void TMVChart::SetupPrintMapping(TCanvas& ACanvas)
{
    const double pxPerMMX = static_cast<double>(ACanvas.GetDeviceCaps(HORZRES)) / ACanvas.GetDeviceCaps(HORZSIZE);
    const double pxPerMMY = static_cast<double>(ACanvas.GetDeviceCaps(VERTRES)) / ACanvas.GetDeviceCaps(VERTSIZE);
    ACanvas.SetMapMode(MM_ANISOTROPIC);
    ACanvas.SetWindowExtEx(FChartWidth, FChartHeight);
    ACanvas.SetViewportExtEx(TruncInt((FChartWidth / 10) * pxPerMMX), TruncInt((FChartHeight / 10) * pxPerMMY));
    ACanvas.SetWindowOrgEx(0, 0);
}

void TMVChart::MapModeMM10(TCanvas& ACanvas)
{
    ACanvas.SetMapMode(MM_ANISOTROPIC);
    ACanvas.SetWindowExtEx(ACanvas.GetDeviceCaps(HORZSIZE) * 10, ACanvas.GetDeviceCaps(VERTSIZE) * 10);
    ACanvas.SetViewportExtEx(ACanvas.GetDeviceCaps(HORZRES), ACanvas.GetDeviceCaps(VERTRES));
}

TRect TMVChart::DiagramRect() const
{
    return TRect{FMarginLeft, FMarginTop, FChartWidth - FMarginRight, FChartHeight - FMarginBottom};
}

TRect TMVChart::ChartArea() const { return TRect{0, 0, FChartWidth, FChartHeight}; }

void TMVChart::GetDiagramRect(const TMVAxis* Axis, TPoint& TopLeft, TPoint& BottomRight) const
{
    const int h = RoundEven((FChartHeight - FMarginTop - FMarginBottom) * GetSplitRatio());
    if (Axis && Axis == FQAxis.get()) {
        TopLeft = TPoint{FMarginLeft, FMarginTop + h};
        BottomRight = TPoint{FChartWidth - FMarginRight, FChartHeight - FMarginBottom};
        return;
    }
    TopLeft = TPoint{FMarginLeft, FMarginTop};
    BottomRight = TPoint{FChartWidth - FMarginRight, FQAxis->Visible() ? FMarginTop + h : FChartHeight - FMarginBottom};
}

TRect TMVChart::TargetRect(const TMVVertAxis* YAxis) const
{
    TRect r = DiagramRect();
    if (!FQDiagram) return r;
    const int h = RoundEven((FChartHeight - FMarginTop - FMarginBottom) * GetSplitRatio());
    if (YAxis == FQAxis.get())
        r.Top = FMarginTop + h;
    else
        r.Bottom = FMarginTop + h;
    return r;
}

bool TMVChart::ScreenPointF(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, double& X,
                            double& Y) const
{
    if (!XAxis || !YAxis) return false;
    const TRect r = TargetRect(YAxis);
    const double x1 = AxisSpace(*XAxis, XAxis->Min()), x2 = AxisSpace(*XAxis, XAxis->Max());
    const double y1 = AxisSpace(*YAxis, YAxis->Min()), y2 = AxisSpace(*YAxis, YAxis->Max());
    X = (static_cast<double>(r.Right) - r.Left) / (x2 - x1) * (AxisSpace(*XAxis, ax) - x1) + r.Left;
    Y = r.Top + (static_cast<double>(r.Bottom) - r.Top) / (y2 - y1) * (AxisSpace(*YAxis, ay) - y1);
    if (YAxis->Invert()) Y = static_cast<double>(r.Top) + r.Bottom - Y;
    return std::isfinite(X) && std::isfinite(Y);
}

TPoint TMVChart::GetScreenPoint(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis) const
{
    if (!XAxis || !YAxis) return TPoint{};
    const TRect r = TargetRect(YAxis);
    TPoint p = RealToScreenPoint(r, AxisSpace(*XAxis, XAxis->Min()), AxisSpace(*YAxis, YAxis->Min()),
                                 AxisSpace(*XAxis, XAxis->Max()), AxisSpace(*YAxis, YAxis->Max()),
                                 AxisSpace(*XAxis, ax), AxisSpace(*YAxis, ay));
    if (YAxis->Invert()) p.Y = FlipCoordinate(r.Top, r.Bottom, p.Y);
    return p;
}

TPoint TMVChart::GetScreenPoint(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                                bool& Valid) const
{
    Valid = false;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !XAxis || !YAxis) return TPoint{};
    if ((XAxis->Log() && ax <= 0) || (YAxis->Log() && ay <= 0)) return TPoint{};
    double x, y;
    // An empty or non-finite range maps nothing to a finite place.
    Valid = ScreenPointF(ax, ay, XAxis, YAxis, x, y);
    return GetScreenPoint(ax, ay, XAxis, YAxis);
}

bool TMVChart::MapChartToReal(int x, int y, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                              ChartTypes::TDblPoint& RealPos) const
{
    if (!XAxis || !YAxis) return false;
    TPoint tl, br;
    GetDiagramRect(YAxis, tl, br);
    const TRect r{tl.X, tl.Y, br.X, br.Y};
    const double ymin = AxisSpace(*YAxis, YAxis->Min()), ymax = AxisSpace(*YAxis, YAxis->Max());
    double rx, ry;
    const bool inside = ScreenToRealPoint(r, AxisSpace(*XAxis, XAxis->Min()), ymin, AxisSpace(*XAxis, XAxis->Max()),
                                          ymax, TPoint{x, y}, rx, ry);
    RealPos.x = XAxis->Log() ? std::pow(10.0, rx) : rx;
    if (YAxis->Invert()) ry = ymax - (ry - ymin);
    RealPos.y = YAxis->Log() ? std::pow(10.0, ry) : ry;
    return inside;
}

TPoint TMVChart::MapMousePos(int x, int y) { return ScreenMapping().DeviceToChart(TPoint{x, y}); }

bool TMVChart::MapMousePosReal(int x, int y, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, ChartTypes::TDblPoint& RealPos)
{
    const TPoint p = MapMousePos(x, y);
    return MapChartToReal(p.X, p.Y, XAxis, YAxis, RealPos);
}

void TMVChart::SetAxesRange(std::span<const ChartTypes::TDblPoint> Points, std::span<TMVAxis* const> Axes)
{
    if (Points.size() < 2 || Axes.empty()) return;
    if (Axes[0]) {
        Axes[0]->SetMin(Points[0].x);
        Axes[0]->SetMax(Points[1].x);
    }
    if (Axes.size() >= 2 && Axes[1]) {
        Axes[1]->SetMin(std::min(Points[0].y, Points[1].y));
        Axes[1]->SetMax(std::max(Points[0].y, Points[1].y));
    }
    if (Axes.size() >= 3 && Points.size() >= 4 && Axes[2]) {
        Axes[2]->SetMin(Points[2].x);
        Axes[2]->SetMax(Points[3].x);
    }
}

bool TMVChart::AutoSize()
{
    if (!FChartWidthAuto && !FChartHeightAuto) return false;
    const TPoint p = ScreenMapping().DeviceToChart(TPoint{width() - 9, height() - 9});
    bool changed = false;
    if (FChartWidthAuto && std::max(1, p.X) != FChartWidth) {
        FChartWidth = std::max(1, p.X);
        changed = true;
    }
    if (FChartHeightAuto && std::max(1, p.Y) != FChartHeight) {
        FChartHeight = std::max(1, p.Y);
        changed = true;
    }
    if (changed) ResizePaintBox();
    return changed;
}

void TMVChart::MakeIsometric(const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis)
{
    if (!XAxis || !YAxis) return;
    // A range reaching 0 or below has no decades to make equal.
    if (!(XAxis->Min() > 0) || !(YAxis->Min() > 0)) return;
    const double dy = std::log10(YAxis->Max()) - std::log10(YAxis->Min());
    const double dx = std::log10(XAxis->Max()) - std::log10(XAxis->Min());
    const double s = std::min((FChartHeight - FMarginTop - FMarginBottom) / dy,
                              (FChartWidth - FMarginLeft - FMarginRight) / dx);
    if (!std::isfinite(s) || !(s > 0) || !std::isfinite(dx * s) || !std::isfinite(dy * s)) return;
    FChartHeight = std::max(1, FloorInt(dy * s) + FMarginTop + FMarginBottom);
    FChartWidth = std::max(1, FloorInt(dx * s) + FMarginLeft + FMarginRight);
    ResizePaintBox();
}

QRect TMVChart::ZoomRectangle() const
{
    if (!FZooming || (FPtZoomDest.X == 0 && FPtZoomDest.Y == 0)) return QRect();
    return QRect(ToQPoint(FPtZoomOrigin), ToQPoint(FPtZoomDest)).normalized();
}
