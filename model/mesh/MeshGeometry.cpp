#include "model/mesh/MeshGeometry.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Rows this flat are taken as horizontal without a fit.
constexpr double FlatRowHeight = 0.01;
// A finer circle is a mistake of the caller, not a request for a million points.
constexpr double MaxCirclePoints = 1e6;

struct TLineFit {
    double b0 = 0;
    double b1 = 0;
};

// y' = b0 + b1 x' over the shifted values. A vertical row makes the
// determinant 0 and the coefficients non-finite; the caller checks that.
TLineFit FitLine(const Eigen::VectorXd& Xs, const Eigen::VectorXd& Ys)
{
    const double n = static_cast<double>(Xs.size());
    const double Sx = Xs.sum();
    const double Sy = Ys.sum();
    const double Sxx = Xs.squaredNorm();
    const double Sxy = Xs.dot(Ys);
    const double D = n * Sxx - Sx * Sx;
    return {(Sxx * Sy - Sx * Sxy) / D, (n * Sxy - Sx * Sy) / D};
}

double MaxDistanceToLine(const Eigen::VectorXd& Xs, const Eigen::VectorXd& Ys, const TLineFit& L)
{
    const double Norm = std::hypot(1.0, L.b1);
    double MaxD = 0;
    for (Eigen::Index i = 0; i < Xs.size(); ++i) {
        // z of (P - A) x D with A = (0, b0), D = (1, b1)
        const double Cross = Xs[i] * L.b1 - (Ys[i] - L.b0);
        MaxD = std::max(MaxD, std::abs(Cross) / Norm);
    }
    return MaxD;
}

// Positive for a counter-clockwise turn A-B-C, negative for a clockwise one.
double Turn(const TDblPoint& A, const TDblPoint& B, const TDblPoint& C)
{
    return B.X() * C.Y() + A.X() * B.Y() + A.Y() * C.X() - B.X() * A.Y() - C.X() * B.Y() - C.Y() * A.X();
}

void AppendAndPrune(TDblPointList& Chain, const TDblPoint& P)
{
    Chain.push_back(P);
    while (Chain.size() >= 3) {
        const std::size_t k = Chain.size();
        if (Turn(Chain[k - 3], Chain[k - 2], Chain[k - 1]) < 0) break;
        Chain.erase(Chain.begin() + static_cast<std::ptrdiff_t>(k - 2));
    }
}

// Sum of f(i, i+1) over the edges of the closed polygon, with the points
// taken relative to its first point: at map coordinates (millions of metres)
// the products of absolute coordinates would cancel to a few metres' error.
template <typename F>
double SumOverEdges(const TDblPointList& Points, F f)
{
    double Sum = 0;
    const std::size_t n = Points.size();
    const double Ox = Points[0].X(), Oy = Points[0].Y();
    auto local = [&](const TDblPoint& P) { return TDblPoint(P.X() - Ox, P.Y() - Oy); };
    for (std::size_t i = 0; i < n; ++i) Sum += f(local(Points[i]), local(Points[(i + 1) % n]));
    return Sum;
}

double Cross(const TDblPoint& A, const TDblPoint& B)
{
    return A.X() * B.Y() - B.X() * A.Y();
}

}  // namespace

bool FitPointsRect(const Eigen::VectorXd& X, const Eigen::VectorXd& Y, double Threshold, Eigen::Vector2d& P1,
                   Eigen::Vector2d& P2)
{
    if (X.size() != Y.size()) throw EKPError(QStringLiteral("Length of vectors does not match"));
    if (X.size() < 2) throw EKPError(QStringLiteral("At least 2 data ponts are required"));
    if (X.size() == 2) {
        P1 = {X[0], Y[0]};
        P2 = {X[1], Y[1]};
        return true;
    }
    const double MinX = X.minCoeff(), MaxX = X.maxCoeff();
    const double MinY = Y.minCoeff(), MaxY = Y.maxCoeff();
    if (MaxY - MinY <= FlatRowHeight) {
        P1 = {MinX, MinY};
        P2 = {MaxX, MaxY};
        return true;
    }
    const Eigen::VectorXd Xs = X.array() - MinX;
    const Eigen::VectorXd Ys = Y.array() - MinY;
    const TLineFit L = FitLine(Xs, Ys);
    if (!std::isfinite(L.b0) || !std::isfinite(L.b1)) {
        P1 = {X[0], MinY};
        P2 = {X[0], MaxY};
        return true;
    }
    // y over x misjudges a steep row (a north-south row with a millimetre of
    // scatter in x fits badly); x over y judges it like an exact one. The
    // direction of the larger spread is tried first.
    const bool yOverX = Threshold >= MaxDistanceToLine(Xs, Ys, L);
    const TLineFit T = FitLine(Ys, Xs);
    const bool xOverY = std::isfinite(T.b0) && std::isfinite(T.b1) && Threshold >= MaxDistanceToLine(Ys, Xs, T);
    if (xOverY && (MaxY - MinY > MaxX - MinX || !yOverX)) {
        P1 = {T.b0 + MinX, MinY};
        P2 = {T.b0 + T.b1 * (MaxY - MinY) + MinX, MaxY};
        return true;
    }
    if (!yOverX) return false;
    P1 = {MinX, L.b0 + MinY};
    P2 = {MaxX, L.b0 + L.b1 * (MaxX - MinX) + MinY};
    return true;
}

void LineRectCorners(const Eigen::Vector2d& P1, const Eigen::Vector2d& P2, double Width, Eigen::Vector2d& C1,
                     Eigen::Vector2d& C2, Eigen::Vector2d& C3, Eigen::Vector2d& C4)
{
    const Eigen::Vector2d d = P2 - P1;
    const double L = d.norm();
    const Eigen::Vector2d wu = d * (Width / L);
    // An exact quarter turn: cos(pi/2) in floating point is not 0 and would
    // put the corners of an axis-parallel row a rounding error off.
    Eigen::Matrix2d Rot;
    Rot << 0, -1, 1, 0;
    const Eigen::Vector2d wv = Rot * d * (Width / L);
    C1 = P1 - wu + wv;
    C2 = P1 - wu - wv;
    C3 = P2 + wu - wv;
    C4 = P2 + wu + wv;
}

bool BuildConvexHull(TDblPointList& Points, TDblPointList& Hull)
{
    const std::size_t n = Points.size();
    if (n < 3) return false;
    std::sort(Points.begin(), Points.end(), [](const TDblPoint& A, const TDblPoint& B) {
        return A.X() < B.X() || (A.X() == B.X() && A.Y() < B.Y());
    });
    TDblPointList Upper{Points[0], Points[1]};
    for (std::size_t i = 2; i < n; ++i) AppendAndPrune(Upper, Points[i]);
    TDblPointList Lower{Points[n - 1], Points[n - 2]};
    for (std::size_t i = n - 2; i-- > 0;) AppendAndPrune(Lower, Points[i]);
    Lower.erase(Lower.begin());
    Lower.pop_back();
    Hull = std::move(Upper);
    Hull.insert(Hull.end(), Lower.begin(), Lower.end());
    return true;
}

double PolygonArea(const TDblPointList& Points)
{
    if (Points.size() < 3) return 0;
    return std::abs(SumOverEdges(Points, Cross)) / 2;
}

bool PolygonCentroid(const TDblPointList& Points, double& Area, TDblPoint& Centroid)
{
    Area = PolygonArea(Points);
    if (!(Area > 0)) return false;
    const double Cx = SumOverEdges(Points, [](const TDblPoint& A, const TDblPoint& B) {
        return (A.X() + B.X()) * Cross(A, B);
    });
    const double Cy = SumOverEdges(Points, [](const TDblPoint& A, const TDblPoint& B) {
        return (A.Y() + B.Y()) * Cross(A, B);
    });
    Centroid = TDblPoint(Points[0].X() - Cx / (6 * Area), Points[0].Y() - Cy / (6 * Area));
    return true;
}

bool ScalePolygon(const TDblPointList& Source, TDblPointList& Dest, double Factor)
{
    double Area = 0;
    TDblPoint C;
    if (!PolygonCentroid(Source, Area, C)) return false;
    TDblPointList Scaled;
    Scaled.reserve(Source.size());
    // C + S (p - C): the same as p S - (C S - C), without the cancellation of
    // two products of map coordinates.
    for (const TDblPoint& p : Source)
        Scaled.emplace_back(C.X() + Factor * (p.X() - C.X()), C.Y() + Factor * (p.Y() - C.Y()));
    Dest = std::move(Scaled);
    return true;
}

void AddCirclePoints(TDblPointList& List, const TDblPoint& Center, double Radius, double Step)
{
    if (!(Radius > 0) || !(Step > 0)) return;
    // The angle is summed, not multiplied: with a step of 30 degrees the
    // twelfth sum lands just above 2 pi, which gives exactly twelve points.
    constexpr double FullTurn = 2 * std::numbers::pi;
    if (FullTurn / Step > MaxCirclePoints)
        throw EKPError(Format(QStringLiteral("Die Schrittweite %g ist für einen Kreis zu klein."), {Step}));
    for (double a = 0; a < FullTurn; a += Step)
        List.emplace_back(Center.X() + Radius * std::sin(a), Center.Y() + Radius * std::cos(a));
}

bool PolygonBoundingBox(const TDblPointList& Points, TDblPoint& MinPt, TDblPoint& MaxPt)
{
    if (Points.empty()) return false;
    MinPt = Points[0];
    MaxPt = Points[0];
    for (const TDblPoint& p : Points) {
        if (p.X() < MinPt.X()) MinPt.SetX(p.X());
        if (p.Y() < MinPt.Y()) MinPt.SetY(p.Y());
        if (p.X() > MaxPt.X()) MaxPt.SetX(p.X());
        if (p.Y() > MaxPt.Y()) MaxPt.SetY(p.Y());
    }
    return true;
}
