#include "ui/mainwindow/ViewBar.h"

#include <QButtonGroup>
#include <QToolButton>

#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"

namespace {

struct TViewButton {
    const char* Name;
    const char* Caption;
    const char* Hint;
    TImageIndex Image;
};

const TViewButton ViewButtons[TViewBar::ButtonCount] = {
    {"BtnViewProject", "Projekt", "Allgemeine Projekteinstellungen", iiEdit},
    {"BtnViewLoad", "Lastseite", "Energiebedarf zum Heizen und Kühlen", iiLoadProfile},
    {"BtnViewHeatpump", "Wärmepumpe", "Kennwerte der Wärmepumpe", iiHeatpump},
    {"BtnViewPiping", "Rohrleitung", "Kennwerte der Rohrleitung", iiSetup},
    {"BtnViewBHEs", "Erdwärmesonden", "Anzahl und Lage der Sonden bestimmen", iiProbeField},
    {"BtnViewRun", "Simulation", "Modellierung ausführen", iiRun},
};

} // namespace

TViewBar::TViewBar(QWidget* Parent) : QToolBar(Parent)
{
    setObjectName(QStringLiteral("RzToolbarViewmodes"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(32, 32));
    FGroup = new QButtonGroup(this);
    FGroup->setExclusive(true);
    for (int tag = 0; tag < ButtonCount; ++tag) {
        const TViewButton& v = ViewButtons[tag];
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(v.Name));
        b->setText(QString::fromUtf8(v.Caption));
        b->setToolTip(QString::fromUtf8(v.Hint));
        b->setIcon(KPIcon(v.Image));
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMinimumWidth(96);
        FGroup->addButton(b, tag);
        addWidget(b);
    }
    Button(0)->setChecked(true);
    connect(FGroup, &QButtonGroup::idClicked, this, Guarded([this](int Tag) {
                if (OnViewClick) OnViewClick(Tag);
            }));
}

QToolButton* TViewBar::Button(int Tag) const
{
    return qobject_cast<QToolButton*>(FGroup->button(Tag));
}

void TViewBar::SetDown(int Tag)
{
    if (QToolButton* b = Button(Tag)) b->setChecked(true);
}

int TViewBar::DownTag() const
{
    return FGroup->checkedId();
}
