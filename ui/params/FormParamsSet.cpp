#include "ui/params/FormParamsSet.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/fe/ParameterSet.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/params/WebColors.h"

#include <cmath>

namespace {

// A value not set shows as an empty cell.
QString ValueText(double V)
{
    return std::isnan(V) ? QString() : FloatToStr(V);
}

} // namespace

TFormParamsSet::TFormParamsSet(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormParamsSet"));
    setWindowTitle(QStringLiteral("Parametersätze"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setIconSize(QSize(24, 24));
    BtnInsertRecord = AddButton(QStringLiteral("Neu"), QStringLiteral("Parametersatz hinzufügen"), iiAdd,
                                &OnInsertRecordClick);
    BtnDelete = AddButton(QStringLiteral("Löschen"), QStringLiteral("markierten Parametersatz löschen"), iiDelete,
                          &OnDeleteClick);
    ToolBar1->addSeparator();
    BtnApply = AddButton(QStringLiteral("Der Auswahl zuweisen"),
                         QStringLiteral("den auswählten Elementen wird der Parametersatz zugewiesen"), -1,
                         &OnApplyClick);
    layout->addWidget(ToolBar1);

    ListViewItems = new QTreeWidget(this);
    ListViewItems->setRootIsDecorated(false);
    ListViewItems->setUniformRowHeights(true);
    ListViewItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewItems->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewItems->setIconSize(QSize(16, 16));
    ListViewItems->setToolTip(QStringLiteral("Doppelklick zum Bearbeiten"));
    ListViewItems->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("λ [W/m/K]"),
                                    QStringLiteral("ρCp [MJ/m³/K]"), QStringLiteral("h [m]"),
                                    QStringLiteral("Q(E) [W]"), QStringLiteral("ɑ [W/m²/K]")});
    const int widths[] = {120, 70, 90, 50, 70, 154};
    for (int i = 0; i < 6; ++i) ListViewItems->setColumnWidth(i, widths[i]);
    ListViewItems->installEventFilter(this);
    connect(ListViewItems, &QTreeWidget::itemDoubleClicked, this,
            [this] { GuardCommand([this] { ListViewItemsDblClick(); }); });
    layout->addWidget(ListViewItems, 1);
    resize(575, 259);
}

QToolButton* TFormParamsSet::AddButton(const QString& Caption, const QString& Hint, int Image,
                                       const TNotifyEvent* Handler)
{
    auto* button = new QToolButton(ToolBar1);
    button->setText(Caption);
    button->setToolTip(Hint);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setMinimumHeight(30);
    if (Image >= 0) button->setIcon(KPIcon(static_cast<TImageIndex>(Image)));
    ToolBar1->addWidget(button);
    connect(button, &QToolButton::clicked, this, [Handler, button] {
        if (*Handler) GuardCommand([Handler, button] { (*Handler)(button); });
    });
    return button;
}

void TFormParamsSet::Fill(const std::vector<TParameterSet*>& Sets)
{
    ListViewItems->clear();
    for (TParameterSet* set : Sets) AddParamSet(set);
}

QTreeWidgetItem* TFormParamsSet::AddParamSet(TParameterSet* ASet)
{
    auto* item = new QTreeWidgetItem(ListViewItems);
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(ASet)));
    ParamSetToList(item);
    return item;
}

TParameterSet* TFormParamsSet::ParamSetOf(const QTreeWidgetItem* AItem)
{
    return AItem ? static_cast<TParameterSet*>(AItem->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

TParameterSet* TFormParamsSet::SelectedSet() const
{
    const QList<QTreeWidgetItem*> selected = ListViewItems->selectedItems();
    return selected.isEmpty() ? nullptr : ParamSetOf(selected.first());
}

void TFormParamsSet::ParamSetToList(QTreeWidgetItem* AItem)
{
    const TParameterSet* set = ParamSetOf(AItem);
    if (!set) return;
    AItem->setText(0, set->Name());
    AItem->setText(1, ValueText(set->T()));
    AItem->setText(2, ValueText(set->Storage()));
    AItem->setText(3, ValueText(set->Thickness()));
    AItem->setText(4, ValueText(set->Infiltration()));
    AItem->setText(5, ValueText(set->Leakage()));
    AItem->setIcon(0, ColorSwatchIcon(set->Color()));
}

void TFormParamsSet::ListViewItemsDblClick()
{
    const QList<QTreeWidgetItem*> selected = ListViewItems->selectedItems();
    if (selected.isEmpty()) return;
    QTreeWidgetItem* item = selected.first();
    TParameterSet* set = ParamSetOf(item);
    if (!set || !set->Edit()) return;
    ParamSetToList(item);
    if (ItemChanged) ItemChanged(nullptr);
}

bool TFormParamsSet::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ListViewItems && Event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Delete) {
        if (OnDeleteClick) GuardCommand([this] { OnDeleteClick(ListViewItems); });
        return true;
    }
    return QWidget::eventFilter(Watched, Event);
}
