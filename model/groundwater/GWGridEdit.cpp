#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/groundwater/GWGrid.h"

#include <numbers>

bool TGWGrid::Edit()
{
    TGWEditData data;
    data.Direction = FloatToStr(FDirection * 180.0 / std::numbers::pi);
    data.Gradient = FloatToStr(FGradient);
    data.Porosity = FloatToStr(FPorosity);
    data.Thickness = FloatToStr(FThickness);
    data.Kf = FormatFloat(QStringLiteral("0.##E+0"), FKF);
    data.GridTime = FloatToStr(FTimeForGrid / 86400.0);
    if (!ModelUI<TGWGridDialogs>().EditGWGrid(data)) return false;
    // All six texts are converted before anything is assigned, so a text the
    // dialog let through that is no number changes nothing.
    const double direction = StrToFloat(data.Direction);
    const double gradient = StrToFloat(data.Gradient);
    const double porosity = StrToFloat(data.Porosity);
    const double kf = StrToFloat(data.Kf);
    const double thickness = StrToFloat(data.Thickness);
    const double gridTime = StrToFloat(data.GridTime);
    FDirection = direction * std::numbers::pi / 180.0;
    FGradient = gradient;
    FPorosity = porosity;
    FKF = kf;
    FThickness = thickness;
    FTimeForGrid = gridTime * 86400.0;
    return true;
}
