#pragma once

// The probe-type list of the probes page: the program-wide probe types
// grouped by tube layout ("U-Sonden", "Doppel-U-Sonden", "Koaxialsonden"),
// each row with its name, length and borehole resistance. A row dragged out
// of the list carries the type's index in the list, which the plan turns
// into a probe where it is dropped.

#include <QIcon>
#include <QList>
#include <QTreeWidget>

class QMimeData;
class TBHE;
class TBHETypelist;

class TBHETypeListView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TBHETypeListView(QWidget* Parent = nullptr);

    // RefreshBHETypeList: one row per type of List, in list order, below the
    // header of its tube layout. Symbols gives the row pictures by image index.
    void Fill(const TBHETypelist& List, const QList<QIcon>& Symbols);
    // The list index of the selected type row; -1 when none is selected.
    int SelectedTypeIndex() const;
    // Selects the row of type Index (nothing for another index).
    void SelectType(int Index);
    // The drag's data for the selected row; nullptr without one.
    QMimeData* MimeDataForSelection() const;

    // BHETypeToListItem: caption, length, RB and picture of one type row.
    static void BHETypeToListItem(QTreeWidgetItem* Item, const TBHE& AType, const QList<QIcon>& Symbols);
    static QString GroupCaption(int TubeType);

protected:
    void startDrag(Qt::DropActions SupportedActions) override;
};
