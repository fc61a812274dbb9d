#include "plan/PlanItemIndex.h"

#include <algorithm>
#include <cmath>

void TPlanItemIndex::Clear()
{
    FCells.clear();
    FCols = FRows = 0;
}

void TPlanItemIndex::Build(const std::vector<QRectF>& Bounds)
{
    Clear();
    QRectF area;
    int count = 0;
    for (const QRectF& b : Bounds) {
        if (!b.isValid()) continue;
        area = area.isValid() ? area.united(b) : b;
        ++count;
    }
    if (count == 0 || !(area.width() > 0) || !(area.height() > 0)) return;
    // About two items per cell.
    const double side = std::sqrt(area.width() * area.height() / std::max(1, count / 2));
    FArea = area;
    FCols = std::clamp(static_cast<int>(std::ceil(area.width() / side)), 1, 2048);
    FRows = std::clamp(static_cast<int>(std::ceil(area.height() / side)), 1, 2048);
    FCellW = area.width() / FCols;
    FCellH = area.height() / FRows;
    FCells.assign(static_cast<size_t>(FCols) * FRows, {});
    auto col = [&](double x) { return std::clamp(static_cast<int>((x - area.left()) / FCellW), 0, FCols - 1); };
    auto row = [&](double y) { return std::clamp(static_cast<int>((y - area.top()) / FCellH), 0, FRows - 1); };
    for (int i = 0; i < static_cast<int>(Bounds.size()); ++i) {
        const QRectF& b = Bounds[static_cast<size_t>(i)];
        if (!b.isValid()) continue;
        for (int r = row(b.top()); r <= row(b.bottom()); ++r)
            for (int c = col(b.left()); c <= col(b.right()); ++c)
                FCells[static_cast<size_t>(r) * FCols + c].push_back(i);
    }
}

const std::vector<int>& TPlanItemIndex::Candidates(QPointF P) const
{
    if (FCells.empty() || !FArea.contains(P)) return FNone;
    const int c = std::clamp(static_cast<int>((P.x() - FArea.left()) / FCellW), 0, FCols - 1);
    const int r = std::clamp(static_cast<int>((P.y() - FArea.top()) / FCellH), 0, FRows - 1);
    return FCells[static_cast<size_t>(r) * FCols + c];
}
