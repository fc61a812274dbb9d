#include "ui/mainwindow/PipingCard.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "ui/common/CommandGuard.h"

#include <cmath>

namespace {

constexpr double SecondsPerHour = 3600;

} // namespace

TPipingCard::TPipingCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardPipline"));
    auto* outer = new QVBoxLayout(this);
    GroupBoxPiping = new QGroupBox(QStringLiteral("Fluid und Rohrleitung"), this);
    GroupBoxPiping->setObjectName(QStringLiteral("GroupBoxPiping"));
    auto* piping = new QVBoxLayout(GroupBoxPiping);
    auto* form = new QFormLayout;
    EditFlux = new QLineEdit(GroupBoxPiping);
    EditFlux->setObjectName(QStringLiteral("EditFlux"));
    EditFlux->setMaximumWidth(120);
    form->addRow(QStringLiteral("Durchfluß [m³/h]"), EditFlux);
    piping->addLayout(form);

    RGFluid = new QGroupBox(QStringLiteral("Fluid"), GroupBoxPiping);
    RGFluid->setObjectName(QStringLiteral("RGFluid"));
    auto* fluids = new QGridLayout(RGFluid);
    FluidButtons = new QButtonGroup(this);
    const QStringList names = {QStringLiteral("Wasser"), QStringLiteral("Propylenglykol 25 %"),
                               QStringLiteral("Propylenglykol 33 %"), QStringLiteral("Ethylenglykol 25 %"),
                               QStringLiteral("Ethylenglykol 33 %")};
    // Three columns, filled column by column; the id is the fluid.
    const int rows = 2;
    for (int i = 0; i < names.size(); ++i) {
        auto* b = new QRadioButton(names[i], RGFluid);
        FluidButtons->addButton(b, i);
        fluids->addWidget(b, i % rows, i / rows);
    }
    piping->addWidget(RGFluid);
    outer->addWidget(GroupBoxPiping);

    GroupBoxFluidInfo = new QGroupBox(QStringLiteral("Information"), this);
    GroupBoxFluidInfo->setObjectName(QStringLiteral("GroupBoxFluidInfo"));
    auto* info = new QVBoxLayout(GroupBoxFluidInfo);
    auto* text = new QLabel(
        QStringLiteral("Beim gewählten Lasttyp sind keine weiteren Angaben zu zu Fluid und Rohrleitung erforderlich."),
        GroupBoxFluidInfo);
    text->setWordWrap(true);
    info->addWidget(text);
    GroupBoxFluidInfo->hide();
    outer->addWidget(GroupBoxFluidInfo);
    outer->addStretch(1);

    connect(EditFlux, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EditFluxChange(T); }));
    connect(FluidButtons, &QButtonGroup::idClicked, this, Guarded([this](int Id) { RGFluidClick(Id); }));
}

void TPipingCard::RefreshPipingPage()
{
    if (!FProject) return;
    const TLoadObj* load = FProject->LoadProfile();
    const TThermModel* model = FProject->Model();
    const bool yearProfile = load && load->LoadType() == ltYearProfile && model;
    GroupBoxPiping->setVisible(yearProfile);
    GroupBoxFluidInfo->setVisible(!yearProfile);
    if (!yearProfile) return;
    const QSignalBlocker b1(EditFlux);
    const QSignalBlocker b2(FluidButtons);
    EditFlux->setText(FloatToStr(model->FluxFluid() * SecondsPerHour));
    if (QAbstractButton* b = FluidButtons->button(static_cast<int>(model->Fluid()))) b->setChecked(true);
}

void TPipingCard::EditFluxChange(const QString& Text)
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    // Only a flow that can run is taken; text on its way to a number (or
    // none) leaves the flow as it was.
    double v = 0;
    if (TryStrToFloat(Text, v) && std::isfinite(v) && v > 0) model->SetFluxFluid(v / SecondsPerHour);
    Changed();
}

void TPipingCard::RGFluidClick(int Index)
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model || Index < 0) return;
    model->SetFluid(static_cast<TFluid>(Index));
    Changed();
}

void TPipingCard::Changed()
{
    if (OnChanged) OnChanged();
}
