// The probe's two dialogs: values go out as text in the user's locale and
// come back only when the user chose OK.
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHEObj.h"

#include <cmath>
#include <limits>

namespace {

// A value not set shows as an empty field and an empty field reads back as
// not set, so OK on an untouched dialog never fails.
QString GeneralText(double X) { return std::isnan(X) ? QString() : FloatToStr(X); }
QString PositionText(double X) { return std::isnan(X) ? QString() : FormatFloat(QStringLiteral("0.##"), X); }

double NumberOrNaN(const QString& Text)
{
    if (Text.trimmed().isEmpty()) return std::numeric_limits<double>::quiet_NaN();
    return StrToFloat(Text);
}

}  // namespace

QString TBHE::TubeTypeCaption() const
{
    switch (TubeType()) {
    case ttSingleU: return QStringLiteral("Einfach-U-Sonde");
    case ttDoubleU: return QStringLiteral("Doppel-U-Sonde");
    case ttCoax: return QStringLiteral("Koaxialsonde");
    }
    return QString();
}

bool TBHE::Edit()
{
    TBHEEditData d;
    d.Caption = TubeTypeCaption();
    d.Name = Name();
    d.Depth = GeneralText(CasingLength());
    d.RB = GeneralText(FRB);
    d.X = PositionText(X());
    d.Y = PositionText(Y());
    if (!ModelUI<TBHEDialogs>().EditBHE(d)) return false;
    const double length = NumberOrNaN(d.Depth);
    const double x = NumberOrNaN(d.X);
    const double y = NumberOrNaN(d.Y);
    const double rb = NumberOrNaN(d.RB);
    SetName(d.Name);
    SetCasingLength(length);
    SetX(x);
    SetY(y);
    FRB = rb;
    return true;
}

bool TBHE::EditType()
{
    TBHETypeEditData d;
    d.Name = Name();
    d.RB = GeneralText(FRB);
    d.Length = GeneralText(CasingLength());
    d.TubeType = TubeType();
    d.ImageIndex = FImageIndex;
    if (!ModelUI<TBHEDialogs>().EditBHEType(d)) return false;
    const double rb = NumberOrNaN(d.RB);
    double length;
    if (!TryStrToFloat(d.Length, length)) length = CasingLength();
    SetName(d.Name);
    FRB = rb;
    SetCasingLength(length);
    FImageIndex = d.ImageIndex;
    if (d.TubeType) SetTubeType(*d.TubeType);
    return true;
}
