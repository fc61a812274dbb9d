#include "chart/ChartScreenMapping.h"

#include "gfx/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundHalfUp(double V) { return static_cast<int>(std::floor(std::clamp(V, -1.0e9, 1.0e9) + 0.5)); }

} // namespace

TChartScreenMapping::TChartScreenMapping(int ChartWidth, int ChartHeight, int Zoom, int DpiX, int DpiY)
{
    // 25400 = 25.4 mm per inch times the 1000 of "percent of tenths of a millimetre".
    FWindow = TSize{std::max(1, ChartWidth), std::max(1, ChartHeight)};
    FViewport = TSize{std::max(1, MulDiv(FWindow.cx, Zoom * DpiX, 25400)),
                      std::max(1, MulDiv(FWindow.cy, Zoom * DpiY, 25400))};
}

TPoint TChartScreenMapping::DeviceToChart(TPoint Device) const
{
    return TPoint{RoundHalfUp(static_cast<double>(Device.X) * FWindow.cx / FViewport.cx),
                  RoundHalfUp(static_cast<double>(Device.Y) * FWindow.cy / FViewport.cy)};
}

TPoint TChartScreenMapping::ChartToDevice(TPoint Chart) const
{
    return TPoint{RoundHalfUp(static_cast<double>(Chart.X) * FViewport.cx / FWindow.cx),
                  RoundHalfUp(static_cast<double>(Chart.Y) * FViewport.cy / FWindow.cy)};
}

void TChartScreenMapping::Apply(TCanvas& ACanvas) const
{
    ACanvas.SetMapMode(MM_ANISOTROPIC);
    ACanvas.SetWindowExtEx(FWindow.cx, FWindow.cy);
    ACanvas.SetViewportExtEx(FViewport.cx, FViewport.cy);
    ACanvas.SetWindowOrgEx(0, 0);
    ACanvas.SetViewportOrgEx(0, 0);
}
