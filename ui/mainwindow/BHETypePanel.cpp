#include "ui/mainwindow/BHETypePanel.h"

#include <QDrag>
#include <QFont>
#include <QHeaderView>
#include <QMimeData>

#include "model/base/NumberText.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "plan/PlanView.h"

#include <algorithm>

namespace {

constexpr int TypeIndexRole = Qt::UserRole;

} // namespace

TBHETypeListView::TBHETypeListView(QWidget* Parent) : QTreeWidget(Parent)
{
    setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Länge [m]"), QStringLiteral("RB [m×K/W]")});
    setColumnWidth(0, 120);
    setColumnWidth(1, 70);
    header()->setStretchLastSection(true);
    setRootIsDecorated(false);
    setIndentation(12);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setIconSize(QSize(16, 16));
}

QString TBHETypeListView::GroupCaption(int TubeType)
{
    switch (TubeType) {
    case ttSingleU: return QStringLiteral("U-Sonden");
    case ttDoubleU: return QStringLiteral("Doppel-U-Sonden");
    case ttCoax: return QStringLiteral("Koaxialsonden");
    default: return QString();
    }
}

void TBHETypeListView::BHETypeToListItem(QTreeWidgetItem* Item, const TBHE& AType, const QList<QIcon>& Symbols)
{
    Item->setText(0, AType.Name());
    Item->setText(1, FormatFloat(QStringLiteral("0.##"), AType.CasingLength()));
    Item->setText(2, FormatFloat(QStringLiteral("0.##"), AType.RB()));
    Item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    Item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    const int image = AType.ImageIndex();
    Item->setIcon(0, image >= 0 && image < Symbols.size() ? Symbols[image] : QIcon());
}

void TBHETypeListView::Fill(const TBHETypelist& List, const QList<QIcon>& Symbols)
{
    const int selected = SelectedTypeIndex();
    setUpdatesEnabled(false);
    clear();
    QTreeWidgetItem* groups[3] = {};
    for (int g = 0; g < 3; ++g) {
        groups[g] = new QTreeWidgetItem(this);
        groups[g]->setText(0, GroupCaption(g));
        QFont bold = groups[g]->font(0);
        bold.setBold(true);
        groups[g]->setFont(0, bold);
        // A header is no type: it can be neither selected nor dragged.
        groups[g]->setFlags(Qt::ItemIsEnabled);
        groups[g]->setFirstColumnSpanned(true);
    }
    for (int i = 0; i < List.Count(); ++i) {
        const TBHE& type = *List.Items(i);
        const int g = std::clamp(int(type.TubeType()), 0, 2);
        auto* item = new QTreeWidgetItem(groups[g]);
        item->setData(0, TypeIndexRole, i);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        BHETypeToListItem(item, type, Symbols);
    }
    for (QTreeWidgetItem* g : groups) {
        g->setHidden(g->childCount() == 0);
        g->setExpanded(true);
    }
    SelectType(selected);
    setUpdatesEnabled(true);
}

int TBHETypeListView::SelectedTypeIndex() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return -1;
    const QVariant v = items.first()->data(0, TypeIndexRole);
    return v.isValid() ? v.toInt() : -1;
}

void TBHETypeListView::SelectType(int Index)
{
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int c = 0; c < group->childCount(); ++c)
            if (group->child(c)->data(0, TypeIndexRole).toInt() == Index) {
                setCurrentItem(group->child(c));
                return;
            }
    }
}

QMimeData* TBHETypeListView::MimeDataForSelection() const
{
    const int index = SelectedTypeIndex();
    if (index < 0) return nullptr;
    auto* data = new QMimeData;
    data->setData(TPlanView::BHETypeMimeType(), QByteArray::number(index));
    return data;
}

void TBHETypeListView::startDrag(Qt::DropActions SupportedActions)
{
    (void)SupportedActions;
    QMimeData* data = MimeDataForSelection();
    if (!data) return;
    // A copy only: the base class would remove the row after a move.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    if (QTreeWidgetItem* item = currentItem()) drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}
