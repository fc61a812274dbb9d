#pragma once

// A sparse matrix filled from (row, column, value) triplets and solved with
// the general sparse LU factorisation of UMFPACK. The factorisation is kept
// and reused by further solves until the matrix changes.

#include <Eigen/Core>
#include <QString>
#include <span>
#include <vector>

class TSparseMtx {
public:
    TSparseMtx();
    ~TSparseMtx();
    TSparseMtx(const TSparseMtx&) = delete;
    TSparseMtx& operator=(const TSparseMtx&) = delete;

    // An empty 0 × 0 matrix without triplets or factors.
    void Clear();
    // Appends one triplet; entries with the same row and column are summed
    // when the triplets are converted.
    void SetValue(int Row, int Col, double Value);
    // Builds the compressed columns from all triplets (replacing what the
    // matrix held) and empties the triplet store.
    void TripletsToSparseAndFlush();
    // The matrix can grow, but not shrink below its entries.
    int Rows() const { return FRows; }
    void SetRows(int V);
    int Cols() const { return FCols; }
    void SetCols(int V);
    int NonZeros() const { return static_cast<int>(FAx.size()); }
    // The summed entry, 0 where the matrix has none.
    double Value(int Row, int Col) const;
    // The compressed columns after TripletsToSparseAndFlush: Cols + 1 column
    // starts, and the row and value of every entry, rows ascending per column.
    std::span<const int> ColumnStarts() const { return FAp; }
    std::span<const int> RowIndices() const { return FAi; }
    std::span<const double> Values() const { return FAx; }

    // Y += A·X (X with Cols, Y with Rows entries).
    void MultiplyAdd(const double* X, double* Y) const;
    // Y += Aᵀ·X (X with Rows, Y with Cols entries): a dot product per column,
    // each Y entry summed in the order of the column's rows.
    void TransposeMultiplyAdd(const double* X, double* Y) const;

    // Steps of iterative refinement UMFPACK takes per solve (its default is 2).
    int RefinementSteps() const { return FRefinementSteps; }
    void SetRefinementSteps(int V) { FRefinementSteps = V; }

    // Symbolic and numeric factorisation; raises EKPError with UMFPACK's
    // status when the matrix is not square or singular.
    void Factorize();
    bool Factorized() const { return FNumeric != nullptr; }
    // Solves A·X = B (factorising first when needed). Raises EKPError with
    // UMFPACK's status on failure and when the solution is not finite; X is
    // only written on success. X must not be B.
    void Solve(const Eigen::VectorXd& B, Eigen::VectorXd& X);

private:
    void FreeFactors();
    [[noreturn]] void Fail(int Status) const;

    int FRows = 0;
    int FCols = 0;
    std::vector<int> FTripletRows;
    std::vector<int> FTripletCols;
    std::vector<double> FTripletValues;
    // Compressed columns: FAp has Cols + 1 entries.
    std::vector<int> FAp{0};
    std::vector<int> FAi;
    std::vector<double> FAx;
    void* FSymbolic = nullptr;
    void* FNumeric = nullptr;
    // Workspaces of the solve, kept so that repeated solves allocate nothing.
    std::vector<int> FWi;
    std::vector<double> FW;
    Eigen::VectorXd FSolution;
    int FRefinementSteps = 2;
};

// The solver's status as a German text, e.g. for a singular matrix.
QString UmfpackStatusText(int Status);
