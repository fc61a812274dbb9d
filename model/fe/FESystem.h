#pragma once

// The linear system of a finite-element solve with prescribed node values.
//
// The model assembles A (n × n, every row) and b; a node d with a fixed
// value keeps it, so the system solved is
//     A'·x = b,   A' = A with the rows of fixed nodes replaced by identity
//                 rows, b_d = the prescribed value F_d.
// The element matrices are symmetric, and so is A. Eliminating the fixed
// nodes symmetrically (their known values moved to the right-hand side),
//     A_ff·x_f = b_f − A_fd·F_d,   x_d = F_d,
// leaves the free block A_ff, which is positive definite for the transient
// system and for a steady system with a fixed or transfer node: it is
// factorised with CHOLMOD. When A_ff is not symmetric or not positive
// definite, A' itself is factorised with UMFPACK's general LU.
// The factor is kept until the next Factorize or Clear.

#include "model/fe/CholmodSolver.h"
#include "model/fe/SparseMtx.h"

#include <Eigen/Core>
#include <cstdint>
#include <span>
#include <vector>

// The factorisation a system uses: none yet, CHOLMOD on the free block, or
// UMFPACK on the whole system.
enum class TSolveMethod : std::uint8_t { None, Symmetric, General };

class TFESystem
{
public:
    using TMethod = TSolveMethod;

    TFESystem();
    ~TFESystem();
    TFESystem(const TFESystem&) = delete;
    TFESystem& operator=(const TFESystem&) = delete;

    // Whether the symmetric elimination may be used; when False every system
    // takes the general LU of A'. Takes effect at the next Factorize.
    bool AllowSymmetric() const { return FAllowSymmetric; }
    void SetAllowSymmetric(bool V) { FAllowSymmetric = V; }
    // Steps of iterative refinement of the general LU solve.
    int RefinementSteps() const { return FGeneral.RefinementSteps(); }
    void SetRefinementSteps(int V) { FGeneral.SetRefinementSteps(V); }
    TCholmodSolver& Cholmod() { return FCholmod; }

    // Factorises for the square matrix A (compressed, all rows) and the
    // fixed-value flag of every node. Raises EKPError, holding no factor,
    // when the system cannot be solved.
    void Factorize(const TSparseMtx& A, std::span<const char> Fixed);
    TMethod Method() const { return FMethod; }
    int Size() const { return static_cast<int>(FFreeOf.size()); }
    // X := the solution of A'·x = B (B holds the prescribed values in the
    // rows of fixed nodes, which X returns exactly). Raises EKPError when the
    // solve fails or gives a value that is not finite; X is written only on
    // success. X must not be B.
    void Solve(const Eigen::VectorXd& B, Eigen::VectorXd& X);
    // The symmetric solve for a caller that assembles the free rows itself:
    // free row i is node FreeNodes()[i], in the factor's order so that the
    // solve permutes nothing; FreeRhs holds b_f in that order and the fixed
    // node FixedNodes()[j] has the value FixedValues[j]. Returns x_f in the
    // same order, the solver's own and valid until the next solve or
    // Factorize. Raises EKPError as Solve does, and for any method but
    // Symmetric; without CheckFinite, the caller checks every value of the
    // solution itself and a solution that is not finite is returned.
    std::span<const int> FreeNodes() const { return FFreeNodes; }
    std::span<const int> FixedNodes() const { return FFixedNodes; }
    std::span<const double> SolveFree(std::span<const double> FreeRhs, std::span<const double> FixedValues,
                                      bool CheckFinite = true);
    void Clear();

private:
    void BuildFreeBlock(const TSparseMtx& A);
    bool FreeBlockSymmetric() const;
    void AdoptFactorOrder();
    void FactorizeGeneral(const TSparseMtx& A, std::span<const char> Fixed);

    bool FAllowSymmetric = true;
    TMethod FMethod = TMethod::None;
    // Node k's row in the free block, −1 for a fixed node; the free nodes.
    std::vector<int> FFreeOf;
    std::vector<int> FFreeNodes;
    // The free block in compressed columns (both triangles), and its upper
    // triangle as CHOLMOD takes it.
    std::vector<int> FBp, FBi, FUp, FUi;
    std::vector<double> FBx, FUx;
    // A_fd by fixed node: the free rows it couples to and the entries.
    std::vector<int> FFixedNodes, FCp, FCi;
    std::vector<double> FCx;
    TCholmodSolver FCholmod;
    TSparseMtx FGeneral;
    // The free rows' right-hand side of Solve, kept between solves.
    std::vector<double> FRhs;
    std::vector<double> FFixedValues;
};
