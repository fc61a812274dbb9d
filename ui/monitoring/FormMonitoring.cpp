#include "ui/monitoring/FormMonitoring.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/UIUtilities.h"
#include "ui/common/Prompter.h"
#include "ui/results/FormGraph.h"

namespace {

QTreeWidgetItem* MakeGroup(QTreeWidget* List, const QString& Caption, int Id)
{
    auto* g = new QTreeWidgetItem(List, {Caption});
    g->setData(0, Qt::UserRole + 1, Id);
    g->setFlags(Qt::ItemIsEnabled);
    g->setFirstColumnSpanned(true);
    QFont f = g->font(0);
    f.setBold(true);
    g->setFont(0, f);
    return g;
}

} // namespace

TFormMonitoring::TFormMonitoring(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormMonitoring"));
    setWindowTitle(QStringLiteral("Monitored items"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(24, 24));
    BtnDelete = AddCaptionedToolButton(ToolBar1, QStringLiteral("Löschen"), iiDelete);
    BtnShowInGraph = AddCaptionedToolButton(ToolBar1, QStringLiteral("Graph anzeigen"), iiGraph);
    BtnSave = AddCaptionedToolButton(ToolBar1, QStringLiteral("Speichern..."), iiSave);
    layout->addWidget(ToolBar1);
    ListViewItems = new QTreeWidget(this);
    ListViewItems->setObjectName(QStringLiteral("ListViewItems"));
    ListViewItems->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Parameter")});
    ListViewItems->setColumnWidth(0, 150);
    ListViewItems->setColumnWidth(1, 412);
    ListViewItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListViewItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(ListViewItems, 1);
    FGroupEWS = MakeGroup(ListViewItems, QStringLiteral("EWS"), 1);
    FGroupNodes = MakeGroup(ListViewItems, QStringLiteral("Nodes"), 0);
    ListViewItems->expandAll();
    connect(BtnDelete, &QToolButton::clicked, this, Guarded([this] { BtnDeleteClick(); }));
    connect(BtnShowInGraph, &QToolButton::clicked, this, Guarded([this] { BtnShowInGraphClick(); }));
    connect(BtnSave, &QToolButton::clicked, this, Guarded([this] { BtnSaveClick(); }));
    resize(600, 360);
}

TMonitoringItem* TFormMonitoring::ItemOf(const QTreeWidgetItem* Row)
{
    return Row ? static_cast<TMonitoringItem*>(Row->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

QTreeWidgetItem* TFormMonitoring::Group(int Id) const
{
    return Id == 1 ? FGroupEWS : FGroupNodes;
}

QTreeWidgetItem* TFormMonitoring::RowOf(const TMonitoringItem* Item) const
{
    for (QTreeWidgetItem* g : {FGroupEWS, FGroupNodes})
        for (int i = 0; i < g->childCount(); ++i)
            if (ItemOf(g->child(i)) == Item) return g->child(i);
    return nullptr;
}

int TFormMonitoring::RowCount() const
{
    return FGroupEWS->childCount() + FGroupNodes->childCount();
}

void TFormMonitoring::SetMonitorItemsDeleted(std::function<void(TObject*)> Handler)
{
    MonitorItemsDeleted = std::move(Handler);
}

void TFormMonitoring::ClearRows()
{
    for (QTreeWidgetItem* g : {FGroupEWS, FGroupNodes}) qDeleteAll(g->takeChildren());
}

void TFormMonitoring::BeginUpdate()
{
    ListViewItems->setUpdatesEnabled(false);
}

void TFormMonitoring::EndUpdate()
{
    ListViewItems->setUpdatesEnabled(true);
}

void TFormMonitoring::AddRow(const TMonitoringRow& Row)
{
    if (!Row.Item) return;
    auto* r = new QTreeWidgetItem(Group(Row.Group), {Row.Caption, Row.Parameter});
    r->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(Row.Item)));
}

void TFormMonitoring::RemoveRow(const TMonitoringItem* Item)
{
    delete RowOf(Item);
}

void TFormMonitoring::SetGroupView(bool On)
{
    // Groups are the list's only structure; without them the rows still
    // show under their headers, which are then not marked.
    for (QTreeWidgetItem* g : {FGroupEWS, FGroupNodes}) {
        QFont f = g->font(0);
        f.setBold(On);
        g->setFont(0, f);
    }
    ListViewItems->expandAll();
}

void TFormMonitoring::ShowWindow()
{
    if (!isVisible() && parentWidget() == nullptr && QApplication::activeWindow()) {
        const QRect main = QApplication::activeWindow()->frameGeometry();
        move(main.center() - rect().center());
    }
    show();
    raise();
}

void TFormMonitoring::ProjectClosed()
{
    ClearRows();
    MonitorItemsDeleted = nullptr;
}

TNodeMonitoringItem* TFormMonitoring::SelectedNodeItem() const
{
    QTreeWidgetItem* row = ListViewItems->currentItem();
    if (!row || !row->isSelected()) {
        const QList<QTreeWidgetItem*> selected = ListViewItems->selectedItems();
        row = selected.isEmpty() ? nullptr : selected.first();
    }
    return dynamic_cast<TNodeMonitoringItem*>(ItemOf(row));
}

void TFormMonitoring::BtnDeleteClick()
{
    // Rows in list order; the handler frees the items and may remove their
    // rows itself, so items are collected before anything is deleted.
    std::vector<TMonitoringItem*> items;
    for (QTreeWidgetItem* g : {FGroupEWS, FGroupNodes})
        for (int i = 0; i < g->childCount(); ++i)
            if (g->child(i)->isSelected() && ItemOf(g->child(i))) items.push_back(ItemOf(g->child(i)));
    if (items.empty()) return;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        TMonitoringItem* item = *it;
        QTreeWidgetItem* row = RowOf(item);
        delete row;
        if (MonitorItemsDeleted) MonitorItemsDeleted(item);
    }
    if (RefreshMap) RefreshMap(nullptr);
}

void TFormMonitoring::BtnShowInGraphClick()
{
    TNodeMonitoringItem* item = SelectedNodeItem();
    if (!item || item->ParamCount() < 1 || !FGraph) return;
    const TMonitorParam* param = item->Param(0);
    FGraph->show();
    FGraph->raise();
    FGraph->SetMonthlyLabels();
    std::vector<TFormGraph::TPoint> points;
    points.reserve(param->DataPoints().size());
    for (const TRecordedValue& v : param->DataPoints()) points.push_back({v.PointOfTime, v.Data});
    FGraph->AddSeries(param->Name() + QStringLiteral(" [°C] ") + item->GetDescription(), points);
}

void TFormMonitoring::BtnSaveClick()
{
    TNodeMonitoringItem* item = SelectedNodeItem();
    if (!item || item->ParamCount() < 1) return;
    QString name = Prompter().SaveFileName(QStringLiteral("Speichern"), QString(), QStringLiteral("Test (*.txt)|*.txt"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".txt");
    item->Param(0)->SaveDatapoints(name);
}
