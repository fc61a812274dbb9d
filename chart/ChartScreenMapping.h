#pragma once

#include "gfx/WinTypes.h"

class TCanvas;

// The chart's screen mapping as a value: chart units of 0.1 mm onto logical pixels
// at the given zoom (percent) and dots per inch, so that a unit is 0.1 mm at zoom 100.
// The surface scrolls as a whole inside its scroll area, so the window origin stays
// (0, 0) and paint and mouse share this one mapping.
class TChartScreenMapping {
public:
    TChartScreenMapping(int ChartWidth, int ChartHeight, int Zoom, int DpiX, int DpiY);

    // Pixels of the whole chart (the surface's size).
    TSize ViewportExt() const { return FViewport; }
    TPoint DeviceToChart(TPoint Device) const;
    TPoint ChartToDevice(TPoint Chart) const;
    // Puts the canvas into the anisotropic mode with these extents.
    void Apply(TCanvas& ACanvas) const;

private:
    TSize FWindow;
    TSize FViewport;
};
