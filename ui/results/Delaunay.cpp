#include "ui/results/Delaunay.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace {

struct TTri {
    int A, B, C;
    double Cx, Cy, R2;  // circumcircle
};

double Cross(double ax, double ay, double bx, double by, double cx, double cy)
{
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

class TBuilder {
public:
    TBuilder(std::vector<double> X, std::vector<double> Y) : FX(std::move(X)), FY(std::move(Y)) {}

    bool MakeTri(int A, int B, int C, TTri& T) const
    {
        if (Cross(FX[A], FY[A], FX[B], FY[B], FX[C], FY[C]) < 0) std::swap(B, C);
        const double ax = FX[A], ay = FY[A], bx = FX[B], by = FY[B], cx = FX[C], cy = FY[C];
        const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
        if (d == 0) return false;
        const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
        T = {A, B, C, (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d,
             (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d, 0};
        T.R2 = (ax - T.Cx) * (ax - T.Cx) + (ay - T.Cy) * (ay - T.Cy);
        return true;
    }

    void Insert(int P)
    {
        const double px = FX[P], py = FY[P];
        std::unordered_map<long long, int> edges;  // edge key → times seen
        const auto key = [](int U, int V) { return (static_cast<long long>(std::min(U, V)) << 32) | std::max(U, V); };
        std::vector<std::pair<int, int>> boundary;
        std::size_t kept = 0;
        std::vector<TTri> bad;
        for (const TTri& t : FTris) {
            const double dx = px - t.Cx, dy = py - t.Cy;
            if (dx * dx + dy * dy < t.R2 * (1 + 1e-12))
                bad.push_back(t);
            else
                FTris[kept++] = t;
        }
        FTris.resize(kept);
        for (const TTri& t : bad)
            for (auto [u, v] : {std::pair{t.A, t.B}, std::pair{t.B, t.C}, std::pair{t.C, t.A}}) ++edges[key(u, v)];
        for (const TTri& t : bad)
            for (auto [u, v] : {std::pair{t.A, t.B}, std::pair{t.B, t.C}, std::pair{t.C, t.A}})
                if (edges[key(u, v)] == 1) boundary.emplace_back(u, v);
        for (auto [u, v] : boundary) {
            TTri t;
            if (MakeTri(u, v, P, t)) FTris.push_back(t);
        }
    }

    std::vector<double> FX, FY;
    std::vector<TTri> FTris;
};

} // namespace

std::vector<TTriangle> DelaunayTriangulate(const std::vector<double>& Xs, const std::vector<double>& Ys)
{
    const int n = static_cast<int>(std::min(Xs.size(), Ys.size()));
    std::vector<int> order;
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(Xs[i]) || !std::isfinite(Ys[i])) continue;
        order.push_back(i);
        x0 = std::min(x0, Xs[i]);
        x1 = std::max(x1, Xs[i]);
        y0 = std::min(y0, Ys[i]);
        y1 = std::max(y1, Ys[i]);
    }
    if (order.size() < 3) return {};
    const double extent = std::max({x1 - x0, y1 - y0, 1e-300});
    // Points sorted along x: neighbours in the order are near in the plane,
    // and repeated points sit next to each other.
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return Xs[a] != Xs[b] ? Xs[a] < Xs[b] : Ys[a] < Ys[b];
    });

    std::vector<double> X, Y;
    std::vector<int> original;
    const double tol = extent * 1e-6;
    for (int i : order) {
        bool repeat = false;
        for (std::size_t k = original.size(); k-- > 0 && Xs[i] - X[k] <= tol;)
            if (std::abs(Ys[i] - Y[k]) <= tol) {
                repeat = true;
                break;
            }
        if (repeat) continue;
        X.push_back(Xs[i]);
        Y.push_back(Ys[i]);
        original.push_back(i);
    }
    const int m = static_cast<int>(X.size());
    if (m < 3) return {};
    // A triangle far around every point; it and its edges go at the end.
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, r = extent * 20;
    X.insert(X.end(), {cx - 2 * r, cx + 2 * r, cx});
    Y.insert(Y.end(), {cy - r, cy - r, cy + 2 * r});
    TBuilder b(std::move(X), std::move(Y));
    TTri super;
    b.MakeTri(m, m + 1, m + 2, super);
    b.FTris.push_back(super);
    for (int i = 0; i < m; ++i) b.Insert(i);

    std::vector<TTriangle> result;
    for (const TTri& t : b.FTris) {
        if (t.A >= m || t.B >= m || t.C >= m) continue;
        const double area = Cross(b.FX[t.A], b.FY[t.A], b.FX[t.B], b.FY[t.B], b.FX[t.C], b.FY[t.C]);
        if (area <= extent * extent * 1e-14) continue;
        result.push_back({original[t.A], original[t.B], original[t.C]});
    }
    return result;
}
