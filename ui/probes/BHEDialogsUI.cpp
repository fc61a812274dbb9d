#include "ui/probes/BHEDialogsUI.h"

#include "model/base/NumberText.h"
#include "model/probes/BHEObj.h"
#include "ui/common/Prompter.h"
#include "ui/probes/BHEEditTypeDlg.h"
#include "ui/probes/DlgBHE.h"
#include "ui/probes/TubePictures.h"

#include <cmath>
#include <limits>

namespace {

struct TProbeValues {
    double X, Y, Length, RB;
};

TProbeValues ValuesOf(const TBHE& B)
{
    return {B.X(), B.Y(), B.CasingLength(), B.RB()};
}

// What the probe dialog shows for V, read back as the probe reads it.
double ShownValue(double V, bool Position)
{
    if (std::isnan(V)) return V;
    const QString text = Position ? FormatFloat(QStringLiteral("0.##"), V) : FloatToStr(V);
    double r;
    return TryStrToFloat(text, r) ? r : std::numeric_limits<double>::quiet_NaN();
}

bool Same(double A, double B)
{
    return (std::isnan(A) && std::isnan(B)) || A == B;
}

// The value the probe got equals what the untouched text reads back to:
// the user left the field alone, so the exact old value stays.
double KeepUntouched(double Old, double New, bool Position)
{
    return Same(New, ShownValue(Old, Position)) ? Old : New;
}

} // namespace

TBHEDialogsUI::TBHEDialogsUI() : FSymbols(DefaultProbeSymbols()) {}

bool TBHEDialogsUI::EditBHE(TBHEEditData& Data)
{
    TDlgEditBHE dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

bool TBHEDialogsUI::EditBHEType(TBHETypeEditData& Data)
{
    TDlgBHEType dlg(TPrompter::DialogParent());
    dlg.UpdateImagelist(&FSymbols);
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

bool EditBHEKeepingUntouched(TBHE& BHE)
{
    const TProbeValues old = ValuesOf(BHE);
    if (!BHE.Edit()) return false;
    const TProbeValues now = ValuesOf(BHE);
    BHE.SetX(KeepUntouched(old.X, now.X, true));
    BHE.SetY(KeepUntouched(old.Y, now.Y, true));
    BHE.SetCasingLength(KeepUntouched(old.Length, now.Length, false));
    BHE.SetRB(KeepUntouched(old.RB, now.RB, false));
    return true;
}
