#include "model/fe/SparseMtx.h"

#include "model/base/KPError.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FESparseMtx, TripletsAreSummedIntoColumns)
{
    TSparseMtx a;
    a.SetValue(0, 0, 2);
    a.SetValue(1, 0, -1);
    a.SetValue(0, 0, 2);  // duplicate: summed
    a.SetValue(2, 2, 3);
    a.SetValue(1, 1, 5);
    a.SetValue(0, 1, 1);
    a.TripletsToSparseAndFlush();
    EXPECT_EQ(a.Rows(), 3);
    EXPECT_EQ(a.Cols(), 3);
    EXPECT_EQ(a.NonZeros(), 5);
    EXPECT_EQ(a.Value(0, 0), 4);
    EXPECT_EQ(a.Value(1, 0), -1);
    EXPECT_EQ(a.Value(2, 1), 0);
    // A second conversion replaces the matrix.
    a.SetValue(0, 0, 1);
    a.TripletsToSparseAndFlush();
    EXPECT_EQ(a.NonZeros(), 1);
    EXPECT_THROW(a.SetValue(-1, 0, 1), EKPError);
}

TEST(FESparseMtx, SolvesUnsymmetricSystemsAndKeepsTheFactors)
{
    // [4 1 0; 2 5 1; 0 0 1] x = b
    TSparseMtx a;
    const double entries[][3] = {{0, 0, 4}, {0, 1, 1}, {1, 0, 2}, {1, 1, 5}, {1, 2, 1}, {2, 2, 1}};
    for (const auto& e : entries) a.SetValue(int(e[0]), int(e[1]), e[2]);
    a.TripletsToSparseAndFlush();
    const Eigen::Vector3d x0(1, -2, 3);
    Eigen::Matrix3d dense;
    dense << 4, 1, 0, 2, 5, 1, 0, 0, 1;
    Eigen::VectorXd x;
    a.Solve(dense * x0, x);
    EXPECT_TRUE(a.Factorized());
    EXPECT_LT((x - x0).norm(), 1e-14);
    const Eigen::Vector3d x1(0.5, 0.25, -8);
    a.Solve(dense * x1, x);
    EXPECT_LT((x - x1).norm(), 1e-14);
    // Growing the matrix drops the factors.
    a.SetRows(3);
    EXPECT_TRUE(a.Factorized());
    EXPECT_THROW(a.SetRows(2), EKPError);
    EXPECT_THROW(a.SetCols(2), EKPError);
}

TEST(FESparseMtx, FailuresLeaveTheSolutionAlone)
{
    struct Case {
        const char* name;
        std::vector<std::array<double, 3>> entries;
        int size;
        const char* part;
        bool factorized;
    };
    const Case cases[] = {
        {"singular", {{0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 1}}, 2, "singulär", false},
        {"empty row", {{0, 0, 1}}, 2, "singulär", false},
        {"not square", {{0, 0, 1}, {1, 0, 1}}, 0, "Spalten", false},
        {"no rows", {}, 0, "keine Zeilen", false},
        {"overflow", {{0, 0, 1e-300}, {1, 1, 1}}, 2, "endliche", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSparseMtx a;
        for (const auto& e : c.entries) a.SetValue(int(e[0]), int(e[1]), e[2]);
        a.TripletsToSparseAndFlush();
        if (c.size > 0) {
            a.SetCols(c.size);
            a.SetRows(c.size);
        }
        Eigen::VectorXd x = Eigen::VectorXd::Constant(3, 7);
        try {
            a.Solve(Eigen::VectorXd::Constant(std::max(c.size, 1), 1e300), x);
            ADD_FAILURE() << "solved";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.part))) << e.what();
        }
        EXPECT_EQ(x, Eigen::VectorXd::Constant(3, 7));
        EXPECT_EQ(a.Factorized(), c.factorized);
    }
}
