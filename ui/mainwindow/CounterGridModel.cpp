#include "ui/mainwindow/CounterGridModel.h"

#include <QDate>
#include <QPainter>

#include "model/base/DateTime.h"
#include "model/run/CounterTable.h"

#include <algorithm>
#include <cmath>

namespace {

QColor RunColor(TRunColor C)
{
    // $BBGGRR
    return QColor(int(C & 0xFF), int((C >> 8) & 0xFF), int((C >> 16) & 0xFF));
}

} // namespace

TCounterGridModel::TCounterGridModel(QObject* Parent) : QAbstractTableModel(Parent) {}

void TCounterGridModel::SetTable(const TCounterTable* Table, int DayRows)
{
    beginResetModel();
    FTable = Table;
    FDayRows = std::max(0, DayRows);
    FShownRows = rowCount();
    FShownCols = columnCount();
    FDirtyFirst = FDirtyLast = -1;
    endResetModel();
}

int TCounterGridModel::rowCount(const QModelIndex& Parent) const
{
    if (Parent.isValid()) return 0;
    const int filled = FTable ? FTable->RowCount() - 1 : 0;
    return std::max(FDayRows, filled);
}

int TCounterGridModel::columnCount(const QModelIndex& Parent) const
{
    if (Parent.isValid() || !FTable) return 0;
    return std::max<int>(FTable->ColCount(), int(FTable->Header().size()));
}

void TCounterGridModel::MarkRow(int TableRow)
{
    const int r = TableRow - 1;
    if (r < 0) return;
    FDirtyFirst = FDirtyFirst < 0 ? r : std::min(FDirtyFirst, r);
    FDirtyLast = std::max(FDirtyLast, r);
}

void TCounterGridModel::Flush()
{
    if (rowCount() != FShownRows || columnCount() != FShownCols) {
        beginResetModel();
        FShownRows = rowCount();
        FShownCols = columnCount();
        endResetModel();
    } else if (FDirtyFirst >= 0 && FShownCols > 0) {
        emit dataChanged(index(FDirtyFirst, 0), index(std::min(FDirtyLast, FShownRows - 1), FShownCols - 1));
    }
    FDirtyFirst = FDirtyLast = -1;
}

QVariant TCounterGridModel::data(const QModelIndex& Index, int Role) const
{
    if (!FTable || !Index.isValid()) return {};
    const int row = Index.row() + 1;
    const int col = Index.column();
    switch (Role) {
    case Qt::DisplayRole:
        // The number column counts every row, filled or not.
        return col == 0 ? QString::number(row) : FTable->CellText(row, col);
    case Qt::EditRole: {
        if (col == 0) return row;
        if (col == 1) {
            const TDateTime d = FTable->RowDate(row);
            if (std::isnan(d)) return {};
            int y = 0, m = 0, day = 0;
            DecodeDate(d, y, m, day);
            return QDate(y, m, day);
        }
        const double v = FTable->CellValue(row, col);
        return std::isnan(v) ? QVariant() : QVariant(v);
    }
    case Qt::TextAlignmentRole:
        return col >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case IndicatorRole: {
        TCounterIndicator ind;
        if (!FTable->Indicator(row, col, ind)) return {};
        return QVariantList{ind.Value, ind.Range, uint(ind.NegativeColor), uint(ind.PositiveColor)};
    }
    default: return {};
    }
}

QVariant TCounterGridModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Role != Qt::DisplayRole || !FTable) return {};
    if (Orientation == Qt::Vertical) return {};
    return FTable->CellText(0, Section);
}

QString TCounterGridModel::AsText() const
{
    QString out;
    const int cols = columnCount();
    for (int r = -1; r < rowCount(); ++r) {
        for (int c = 0; c < cols; ++c) {
            if (c > 0) out += QLatin1Char('\t');
            out += r < 0 ? headerData(c, Qt::Horizontal).toString() : data(index(r, c)).toString();
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

void TCounterIndicatorDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                                      const QModelIndex& Index) const
{
    const QVariant v = Index.data(TCounterGridModel::IndicatorRole);
    if (!v.isValid()) {
        QStyledItemDelegate::paint(Painter, Option, Index);
        return;
    }
    const QVariantList l = v.toList();
    const int value = l.value(0).toInt();
    const int range = std::max(1, l.value(1).toInt());
    const QRect r = Option.rect.adjusted(2, 3, -2, -3);
    const int mid = r.center().x();
    const double part = std::clamp(double(value) / range, -1.0, 1.0);
    const int w = int(std::lround(part * (r.width() / 2.0)));
    Painter->save();
    if (Option.state & QStyle::State_Selected) Painter->fillRect(Option.rect, Option.palette.highlight());
    Painter->setPen(Qt::NoPen);
    Painter->setBrush(RunColor(value < 0 ? l.value(2).toUInt() : l.value(3).toUInt()));
    if (w != 0) Painter->drawRect(QRect(QPoint(std::min(mid, mid + w), r.top()), QSize(std::abs(w), r.height())));
    Painter->setPen(Option.palette.mid().color());
    Painter->drawLine(mid, r.top(), mid, r.bottom());
    Painter->restore();
}
