#include "model/base/MVBasicTypes.h"

#include <cmath>
#include <limits>

TDblPoint::TDblPoint(const TDblPoint* Pt)
{
    if (Pt) {
        FX = Pt->FX;
        FY = Pt->FY;
    }
}

double TDblPoint::Distance(const TDblPoint* Pt) const
{
    if (!Pt) return std::numeric_limits<double>::quiet_NaN();
    return std::sqrt((Pt->FX - FX) * (Pt->FX - FX) + (Pt->FY - FY) * (Pt->FY - FY));
}
