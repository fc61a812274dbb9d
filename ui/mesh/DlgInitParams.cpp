#include "ui/mesh/DlgInitParams.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/model/ThermModelDialogs.h"
#include "model/settings/ModelDefaults.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <cmath>

namespace {

QLineEdit* AddEdit(QFormLayout* Form, const QString& Name, const QString& Label, const QString& TextHint,
                   const QString& Hint = QString())
{
    auto* e = new QLineEdit(Form->parentWidget());
    e->setObjectName(Name);
    e->setPlaceholderText(TextHint);
    e->setToolTip(Hint);
    e->setMinimumWidth(140);
    auto* l = new QLabel(Label, Form->parentWidget());
    l->setBuddy(e);
    l->setToolTip(Hint);
    Form->addRow(l, e);
    return e;
}

// The label of an edit in a form, as the user reads it in a message.
QString LabelOf(const QLineEdit* E)
{
    auto* form = qobject_cast<QFormLayout*>(E->parentWidget()->layout());
    QWidget* l = form ? form->labelForField(const_cast<QLineEdit*>(E)) : nullptr;
    auto* label = qobject_cast<QLabel*>(l);
    return label ? label->text() : E->objectName();
}

} // namespace

TDlgInitalParams::TDlgInitalParams(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgInitalParams"));
    setWindowTitle(QStringLiteral("Standardparameter"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    HeaderPanel = new QLabel(
        QStringLiteral("Beim Erstellen des FE-Gitters werden die angegeben Standardparameter verwendet."),
        this);
    HeaderPanel->setWordWrap(true);
    HeaderPanel->setMargin(10);
    HeaderPanel->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(HeaderPanel);

    auto* body = new QWidget(this);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(10, 6, 10, 0);
    auto* ground = new QWidget(body);
    auto* form = new QFormLayout(ground);
    form->setContentsMargins(0, 0, 0, 0);
    EdtLambda = AddEdit(form, QStringLiteral("EdtLambda"), QStringLiteral("Wärmeleitfähigkeit W/m/K"),
                        QStringLiteral("typ. Wertebereich 2-6"));
    EdtRhoCP = AddEdit(form, QStringLiteral("EdtRhoCP"), QStringLiteral("vol. Wärmekapazität MJ/m³/K"),
                       QStringLiteral("typ. Wertebereich 1-10"));
    EdtThickness = AddEdit(form, QStringLiteral("EdtThickness"), QStringLiteral("Mächtigkeit m"),
                           QStringLiteral("≥ max. Sondenlänge"));
    EdtAirTemperature = AddEdit(form, QStringLiteral("EdtAirTemperature"),
                                QStringLiteral("Lufttemperatur °C"), QStringLiteral("10"));
    EdtAlpha =
        AddEdit(form, QStringLiteral("EdtAlpha"), QStringLiteral("Wärmeübergangskoeffizient W/m²/K"),
                QStringLiteral("Luft-Erdoberfläche"), QStringLiteral("Bei 0 findet keine Übertragung statt"));
    EdtQEarth = AddEdit(form, QStringLiteral("EdtQEarth"), QStringLiteral("geotherm. Wärmestrom W/m²"),
                        QStringLiteral("0,05"), QStringLiteral("Wärmestrom aus dem Erdinneren"));
    EdtFA =
        AddEdit(form, QStringLiteral("EdtFA"), QStringLiteral("Temperatur bei t=0 [°C]"),
                QStringLiteral("initale Temperatur"), QStringLiteral("Anfangswert zu Beginn der Berechnung"));
    bodyLayout->addWidget(ground);

    BtnDefaultValues = new QPushButton(QStringLiteral("Standardwerte einsetzen"), body);
    BtnDefaultValues->setObjectName(QStringLiteral("BtnDefaultValues"));
    BtnDefaultValues->setAutoDefault(false);
    connect(BtnDefaultValues, &QPushButton::clicked, this, [this] { BtnDefaultValuesClick(); });
    bodyLayout->addWidget(BtnDefaultValues, 0, Qt::AlignRight);

    GroupBoxGrid = new QGroupBox(QStringLiteral("Gittergeometrie"), body);
    auto* gridForm = new QFormLayout(GroupBoxGrid);
    EdtMaxInnerArea =
        AddEdit(gridForm, QStringLiteral("EdtMaxInnerArea"),
                QStringLiteral("Innerer Bereich: Max. Elementfläche [m²]"), QStringLiteral("z.B. 5"),
                QStringLiteral("größte Oberfläche des Elements im inneren Bereich"));
    EdtMaxOuterArea = AddEdit(gridForm, QStringLiteral("EdtMaxOuterArea"),
                              QStringLiteral("Äußerer Bereich: Max. Elementfläche [m²]"),
                              QStringLiteral("sollte > innerer Bereich sein"),
                              QStringLiteral("größte Oberfläche des Elements im äußeren Bereich"));
    EdtScaleFactorInner = AddEdit(gridForm, QStringLiteral("EdtScaleFactorInner"),
                                  QStringLiteral("Skalierungsfaktor innerer Bereich"), QStringLiteral("> 1"),
                                  QStringLiteral("größte Oberfläche des Elements im inneren Bereich"));
    EdtMinDistance =
        AddEdit(gridForm, QStringLiteral("EdtMinDistance"),
                QStringLiteral("Mindestabstand \"Bounding Box\" innen/außen [m]"), QStringLiteral("z.B. 50"));
    bodyLayout->addWidget(GroupBoxGrid);
    layout->addWidget(body);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgInitalParams::SetData(const TModelParamsEditData& D)
{
    EdtLambda->setText(D.Lambda);
    EdtRhoCP->setText(D.RhoCP);
    EdtThickness->setText(D.Thickness);
    EdtAirTemperature->setText(D.AirTemperature);
    EdtAlpha->setText(D.Alpha);
    EdtQEarth->setText(D.QEarth);
    EdtFA->setText(D.FA);
    EdtMaxInnerArea->setText(D.MaxInnerArea);
    EdtMaxOuterArea->setText(D.MaxOuterArea);
    EdtScaleFactorInner->setText(D.ScaleFactorInner);
    EdtMinDistance->setText(D.MinDistance);
}

TModelParamsEditData TDlgInitalParams::Data() const
{
    TModelParamsEditData d;
    d.Lambda = EdtLambda->text();
    d.RhoCP = EdtRhoCP->text();
    d.Thickness = EdtThickness->text();
    d.AirTemperature = EdtAirTemperature->text();
    d.Alpha = EdtAlpha->text();
    d.QEarth = EdtQEarth->text();
    d.FA = EdtFA->text();
    d.MaxInnerArea = EdtMaxInnerArea->text();
    d.MaxOuterArea = EdtMaxOuterArea->text();
    d.ScaleFactorInner = EdtScaleFactorInner->text();
    d.MinDistance = EdtMinDistance->text();
    return d;
}

void TDlgInitalParams::BtnDefaultValuesClick()
{
    EdtLambda->setText(FloatToStr(DefaultLambda));
    EdtRhoCP->setText(FloatToStr(DefaultRhoCP));
    EdtThickness->setText(FloatToStr(DefaultThickness));
    EdtAirTemperature->setText(FloatToStr(DefaultAirTemperature));
    EdtAlpha->setText(FloatToStr(DefaultAlphaSurface));
    EdtQEarth->setText(FloatToStr(DefaultQEarth));
    EdtFA->setText(FloatToStr(DefaultFA));
    EdtMaxInnerArea->setText(FloatToStr(DefaultGridInnerArea));
    EdtMaxOuterArea->setText(FloatToStr(DefaultGridOuterArea));
    EdtScaleFactorInner->setText(FloatToStr(DefaultGridScaleFactor));
    EdtMinDistance->setText(FloatToStr(DefaultGridDeltaBorder));
}

bool TDlgInitalParams::CheckValues()
{
    // The model converts all eleven texts after OK; a zero or negative
    // thickness or element area would only fail later, inside the mesh
    // generator or as a model without heat capacity.
    struct TCheck {
        QLineEdit* Edit;
        bool Positive;
    };
    const TCheck checks[] = {{EdtLambda, false},      {EdtRhoCP, false},
                             {EdtThickness, true},    {EdtAirTemperature, false},
                             {EdtAlpha, false},       {EdtQEarth, false},
                             {EdtFA, false},          {EdtMaxInnerArea, true},
                             {EdtMaxOuterArea, true}, {EdtScaleFactorInner, false},
                             {EdtMinDistance, false}};
    for (const TCheck& c : checks) {
        double v = 0;
        QString reason;
        if (!TryStrToFloat(c.Edit->text(), v) || !std::isfinite(v))
            reason = QStringLiteral("Bitte für „%1“ eine Zahl eingeben.").arg(LabelOf(c.Edit));
        else if (c.Positive && v <= 0)
            reason = QStringLiteral("„%1“ muss größer als 0 sein.").arg(LabelOf(c.Edit));
        if (reason.isEmpty()) continue;
        Prompter().ShowError(reason);
        c.Edit->setFocus();
        c.Edit->selectAll();
        return false;
    }
    return true;
}

void TDlgInitalParams::done(int R)
{
    if (R == QDialog::Accepted && !CheckValues()) return;
    QDialog::done(R);
}
