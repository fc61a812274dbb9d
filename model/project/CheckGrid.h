#pragma once

// The result table the two built-in solver checks write into. The user
// interface adapts its string grid to it; TStringTable keeps the cells for
// headless use.

#include <QString>
#include <vector>

class TCheckGrid {
public:
    virtual ~TCheckGrid() = default;
    // Every cell empty; the size stays.
    virtual void Clear() = 0;
    virtual void SetSize(int ColCount, int RowCount) = 0;
    virtual void SetCell(int Col, int Row, const QString& Text) = 0;
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
    // Every column (fixed ones included) as wide as its widest text plus ExtraPixels.
    virtual void AutoSizeColumns(int ExtraPixels) { (void)ExtraPixels; }
};

class TStringTable : public TCheckGrid {
public:
    void Clear() override;
    // Cells inside the new size keep their text.
    void SetSize(int ColCount, int RowCount) override;
    // A cell outside the table is ignored.
    void SetCell(int Col, int Row, const QString& Text) override;

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // Empty outside the table.
    QString Cell(int Col, int Row) const;

private:
    int FColCount = 0;
    int FRowCount = 0;
    std::vector<QString> FCells;  // row by row
};
