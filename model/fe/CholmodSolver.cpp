#include "model/fe/CholmodSolver.h"

#include "model/base/KPError.h"
#include "model/fe/LdlSolve.h"

#include <cholmod.h>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

QString CholmodStatusText(int Status)
{
    switch (Status) {
    case CHOLMOD_OUT_OF_MEMORY:
        return QStringLiteral("nicht genügend Speicher");
    case CHOLMOD_TOO_LARGE:
        return QStringLiteral("das Gleichungssystem ist zu groß");
    case CHOLMOD_INVALID:
        return QStringLiteral("ungültige Eingabe");
    case CHOLMOD_NOT_POSDEF:
        return QStringLiteral("die Matrix ist nicht positiv definit");
    default:
        return QStringLiteral("unbekannter Fehler");
    }
}

[[noreturn]] void Fail(int N, int Status)
{
    throw EKPError(
        QStringLiteral(
            "Das Gleichungssystem (%1 Unbekannte) kann nicht gelöst werden: %2 (CHOLMOD-Status %3).")
            .arg(N)
            .arg(CholmodStatusText(Status))
            .arg(Status));
}

// Without a branch per value, so that the test runs at the speed of memory.
bool AllFinite(std::span<const double> X)
{
    bool finite = true;
    for (const double v : X) finite &= v - v == 0; // NaN for an infinity or a NaN
    return finite;
}

// A pivot of an LDL' factor at most this fraction of its diagonal entry
// means a matrix that is singular to rounding.
constexpr double PivotTolerance = 1e-12;

// The simplicial LDL' factorisation does not stop at a negative or vanishing
// pivot as the LL' forms do: D must be clearly positive for the factor to be
// a Cholesky factor.
bool PivotsPositive(const cholmod_factor* L, std::span<const int> Ap, std::span<const int> Ai,
                    std::span<const double> Ax)
{
    if (L->is_ll || L->is_super) return true;
    const int* lp = static_cast<const int*>(L->p);
    const double* lx = static_cast<const double*>(L->x);
    const int* perm = static_cast<const int*>(L->Perm);
    const size_t n = L->n;
    for (size_t j = 0; j < n; ++j) {
        // The diagonal entry of the column is its last: rows ascend.
        const int col = perm ? perm[j] : static_cast<int>(j);
        const int last = Ap[static_cast<size_t>(col) + 1] - 1;
        const double diagonal = last >= Ap[static_cast<size_t>(col)] && Ai[static_cast<size_t>(last)] == col
                                    ? Ax[static_cast<size_t>(last)]
                                    : 0;
        const double d = lx[lp[j]];
        if (!(d > PivotTolerance * std::fabs(diagonal)) || !(d > 0)) return false;
    }
    return true;
}

} // namespace

// The CHOLMOD objects; every pointer is owned and freed through Common.
struct TCholmodSolver::TImpl {
    cholmod_common Common;
    cholmod_factor* L = nullptr;
    // Solution and workspaces of cholmod_solve2, kept so that a solve
    // allocates nothing.
    cholmod_dense* X = nullptr;
    cholmod_dense* Y = nullptr;
    cholmod_dense* E = nullptr;
    // The simplicial factor copied for fast solves.
    TLdlSolve Ldl;
    // RhsBuffer() where CHOLMOD solves.
    std::vector<double> Rhs;

    TImpl()
    {
        cholmod_start(&Common);
        // Failures are reported through the status, never printed.
        Common.print = 0;
        Common.error_handler = nullptr;
    }
    ~TImpl()
    {
        FreeAll();
        cholmod_finish(&Common);
    }
    TImpl(const TImpl&) = delete;
    TImpl& operator=(const TImpl&) = delete;

    void FreeAll()
    {
        if (L) cholmod_free_factor(&L, &Common);
        if (X) cholmod_free_dense(&X, &Common);
        if (Y) cholmod_free_dense(&Y, &Common);
        if (E) cholmod_free_dense(&E, &Common);
        Ldl.Clear();
    }
};

TCholmodSolver::TCholmodSolver() : FImpl(std::make_unique<TImpl>()), FSplitFrom(TLdlSolve::DefaultSplitFrom)
{
}

TCholmodSolver::~TCholmodSolver() = default;

void TCholmodSolver::Clear()
{
    FImpl->FreeAll();
    FSize = 0;
}

long TCholmodSolver::FactorNonzeros() const
{
    const cholmod_factor* l = FImpl->L;
    if (!l || l->is_super) return l ? static_cast<long>(l->xsize) : 0;
    const int* nz = static_cast<const int*>(l->nz);
    long total = 0;
    for (size_t j = 0; j < l->n; ++j) total += nz[j];
    return total;
}

bool TCholmodSolver::Factorized() const
{
    return FImpl->L != nullptr;
}

bool TCholmodSolver::Factorize(int N, std::span<const int> Ap, std::span<const int> Ai,
                               std::span<const double> Ax)
{
    Clear();
    if (N <= 0)
        throw EKPError(
            QStringLiteral("Das Gleichungssystem kann nicht gelöst werden: es hat keine Unbekannten."));
    if (Ap.size() != static_cast<size_t>(N) + 1 || Ap.front() != 0 || Ap.back() < 0 ||
        Ai.size() < static_cast<size_t>(Ap.back()) || Ax.size() < static_cast<size_t>(Ap.back()))
        Fail(N, CHOLMOD_INVALID);
    const size_t nnz = static_cast<size_t>(Ap.back());
    for (size_t p = 0; p < nnz; ++p)
        if (!std::isfinite(Ax[p]))
            throw EKPError(
                QStringLiteral("Das Gleichungssystem (%1 Unbekannte) kann nicht gelöst werden: die Matrix "
                               "enthält in Zeile %2 einen Wert, der keine endliche Zahl ist.")
                    .arg(N)
                    .arg(Ai[p] + 1));
    cholmod_common& c = FImpl->Common;
    c.supernodal = FFactorKind == TFactorKind::Simplicial   ? CHOLMOD_SIMPLICIAL
                   : FFactorKind == TFactorKind::Supernodal ? CHOLMOD_SUPERNODAL
                                                            : CHOLMOD_AUTO;
    // stype 1: only the upper triangle is given and used.
    cholmod_sparse* a = cholmod_allocate_sparse(static_cast<size_t>(N), static_cast<size_t>(N), nnz, 1, 1, 1,
                                                CHOLMOD_REAL, &c);
    if (!a) Fail(N, c.status);
    std::memcpy(a->p, Ap.data(), Ap.size() * sizeof(int));
    std::memcpy(a->i, Ai.data(), nnz * sizeof(int));
    std::memcpy(a->x, Ax.data(), nnz * sizeof(double));
    cholmod_factor* l = cholmod_analyze(a, &c);
    if (!l) {
        const int status = c.status;
        cholmod_free_sparse(&a, &c);
        Fail(N, status);
    }
    const int ok = cholmod_factorize(a, l, &c);
    const int status = c.status;
    cholmod_free_sparse(&a, &c);
    // A matrix that is not positive definite stops the factorisation at
    // column l->minor; that is the caller's cue to use a general solver.
    if (ok && status == CHOLMOD_NOT_POSDEF) {
        cholmod_free_factor(&l, &c);
        return false;
    }
    if (!ok || status < CHOLMOD_OK || l->minor < l->n) {
        cholmod_free_factor(&l, &c);
        Fail(N, status == CHOLMOD_OK ? CHOLMOD_INVALID : status);
    }
    if (!PivotsPositive(l, Ap, Ai, Ax)) {
        cholmod_free_factor(&l, &c);
        return false;
    }
    FImpl->L = l;
    FSize = N;
    if (FCopyFactor && !l->is_ll && !l->is_super) {
        const size_t n = l->n;
        try {
            FImpl->Ldl.Build(N, {static_cast<const int*>(l->p), n}, {static_cast<const int*>(l->nz), n},
                             {static_cast<const int*>(l->i), l->nzmax},
                             {static_cast<const double*>(l->x), l->nzmax}, FSplitFrom,
                             FMaxSplitLevels > 0 ? FMaxSplitLevels : TLdlSolve::DefaultLevels());
        } catch (...) {
            Clear();
            throw;
        }
    }
    return true;
}

std::span<const int> TCholmodSolver::Permutation() const
{
    const cholmod_factor* l = FImpl->L;
    if (!l || !l->Perm) return {};
    return {static_cast<const int*>(l->Perm), l->n};
}

void TCholmodSolver::Solve(const double* B, double* X)
{
    TImpl& m = *FImpl;
    if (m.Ldl.Empty()) {
        const std::span<const double> x = SolveSystem(CHOLMOD_A, B);
        std::memcpy(X, x.data(), x.size_bytes());
        return;
    }
    const std::span<const int> perm = Permutation();
    const std::span<double> work = m.Ldl.Workspace();
    if (perm.empty())
        std::memcpy(work.data(), B, work.size_bytes());
    else
        for (size_t i = 0; i < perm.size(); ++i) work[i] = B[perm[i]];
    const std::span<const double> x = SolveWork();
    if (perm.empty())
        std::memcpy(X, x.data(), x.size_bytes());
    else
        for (size_t i = 0; i < perm.size(); ++i) X[perm[i]] = x[i];
}

std::span<const double> TCholmodSolver::SolvePermuted(const double* B)
{
    const std::span<double> rhs = RhsBuffer();
    if (B != rhs.data()) std::memcpy(rhs.data(), B, rhs.size_bytes());
    return SolveRhsBuffer();
}

std::span<double> TCholmodSolver::RhsBuffer()
{
    TImpl& m = *FImpl;
    if (!m.Ldl.Empty()) return m.Ldl.Workspace();
    m.Rhs.resize(static_cast<size_t>(FSize));
    return m.Rhs;
}

std::span<const double> TCholmodSolver::SolveRhsBuffer(bool CheckFinite)
{
    TImpl& m = *FImpl;
    if (!m.Ldl.Empty()) return SolveWork(CheckFinite);
    m.Rhs.resize(static_cast<size_t>(FSize));
    return SolveSystem(CHOLMOD_LDLt, m.Rhs.data(), CheckFinite);
}

void RaiseNoFiniteSolution(long Unknowns)
{
    throw EKPError(QStringLiteral("Das Gleichungssystem (%1 Unbekannte) hat keine endliche Lösung.").arg(Unknowns));
}

std::span<const double> TCholmodSolver::SolveWork(bool CheckFinite)
{
    TImpl& m = *FImpl;
    m.Ldl.SolveWorkspace();
    const std::span<const double> x = m.Ldl.Workspace();
    if (CheckFinite && !AllFinite(x)) RaiseNoFiniteSolution(FSize);
    return x;
}

double TCholmodSolver::MeanBlockWidth() const
{
    return FImpl->Ldl.MeanBlockWidth();
}

double TCholmodSolver::TopShare() const
{
    return FImpl->Ldl.TopShare();
}

int TCholmodSolver::SplitLevels() const
{
    return FImpl->Ldl.Levels();
}

void TCholmodSolver::SetSplitFrom(long V)
{
    FSplitFrom = V;
}

std::span<const double> TCholmodSolver::SolveSystem(int System, const double* B, bool CheckFinite)
{
    TImpl& m = *FImpl;
    if (!m.L) throw EKPError(QStringLiteral("Das Gleichungssystem ist nicht zerlegt."));
    // B as a dense column that CHOLMOD only reads.
    cholmod_dense b{};
    b.nrow = b.nzmax = b.d = static_cast<size_t>(FSize);
    b.ncol = 1;
    b.x = const_cast<double*>(B);
    b.xtype = CHOLMOD_REAL;
    b.dtype = CHOLMOD_DOUBLE;
    if (!cholmod_solve2(System, m.L, &b, nullptr, &m.X, nullptr, &m.Y, &m.E, &m.Common))
        Fail(FSize, m.Common.status);
    const std::span<const double> x(static_cast<const double*>(m.X->x), static_cast<size_t>(FSize));
    if (CheckFinite && !AllFinite(x)) RaiseNoFiniteSolution(FSize);
    return x;
}
