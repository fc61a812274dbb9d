#include "model/project/CheckGrid.h"

#include <algorithm>

void TStringTable::Clear()
{
    std::fill(FCells.begin(), FCells.end(), QString());
}

void TStringTable::SetSize(int ColCount, int RowCount)
{
    ColCount = std::max(ColCount, 0);
    RowCount = std::max(RowCount, 0);
    std::vector<QString> cells(static_cast<size_t>(ColCount) * static_cast<size_t>(RowCount));
    for (int r = 0; r < std::min(RowCount, FRowCount); ++r)
        for (int c = 0; c < std::min(ColCount, FColCount); ++c)
            cells[static_cast<size_t>(r) * static_cast<size_t>(ColCount) + static_cast<size_t>(c)] = Cell(c, r);
    FCells = std::move(cells);
    FColCount = ColCount;
    FRowCount = RowCount;
}

void TStringTable::SetCell(int Col, int Row, const QString& Text)
{
    if (Col < 0 || Row < 0 || Col >= FColCount || Row >= FRowCount) return;
    FCells[static_cast<size_t>(Row) * static_cast<size_t>(FColCount) + static_cast<size_t>(Col)] = Text;
}

QString TStringTable::Cell(int Col, int Row) const
{
    if (Col < 0 || Row < 0 || Col >= FColCount || Row >= FRowCount) return QString();
    return FCells[static_cast<size_t>(Row) * static_cast<size_t>(FColCount) + static_cast<size_t>(Col)];
}
