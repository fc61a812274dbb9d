#pragma once

// The value grid of the load page and its two directions: laying the grid out
// for a profile's kind and filling it (FillLoadGrid), and reading it back
// into the profile (ApplyLoadGrid).
//
// Cells hold typed values as item data (double, QDate, QTime, or QDateTime
// as an import leaves it); the grid's delegate shows dates with four-digit
// years and numbers in the user's locale, and edits each column with the
// editor of its kind. Text the user typed into a cell stays text until the
// grid is applied, so that a wrong entry can be named.
//
// ApplyLoadGrid reads every row into a temporary list first and replaces the
// profile's values only when all rows are good: a bad cell raises EKPError
// naming its row and column, and the profile stays as it was.

#include <QStyledItemDelegate>
#include <QTableWidget>

class TLoadObj;

class TLoadGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit TLoadGrid(QWidget* Parent = nullptr);

    // Lays the grid out for Load's kind and fills it; a constant profile
    // leaves layout and contents alone.
    void FillLoadGrid(const TLoadObj& Load);
    // The grid into Load (see above); the bad cell becomes current before the
    // error is raised. A constant profile takes nothing.
    void ApplyLoadGrid(TLoadObj& Load);
    // Empties every cell the user may edit.
    void ClearEditableCells();
    // Sheet rows (column A on) into a time-series layout, one grid row each;
    // the rows are taken as they stand (no header).
    void SetSeriesRows(const QList<QList<QVariant>>& Rows);

private:
    void Layout(const QStringList& Headers, int DataRows, int FixedLeft, int FixedRight);
    void SetValue(int Row, int Column, const QVariant& Value);
    void SizeColumns();
    void ApplyYear(TLoadObj& Load);
    void ApplySeries(TLoadObj& Load);
    void ApplyMonths(TLoadObj& Load);
    bool RowEmpty(int Row) const;

    int FFixedLeft = 0;
    int FFixedRight = 0;
};

// Shows typed values (dates "dd.MM.yyyy", times "hh:mm", numbers in the
// user's locale) and edits them; Enter moves on to the next cell.
class TLoadGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& Value, const QLocale& Locale) const override;
    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override;
    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override;
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override;
    void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override;

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override;
};

// The typed value that cell text stands for: a number as double, otherwise
// the text itself; empty text is no value.
QVariant LoadCellValueFromText(const QString& Text);
