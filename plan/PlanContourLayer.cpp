#include "plan/PlanContourLayer.h"

#include <QHashFunctions>
#include <QPainter>

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/contours/MVContourObj.h"

namespace {

size_t FontHash(const TFont& F, size_t Seed)
{
    return qHashMulti(Seed, F.Name(), F.Height(), F.Style().Bits(), F.Color(), F.Orientation());
}

size_t LineHash(const TContourLine& L, size_t Seed)
{
    size_t h = qHashBits(L.DPIPoints.data(), L.DPIPoints.size() * sizeof(D2D_POINT_2F), Seed);
    // Open and closed figures through the same points stroke differently.
    bool closed = false;
    if (L.D2Path)
        for (const TPathFigure& f : L.D2Path->Figures().Figures) closed = closed || f.Closed;
    h = qHashMulti(h, L.D2Path != nullptr, closed, L.ZLevel(), L.Width(), L.Color(), L.ShowLabels());
    h = qHashMulti(h, L.LabelDistance(), L.LabelMask(), L.DeleteBackground(), L.LabelFactor());
    return FontHash(L.Font(), h);
}

}  // namespace

size_t TPlanContourLayer::Fingerprint(const TMVContourMap& Map)
{
    size_t h = qHashMulti(0, Map.LineLabels(), Map.TheLines.Count());
    // The labels' background comes from the shared white brush.
    h = qHashMulti(h, D2WhiteBrush ? D2WhiteBrush->EffectiveColor().rgba() : 0u);
    for (int i = 0; i < Map.TheLines.Count(); ++i)
        if (const TContourLine* line = Map.Lines(i)) h = LineHash(*line, h);
    return h;
}

void TPlanContourLayer::Clear()
{
    FImage = QImage();
    FValid = false;
}

void TPlanContourLayer::Paint(TDirect2DCanvas& Canvas, TMVContourMap& Map)
{
    TD2RenderTarget& target = Canvas.RenderTarget();
    const TD2RenderTarget::TDeviceLayerInfo device = target.DeviceLayerInfo();
    const QTransform view = ToQTransform(target.GetTransform());
    float dpiX = 96, dpiY = 96;
    target.GetDpi(dpiX, dpiY);
    const size_t fingerprint = Fingerprint(Map);
    FRedrew = !FValid || fingerprint != FFingerprint || !(device == FDevice) || view != FView || dpiX != FDpiX ||
              dpiY != FDpiY;
    if (FRedrew) {
        FValid = false;
        if (device.Pixels.isEmpty()) return;
        FImage = QImage(device.Pixels, QImage::Format_ARGB32_Premultiplied);
        FImage.setDevicePixelRatio(device.Ratio);
        FImage.fill(Qt::transparent);
        QPainter painter(&FImage);
        painter.setTransform(device.Outer);
        TDirect2DCanvas layer(dpiX, dpiY);
        layer.Font().Assign(Canvas.Font());
        layer.BeginDraw(painter);
        layer.RenderTarget().SetTransform(target.GetTransform());
        layer.RenderTarget().SetAntialiasMode(target.GetAntialiasMode());
        Map.D2Draw(layer);
        layer.EndDraw();
        painter.end();
        FFingerprint = fingerprint;
        FDevice = device;
        FView = view;
        FDpiX = dpiX;
        FDpiY = dpiY;
        FValid = true;
    }
    target.DrawDeviceLayer(FImage);
}
