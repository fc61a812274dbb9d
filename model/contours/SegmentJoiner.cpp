#include "model/contours/SegmentJoiner.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>

size_t TSegmentJoiner::THash::operator()(const TKey& K) const
{
    const std::uint64_t x = std::bit_cast<std::uint64_t>(K.X);
    const std::uint64_t y = std::bit_cast<std::uint64_t>(K.Y);
    return static_cast<size_t>(x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2)));
}

bool TSegmentJoiner::Usable(double X, double Y)
{
    // A NaN never equals anything, so such an end never joins.
    return !std::isnan(X) && !std::isnan(Y);
}

TSegmentJoiner::TKey TSegmentJoiner::KeyOf(double X, double Y)
{
    // Adding +0 turns −0 into +0: the two compare equal, so they must hash equal.
    return TKey{X + 0.0, Y + 0.0};
}

TSegmentJoiner::TSegmentJoiner(std::vector<TSegment> Segments)
    : FSegments(std::move(Segments)), FAlive(FSegments.size(), 1), FLeft(static_cast<int>(FSegments.size())),
      FHigh(static_cast<int>(FSegments.size()) - 1)
{
    BuildIndex();
}

void TSegmentJoiner::BuildIndex()
{
    const size_t n = FSegments.size();
    FEndIds.assign(2 * n, -1);
    std::unordered_map<TKey, int, THash> ids;
    ids.reserve(n + 1);
    for (size_t i = 0; i < n; ++i) {
        const TSegment& s = FSegments[i];
        if (Usable(s.X1, s.Y1))
            FEndIds[2 * i] = ids.try_emplace(KeyOf(s.X1, s.Y1), static_cast<int>(ids.size())).first->second;
        if (Usable(s.X2, s.Y2))
            FEndIds[2 * i + 1] = ids.try_emplace(KeyOf(s.X2, s.Y2), static_cast<int>(ids.size())).first->second;
    }
    FFirst.assign(ids.size() + 1, 0);
    for (size_t i = 0; i < n; ++i) {
        const int a = FEndIds[2 * i], b = FEndIds[2 * i + 1];
        if (a >= 0) ++FFirst[static_cast<size_t>(a) + 1];
        if (b >= 0 && b != a) ++FFirst[static_cast<size_t>(b) + 1];
    }
    for (size_t p = 1; p < FFirst.size(); ++p) FFirst[p] += FFirst[p - 1];
    FMembers.assign(static_cast<size_t>(FFirst.back()), 0);
    std::vector<int> fill(FFirst.begin(), FFirst.end() - 1);
    for (size_t i = 0; i < n; ++i) {
        const int a = FEndIds[2 * i], b = FEndIds[2 * i + 1];
        if (a >= 0) FMembers[static_cast<size_t>(fill[static_cast<size_t>(a)]++)] = static_cast<int>(i);
        if (b >= 0 && b != a) FMembers[static_cast<size_t>(fill[static_cast<size_t>(b)]++)] = static_cast<int>(i);
    }
}

int TSegmentJoiner::FirstAlive()
{
    while (FLow <= FHigh && !FAlive[static_cast<size_t>(FLow)]) ++FLow;
    while (FHigh >= FLow && !FAlive[static_cast<size_t>(FHigh)]) --FHigh;
    if (FLow > FHigh) return -1;
    return FAscending ? FLow : FHigh;
}

int TSegmentJoiner::FirstAt(int Id) const
{
    if (Id < 0) return -1;
    int best = -1;
    for (int k = FFirst[static_cast<size_t>(Id)]; k < FFirst[static_cast<size_t>(Id) + 1]; ++k) {
        const int i = FMembers[static_cast<size_t>(k)];
        if (FAlive[static_cast<size_t>(i)] && (best < 0 || Before(i, best))) best = i;
    }
    return best;
}

void TSegmentJoiner::Kill(int Index)
{
    FAlive[static_cast<size_t>(Index)] = 0;
    --FLeft;
}

std::vector<TDblPoint> TSegmentJoiner::Next()
{
    std::deque<TDblPoint> points;
    const int start = FirstAlive();
    if (start >= 0) {
        const size_t s = static_cast<size_t>(start);
        points.push_back(TDblPoint(FSegments[s].X1, FSegments[s].Y1));
        points.push_back(TDblPoint(FSegments[s].X2, FSegments[s].Y2));
        int head = FEndIds[2 * s], tail = FEndIds[2 * s + 1];
        Kill(start);
        for (;;) {
            const int atHead = FirstAt(head);
            const int atTail = FirstAt(tail);
            int next = atHead;
            if (next < 0 || (atTail >= 0 && Before(atTail, next))) next = atTail;
            if (next < 0) break;
            const size_t m = static_cast<size_t>(next);
            const int p1 = FEndIds[2 * m], p2 = FEndIds[2 * m + 1];
            // Ids stand for exact equality of the points (NaN ends have none).
            if (p1 >= 0 && p1 == head) {
                points.push_front(TDblPoint(FSegments[m].X2, FSegments[m].Y2));
                head = p2;
            } else if (p2 >= 0 && p2 == head) {
                points.push_front(TDblPoint(FSegments[m].X1, FSegments[m].Y1));
                head = p1;
            } else if (p2 >= 0 && p2 == tail) {
                points.push_back(TDblPoint(FSegments[m].X1, FSegments[m].Y1));
                tail = p1;
            } else {
                points.push_back(TDblPoint(FSegments[m].X2, FSegments[m].Y2));
                tail = p2;
            }
            Kill(next);
        }
    }
    // The rest moves into a new line from the last to the first.
    FAscending = !FAscending;
    return std::vector<TDblPoint>(points.begin(), points.end());
}

std::vector<int> TSegmentJoiner::Leftover() const
{
    std::vector<int> rest;
    rest.reserve(static_cast<size_t>(FLeft));
    const int n = static_cast<int>(FSegments.size());
    if (FAscending) {
        for (int i = 0; i < n; ++i)
            if (FAlive[static_cast<size_t>(i)]) rest.push_back(i);
    } else {
        for (int i = n - 1; i >= 0; --i)
            if (FAlive[static_cast<size_t>(i)]) rest.push_back(i);
    }
    return rest;
}
