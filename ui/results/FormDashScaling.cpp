#include "ui/results/FormDashScaling.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/settings/KPSettings.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

namespace {

QLineEdit* AddEdit(QFormLayout* Form, const QString& Label, const QString& Name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(Name);
    Form->addRow(Label, edit);
    return edit;
}

QString CheckMax(QLineEdit* Edit, double Previous, double Minimum, const QString& Group)
{
    const double v = StrToFloatDef(Edit->text(), Previous);
    if (v > Minimum) return {};
    return QStringLiteral("%1: das Maximum muss größer als %2 sein.").arg(Group, FloatToStr(Minimum));
}

QString CheckSeg(QLineEdit* Edit, int Previous, const QString& Group)
{
    int v = Previous;
    if (!TryStrToInt(Edit->text(), v)) v = Previous;
    if (v >= 1) return {};
    return QStringLiteral("%1: die Zahl der Segmente muss mindestens 1 sein.").arg(Group);
}

int IntDef(const QString& Text, int Default)
{
    int v = 0;
    return TryStrToInt(Text, v) ? v : Default;
}

} // namespace

TDashScalingValues TDashScalingValues::FromSettings()
{
    return {DashHPMax, DashHPSeg, DashCOPMax, DashCOPSeg, DashElecMax, DashElecSeg};
}

void TDashScalingValues::ToSettings() const
{
    DashHPMax = HPMax;
    DashHPSeg = HPSeg;
    DashCOPMax = COPMax;
    DashCOPSeg = COPSeg;
    DashElecMax = ElecMax;
    DashElecSeg = ElecSeg;
}

TFormDashScaling::TFormDashScaling(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormDashScaling"));
    setWindowTitle(QStringLiteral("Skalierung Zeigerinstrumente"));
    auto* layout = new QVBoxLayout(this);
    const auto group = [&](const QString& Title, const QString& MaxLabel, const QString& MaxName,
                           const QString& SegName, QLineEdit*& Max, QLineEdit*& Seg) {
        auto* box = new QGroupBox(Title, this);
        auto* form = new QFormLayout(box);
        Max = AddEdit(form, MaxLabel, MaxName);
        Seg = AddEdit(form, QStringLiteral("Segemente"), SegName);
        layout->addWidget(box);
    };
    group(QStringLiteral("Wärmepumpe Leistung"), QStringLiteral("Max [kW]"), QStringLiteral("MaxHP"),
          QStringLiteral("SecHP"), MaxHP, SecHP);
    group(QStringLiteral("Wärmepumpe COP"), QStringLiteral("Max"), QStringLiteral("MaxCOP"),
          QStringLiteral("SecCOP"), MaxCOP, SecCOP);
    group(QStringLiteral("Elektrische Leistung"), QStringLiteral("Max [kW]"), QStringLiteral("MaxElec"),
          QStringLiteral("SecElec"), MaxElec, SecElec);
    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    setSizeGripEnabled(false);
}

void TFormDashScaling::SetValues(const TDashScalingValues& V)
{
    FShown = V;
    MaxHP->setText(FloatToStr(V.HPMax));
    SecHP->setText(IntToStr(V.HPSeg));
    MaxCOP->setText(FloatToStr(V.COPMax));
    SecCOP->setText(IntToStr(V.COPSeg));
    MaxElec->setText(FloatToStr(V.ElecMax));
    SecElec->setText(IntToStr(V.ElecSeg));
}

TDashScalingValues TFormDashScaling::Values(const TDashScalingValues& Previous) const
{
    TDashScalingValues v;
    v.HPMax = StrToFloatDef(MaxHP->text(), Previous.HPMax);
    v.HPSeg = IntDef(SecHP->text(), Previous.HPSeg);
    v.COPMax = StrToFloatDef(MaxCOP->text(), Previous.COPMax);
    v.COPSeg = IntDef(SecCOP->text(), Previous.COPSeg);
    v.ElecMax = StrToFloatDef(MaxElec->text(), Previous.ElecMax);
    v.ElecSeg = IntDef(SecElec->text(), Previous.ElecSeg);
    // What OK would have refused never reaches the gauges.
    if (!(v.HPMax > TDashScalingValues::HPMin)) v.HPMax = Previous.HPMax;
    if (!(v.COPMax > TDashScalingValues::COPMin)) v.COPMax = Previous.COPMax;
    if (!(v.ElecMax > TDashScalingValues::ElecMin)) v.ElecMax = Previous.ElecMax;
    if (v.HPSeg < 1) v.HPSeg = Previous.HPSeg;
    if (v.COPSeg < 1) v.COPSeg = Previous.COPSeg;
    if (v.ElecSeg < 1) v.ElecSeg = Previous.ElecSeg;
    return v;
}

QString TFormDashScaling::Check(QLineEdit*& Bad) const
{
    const QString hp = QStringLiteral("Wärmepumpe Leistung");
    const QString cop = QStringLiteral("Wärmepumpe COP");
    const QString elec = QStringLiteral("Elektrische Leistung");
    const struct {
        QLineEdit* Edit;
        QString Message;
    } checks[] = {
        {MaxHP, CheckMax(MaxHP, FShown.HPMax, TDashScalingValues::HPMin, hp)},
        {SecHP, CheckSeg(SecHP, FShown.HPSeg, hp)},
        {MaxCOP, CheckMax(MaxCOP, FShown.COPMax, TDashScalingValues::COPMin, cop)},
        {SecCOP, CheckSeg(SecCOP, FShown.COPSeg, cop)},
        {MaxElec, CheckMax(MaxElec, FShown.ElecMax, TDashScalingValues::ElecMin, elec)},
        {SecElec, CheckSeg(SecElec, FShown.ElecSeg, elec)},
    };
    for (const auto& c : checks)
        if (!c.Message.isEmpty()) {
            Bad = c.Edit;
            return c.Message;
        }
    return {};
}

void TFormDashScaling::accept()
{
    QLineEdit* bad = nullptr;
    const QString message = Check(bad);
    if (!message.isEmpty()) {
        Prompter().ShowError(message);
        bad->setFocus();
        bad->selectAll();
        return;
    }
    QDialog::accept();
}
