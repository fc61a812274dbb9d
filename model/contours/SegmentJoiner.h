#pragma once

// Joins the segments of one level into polylines. The rule is that of a line
// that repeatedly scans its list of segments from the start and takes the
// first one touching either end of the polyline, restarting the scan after
// every match; when no segment matches, the rest goes to a new line in
// reverse order and is joined there the same way. An index from end points
// to segments finds that first segment without rescanning the list.

#include "model/base/MVBasicTypes.h"

#include <vector>

class TSegmentJoiner {
public:
    // A segment from (X1, Y1) to (X2, Y2).
    struct TSegment {
        double X1, Y1, X2, Y2;
    };

    // The segments in list order.
    explicit TSegmentJoiner(std::vector<TSegment> Segments);

    bool Empty() const { return FLeft == 0; }
    // The next polyline, head first. The segments left over then count in
    // reverse order, as in the new line that receives them.
    std::vector<TDblPoint> Next();
    // Indices of the segments left over, in the order the next line holds them.
    std::vector<int> Leftover() const;

private:
    struct TKey {
        double X, Y;
        bool operator==(const TKey& O) const { return X == O.X && Y == O.Y; }
    };
    struct THash {
        size_t operator()(const TKey& K) const;
    };

    static bool Usable(double X, double Y);
    static TKey KeyOf(double X, double Y);
    void BuildIndex();
    // Earlier in the current order.
    bool Before(int A, int B) const { return FAscending ? A < B : A > B; }
    int FirstAlive();
    // The first live segment in the current order with an end at point Id
    // (−1: an end that joins nothing), or −1.
    int FirstAt(int Id) const;
    void Kill(int Index);

    std::vector<TSegment> FSegments;
    std::vector<char> FAlive;
    // Every distinct end point has an id; FEndIds[2i], FEndIds[2i + 1] are
    // those of segment i. The segments at point id p are
    // FMembers[FFirst[p] … FFirst[p + 1] − 1].
    std::vector<int> FEndIds;
    std::vector<int> FFirst;
    std::vector<int> FMembers;
    int FLeft = 0;
    bool FAscending = true;
    // Bounds of the live segments, moved inwards lazily.
    int FLow = 0;
    int FHigh = -1;
};
