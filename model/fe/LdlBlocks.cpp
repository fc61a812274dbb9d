#include "model/fe/LdlBlocks.h"

#include <cstring>

namespace {

// Two doubles side by side: the compiler's vector type, SSE2 on x86-64.
typedef double TPair __attribute__((vector_size(16)));

inline TPair LoadPair(const double* P)
{
    TPair v;
    std::memcpy(&v, P, sizeof v);
    return v;
}

template <int W>
void ForwardBlock(double* X, int First, const int* Rows, int RowCount, const double* Tri, const double* Rect,
                  const double* InvD)
{
    double y[W];
    for (int m = 0; m < W; ++m) {
        double s = X[First + m];
        for (int k = 0; k < m; ++k) s -= Tri[m * (m - 1) / 2 + k] * y[k];
        y[m] = s;
    }
    if constexpr (W >= 4) {
        // A wide row's sum two columns at a time: half the loads.
        TPair yp[W / 2];
        for (int k = 0; k < W / 2; ++k) yp[k] = TPair{y[2 * k], y[2 * k + 1]};
        for (int q = 0; q < RowCount; ++q, Rect += W) {
            TPair acc = LoadPair(Rect) * yp[0];
            for (int k = 1; k < W / 2; ++k) acc += LoadPair(Rect + 2 * k) * yp[k];
            double s = acc[0] + acc[1];
            if constexpr (W % 2 != 0) s += Rect[W - 1] * y[W - 1];
            X[Rows[q]] -= s;
        }
    } else {
        for (int q = 0; q < RowCount; ++q, Rect += W) {
            double s = 0;
            for (int k = 0; k < W; ++k) s += Rect[k] * y[k];
            X[Rows[q]] -= s;
        }
    }
    for (int m = 0; m < W; ++m) X[First + m] = y[m] * InvD[First + m];
}

// Narrow blocks sum two rows at a time into two sets of sums.
template <int W>
void BackwardBlock(double* X, int First, const int* Rows, int RowCount, const double* Tri, const double* Rect)
{
    constexpr int Sets = W <= 4 ? 2 : 1;
    double acc[Sets][W] = {};
    int q = 0;
    for (; q + Sets <= RowCount; q += Sets, Rect += Sets * W)
        for (int t = 0; t < Sets; ++t) {
            const double x = X[Rows[q + t]];
            for (int k = 0; k < W; ++k) acc[t][k] += Rect[t * W + k] * x;
        }
    for (; q < RowCount; ++q, Rect += W) {
        const double x = X[Rows[q]];
        for (int k = 0; k < W; ++k) acc[0][k] += Rect[k] * x;
    }
    double y[W];
    for (int k = W - 1; k >= 0; --k) {
        double s = X[First + k] - (Sets == 2 ? acc[0][k] + acc[Sets - 1][k] : acc[0][k]);
        for (int m = k + 1; m < W; ++m) s -= Tri[m * (m - 1) / 2 + k] * y[m];
        y[k] = s;
    }
    for (int k = 0; k < W; ++k) X[First + k] = y[k];
}

// A single column: the update is a scatter, its sum four partial sums.
void BackwardColumn(double* X, int First, const int* Rows, int RowCount, const double* Rect)
{
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int q = 0;
    for (; q + 4 <= RowCount; q += 4) {
        s0 += Rect[q] * X[Rows[q]];
        s1 += Rect[q + 1] * X[Rows[q + 1]];
        s2 += Rect[q + 2] * X[Rows[q + 2]];
        s3 += Rect[q + 3] * X[Rows[q + 3]];
    }
    for (; q < RowCount; ++q) s0 += Rect[q] * X[Rows[q]];
    X[First] -= (s0 + s1) + (s2 + s3);
}

} // namespace

void ForwardBlocks(double* X, std::span<const TLdlBlock> Blocks, const int* Rows, const double* Values,
                   const double* InvD)
{
    const double* v = Values;
    const int* rows = Rows;
    const double* invD = InvD;
    for (const TLdlBlock& b : Blocks) {
        const int* r = rows + b.RowStart;
        const double* tri = v + b.Triangle;
        const double* rect = v + b.Rectangle;
        switch (b.Width) {
        case 1: {
            const double y = X[b.First];
            for (int q = 0; q < b.RowCount; ++q) X[r[q]] -= rect[q] * y;
            X[b.First] = y * invD[b.First];
            break;
        }
        case 2: ForwardBlock<2>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 3: ForwardBlock<3>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 4: ForwardBlock<4>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 5: ForwardBlock<5>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 6: ForwardBlock<6>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 7: ForwardBlock<7>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        default: ForwardBlock<8>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        }
    }
}

void BackwardBlocks(double* X, std::span<const TLdlBlock> Blocks, const int* Rows, const double* Values)
{
    const double* v = Values;
    const int* rows = Rows;
    for (auto it = Blocks.rbegin(); it != Blocks.rend(); ++it) {
        const TLdlBlock& b = *it;
        const int* r = rows + b.RowStart;
        const double* tri = v + b.Triangle;
        const double* rect = v + b.Rectangle;
        switch (b.Width) {
        case 1: BackwardColumn(X, b.First, r, b.RowCount, rect); break;
        case 2: BackwardBlock<2>(X, b.First, r, b.RowCount, tri, rect); break;
        case 3: BackwardBlock<3>(X, b.First, r, b.RowCount, tri, rect); break;
        case 4: BackwardBlock<4>(X, b.First, r, b.RowCount, tri, rect); break;
        case 5: BackwardBlock<5>(X, b.First, r, b.RowCount, tri, rect); break;
        case 6: BackwardBlock<6>(X, b.First, r, b.RowCount, tri, rect); break;
        case 7: BackwardBlock<7>(X, b.First, r, b.RowCount, tri, rect); break;
        default: BackwardBlock<8>(X, b.First, r, b.RowCount, tri, rect); break;
        }
    }
}
