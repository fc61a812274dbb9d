#include "model/monitoring/MonitoringList.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/fe/NumNodes.h"
#include "model/probes/BHEObj.h"

namespace {

// The window is one for the whole program; it shows the list that called
// ShowItemsDlg last.
const TMonitoringList* ShownList = nullptr;

TMonitoringWindow& Window() { return ModelUI<TMonitoringWindow>(); }

bool IsBHEItem(const TMonitoringItem& I) { return dynamic_cast<const TBHEMonitoringItem*>(&I) != nullptr; }
bool IsNodeItem(const TMonitoringItem& I) { return dynamic_cast<const TNodeMonitoringItem*>(&I) != nullptr; }

TObject* ItemAt(const TMVObjectList& List, int Index)
{
    return Index >= 0 && Index < List.Count() ? List.Items(Index) : nullptr;
}

}  // namespace

TMonitoringList::TMonitoringList() : TMVObjectList(true) {}

TMonitoringList::TMonitoringList(TBlank) : TMVObjectList(true) {}

TMonitoringList::~TMonitoringList()
{
    if (IsShown()) {
        Window().ClearRows();
        UnbindWindow();
    }
}

bool TMonitoringList::IsShown() const { return ShownList == this; }

void TMonitoringList::UnbindWindow()
{
    Window().SetMonitorItemsDeleted({});
    ShownList = nullptr;
}

void TMonitoringList::UpdateBHEContainers(const TMVObjectList& BHElist)
{
    for (int i = 0; i < Count(); ++i)
        if (IsBHEItem(*Item(i))) Item(i)->SetItem(ItemAt(BHElist, Item(i)->IndexOfItem()));
}

void TMonitoringList::UpdateNodeContainers(const TMVObjectList& Nodeslist)
{
    for (int i = 0; i < Count(); ++i)
        if (IsNodeItem(*Item(i))) Item(i)->SetItem(ItemAt(Nodeslist, Item(i)->IndexOfItem()));
}

void TMonitoringList::SetBHEContainersIndex(const TMVObjectList& BHElist)
{
    for (int i = 0; i < Count(); ++i)
        if (IsBHEItem(*Item(i))) Item(i)->SetIndexOfItem(Item(i)->Item() ? BHElist.IndexOf(Item(i)->Item()) : -1);
}

void TMonitoringList::SetNodeContainersIndex(const TMVObjectList& Nodeslist)
{
    for (int i = 0; i < Count(); ++i)
        if (IsNodeItem(*Item(i)))
            Item(i)->SetIndexOfItem(Item(i)->Item() ? Nodeslist.IndexOf(Item(i)->Item()) : -1);
}

void TMonitoringList::UpdateContainers(const TMVObjectList& BHElist, const TMVObjectList& Nodeslist)
{
    UpdateBHEContainers(BHElist);
    UpdateNodeContainers(Nodeslist);
}

void TMonitoringList::SetContainersIndex(const TMVObjectList& BHElist, const TMVObjectList& Nodeslist)
{
    SetBHEContainersIndex(BHElist);
    SetNodeContainersIndex(Nodeslist);
}

TMonitoringItem* TMonitoringList::AddObsPoint(TObject* AObsPoint)
{
    if (!AObsPoint) throw EKPError(QStringLiteral("No monitoring for this item type"));
    for (int i = 0; i < Count(); ++i)
        if (Item(i)->Item() == AObsPoint) return nullptr;
    std::unique_ptr<TMonitoringItem> item;
    if (dynamic_cast<TBHE*>(AObsPoint))
        item = std::make_unique<TBHEMonitoringItem>();
    else if (dynamic_cast<TNode*>(AObsPoint))
        item = std::make_unique<TNodeMonitoringItem>();
    else
        throw EKPError(QStringLiteral("No monitoring for this item type"));
    item->SetItem(AObsPoint);
    TMonitoringItem* raw = Add(std::move(item));
    AddToListInDialog(raw);
    return raw;
}

void TMonitoringList::AddBHEs(const TMVObjectList& AList)
{
    for (int i = 0; i < AList.Count(); ++i) {
        TObject* bhe = AList.Items(i);
        bool watched = false;
        for (int k = 0; k < Count() && !watched; ++k) watched = IsBHEItem(*Item(k)) && Item(k)->Item() == bhe;
        if (!watched) AddObsPoint(bhe);
    }
}

void TMonitoringList::AddToListInDialog(TMonitoringItem* TheItem)
{
    if (!TheItem || !IsShown() || !IsNodeItem(*TheItem)) return;
    TMonitoringRow row;
    row.Item = TheItem;
    row.Caption = TheItem->GetDescription();
    row.Parameter = TheItem->ParamCount() > 0 ? TheItem->Param(0)->Name() : QString();
    row.Group = 0;
    Window().AddRow(row);
}

void TMonitoringList::ShowItemsDlg()
{
    TMonitoringWindow& w = Window();
    ShownList = this;
    w.SetMonitorItemsDeleted([this](TObject* Sender) { DeleteItem(Sender); });
    w.ClearRows();
    w.BeginUpdate();
    for (int i = 0; i < Count(); ++i) AddToListInDialog(Item(i));
    w.EndUpdate();
    w.SetGroupView(true);
    w.ShowWindow();
}

void TMonitoringList::DeleteAllItems()
{
    Clear();
    if (IsShown()) Window().ClearRows();
}

void TMonitoringList::DeleteItem(TObject* Sender)
{
    // The window may report an item twice or one of another model; only an
    // item of this list is removed, and only once.
    const int index = IndexOf(Sender);
    if (index < 0) return;
    if (IsShown()) Window().RemoveRow(Item(index));
    Delete(index);
}

void TMonitoringList::DeleteWhere(const std::function<bool(const TMonitoringItem&)>& Condition)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Condition(*Item(i))) DeleteItem(Item(i));
}

void TMonitoringList::DeleteNodeItems()
{
    DeleteWhere([](const TMonitoringItem& I) { return IsNodeItem(I); });
}

void TMonitoringList::DeleteItemsOf(const TObject* AObsPoint)
{
    if (!AObsPoint) return;
    DeleteWhere([AObsPoint](const TMonitoringItem& I) { return I.Item() == AObsPoint; });
}

void TMonitoringList::RecordNow(TDateTime ADateTime, int ALevel)
{
    const TMonitoringInterval level = MonitoringIntervalOfLevel(ALevel);
    for (int i = 0; i < Count(); ++i) Item(i)->RecordNow(ADateTime, level);
}

void TMonitoringList::ReadData(TStream& S)
{
    TMVObjectList loaded(true);
    loaded.ReadData(S);
    for (int i = 0; i < loaded.Count(); ++i)
        if (!dynamic_cast<TMonitoringItem*>(loaded.Items(i)))
            throw EReadError(QStringLiteral("Ungültiges Element \"%1\" in der Überwachungsliste")
                                 .arg(loaded.Items(i)->ClassName()));
    while (loaded.Count() > 0) Add(loaded.Extract(loaded.Items(0)));
}
