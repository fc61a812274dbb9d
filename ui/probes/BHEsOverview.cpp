#include "ui/probes/BHEsOverview.h"

#include <QAction>
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
#include "ui/probes/BHEDialogsUI.h"

#include <cmath>

namespace {

constexpr int BHERole = Qt::UserRole;
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
    auto* item = new QTreeWidgetItem(ListViewBHE);
    item->setData(0, BHERole, QVariant::fromValue(static_cast<void*>(BHE)));
    FillRow(item, BHE);
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
    QTreeWidgetItem* item = ListViewBHE->topLevelItem(Row);
    return item ? static_cast<TBHE*>(item->data(0, BHERole).value<void*>()) : nullptr;
}

int TFormBHEs::RowCount() const
{
    return ListViewBHE->topLevelItemCount();
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
    for (int row = RowCount() - 1; row >= 0; --row) {
        QTreeWidgetItem* item = ListViewBHE->topLevelItem(row);
        if (!item->isSelected()) continue;
        if (BHEsChanged) BHEsChanged(BHEAt(row));
        delete item;
    }
}

void TFormBHEs::BtnDeleteAllClick()
{
    ListViewBHE->selectAll();
    BtnDeleteClick();
}

void TFormBHEs::ListViewBHEDblClick()
{
    const QList<QTreeWidgetItem*> selected = ListViewBHE->selectedItems();
    if (selected.isEmpty()) return;
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
    if (!EditBHEKeepingUntouched(*bhe)) return;
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
