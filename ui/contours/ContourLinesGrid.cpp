#include "ui/contours/ContourLinesGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

#include "model/base/NumberText.h"

#include <cmath>

namespace {

constexpr int HeaderRows = 1; // the grid's row 0 is the table's header
constexpr int ColorRole = Qt::UserRole;

QIcon Swatch(TColor C)
{
    QPixmap p(28, 14);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setPen(Qt::darkGray);
    painter.setBrush(ColorToQColor(C));
    painter.drawRect(0, 0, p.width() - 1, p.height() - 1);
    return QIcon(p);
}

// The colours of the drop-down: a colour cube of three levels per channel,
// then two greys.
std::vector<TColor> PickerColors()
{
    std::vector<TColor> colors;
    for (int b : {0, 128, 255})
        for (int g : {0, 128, 255})
            for (int r : {0, 128, 255}) colors.push_back(RGB(uint8_t(r), uint8_t(g), uint8_t(b)));
    colors.push_back(RGB(64, 64, 64));
    colors.push_back(RGB(192, 192, 192));
    return colors;
}

// Column 1: a colour drop-down without text; column 2: only digits and one
// decimal separator (a width is never negative).
class TLinesGridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override
    {
        if (Index.column() == TContourLinesGrid::ColColor) {
            auto* combo = new QComboBox(Parent);
            combo->setObjectName(QStringLiteral("ColorPicker"));
            combo->setIconSize(QSize(28, 14));
            for (TColor c : PickerColors())
                combo->addItem(Swatch(c), QString(), QVariant::fromValue<uint>(c));
            auto* self = const_cast<TLinesGridDelegate*>(this);
            QObject::connect(combo, &QComboBox::activated, combo, [self, combo] {
                emit self->commitData(combo);
                emit self->closeEditor(combo);
            });
            return combo;
        }
        QWidget* w = QStyledItemDelegate::createEditor(Parent, Option, Index);
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && Index.column() == TContourLinesGrid::ColWidth) {
            const QString sep = QRegularExpression::escape(UserLocale().decimalPoint());
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*([.%1][0-9]*)?").arg(sep)), edit));
        }
        return w;
    }

    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override
    {
        auto* combo = qobject_cast<QComboBox*>(Editor);
        if (!combo) return QStyledItemDelegate::setEditorData(Editor, Index);
        const uint c = Index.data(ColorRole).toUInt();
        int i = combo->findData(QVariant::fromValue<uint>(c));
        if (i < 0) {
            combo->addItem(Swatch(c), QString(), QVariant::fromValue<uint>(c));
            i = combo->count() - 1;
        }
        combo->setCurrentIndex(i);
    }

    void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override
    {
        auto* combo = qobject_cast<QComboBox*>(Editor);
        if (!combo) return QStyledItemDelegate::setModelData(Editor, Model, Index);
        const TColor c = combo->currentData().toUInt();
        Model->setData(Index, QVariant::fromValue<uint>(c), ColorRole);
        Model->setData(Index, ColorToQColor(c), Qt::DecorationRole);
    }
};

} // namespace

bool GridCellNumber(const QString& Text, double& Value)
{
    const QString t = Text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("-")) {
        Value = 0;
        return true;
    }
    return TryStrToFloat(t, Value) && std::isfinite(Value);
}

TContourLinesGrid::TContourLinesGrid(QWidget* Parent) : QTableWidget(Parent)
{
    setObjectName(QStringLiteral("LinesGrid"));
    setItemDelegate(new TLinesGridDelegate(this));
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    SetupGrid();
}

void TContourLinesGrid::SetupGrid()
{
    clear();
    setColumnCount(4);
    setRowCount(1);
    setHorizontalHeaderLabels(
        {QStringLiteral("Isotherme °C"), QStringLiteral("Farbe"), QStringLiteral("Linienbreite"), QString()});
    setColumnWidth(ColLevel, 100);
    setColumnWidth(ColColor, 60);
    setColumnWidth(ColWidth, 85);
    setColumnWidth(ColDelete, 90);
    for (int c = 0; c < columnCount(); ++c) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(CanEditCell(1, c) ? item->flags() | Qt::ItemIsEditable
                                         : item->flags() & ~Qt::ItemIsEditable);
        setItem(0, c, item);
    }
}

int TContourLinesGrid::RowCount() const
{
    return rowCount() + HeaderRows;
}

bool TContourLinesGrid::CanEditCell(int ARow, int ACol) const
{
    if (ARow == 0) return false;
    if (ARow == 1) return ACol != ColLevel && ACol != ColDelete;
    return true;
}

void TContourLinesGrid::AddALine(int TheRow, const QString& AText, TColor AColor, const QString& AWidth,
                                 bool ShowDelete)
{
    if (TheRow < HeaderRows) return;
    if (TheRow >= RowCount()) {
        insertRow(rowCount());
        TheRow = RowCount() - 1;
    }
    const int r = TheRow - HeaderRows;
    for (int c = 0; c < columnCount(); ++c) {
        if (item(r, c)) continue;
        auto* it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        // The delete column holds a button, never text.
        const bool editable = CanEditCell(TheRow, c) && c != ColDelete;
        it->setFlags(editable ? it->flags() | Qt::ItemIsEditable : it->flags() & ~Qt::ItemIsEditable);
        setItem(r, c, it);
    }
    SetCellText(TheRow, ColLevel, AText);
    SetCellColor(TheRow, AColor);
    SetCellText(TheRow, ColWidth, AWidth);
    if (!ShowDelete) return;
    auto* holder = new QWidget(this);
    auto* l = new QHBoxLayout(holder);
    l->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(QStringLiteral("Löschen"), holder);
    button->setObjectName(QStringLiteral("BtnDelete"));
    button->setFixedSize(70, 20);
    button->setAutoDefault(false);
    l->addWidget(button, 0, Qt::AlignCenter);
    connect(button, &QPushButton::clicked, this, [this, button] { DeleteClicked(button); });
    setCellWidget(r, ColDelete, holder);
}

void TContourLinesGrid::DeleteClicked(QPushButton* Button)
{
    // Rows above may have gone since the button was made: its row is where
    // it is now.
    for (int r = HeaderRows; r < RowCount(); ++r)
        if (DeleteButton(r) == Button) return LinesGridButtonClick(ColDelete, r);
}

void TContourLinesGrid::LinesGridButtonClick(int ACol, int ARow)
{
    (void)ACol;
    // The header and the default line stay.
    if (ARow < 2 || ARow >= RowCount()) return;
    removeRow(ARow - HeaderRows);
}

QString TContourLinesGrid::CellText(int ARow, int ACol) const
{
    const QTableWidgetItem* it = item(ARow - HeaderRows, ACol);
    return it ? it->text() : QString();
}

void TContourLinesGrid::SetCellText(int ARow, int ACol, const QString& Text)
{
    if (QTableWidgetItem* it = item(ARow - HeaderRows, ACol)) it->setText(Text);
}

TColor TContourLinesGrid::CellColor(int ARow) const
{
    const QTableWidgetItem* it = item(ARow - HeaderRows, ColColor);
    return it ? it->data(ColorRole).toUInt() : clBlack;
}

void TContourLinesGrid::SetCellColor(int ARow, TColor AColor)
{
    QTableWidgetItem* it = item(ARow - HeaderRows, ColColor);
    if (!it) return;
    it->setData(ColorRole, QVariant::fromValue<uint>(AColor));
    it->setData(Qt::DecorationRole, ColorToQColor(AColor));
}

QPushButton* TContourLinesGrid::DeleteButton(int ARow) const
{
    QWidget* holder = cellWidget(ARow - HeaderRows, ColDelete);
    return holder ? holder->findChild<QPushButton*>() : nullptr;
}

bool TContourLinesGrid::FindBadCell(int& ARow, int& ACol, QString& Reason) const
{
    for (int r = 1; r < RowCount(); ++r) {
        for (int c : {ColLevel, ColWidth}) {
            if (r == 1 && c == ColLevel) continue; // "Standard"
            const QString text = CellText(r, c);
            double v = 0;
            if (!GridCellNumber(text, v))
                Reason = QStringLiteral("'%1' ist kein gültiger Gleitkommawert.").arg(text);
            else if (c == ColWidth && v < 0)
                Reason = QStringLiteral("Die Linienbreite darf nicht negativ sein.");
            else
                continue;
            ARow = r;
            ACol = c;
            return true;
        }
    }
    return false;
}

void TContourLinesGrid::FocusCell(int ARow, int ACol)
{
    setCurrentCell(ARow - HeaderRows, ACol);
    setFocus();
}

void TContourLinesGrid::CommitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState) return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
