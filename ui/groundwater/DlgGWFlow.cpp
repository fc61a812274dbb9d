#include "ui/groundwater/DlgGWFlow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/groundwater/GWGrid.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <cmath>

namespace {

const QString SFilter = QStringLiteral("Filtergeschwindigkeit");
const QString SDistance = QStringLiteral("Abstandsgeschwindigkeit");
const QString SGridSize = QStringLiteral("Gittergröße");

QLineEdit* AddEdit(QFormLayout* Form, const QString& Name, const QString& Label, const QString& TextHint,
                   const QString& Hint = QString())
{
    auto* e = new QLineEdit(Form->parentWidget());
    e->setObjectName(Name);
    e->setPlaceholderText(TextHint);
    e->setToolTip(Hint);
    auto* l = new QLabel(Label, Form->parentWidget());
    l->setBuddy(e);
    Form->addRow(l, e);
    return e;
}

QLabel* AddLabel(QFormLayout* Form, const QString& Name, const QString& Text)
{
    auto* l = new QLabel(Text, Form->parentWidget());
    l->setObjectName(Name);
    Form->addRow(l);
    return l;
}

QString LabelOf(const QLineEdit* E)
{
    auto* form = qobject_cast<QFormLayout*>(E->parentWidget()->layout());
    auto* label = qobject_cast<QLabel*>(form ? form->labelForField(const_cast<QLineEdit*>(E)) : nullptr);
    return label ? label->text() : E->objectName();
}

QString LabelText(const QString& Caption, const QString& Pattern, double V, const QString& Unit)
{
    if (!std::isfinite(V)) return Caption + QStringLiteral(": -");
    return Caption + QStringLiteral(": ") + FormatFloat(Pattern, V) + Unit;
}

} // namespace

TDialogGWFlow::TDialogGWFlow(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DialogGWFlow"));
    setWindowTitle(QStringLiteral("Grundwasser"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    AdvPanel1 = new QLabel(QStringLiteral("Advektiver Grundwasserstrom berücksichtigen"), this);
    AdvPanel1->setObjectName(QStringLiteral("AdvPanel1"));
    AdvPanel1->setFixedHeight(41);
    AdvPanel1->setMargin(10);
    AdvPanel1->setFrameShape(QFrame::StyledPanel);
    QFont bold = AdvPanel1->font();
    bold.setBold(true);
    AdvPanel1->setFont(bold);
    layout->addWidget(AdvPanel1);

    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(12, 10, 12, 6);
    form->setVerticalSpacing(8);
    EdtDirection =
        AddEdit(form, QStringLiteral("EdtDirection"), QStringLiteral("Richtung °"), QStringLiteral("0-360"));
    EdtKf = AddEdit(form, QStringLiteral("EdtKf"), QStringLiteral("Durchlässigkeitsbeiwert Kf m/s"),
                    QStringLiteral("1E-2 bis 1E-5"));
    EdtGradient =
        AddEdit(form, QStringLiteral("EdtGradient"), QStringLiteral("Gradient"),
                QStringLiteral("typ. 0,01 bis 0,001"), QStringLiteral("Neigung der Grundwasseroberfläche"));
    EdtPorosity = AddEdit(form, QStringLiteral("EdtPorosity"), QStringLiteral("Porosität"),
                          QStringLiteral("typ. 0,05 bis 0,25"));
    EdtThickness =
        AddEdit(form, QStringLiteral("EdtThickness"), QStringLiteral("wasserdurchströmte Mächtigkeit m"),
                QString(), QStringLiteral("< Mächtigkeit geotherm. Modell"));
    LblVFilter =
        AddLabel(form, QStringLiteral("LblVFilter"), QStringLiteral("Filtergeschwindigkeit: xx m/s"));
    LblVDistance =
        AddLabel(form, QStringLiteral("LblVDistance"), QStringLiteral("Abstandsgeschwindigkeit: xx m/s"));
    EdtGridTime = AddEdit(form, QStringLiteral("EdtGridTime"), QStringLiteral("Transportschritt d"),
                          QStringLiteral("typ. 0,05 bis 0,25"));
    LblGridSize = AddLabel(form, QStringLiteral("LblGridSize"), QStringLiteral("Gittergröße: yy,yy m"));
    layout->addWidget(panel, 1);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    setMinimumSize(328, 351);

    for (QLineEdit* e : {EdtKf, EdtGradient, EdtPorosity, EdtGridTime})
        connect(e, &QLineEdit::textChanged, this, [this] { UpdateLabels(); });
}

void TDialogGWFlow::SetData(const TGWEditData& D)
{
    EdtDirection->setText(D.Direction);
    EdtKf->setText(D.Kf);
    EdtGradient->setText(D.Gradient);
    EdtPorosity->setText(D.Porosity);
    EdtThickness->setText(D.Thickness);
    EdtGridTime->setText(D.GridTime);
    UpdateLabels();
}

TGWEditData TDialogGWFlow::Data() const
{
    TGWEditData d;
    d.Direction = EdtDirection->text();
    d.Gradient = EdtGradient->text();
    d.Porosity = EdtPorosity->text();
    d.Kf = EdtKf->text();
    d.Thickness = EdtThickness->text();
    d.GridTime = EdtGridTime->text();
    return d;
}

bool TDialogGWFlow::UpdateLabels()
{
    FRefusal.clear();
    FRefusedEdit = nullptr;
    double kf = 0, i = 0, n = 0, d = 0, thickness = 0, direction = 0;
    const std::pair<QLineEdit*, double*> fields[] = {
        {EdtKf, &kf},      {EdtGradient, &i},          {EdtPorosity, &n},
        {EdtGridTime, &d}, {EdtThickness, &thickness}, {EdtDirection, &direction}};
    for (const auto& [edit, value] : fields) {
        if (TryStrToFloat(edit->text(), *value) && std::isfinite(*value)) continue;
        LblVFilter->setText(SFilter + QStringLiteral(": -"));
        LblVDistance->setText(SDistance + QStringLiteral(": -"));
        LblGridSize->setText(SGridSize + QStringLiteral(": -"));
        FRefusal = QStringLiteral("Bitte für „%1“ eine Zahl eingeben.").arg(LabelOf(edit));
        FRefusedEdit = edit;
        return false;
    }
    const double vFilter = kf * i;
    const double vDistance = vFilter / n * 86400;
    const double gridSize = vDistance * d;
    LblVFilter->setText(LabelText(SFilter, QStringLiteral("0.##E+0"), vFilter, QStringLiteral(" m/s")));
    LblVDistance->setText(LabelText(SDistance, QStringLiteral("0.####"), vDistance, QStringLiteral(" m/d")));
    LblGridSize->setText(LabelText(SGridSize, QStringLiteral("0.##"), gridSize, QStringLiteral(" m")));
    // Infinite or undefined velocities would give the grid no usable cell
    // size, and a transport step of 0 or less would move nothing (or move
    // heat upstream).
    if (!std::isfinite(vFilter) || !std::isfinite(vDistance) || !std::isfinite(gridSize)) {
        const bool porosity = n == 0;
        FRefusal = porosity
                       ? QStringLiteral("Die Porosität darf nicht 0 sein.")
                       : QStringLiteral("Aus diesen Werten ergeben sich keine endlichen Geschwindigkeiten.");
        FRefusedEdit = porosity ? EdtPorosity : EdtKf;
        return false;
    }
    if (d <= 0) {
        FRefusal = QStringLiteral("Der Transportschritt muss größer als 0 sein.");
        FRefusedEdit = EdtGridTime;
        return false;
    }
    return true;
}

void TDialogGWFlow::done(int R)
{
    if (R == QDialog::Accepted && !UpdateLabels()) {
        Prompter().ShowError(FRefusal);
        if (FRefusedEdit) {
            FRefusedEdit->setFocus();
            FRefusedEdit->selectAll();
        }
        return;
    }
    QDialog::done(R);
}

void TDialogGWFlow::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    UpdateLabels();
}
