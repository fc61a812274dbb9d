#include "ui/probes/BHEsOverview.h"

#include <QAction>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/UIUtilities.h"

#include <cmath>

namespace {

constexpr int BHERole = Qt::UserRole;
// Header rows carry their group number here; probe rows carry none.
constexpr int GroupRole = Qt::UserRole + 1;
constexpr int LoadProfileColumn = 5;

QString Number(double V)
{
    return FormatFloat(QStringLiteral("0.##"), V);
}

} // namespace

TFormBHEs::TFormBHEs(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormBHEs"));
    setWindowTitle(QStringLiteral("Sonden"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MakeToolBar();
    layout->addWidget(ToolBar1);

    ListViewBHE = new QTreeWidget(this);
    ListViewBHE->setObjectName(QStringLiteral("ListViewBHE"));
    ListViewBHE->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("X [m]"), QStringLiteral("Y [m]"),
                                  QStringLiteral("Tiefe [m]"), QStringLiteral("RB [m·K/W]"),
                                  QStringLiteral("Lastprofil")});
    const int widths[] = {120, 70, 70, 100, 80, 114};
    for (int c = 0; c < 6; ++c) ListViewBHE->setColumnWidth(c, widths[c]);
    ListViewBHE->setRootIsDecorated(false);
    ListViewBHE->setIndentation(12);
    ListViewBHE->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListViewBHE->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewBHE->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewBHE->setToolTip(QStringLiteral("Doppelklick zum Bearbeiten"));
    ListViewBHE->installEventFilter(this);
    connect(ListViewBHE, &QTreeWidget::itemDoubleClicked, this, Guarded([this] { ListViewBHEDblClick(); }));
    layout->addWidget(ListViewBHE, 1);
    MakePopupMenu();
    resize(580, 320);
}

void TFormBHEs::MakeToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setIconSize(QSize(24, 24));
    BtnDelete = ToolBar1->addAction(KPIcon(iiDelete), QStringLiteral("Löschen"));
    BtnDelete->setObjectName(QStringLiteral("BtnDelete"));
    connect(BtnDelete, &QAction::triggered, this, Guarded([this] { BtnDeleteClick(); }));
    BtnDeleteAll = ToolBar1->addAction(QStringLiteral("Alle löschen"));
    BtnDeleteAll->setObjectName(QStringLiteral("BtnDeleteAll"));
    connect(BtnDeleteAll, &QAction::triggered, this, Guarded([this] { BtnDeleteAllClick(); }));
    ToolBar1->addSeparator();
    PopupMenuLoadProfils = new QMenu(this);
    PopupMenuLoadProfils->setObjectName(QStringLiteral("PopupMenuLoadProfils"));
    ToolButton4 = new QToolButton(ToolBar1);
    ToolButton4->setObjectName(QStringLiteral("ToolButton4"));
    ToolButton4->setText(QStringLiteral("Lastprofil zuweisen"));
    ToolButton4->setIcon(KPIcon(iiLoadProfile));
    ToolButton4->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolButton4->setMenu(PopupMenuLoadProfils);
    ToolButton4->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ToolButton4, &QToolButton::clicked, this, [this] { DropDownToolButton(ToolButton4); });
    ToolBar1->addWidget(ToolButton4);
}

void TFormBHEs::MakePopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Lschen1 = PopupMenu1->addAction(QStringLiteral("Löschen"));
    connect(Lschen1, &QAction::triggered, this, Guarded([this] { BtnDeleteClick(); }));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("Bearbeiten"));
    connect(Bearbeiten1, &QAction::triggered, this, Guarded([this] { ListViewBHEDblClick(); }));
    PopupMenu1->addSeparator();
    Lastprofilzuweisen1 = PopupMenu1->addMenu(QStringLiteral("Lastprofil zuweisen"));
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
    ListViewBHE->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListViewBHE, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& P) { PopupMenu1->popup(ListViewBHE->viewport()->mapToGlobal(P)); });
}

void TFormBHEs::PopupMenu1Popup()
{
    const bool selected = !ListViewBHE->selectedItems().isEmpty();
    Lschen1->setEnabled(selected);
    Bearbeiten1->setEnabled(selected);
}

void TFormBHEs::Clear()
{
    ListViewBHE->clear();
}

void TFormBHEs::Refill()
{
    Clear();
    TThermModel* m = FControl ? FControl->Model() : nullptr;
    if (!m) return;
    for (int i = 0; i < m->BHEs().Count(); ++i) AddBHERow(m->BHEs().ItemAs<TBHE>(i));
}

void TFormBHEs::AddBHERow(TBHE* BHE)
{
    QTreeWidgetItem* group = FGroupOf ? GroupItem(FGroupOf(BHE)) : nullptr;
    auto* item = group ? new QTreeWidgetItem(group) : new QTreeWidgetItem(ListViewBHE);
    item->setData(0, BHERole, QVariant::fromValue(static_cast<void*>(BHE)));
    FillRow(item, BHE);
}

void TFormBHEs::SetGroups(const QList<TGroup>& Groups, std::function<int(const TBHE*)> GroupOf)
{
    FGroups = Groups;
    FGroupOf = std::move(GroupOf);
    Refill();
}

bool TFormBHEs::IsGroupItem(const QTreeWidgetItem* Item)
{
    return Item && Item->data(0, GroupRole).isValid();
}

QTreeWidgetItem* TFormBHEs::GroupItem(int Group)
{
    if (Group < 0 || Group >= FGroups.size()) return nullptr;
    // Headers stay in group order, before the probes of no group; a group
    // without probes shows no header.
    int pos = 0;
    for (; pos < ListViewBHE->topLevelItemCount(); ++pos) {
        QTreeWidgetItem* top = ListViewBHE->topLevelItem(pos);
        if (!IsGroupItem(top)) break;
        const int g = top->data(0, GroupRole).toInt();
        if (g == Group) return top;
        if (g > Group) break;
    }
    auto* header = new QTreeWidgetItem;
    header->setData(0, GroupRole, Group);
    header->setText(0, FGroups[Group].Caption);
    header->setIcon(0, FGroups[Group].Icon);
    QFont bold = header->font(0);
    bold.setBold(true);
    header->setFont(0, bold);
    header->setFlags(Qt::ItemIsEnabled);
    ListViewBHE->insertTopLevelItem(pos, header);
    header->setFirstColumnSpanned(true);
    header->setExpanded(true);
    return header;
}

void TFormBHEs::RemoveEmptyGroups()
{
    for (int i = ListViewBHE->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* top = ListViewBHE->topLevelItem(i);
        if (IsGroupItem(top) && top->childCount() == 0) delete top;
    }
}

QList<QTreeWidgetItem*> TFormBHEs::RowItems() const
{
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < ListViewBHE->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = ListViewBHE->topLevelItem(i);
        if (!IsGroupItem(top)) {
            rows << top;
            continue;
        }
        for (int c = 0; c < top->childCount(); ++c) rows << top->child(c);
    }
    return rows;
}

QTreeWidgetItem* TFormBHEs::RowItem(int Row) const
{
    const QList<QTreeWidgetItem*> rows = RowItems();
    return Row >= 0 && Row < rows.size() ? rows[Row] : nullptr;
}

void TFormBHEs::UpdateBHEListPosition(const TBHE* BHE)
{
    for (QTreeWidgetItem* item : RowItems())
        if (item->data(0, BHERole).value<void*>() == BHE) {
            item->setText(1, Number(BHE->X()));
            item->setText(2, Number(BHE->Y()));
            return;
        }
}

void TFormBHEs::FillRow(QTreeWidgetItem* Item, TBHE* BHE) const
{
    Item->setText(0, BHE->Name());
    Item->setText(1, Number(BHE->X()));
    Item->setText(2, Number(BHE->Y()));
    Item->setText(3, Number(BHE->CasingLength()));
    Item->setText(4, Number(BHE->RB()));
    for (int c = 1; c <= 4; ++c) Item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    Item->setText(LoadProfileColumn, LoadProfileText(BHE->LoadProfilIndex()));
}

QString TFormBHEs::LoadProfileText(int Index) const
{
    if (Index < 0) return QStringLiteral("nicht zugewiesen");
    const QString name = OnChangeLoadProfile ? OnChangeLoadProfile(Index) : QString();
    return name.isEmpty() ? QStringLiteral("ohne Bezeichnung") : name;
}

TBHE* TFormBHEs::BHEAt(int Row) const
{
    QTreeWidgetItem* item = RowItem(Row);
    return item ? static_cast<TBHE*>(item->data(0, BHERole).value<void*>()) : nullptr;
}

int TFormBHEs::RowCount() const
{
    return int(RowItems().size());
}

void TFormBHEs::SetLoadProfiles(const QStringList& Names)
{
    PopupMenuLoadProfils->clear();
    Lastprofilzuweisen1->clear();
    for (int i = 0; i < Names.size(); ++i) {
        for (QMenu* menu : {PopupMenuLoadProfils, Lastprofilzuweisen1}) {
            QAction* a = menu->addAction(Names[i]);
            a->setData(i);
            connect(a, &QAction::triggered, this, Guarded([this, i] { AssignLoadProfil(i); }));
        }
    }
}

void TFormBHEs::CheckRunInactive(const QString& What) const
{
    if (FControl) FControl->CheckRunInactive(What);
}

bool TFormBHEs::BelongsToModel(const TBHE* BHE) const
{
    if (!FControl) return BHE != nullptr;
    TThermModel* m = FControl->Model();
    return BHE && m && m->BHEs().IndexOf(BHE) >= 0;
}

void TFormBHEs::BtnDeleteClick()
{
    if (ListViewBHE->selectedItems().isEmpty()) return;
    CheckRunInactive(QStringLiteral("Das Entfernen einer Sonde"));
    // Bottom up, each row gone as soon as its probe left the model: a
    // failure midway leaves no row pointing at a freed probe.
    const QList<QTreeWidgetItem*> rows = RowItems();
    try {
        for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
            QTreeWidgetItem* item = *it;
            if (!item->isSelected()) continue;
            if (BHEsChanged) BHEsChanged(static_cast<TBHE*>(item->data(0, BHERole).value<void*>()));
            delete item;
        }
    } catch (...) {
        RemoveEmptyGroups();
        throw;
    }
    RemoveEmptyGroups();
}

void TFormBHEs::BtnDeleteAllClick()
{
    ListViewBHE->selectAll();
    BtnDeleteClick();
}

void TFormBHEs::ListViewBHEDblClick()
{
    const QList<QTreeWidgetItem*> selected = ListViewBHE->selectedItems();
    if (selected.isEmpty() || IsGroupItem(selected.first())) return;
    CheckRunInactive(QStringLiteral("Das Bearbeiten einer Sonde"));
    QTreeWidgetItem* item = ListViewBHE->currentItem() && ListViewBHE->currentItem()->isSelected()
                                ? ListViewBHE->currentItem()
                                : selected.first();
    TBHE* bhe = static_cast<TBHE*>(item->data(0, BHERole).value<void*>());
    // A row left from a project that is gone must not reach its probe.
    if (!BelongsToModel(bhe)) {
        Refill();
        return;
    }
    const double x = bhe->X(), y = bhe->Y(), length = bhe->CasingLength(), rb = bhe->RB();
    if (!bhe->Edit()) return;
    FillRow(item, bhe);
    if (FControl) {
        FControl->SetIsChanged(true);
        auto same = [](double A, double B) { return A == B || (std::isnan(A) && std::isnan(B)); };
        const bool moved = !same(x, bhe->X()) || !same(y, bhe->Y()) || !same(length, bhe->CasingLength()) ||
                           !same(rb, bhe->RB());
        if (moved && FControl->Model()) FControl->Model()->SetNumModelDirty(true);
    }
    if (BHEsChanged) BHEsChanged(nullptr);
}

void TFormBHEs::AssignLoadProfil(int Index)
{
    const QList<QTreeWidgetItem*> selected = ListViewBHE->selectedItems();
    if (selected.isEmpty()) return;
    CheckRunInactive(QStringLiteral("Das Zuweisen eines Lastprofils"));
    for (QTreeWidgetItem* item : selected) {
        if (IsGroupItem(item)) continue;
        auto* bhe = static_cast<TBHE*>(item->data(0, BHERole).value<void*>());
        if (!BelongsToModel(bhe)) continue;
        bhe->SetLoadProfilIndex(Index);
        item->setText(LoadProfileColumn, LoadProfileText(Index));
    }
    if (FControl) FControl->SetIsChanged(true);
}

bool TFormBHEs::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ListViewBHE && Event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Delete) {
        GuardCommand([this] { BtnDeleteClick(); });
        return true;
    }
    return QWidget::eventFilter(Watched, Event);
}
