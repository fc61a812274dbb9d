#pragma once

// Solves A·x = b for a sparse symmetric positive definite A with CHOLMOD:
// A is factorised once, P·A·Pᵀ = L·D·Lᵀ (fill-reducing permutation P chosen
// by CHOLMOD's analysis), and every solve is then two triangular solves and
// a diagonal scaling, on a copy of the simplicial factor laid out for
// repeated solves (TLdlSolve). The factor is kept until the next Factorize
// or Clear.

#include <cstdint>
#include <memory>
#include <span>

// Raises EKPError: the solution of a system of Unknowns unknowns is not
// finite.
[[noreturn]] void RaiseNoFiniteSolution(long Unknowns);

class TCholmodSolver
{
public:
    // How CHOLMOD stores the factor: simplicial (column by column) or
    // supernodal (dense blocks); Auto lets its analysis choose by the
    // expected work per entry of L.
    enum class TFactorKind : std::uint8_t { Auto, Simplicial, Supernodal };

    TCholmodSolver();
    ~TCholmodSolver();
    TCholmodSolver(const TCholmodSolver&) = delete;
    TCholmodSolver& operator=(const TCholmodSolver&) = delete;

    // Simplicial by default: on the two-dimensional meshes of this model a
    // column of L holds few entries, and the simplicial solve is several
    // times faster than the supernodal one on small dense blocks.
    TFactorKind FactorKind() const { return FFactorKind; }
    // Takes effect at the next Factorize.
    void SetFactorKind(TFactorKind V) { FFactorKind = V; }

    // Factorises the N × N matrix given by its upper triangle (row ≤ column)
    // in compressed columns with ascending rows. Returns False, holding no
    // factor, when the matrix is not positive definite (a pivot negative or
    // vanishing against its diagonal entry); raises EKPError for
    // entries that are not finite numbers and for any failure of CHOLMOD.
    bool Factorize(int N, std::span<const int> Ap, std::span<const int> Ai, std::span<const double> Ax);
    bool Factorized() const;
    // Entries of the factor L (its diagonal included): the work of a solve.
    long FactorNonzeros() const;
    int Size() const { return FSize; }
    // X := A⁻¹·B, N entries each. Raises EKPError without a factor, on a
    // failure of CHOLMOD and when the solution is not finite; X is written
    // only on success. X may be B.
    void Solve(const double* B, double* X);
    // The fill-reducing order: row i of the factor is row Permutation()[i]
    // of A; empty without a factor or for the natural order.
    std::span<const int> Permutation() const;
    // The same solve for B and the solution in the factor's order (B_i
    // belongs to row Permutation()[i] of A): no permutation of either around
    // the solve. The solution is the solver's own, valid until the next
    // solve, Factorize or Clear; B may not be it.
    std::span<const double> SolvePermuted(const double* B);
    // The same solve for a B the caller writes into RhsBuffer() (Size()
    // entries, valid until the next Factorize or Clear) instead of passing
    // it, saving a copy. A caller that checks every value of the solution
    // itself may leave the check for values that are not finite out.
    std::span<double> RhsBuffer();
    std::span<const double> SolveRhsBuffer(bool CheckFinite = true);
    // Frees the factor and the workspaces.
    void Clear();

    // Columns per block of the copy the solves use (0 when they use
    // CHOLMOD's own solve): the benchmarks show it.
    double MeanBlockWidth() const;
    // The share of the solve's work above the tasks of the deepest level
    // (1 when the factor is not split), and the levels of tasks.
    double TopShare() const;
    int SplitLevels() const;
    // Whether a simplicial factor is copied for the solves (true) or solved
    // with CHOLMOD's own routine, the reference the benchmarks measure the
    // copy against; takes effect at the next Factorize.
    void SetCopyFactor(bool V) { FCopyFactor = V; }
    // Entries of the factor from which it is split in parts solved side by
    // side, and the most levels of parts; take effect at the next
    // Factorize. The tests split small factors, and deeper than the
    // machine's cores would.
    void SetSplitFrom(long V);
    void SetMaxSplitLevels(int V) { FMaxSplitLevels = V; }

private:
    std::span<const double> SolveSystem(int System, const double* B, bool CheckFinite = true);
    // Solves in place in the copy's workspace, in the factor's order.
    std::span<const double> SolveWork(bool CheckFinite = true);

    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    TFactorKind FFactorKind = TFactorKind::Simplicial;
    long FSplitFrom;
    int FMaxSplitLevels = 0; // 0: as many as the machine's cores make worth it
    bool FCopyFactor = true;
    int FSize = 0;
};
