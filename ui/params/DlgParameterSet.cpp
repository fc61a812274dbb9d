#include "ui/params/DlgParameterSet.h"

#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/fe/ParameterSet.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/params/ColorBox.h"

namespace {

QLineEdit* AddRow(QFormLayout* Form, const QString& Caption, QWidget* Parent)
{
    auto* edit = new QLineEdit(Parent);
    Form->addRow(Caption, edit);
    return edit;
}

} // namespace

TDlgParameterSet::TDlgParameterSet(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgParameterSet"));
    setWindowTitle(QStringLiteral("Parametersatz"));
    auto* layout = new QVBoxLayout(this);
    Header = new QLabel(QStringLiteral("Lassen Sie das Eingabefeld leer um den Parameter nicht zuzuweisen"), this);
    Header->setFrameShape(QFrame::StyledPanel);
    Header->setMargin(6);
    layout->addWidget(Header);

    auto* form = FForm = new QFormLayout;
    EdtName = AddRow(form, QStringLiteral("Bezeichnung"), this);
    EdtName->setPlaceholderText(QStringLiteral("optional"));
    EdtColor = new TColorBox(this);
    Label1 = new QLabel(QStringLiteral("Farbe"), this);
    form->addRow(Label1, EdtColor);
    EdtLambda = AddRow(form, QStringLiteral("Wärmeleitfähigkeit W/(m K)"), this);
    EdtRhoCP = AddRow(form, QStringLiteral("vol. Wärmekapazität MJ/(m³ K)"), this);
    EdtThickness = AddRow(form, QStringLiteral("Mächtigkeit m"), this);
    EdtAlpha = AddRow(form, QStringLiteral("Wärmeübergangskoeffizient W/(m² K)"), this);
    EdtAlpha->setToolTip(QStringLiteral("Bei 0 findet keine Übertragung statt"));
    EdtQEarth = AddRow(form, QStringLiteral("geotherm. Wärmestrom W/m²"), this);
    EdtQEarth->setToolTip(QStringLiteral("Wärmestrom aus dem Erdinneren"));
    layout->addLayout(form);
    layout->addStretch();

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    resize(457, 297);
}

void TDlgParameterSet::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    EdtLambda->setPlaceholderText(QStringLiteral("typ. Wertebereich 2-6"));
    EdtRhoCP->setPlaceholderText(QStringLiteral("typ. Wertebereich 1-10"));
    EdtThickness->setPlaceholderText(QStringLiteral("≥ max. Sondenlänge"));
    EdtAlpha->setPlaceholderText(QStringLiteral("Luft-Erdoberfläche"));
    EdtQEarth->setPlaceholderText(QStringLiteral("0,05"));
}

void TDlgParameterSet::SetData(const TParameterSetEditData& Data)
{
    EdtName->setText(Data.Name);
    EdtColor->SetSelected(Data.Color);
    EdtLambda->setText(Data.T);
    EdtRhoCP->setText(Data.Storage);
    EdtThickness->setText(Data.Thickness);
    EdtAlpha->setText(Data.Leakage);
    EdtQEarth->setText(Data.Infiltration);
}

void TDlgParameterSet::GetData(TParameterSetEditData& Data) const
{
    Data.Name = EdtName->text();
    Data.Color = EdtColor->Selected();
    Data.T = EdtLambda->text();
    Data.Storage = EdtRhoCP->text();
    Data.Thickness = EdtThickness->text();
    Data.Leakage = EdtAlpha->text();
    Data.Infiltration = EdtQEarth->text();
}

void TDlgParameterSet::accept()
{
    for (QLineEdit* edit : {EdtLambda, EdtRhoCP, EdtThickness, EdtAlpha, EdtQEarth}) {
        double value = 0;
        if (edit->text().trimmed().isEmpty() || TryStrToFloat(edit->text(), value)) continue;
        auto* label = qobject_cast<QLabel*>(FForm->labelForField(edit));
        Prompter().ShowError(QStringLiteral("„%1“ ist keine Zahl. Geben Sie für %2 eine Zahl ein oder lassen "
                                            "Sie das Feld leer.")
                                 .arg(edit->text(), label ? label->text() : QString()));
        edit->setFocus();
        edit->selectAll();
        return;
    }
    QDialog::accept();
}
