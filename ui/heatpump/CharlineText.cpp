#include "ui/heatpump/CharlineText.h"

#include "model/base/NumberText.h"

#include <cmath>

QString CharlineText(double A, double B)
{
    if (!std::isfinite(A) || !std::isfinite(B)) return QString();
    const QString magnitude = FloatToFixedOrEmpty(std::abs(A), 2);
    // A slope that rounds to zero reads "+0,00", never "-0,00".
    const bool negative = A < 0 && magnitude != FloatToFixedOrEmpty(0.0, 2);
    return FloatToFixedOrEmpty(B, 2) + (negative ? QLatin1Char('-') : QLatin1Char('+')) + magnitude
           + QStringLiteral("×ϑ");
}
