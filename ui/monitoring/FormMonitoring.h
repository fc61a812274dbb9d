#pragma once

#include "model/monitoring/MonitoringList.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormGraph;

// "Monitored items": the watched nodes and probes of the current model,
// grouped "EWS" and "Nodes". The rows point at the model's items without
// owning them; the model's monitoring list fills the window through the
// TMonitoringWindow calls and removes an item's row before it frees it.
class TFormMonitoring : public QWidget, public TMonitoringWindow {
    Q_OBJECT

public:
    explicit TFormMonitoring(QWidget* Parent = nullptr);

    // Where "Graph anzeigen" adds its series.
    void SetGraphWindow(TFormGraph* AGraph) { FGraph = AGraph; }

    void BtnDeleteClick();
    void BtnShowInGraphClick();
    void BtnSaveClick();
    // Rows and the deletion handler go: they point into the old project.
    void ProjectClosed();

    // The item of a row (null for a group header).
    static TMonitoringItem* ItemOf(const QTreeWidgetItem* Row);
    QTreeWidgetItem* RowOf(const TMonitoringItem* Item) const;
    int RowCount() const;

    // Called with each deleted item, the last selected row first (the
    // monitoring list then frees it); RefreshMap once afterwards.
    std::function<void(TObject*)> MonitorItemsDeleted;
    std::function<void(TObject*)> RefreshMap;

    // TMonitoringWindow
    void SetMonitorItemsDeleted(std::function<void(TObject*)> Handler) override;
    void ClearRows() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void AddRow(const TMonitoringRow& Row) override;
    void RemoveRow(const TMonitoringItem* Item) override;
    void SetGroupView(bool On) override;
    void ShowWindow() override;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* BtnDelete = nullptr;
    QToolButton* BtnShowInGraph = nullptr;
    QToolButton* BtnSave = nullptr;
    QTreeWidget* ListViewItems = nullptr;

private:
    // The node item of the selected row, null without one.
    TNodeMonitoringItem* SelectedNodeItem() const;
    QTreeWidgetItem* Group(int Id) const;

    QTreeWidgetItem* FGroupNodes = nullptr;
    QTreeWidgetItem* FGroupEWS = nullptr;
    QPointer<TFormGraph> FGraph;
};
