#pragma once

// The plan's coordinate systems and the conversions between them, as one value:
//
//   world   metres, x east, y north (up); georeferenced, so values reach millions
//   plan    DIPs (1/96 inch), x right, y down; plan (0, 0) is the world origin
//   screen  DIPs of the plan control; plan to screen is the view transform
//   device  the positions the mouse events report, at EventDpi dots per inch
//   export  pixels of a picture export or printout
//
// Everything is double precision: a probe at a UTM easting keeps its millimetres
// through plan and back. Panning and zooming change only the view transform.

#include <QPointF>
#include <QTransform>

class TPlanMapping
{
public:
    // Metres per plan DIP.
    double ScaleFactorMap() const { return FScaleFactorMap; }
    void SetScaleFactorMap(double V);
    // World coordinates of plan (0, 0).
    QPointF WorldOrg() const { return FWorldOrg; }
    void SetWorldOrg(QPointF V) { FWorldOrg = V; }
    // Plan to screen DIPs.
    const QTransform& Transform() const { return FTransform; }
    void SetTransform(const QTransform& V) { FTransform = V; }
    // Dots per inch of the positions the mouse events report. Qt reports logical
    // pixels, which already are DIPs, so the plan control leaves this at 96.
    double EventDpi() const { return FEventDpi; }
    void SetEventDpi(double V) { FEventDpi = V > 0 ? V : 96; }

    QPointF WorldToPlan(QPointF P) const;
    QPointF PlanToWorld(QPointF P) const;
    // A displacement: no origin.
    QPointF WorldVectorToPlan(QPointF V) const;
    double WorldLengthToPlan(double L) const { return L / FScaleFactorMap; }
    QPointF DeviceToDIP(QPointF P) const { return P * (96.0 / FEventDpi); }
    QPointF PlanToScreen(QPointF P) const { return FTransform.map(P); }
    // Screen DIPs to plan; the point itself when the view cannot be inverted.
    QPointF ScreenToPlan(QPointF P) const;
    QPointF DeviceToPlan(QPointF P) const { return ScreenToPlan(DeviceToDIP(P)); }
    // Plan DIPs as tenths of a millimetre.
    QPointF DeviceToMM10(QPointF P) const { return DeviceToPlan(P) / 96.0 * 254.0; }

    // The view transform followed by a scaling by Factor about Center (screen DIPs).
    void ZoomAt(double Factor, QPointF Center);
    // The view transform followed by a translation (screen DIPs).
    void Pan(QPointF Delta);

    // Picture export: metres per export pixel and the world point of pixel (0, 0).
    double ExportScaleFactor() const { return FExportScaleFactor; }
    QPointF ExportWorldOrg() const { return FExportWorldOrg; }
    void SetExport(double ScaleFactor, QPointF WorldOrg);
    QPointF WorldToExport(QPointF P) const;

private:
    double FScaleFactorMap = 0.1;
    QPointF FWorldOrg;
    QTransform FTransform;
    double FEventDpi = 96;
    double FExportScaleFactor = 0.1;
    QPointF FExportWorldOrg;
};
