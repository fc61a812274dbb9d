#pragma once

#include <QIcon>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TBHE;
class TProjectControl;

// "Sonden": the probes of the current model in a table, several rows
// selectable, grouped by probe type when the window gives groups. Deletions go to the window through BHEsChanged (which removes
// the probe from the model); an edit changes the probe itself and marks the
// mesh out of date. Both are refused while a run holds the probes.
class TFormBHEs : public QWidget
{
    Q_OBJECT

public:
    explicit TFormBHEs(QWidget* Parent = nullptr);

    // The project's command layer: run state, changed flag, mesh state.
    void SetControl(TProjectControl* Control) { FControl = Control; }

    // Empties the table; with a project, one row per probe in model order.
    void Refill();
    void Clear();
    // A row for BHE at the end of its group (of the table without one).
    void AddBHERow(TBHE* BHE);
    // The probe rows in the order shown (group by group, then the probes of
    // no group); Row indexes them.
    QList<QTreeWidgetItem*> RowItems() const;
    QTreeWidgetItem* RowItem(int Row) const;
    // The probe of row Row; nullptr outside the table.
    TBHE* BHEAt(int Row) const;
    int RowCount() const;
    // UpdateBHEListPosition: X and Y of BHE's row written again.
    void UpdateBHEListPosition(const TBHE* BHE);

    // BuildBHETypeGroups: one group per probe type (header and symbol);
    // GroupOf gives a probe's group, -1 for none. The rows are refilled.
    struct TGroup {
        QString Caption;
        QIcon Icon;
    };
    void SetGroups(const QList<TGroup>& Groups, std::function<int(const TBHE*)> GroupOf);
    int GroupCount() const { return int(FGroups.size()); }

    // The load-profile menus: one item per name, its index as tag.
    void SetLoadProfiles(const QStringList& Names);

    // What the load-profile column shows for Index.
    QString LoadProfileText(int Index) const;

    void BtnDeleteClick();
    void BtnDeleteAllClick();
    void ListViewBHEDblClick();
    void AssignLoadProfil(int Index);

    // A probe is about to leave the model (Sender = the probe), or was
    // edited (nullptr).
    std::function<void(TBHE*)> BHEsChanged;
    // The display name of load profile Index.
    std::function<QString(int)> OnChangeLoadProfile;

    QTreeWidget* ListViewBHE = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QAction* BtnDelete = nullptr;
    QAction* BtnDeleteAll = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Lschen1 = nullptr;
    QAction* Bearbeiten1 = nullptr;
    QMenu* Lastprofilzuweisen1 = nullptr;
    QMenu* PopupMenuLoadProfils = nullptr;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void MakeToolBar();
    void MakePopupMenu();
    void PopupMenu1Popup();
    void FillRow(QTreeWidgetItem* Item, TBHE* BHE) const;
    // The header row of Group, made when missing; nullptr for no group.
    QTreeWidgetItem* GroupItem(int Group);
    static bool IsGroupItem(const QTreeWidgetItem* Item);
    void RemoveEmptyGroups();
    // Raises while a run holds the probes; What names the refused command.
    void CheckRunInactive(const QString& What) const;
    bool BelongsToModel(const TBHE* BHE) const;

    TProjectControl* FControl = nullptr;
    QList<TGroup> FGroups;
    std::function<int(const TBHE*)> FGroupOf;
};
