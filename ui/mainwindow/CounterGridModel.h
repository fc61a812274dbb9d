#pragma once

// The counter grid's model: a view onto the run's daily counter table, which
// stays in the main loop. The grid has one row per started day of the set
// duration from the start (the table fills them as the run goes), column 0
// numbers the rows. Cells carry their typed value: the date column a QDate,
// number columns the double behind the text (Qt::EditRole); the range
// indicators are drawn by TCounterIndicatorDelegate.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

class TCounterTable;

class TCounterGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The indicator of a cell (TCounterIndicator's fields) as a QVariantList
    // {Value, Range, NegativeColor, PositiveColor}.
    static constexpr int IndicatorRole = Qt::UserRole + 1;

    explicit TCounterGridModel(QObject* Parent = nullptr);

    // Binds the table (or none) and the number of day rows to show.
    void SetTable(const TCounterTable* Table, int DayRows);
    const TCounterTable* Table() const { return FTable; }
    // Rows of the grid with its header row, as the user counts them.
    int GridRowCount() const { return rowCount() + 1; }

    // A day row was filled; shown at the next Flush.
    void MarkRow(int TableRow);
    // Tells the view what changed since the last flush; a table that
    // outgrew the rows resets the model.
    void Flush();
    int PendingFirst() const { return FDirtyFirst; }

    int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;

    // The grid as tab-separated text, rows by CR LF (the header first).
    QString AsText() const;

private:
    const TCounterTable* FTable = nullptr;
    int FDayRows = 0;
    int FShownRows = 0;
    int FShownCols = 0;
    int FDirtyFirst = -1;
    int FDirtyLast = -1;
};

// Paints a range-indicator cell: a bar from the cell's middle, red to the
// left for negative values, green to the right for positive ones.
class TCounterIndicatorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
};
