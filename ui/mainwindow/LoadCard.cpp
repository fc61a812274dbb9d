#include "ui/mainwindow/LoadCard.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/loads/LoadObject.h"
#include "model/project/ProjectObj.h"

TLoadCard::TLoadCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardLoad"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    EdtLoadProfilName = new QLineEdit(this);
    EdtLoadProfilName->setObjectName(QStringLiteral("EdtLoadProfilName"));
    LblEditLoadProfils = new QLabel(QStringLiteral("<a href=\"#\">weitere Lastprofile...</a>"), this);
    LblEditLoadProfils->setObjectName(QStringLiteral("LblEditLoadProfils"));
    grid->addWidget(new QLabel(QStringLiteral("Bezeichnung"), this), 0, 0);
    grid->addWidget(EdtLoadProfilName, 0, 1);
    grid->addWidget(LblEditLoadProfils, 0, 2);
    auto radio = [this](const QString& Name, const QString& Caption) {
        auto* r = new QRadioButton(Caption, this);
        r->setObjectName(Name);
        return r;
    };
    RBLoadConstant = radio(QStringLiteral("RBLoadConstant"), QStringLiteral("Konstante Leistung"));
    RBLoadYearly = radio(QStringLiteral("RBLoadYearly"), QStringLiteral("Jahresprofil (Datum/Energiebedarf)"));
    RBLoadMonthPower = radio(QStringLiteral("RBLoadMonthPower"), QStringLiteral("Jahresprofil (Monat/Energiebedarf)"));
    RBloadVariable = radio(QStringLiteral("RBloadVariable"), QStringLiteral("Variable Leistung"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* r : {RBLoadConstant, RBLoadYearly, RBLoadMonthPower, RBloadVariable}) group->addButton(r);
    EdtConstantLoad = new QLineEdit(this);
    EdtConstantLoad->setObjectName(QStringLiteral("EdtConstantLoad"));
    grid->addWidget(RBLoadConstant, 1, 0);
    grid->addWidget(EdtConstantLoad, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("kW"), this), 1, 2);
    grid->addWidget(RBLoadYearly, 2, 0, 1, 3);
    grid->addWidget(RBLoadMonthPower, 3, 0, 1, 3);
    grid->addWidget(RBloadVariable, 4, 0, 1, 3);
    EdtCoolingTemp = new QLineEdit(this);
    EdtCoolingTemp->setObjectName(QStringLiteral("EdtCoolingTemp"));
    EdtCoolingTemp->setPlaceholderText(QStringLiteral("z.B. 15"));
    EdtCoolingTemp->setToolTip(QStringLiteral("mit dieser Temperatur wird das Fluid in die Sonden injiziert"));
    grid->addWidget(new QLabel(QStringLiteral("Kühlung: Fluidtemperatur [°C]"), this), 5, 0);
    grid->addWidget(EdtCoolingTemp, 5, 1);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);
    GridLoad = new QTableWidget(this);
    GridLoad->setObjectName(QStringLiteral("GridLoad"));
    outer->addWidget(GridLoad, 1);
    BtnImportLoadProfil = new QPushButton(QStringLiteral("Importieren..."), this);
    BtnImportLoadProfil->setObjectName(QStringLiteral("BtnImportLoadProfil"));
    outer->addWidget(BtnImportLoadProfil, 0, Qt::AlignLeft);
}

void TLoadCard::RefreshLoadPage()
{
    if (!FProject || !FProject->LoadProfile()) return;
    const TLoadObj& load = *FProject->LoadProfile();
    const QSignalBlocker b0(EdtLoadProfilName);
    EdtLoadProfilName->setText(load.Name());
    QRadioButton* kinds[] = {RBLoadConstant, RBLoadYearly, RBloadVariable, RBLoadMonthPower};
    const int kind = static_cast<int>(load.LoadType());
    if (kind >= 0 && kind < 4) {
        const QSignalBlocker b1(kinds[kind]);
        kinds[kind]->setChecked(true);
    }
}
