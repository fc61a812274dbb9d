#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/groundwater/GWGrid.h"

#include <cmath>
#include <numbers>

namespace {

// The value of a field after the dialog: the shown text came back unchanged,
// so the stored value stays exactly as it was (the texts are rounded, Kf to
// two decimals of its mantissa); otherwise the new text, converted.
double Taken(const QString& Shown, const QString& Returned, double Stored, double Scale = 1)
{
    return Returned == Shown ? Stored : StrToFloat(Returned) * Scale;
}

}  // namespace

bool TGWGrid::Edit()
{
    constexpr double Degree = std::numbers::pi / 180.0;
    TGWEditData shown;
    shown.Direction = FloatToStr(FDirection / Degree);
    shown.Gradient = FloatToStr(FGradient);
    shown.Porosity = FloatToStr(FPorosity);
    shown.Thickness = FloatToStr(FThickness);
    shown.Kf = FormatFloat(QStringLiteral("0.##E+0"), FKF);
    shown.GridTime = FloatToStr(FTimeForGrid / 86400.0);
    TGWEditData data = shown;
    if (!ModelUI<TGWGridDialogs>().EditGWGrid(data)) return false;
    // All six texts are converted before anything is assigned, so a text the
    // dialog let through that is no number changes nothing.
    const double direction = Taken(shown.Direction, data.Direction, FDirection, Degree);
    const double gradient = Taken(shown.Gradient, data.Gradient, FGradient);
    const double porosity = Taken(shown.Porosity, data.Porosity, FPorosity);
    const double kf = Taken(shown.Kf, data.Kf, FKF);
    const double thickness = Taken(shown.Thickness, data.Thickness, FThickness);
    const double gridTime = Taken(shown.GridTime, data.GridTime, FTimeForGrid, 86400.0);
    // The cell size is the pore velocity times the transport step: values
    // that give no finite velocity (porosity 0) or no positive step leave
    // the grid without usable cells.
    const double pore = kf * gradient / porosity;
    if (!std::isfinite(direction) || !std::isfinite(thickness) || !std::isfinite(pore) ||
        !std::isfinite(pore * gridTime))
        throw EKPError(QStringLiteral("Aus diesen Grundwasserwerten ergeben sich keine endlichen "
                                      "Geschwindigkeiten; die Porosität darf nicht 0 sein."));
    if (!(gridTime > 0)) throw EKPError(QStringLiteral("Der Transportschritt muss größer als 0 sein."));
    FDirection = direction;
    FGradient = gradient;
    FPorosity = porosity;
    FKF = kf;
    FThickness = thickness;
    FTimeForGrid = gridTime;
    return true;
}
