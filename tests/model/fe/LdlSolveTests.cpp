// The solve with the copied factor in blocks against a dense solve of the same
// matrix, and its refusal of a malformed factor.

#include "model/base/KPError.h"
#include "model/fe/CholmodSolver.h"
#include "model/fe/LdlSolve.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

namespace {

// Symmetric positive definite: a grid Laplacian with a storage-like diagonal,
// or dense, or diagonal; its upper triangle is what the solver takes.
Eigen::MatrixXd GridMatrix(int K)
{
    const int n = K * K;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(n, n);
    for (int j = 0; j < K; ++j)
        for (int i = 0; i < K; ++i) {
            const int p = j * K + i;
            a(p, p) += 0.3 + 0.01 * p;
            for (const int q : {i + 1 < K ? p + 1 : -1, j + 1 < K ? p + K : -1, i + 1 < K && j + 1 < K ? p + K + 1 : -1}) {
                if (q < 0) continue;
                a(p, p) += 1;
                a(q, q) += 1;
                a(p, q) -= 1;
                a(q, p) -= 1;
            }
        }
    return a;
}

Eigen::MatrixXd DenseMatrix(int N)
{
    Eigen::MatrixXd r(N, N);
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) r(i, j) = std::sin(1.0 + i * 7 + j * 3);
    return r * r.transpose() + N * Eigen::MatrixXd::Identity(N, N);
}

Eigen::MatrixXd DiagonalMatrix(int N)
{
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(N, N);
    for (int i = 0; i < N; ++i) a(i, i) = 1.0 + i;
    return a;
}

void Factorize(const Eigen::MatrixXd& A, TCholmodSolver& Solver)
{
    std::vector<int> p{0}, rows;
    std::vector<double> values;
    for (int c = 0; c < A.cols(); ++c) {
        for (int r = 0; r <= c; ++r)
            if (A(r, c) != 0) {
                rows.push_back(r);
                values.push_back(A(r, c));
            }
        p.push_back(static_cast<int>(rows.size()));
    }
    ASSERT_TRUE(Solver.Factorize(static_cast<int>(A.cols()), p, rows, values));
}

} // namespace

TEST(LdlSolve, AgreesWithADenseSolve)
{
    struct TCase {
        const char* name;
        Eigen::MatrixXd a;
        bool blocks; // columns are expected to join in blocks
    };
    const TCase cases[] = {
        {"one unknown", DiagonalMatrix(1), false},
        {"diagonal", DiagonalMatrix(9), false},
        {"grid 3 x 3", GridMatrix(3), true},
        {"grid 14 x 14", GridMatrix(14), true},
        {"dense 21, blocks split", DenseMatrix(21), true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = static_cast<int>(c.a.cols());
        Eigen::VectorXd b(n);
        for (int i = 0; i < n; ++i) b[i] = std::cos(0.7 * i) * (i % 3 == 0 ? 100 : 1);
        const Eigen::VectorXd want = c.a.ldlt().solve(b);
        struct TSolver {
            const char* name;
            TCholmodSolver::TFactorKind kind;
            long splitFrom;
        };
        const TSolver solvers[] = {
            {"blocks", TCholmodSolver::TFactorKind::Simplicial, TLdlSolve::DefaultSplitFrom},
            {"blocks in two parts", TCholmodSolver::TFactorKind::Simplicial, 0},
            {"CHOLMOD's own solve", TCholmodSolver::TFactorKind::Supernodal, 0},
        };
        for (const TSolver& s : solvers) {
            SCOPED_TRACE(s.name);
            TCholmodSolver solver;
            solver.SetFactorKind(s.kind);
            solver.SetSplitFrom(s.splitFrom);
            Factorize(c.a, solver);
            if (s.kind == TCholmodSolver::TFactorKind::Simplicial) {
                EXPECT_EQ(solver.MeanBlockWidth() > 1, c.blocks);
            }
            Eigen::VectorXd x(n);
            solver.Solve(b.data(), x.data());
            EXPECT_LE((x - want).norm(), 1e-12 * want.norm());
            // In the factor's own order: the same solution, permuted.
            const std::span<const int> perm = solver.Permutation();
            Eigen::VectorXd bp(n);
            for (int i = 0; i < n; ++i) bp[i] = b[perm.empty() ? i : perm[static_cast<size_t>(i)]];
            const std::span<const double> xp = solver.SolvePermuted(bp.data());
            for (int i = 0; i < n; ++i)
                EXPECT_NEAR(xp[static_cast<size_t>(i)], x[perm.empty() ? i : perm[static_cast<size_t>(i)]],
                            1e-13 * want.norm());
        }
    }
}

// A grid's factor splits into parts below a few top columns, in two levels
// or three; the parts may run on several threads and give what one thread
// gives.
TEST(LdlSolve, SplitFactorGivesTheSameSolutionEveryTime)
{
    const Eigen::MatrixXd a = GridMatrix(30);
    const int n = static_cast<int>(a.cols());
    TCholmodSolver whole;
    Factorize(a, whole);
    EXPECT_EQ(whole.TopShare(), 1);
    EXPECT_EQ(whole.SplitLevels(), 1);
    Eigen::VectorXd b = Eigen::VectorXd::LinSpaced(n, -3, 5), one(n);
    whole.Solve(b.data(), one.data());
    for (const int levels : {2, 3}) {
        SCOPED_TRACE(levels);
        TCholmodSolver split;
        split.SetSplitFrom(0);
        split.SetMaxSplitLevels(levels);
        Factorize(a, split);
        EXPECT_EQ(split.SplitLevels(), levels);
        EXPECT_LT(split.TopShare(), levels == 2 ? 0.3 : 0.5);
        Eigen::VectorXd first(n), again(n);
        split.Solve(b.data(), first.data());
        EXPECT_LE((first - one).norm(), 1e-13 * one.norm());
        for (int k = 0; k < 50; ++k) {
            split.Solve(b.data(), again.data());
            ASSERT_EQ(again, first) << "solve " << k;
        }
        // While one thread has the helpers, another solves every part of its
        // own split factor alone, taking up the parts it waits for.
        TCholmodSolver other;
        other.SetSplitFrom(0);
        other.SetMaxSplitLevels(levels);
        Factorize(a, other);
        std::vector<Eigen::VectorXd> theirs(200, Eigen::VectorXd(n)), ours(200, Eigen::VectorXd(n));
        std::thread side([&] {
            for (Eigen::VectorXd& x : theirs) other.Solve(b.data(), x.data());
        });
        for (Eigen::VectorXd& x : ours) split.Solve(b.data(), x.data());
        side.join();
        for (size_t k = 0; k < ours.size(); ++k) {
            ASSERT_EQ(ours[k], first) << "solve " << k;
            ASSERT_EQ(theirs[k], first) << "solve " << k;
        }
    }
}

TEST(LdlSolve, RefusesAMalformedFactor)
{
    // Two columns: diagonal first, then the rows below it.
    struct TCase {
        const char* name;
        std::vector<int> start, count, rows;
        const char* part;
    };
    const TCase cases[] = {
        {"diagonal not first", {0, 2}, {2, 1}, {1, 0, 1}, "Spalte 1 beginnt nicht mit der Diagonale"},
        {"row above the diagonal", {0, 1}, {1, 2}, {0, 1, 0}, "Spalte 2 hat eine Zeile außerhalb"},
        {"row beyond the matrix", {0, 2}, {2, 1}, {0, 2, 1}, "Spalte 1 hat eine Zeile außerhalb"},
        {"count beyond the arrays", {0, 2}, {2, 5}, {0, 1, 1}, "Spalte 2 liegt außerhalb der Felder"},
        {"too few columns", {0}, {1}, {0}, "sie hat 2 Spalten"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> values(c.rows.size(), 2.0);
        TLdlSolve solve;
        try {
            solve.Build(2, c.start, c.count, c.rows, values);
            ADD_FAILURE() << "built";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.part))) << e.what();
        }
        EXPECT_TRUE(solve.Empty());
    }
    TLdlSolve solve;
    solve.Build(1, std::vector<int>{0}, std::vector<int>{1}, std::vector<int>{0}, std::vector<double>{4});
    std::vector<double> x{1, 2};
    EXPECT_THROW(solve.Solve(x), EKPError);
}
