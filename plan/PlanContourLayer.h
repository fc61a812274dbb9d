#pragma once

// The isotherms of the plan as a device layer. A large field has thousands of
// contour lines with labels, and stroking them all again on every repaint (a hover,
// a selection) takes far longer than a frame; the lines change only when the
// contours are recomputed or restyled, the view moves or the device changes. The
// layer is drawn from the contour map exactly as the map draws itself and laid over
// the plan; it is drawn again whenever anything it depends on differs, which a
// fingerprint of the lines (points, styles, labels) tells without trusting any
// change notification.

#include "gfx/D2DRenderTarget.h"

#include <QImage>
#include <QTransform>
#include <cstddef>

class TDirect2DCanvas;
class TMVContourMap;

class TPlanContourLayer
{
public:
    // Paints the map's lines and labels onto the canvas under its current transform.
    void Paint(TDirect2DCanvas& Canvas, TMVContourMap& Map);
    void Clear();
    // Whether the last Paint drew the lines again (for tests and benchmarks).
    bool LastPaintRedrew() const { return FRedrew; }

    // Everything of the map that shows in its drawing.
    static size_t Fingerprint(const TMVContourMap& Map);

private:
    QImage FImage;
    size_t FFingerprint = 0;
    TD2RenderTarget::TDeviceLayerInfo FDevice;
    QTransform FView;
    float FDpiX = 0;
    float FDpiY = 0;
    bool FValid = false;
    bool FRedrew = false;
};
