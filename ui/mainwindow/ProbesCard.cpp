#include "ui/mainwindow/ProbesCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/base/Rounding.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "model/settings/KPSettings.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/mainwindow/PlanZoom.h"
#include "ui/probes/TubePictures.h"

#include <algorithm>
#include <cmath>
#include <limits>

TProbesCard::TProbesCard(TPlanHost* Host, QWidget* Parent) : QWidget(Parent), FBHESymbols(DefaultProbeSymbols())
{
    setObjectName(QStringLiteral("CardMap"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(this);
    split->addWidget(MakeSidePanel());
    auto* planSide = new QWidget(split);
    auto* planLayout = new QVBoxLayout(planSide);
    planLayout->setContentsMargins(0, 0, 0, 0);
    ToolBarMap = new QToolBar(planSide);
    ToolBarMap->setObjectName(QStringLiteral("ToolBarMap"));
    MVPaintBoxD2 = new TMVPaintBoxD2D(planSide);
    MVPaintBoxD2->setObjectName(QStringLiteral("MVPaintBoxD2"));
    planLayout->addWidget(ToolBarMap);
    planLayout->addWidget(MVPaintBoxD2, 1);
    split->addWidget(planSide);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 700});
    outer->addWidget(split);
    FPlanView = new TPlanView(MVPaintBoxD2, Host, this);
    connect(ListViewMap, &QListWidget::itemChanged, this, Guarded([this](QListWidgetItem* Item) {
                FPlanView->ListViewMapItemChecked(ListViewMap->row(Item), Item->checkState() == Qt::Checked);
            }));
    connect(TBGridOpacity, &QSlider::valueChanged, this,
            Guarded([this](int V) { FPlanView->TBGridOpacityChange(V); }));
    connect(TBMapOpacity, &QSlider::valueChanged, this, Guarded([this](int V) { FPlanView->TBMapOpacityChange(V); }));
}

TProbesCard::~TProbesCard()
{
    delete FPlanView;
}

QWidget* TProbesCard::MakeSidePanel()
{
    auto* side = new QWidget(this);
    FSidePanel = side;
    auto* l = new QVBoxLayout(side);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(new QLabel(QStringLiteral("Sondentypen"), side));
    ToolBarBHETypes = new QToolBar(side);
    ToolBarBHETypes->setObjectName(QStringLiteral("ToolBarBHETypes"));
    l->addWidget(ToolBarBHETypes);
    ListViewBHETypes = new TBHETypeListView(side);
    ListViewBHETypes->setObjectName(QStringLiteral("ListViewBHETypes"));
    // Other panels share the side: the types stay readable.
    ListViewBHETypes->setMinimumHeight(150);
    l->addWidget(ListViewBHETypes, 1);
    l->addWidget(new QLabel(QStringLiteral("Ebenen"), side));
    ListViewMap = new QListWidget(side);
    ListViewMap->setObjectName(QStringLiteral("ListViewMap"));
    for (int i = 0; i < TPlanView::LayerCount; ++i) {
        auto* item = new QListWidgetItem(TPlanView::LayerCaption(i), ListViewMap);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    l->addWidget(ListViewMap, 1);
    auto slider = [&](const QString& Name, const QString& Caption) {
        auto* s = new QSlider(Qt::Horizontal, side);
        s->setObjectName(Name);
        s->setRange(0, 10);
        l->addWidget(new QLabel(Caption, side));
        l->addWidget(s);
        return s;
    };
    TBGridOpacity = slider(QStringLiteral("TBGridOpacity"), QStringLiteral("Deckkraft Gitter"));
    TBMapOpacity = slider(QStringLiteral("TBMapOpacity"), QStringLiteral("Deckkraft Hintergrundbild"));
    l->addWidget(new QLabel(QStringLiteral("Hinweise"), side));
    MemoMsg = new QPlainTextEdit(side);
    MemoMsg->setObjectName(QStringLiteral("MemoMsg"));
    MemoMsg->setReadOnly(true);
    l->addWidget(MemoMsg, 1);
    return side;
}

void TProbesCard::AddSidePanel(const QString& Caption, QWidget* Panel, int Stretch)
{
    auto* l = static_cast<QVBoxLayout*>(FSidePanel->layout());
    l->addWidget(new QLabel(Caption, FSidePanel));
    Panel->setParent(FSidePanel);
    l->addWidget(Panel, Stretch);
}

void TProbesCard::RefreshBHETypeList(const TBHETypelist& List)
{
    const QSignalBlocker b(ListViewBHETypes);
    ListViewBHETypes->Fill(List, FBHESymbols);
}

void TProbesCard::RefreshBHEOverview()
{
    // The overview's rows are the probe commands'; the plan shows the model.
    FPlanView->Repaint();
}

void TProbesCard::RefreshLayerList()
{
    const QSignalBlocker b(ListViewMap);
    for (int i = 0; i < TPlanView::LayerCount && i < ListViewMap->count(); ++i)
        ListViewMap->item(i)->setCheckState(FPlanView->Layer(TPlanLayer(i)) ? Qt::Checked : Qt::Unchecked);
}

void TProbesCard::RefreshOpacitySliders()
{
    const QSignalBlocker b1(TBGridOpacity);
    const QSignalBlocker b2(TBMapOpacity);
    TBGridOpacity->setValue(RoundEven(GridOpacity * 10.0));
    TBMapOpacity->setValue(RoundEven(MapOpacity * 10.0));
}

void TProbesCard::SetMessageLines(const QStringList& Lines)
{
    const QSignalBlocker b(MemoMsg);
    MemoMsg->setPlainText(Lines.join(QLatin1Char('\n')));
}

void TProbesCard::FitToScreen()
{
    TThermModel* model = FPlanView->Model();
    if (!model) return;
    double x1 = std::numeric_limits<double>::infinity(), x2 = -x1, y1 = x1, y2 = -x1;
    auto take = [&](double X, double Y) {
        if (!std::isfinite(X) || !std::isfinite(Y)) return;
        x1 = std::min(x1, X), x2 = std::max(x2, X), y1 = std::min(y1, Y), y2 = std::max(y2, Y);
    };
    for (int i = 0; i < model->BHEs().Count(); ++i) take(model->BHE(i)->X(), model->BHE(i)->Y());
    double mx1, mx2, my1, my2;
    if (model->FieldModel() && model->FieldModel()->GetModelExtend(mx1, mx2, my1, my2)) {
        take(mx1, my1);
        take(mx2, my2);
    }
    if (!(x1 <= x2 && y1 <= y2)) return;
    // A single probe still gets a view of some metres around it. Only the view
    // transform changes: the plan's items and isotherms are laid out at the
    // plan's own scale and stay valid.
    const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const double w = std::max(x2 - x1, 10.0), h = std::max(y2 - y1, 10.0);
    ZoomToExtent(FPlanView->Mapping(), MVPaintBoxD2->size(), cx - w / 2, cx + w / 2, cy - h / 2, cy + h / 2);
    FPlanView->Repaint();
}
