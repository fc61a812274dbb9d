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
    TBHEEditData shown;
    shown.Caption = TubeTypeCaption();
    shown.Name = Name();
    shown.Depth = GeneralText(CasingLength());
    shown.RB = GeneralText(FRB);
    shown.X = PositionText(X());
    shown.Y = PositionText(Y());
    TBHEEditData d = shown;
    if (!ModelUI<TBHEDialogs>().EditBHE(d)) return false;
    // Only a text the user changed is read back: the position shows rounded
    // to centimetres, and reading it back would move the probe off its mesh
    // node. Every changed number is read before any is taken, so a bad one
    // leaves the probe as it was.
    auto changed = [](const QString& Now, const QString& Was, double Old) {
        return Now == Was ? Old : NumberOrNaN(Now);
    };
    const double length = changed(d.Depth, shown.Depth, CasingLength());
    const double x = changed(d.X, shown.X, X());
    const double y = changed(d.Y, shown.Y, Y());
    const double rb = changed(d.RB, shown.RB, FRB);
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
