#pragma once

#include "model/monitoring/Monitoring.h"

#include <functional>

// One row of the monitoring window: the row's data is the item.
struct TMonitoringRow {
    TMonitoringItem* Item = nullptr;
    QString Caption;
    QString Parameter;
    int Group = 0;  // 0 "Nodes", 1 "EWS"
};

// The monitoring list window. Its rows point at items of the list that last
// showed it; the list keeps the rows in step with its items, so a row never
// outlives its item. Headless: no window, every call does nothing.
class TMonitoringWindow {
public:
    virtual ~TMonitoringWindow() = default;
    // The window reports each item the user deletes through Handler; an
    // empty handler unbinds it.
    virtual void SetMonitorItemsDeleted(std::function<void(TObject*)> Handler) { (void)Handler; }
    virtual void ClearRows() {}
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
    virtual void AddRow(const TMonitoringRow& Row) { (void)Row; }
    // Removes the row of Item when there is one.
    virtual void RemoveRow(const TMonitoringItem* Item) { (void)Item; }
    virtual void SetGroupView(bool On) { (void)On; }
    // Shows the window without waiting.
    virtual void ShowWindow() {}
};

// The watched nodes and probes of a thermal model; owns its items.
class TMonitoringList : public TMVObjectList {
    KP_CLASS(TMonitoringList)
public:
    TMonitoringList();
    explicit TMonitoringList(TBlank);
    ~TMonitoringList() override;

    TMonitoringItem* Item(int Index) const { return ItemAs<TMonitoringItem>(Index); }

    // Every probe item gets Item := BHElist[IndexOfItem] when that index is
    // in range, else nullptr.
    virtual void UpdateBHEContainers(const TMVObjectList& BHElist);
    // Node items likewise from the mesh's node list.
    virtual void UpdateNodeContainers(const TMVObjectList& Nodeslist);
    // Every probe item's IndexOfItem := position of its Item in BHElist (-1 when absent).
    virtual void SetBHEContainersIndex(const TMVObjectList& BHElist);
    virtual void SetNodeContainersIndex(const TMVObjectList& Nodeslist);
    // A new item for a probe or mesh node; nullptr when one already watches
    // it. Raises EKPError for any other object.
    virtual TMonitoringItem* AddObsPoint(TObject* AObsPoint);
    // A probe item for every probe of AList not watched yet.
    virtual void AddBHEs(const TMVObjectList& AList);
    // Fills and shows the monitoring window and binds its deletions to this list.
    virtual void ShowItemsDlg();
    virtual void DeleteAllItems();
    // Adds a node item's row to the window when it shows this list.
    virtual void AddToListInDialog(TMonitoringItem* TheItem);
    // After reading: items find their probes and nodes by IndexOfItem.
    virtual void UpdateContainers(const TMVObjectList& BHElist, const TMVObjectList& Nodeslist);
    // Before writing: items record the positions of their probes and nodes.
    virtual void SetContainersIndex(const TMVObjectList& BHElist, const TMVObjectList& Nodeslist);
    // Removes and frees Sender when it is an item of this list.
    virtual void DeleteItem(TObject* Sender);

    // The mesh is about to be replaced: node items would point at freed
    // nodes, so they are deleted. Probe items stay.
    void DeleteNodeItems();
    // A probe is about to be removed: the items watching it are deleted.
    void DeleteItemsOf(const TObject* AObsPoint);
    // Every item records for one step of the main loop.
    void RecordNow(TDateTime ADateTime, int ALevel);
    // Reads items; anything but monitoring items is refused.
    void ReadData(TStream& S) override;

    // True while the monitoring window shows this list.
    bool IsShown() const;

private:
    void DeleteWhere(const std::function<bool(const TMonitoringItem&)>& Condition);
    void UnbindWindow();
};
