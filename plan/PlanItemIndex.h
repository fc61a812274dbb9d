#pragma once

// A uniform grid over plan items' bounds, so that the hover search of a large mesh
// tests only the few items near the mouse. Items are referred to by their list
// position; candidates come back in ascending order, so the first hit is the one a
// plain list walk would find.

#include <QPointF>
#include <QRectF>
#include <vector>

class TPlanItemIndex
{
public:
    void Clear();
    // Bounds[i] is the plan bounding box of item i (empty for an item without shape).
    void Build(const std::vector<QRectF>& Bounds);
    bool Empty() const { return FCells.empty(); }
    // Item positions whose cell holds P, ascending.
    const std::vector<int>& Candidates(QPointF P) const;

private:
    QRectF FArea;
    int FCols = 0;
    int FRows = 0;
    double FCellW = 1;
    double FCellH = 1;
    std::vector<std::vector<int>> FCells;
    std::vector<int> FNone;
};
