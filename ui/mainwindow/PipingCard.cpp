#include "ui/mainwindow/PipingCard.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TPipingCard::TPipingCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardPipline"));
    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Kennwerte der Rohrleitung"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    outer->addWidget(title);
    auto* form = new QFormLayout;
    ComboFluid = new QComboBox(this);
    ComboFluid->setObjectName(QStringLiteral("ComboFluid"));
    EdtPipeLength = new QLineEdit(this);
    EdtPipeLength->setObjectName(QStringLiteral("EdtPipeLength"));
    EdtPipeDiameter = new QLineEdit(this);
    EdtPipeDiameter->setObjectName(QStringLiteral("EdtPipeDiameter"));
    form->addRow(QStringLiteral("Fluid"), ComboFluid);
    form->addRow(QStringLiteral("Leitungslänge [m]"), EdtPipeLength);
    form->addRow(QStringLiteral("Innendurchmesser [mm]"), EdtPipeDiameter);
    outer->addLayout(form);
    outer->addStretch(1);
}

void TPipingCard::RefreshPipingPage()
{
    // The piping page's own commands fill the controls from the model.
}
