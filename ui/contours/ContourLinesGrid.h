#pragma once

#include <QTableWidget>

#include "gfx/Colors.h"

class QPushButton;

// The contours dialog's line-style grid. Rows are counted as the dialog
// counts them: row 0 is the header, row 1 the default line ("Standard"),
// rows 2 and on the highlighted levels. Columns: 0 level, 1 colour (a filled
// shape, picked from a drop-down), 2 width, 3 the row's "Löschen" button.
// Cells keep the user's text; the model reads them as numbers, and
// FindBadCell tells beforehand which one it could not read.
class TContourLinesGrid : public QTableWidget
{
    Q_OBJECT

public:
    static constexpr int ColLevel = 0;
    static constexpr int ColColor = 1;
    static constexpr int ColWidth = 2;
    static constexpr int ColDelete = 3;

    explicit TContourLinesGrid(QWidget* Parent);

    // Header and the default row only; the rows of an earlier opening go.
    void SetupGrid();
    // Fills row TheRow, appending a row when TheRow is not below RowCount.
    void AddALine(int TheRow, const QString& AText, TColor AColor, const QString& AWidth, bool ShowDelete);
    // Rows including the header row.
    int RowCount() const;
    bool CanEditCell(int ARow, int ACol) const;
    // Removes row ARow (the handler of its "Löschen" button).
    void LinesGridButtonClick(int ACol, int ARow);

    QString CellText(int ARow, int ACol) const;
    void SetCellText(int ARow, int ACol, const QString& Text);
    TColor CellColor(int ARow) const;
    void SetCellColor(int ARow, TColor AColor);
    QPushButton* DeleteButton(int ARow) const;

    // The first level or width cell that is no number (empty and a lone "-"
    // read as 0) or a negative width; false when every cell can be read.
    bool FindBadCell(int& ARow, int& ACol, QString& Reason) const;
    // Takes the text of a cell editor still open into its cell.
    void CommitOpenEditor();
    // Selects the cell and gives the grid the focus.
    void FocusCell(int ARow, int ACol);

private:
    void DeleteClicked(QPushButton* Button);
};

// A cell of the grid as a number: empty or a lone "-" is 0.
bool GridCellNumber(const QString& Text, double& Value);
