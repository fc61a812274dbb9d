#include "model/mesh/MeshInputBuilder.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/meshfiles/Nodes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <numeric>
#include <utility>

namespace {

// Twelve points per circle, 30 degrees apart.
constexpr double CircleStep = (std::numbers::pi / 2) / 3;
// Closer probes cannot be told apart by the mesh (and a row of them would
// have no direction).
constexpr double MinProbeDistance = 0.01;
// Points this close (in x and in y) are one node, as the finite-element
// model's node search sees them.
constexpr double SameNodeTolerance = 0.001;
constexpr double OuterBoundaryMarker = 3;
constexpr double InnerMarker = 0;
const Nodes::TDoubleArray NodeAttributes{0, 0, 0};

[[noreturn]] void RangeError(const QString& Fmt, double Value)
{
    throw EKPError(Format(Fmt, {Value}));
}

void CheckParameters(double S, double B, double Ai, double Ao, double R)
{
    if (!(B > 0) || std::isinf(B)) RangeError(QStringLiteral("DeltaBorder ist %g. Der Wert muss>0 sein!."), B);
    if (!(S >= 1) || std::isinf(S))
        RangeError(QStringLiteral("Der Skalierungsfaktor für das Polygon ist %g. Er muss >=1 sein."), S);
    if (!(R >= 0) || std::isinf(R))
        RangeError(QStringLiteral("Der radiale Abstand um die EWS is %g. Er muss größer 0 sein."), R);
    // The inner area is also the width of the inner region: without it the
    // region collapses.
    if (!(Ai > 0) || std::isinf(Ai))
        RangeError(QStringLiteral("Die maximale Elementfläche im inneren Bereich ist %g. Sie muss >0 sein."), Ai);
    if (!(Ao > 0) || std::isinf(Ao))
        RangeError(QStringLiteral("Die maximale Elementfläche im äußeren Bereich ist %g. Sie muss >0 sein."), Ao);
}

QString ProbeText(std::size_t Index, const TDblPoint& P)
{
    return Format(QStringLiteral("%d (%g; %g)"), {static_cast<std::int64_t>(Index + 1), P.X(), P.Y()});
}

// Probes are numbered from 1 in the caller's order in the messages.
void CheckProbePositions(const TDblPointList& Points)
{
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (!std::isfinite(Points[i].X()) || !std::isfinite(Points[i].Y()))
            throw EKPError(QStringLiteral("Die Position der Sonde %1 ist ungültig.").arg(ProbeText(i, Points[i])));
    std::vector<std::size_t> ByX(Points.size());
    std::iota(ByX.begin(), ByX.end(), 0);
    std::sort(ByX.begin(), ByX.end(), [&](std::size_t a, std::size_t b) { return Points[a].X() < Points[b].X(); });
    for (std::size_t k = 0; k < ByX.size(); ++k) {
        const TDblPoint& A = Points[ByX[k]];
        for (std::size_t m = k + 1; m < ByX.size() && Points[ByX[m]].X() - A.X() < MinProbeDistance; ++m) {
            const TDblPoint& B = Points[ByX[m]];
            const double d = A.Distance(&B);
            if (d >= MinProbeDistance) continue;
            const std::size_t i = std::min(ByX[k], ByX[m]), j = std::max(ByX[k], ByX[m]);
            throw EKPError(Format(QStringLiteral("Die Sonden %s und %s liegen nur %g m auseinander. "
                                                 "Der Abstand muss mindestens %g m betragen."),
                                  {ProbeText(i, Points[i]), ProbeText(j, Points[j]), d, MinProbeDistance}));
        }
    }
}

// The rectangle around a row: Width beyond the ends of P1-P2 and to either
// side, unless a probe or its ring (radius R) would reach to or beyond a
// side; that side then lies Width beyond the outermost ring.
void RowRectangle(const TDblPointList& Points, const Eigen::Vector2d& P1, const Eigen::Vector2d& P2, double Width,
                  double R, TDblPointList& Polygon)
{
    const Eigen::Vector2d d = P2 - P1;
    const double L = d.norm();
    const Eigen::Vector2d u = d / L, v(-u.y(), u.x());
    double back = -Width, front = L + Width, right = -Width, left = Width;
    bool widened = false;
    auto widen = [&](double Reach, double& Side, bool Lower) {
        if (Lower ? Reach - R - SameNodeTolerance > Side : Reach + R + SameNodeTolerance < Side) return;
        Side = Lower ? Reach - R - Width : Reach + R + Width;
        widened = true;
    };
    for (const TDblPoint& p : Points) {
        const Eigen::Vector2d q(p.X() - P1.x(), p.Y() - P1.y());
        widen(q.dot(u), back, true);
        widen(q.dot(u), front, false);
        widen(q.dot(v), right, true);
        widen(q.dot(v), left, false);
    }
    Eigen::Vector2d C[4];
    if (widened) {
        C[0] = P1 + back * u + left * v;
        C[1] = P1 + back * u + right * v;
        C[2] = P1 + front * u + right * v;
        C[3] = P1 + front * u + left * v;
    } else {
        LineRectCorners(P1, P2, Width, C[0], C[1], C[2], C[3]);
    }
    for (const Eigen::Vector2d& c : C) Polygon.emplace_back(c.x(), c.y());
}

// A circle around a single probe, a rectangle around a row, otherwise the
// enlarged convex hull. False when the probes give no polygon. The circle
// and the rectangle hold every probe and its ring (radius R).
bool BuildInnerPolygon(TDblPointList& Points, double S, double Ai, double R, TDblPointList& Polygon)
{
    if (Points.size() == 1) {
        const double Radius = R + SameNodeTolerance < Ai * S ? Ai * S : R + Ai * S;
        AddCirclePoints(Polygon, Points[0], Radius, CircleStep);
        return true;
    }
    Eigen::VectorXd X(static_cast<Eigen::Index>(Points.size())), Y(X.size());
    for (Eigen::Index i = 0; i < X.size(); ++i) {
        X[i] = Points[static_cast<std::size_t>(i)].X();
        Y[i] = Points[static_cast<std::size_t>(i)].Y();
    }
    Eigen::Vector2d P1, P2;
    if (FitPointsRect(X, Y, std::sqrt(Ai), P1, P2)) {
        RowRectangle(Points, P1, P2, Ai * S, R, Polygon);
        return true;
    }
    TDblPointList Hull;
    return BuildConvexHull(Points, Hull) && ScalePolygon(Hull, Polygon, S);
}

// The node list being written, with a look-up of the positions it holds so
// that a point on an existing node reuses that node.
class TPolyNodes {
public:
    int Add(double X, double Y, double Marker)
    {
        const int ID = FList.Count() + 1;
        FList.Add(std::make_unique<Nodes::TNode>(ID, X, Y, NodeAttributes, Marker));
        FCells[Cell(X, Y)].push_back(ID);
        return ID;
    }

    int FindOrAdd(double X, double Y)
    {
        const int Found = Find(X, Y);
        return Found > 0 ? Found : Add(X, Y, InnerMarker);
    }

    int Count() const { return FList.Count(); }
    TDblPoint Position(int ID) const
    {
        const Nodes::TNode* N = FList.Items(ID - 1);
        return TDblPoint(N->X(), N->Y());
    }
    const Nodes::TNodesList& List() const { return FList; }

private:
    using TCell = std::pair<std::int64_t, std::int64_t>;

    static TCell Cell(double X, double Y)
    {
        return {Trunc64(std::floor(X / SameNodeTolerance)), Trunc64(std::floor(Y / SameNodeTolerance))};
    }

    int Find(double X, double Y) const
    {
        const TCell c = Cell(X, Y);
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = FCells.find({c.first + dx, c.second + dy});
                if (it == FCells.end()) continue;
                for (const int ID : it->second) {
                    const Nodes::TNode* N = FList.Items(ID - 1);
                    if (std::abs(N->X() - X) <= SameNodeTolerance && std::abs(N->Y() - Y) <= SameNodeTolerance)
                        return ID;
                }
            }
        return 0;
    }

    Nodes::TNodesList FList;
    std::map<TCell, std::vector<int>> FCells;
};

double DistanceToSegment(const TDblPoint& P, const TDblPoint& A, const TDblPoint& B)
{
    const double dx = B.X() - A.X(), dy = B.Y() - A.Y();
    const double L2 = dx * dx + dy * dy;
    double t = L2 > 0 ? ((P.X() - A.X()) * dx + (P.Y() - A.Y()) * dy) / L2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(P.X() - (A.X() + t * dx), P.Y() - (A.Y() + t * dy));
}

// Inside and not on (or next to) an edge: a region seed on the polygon would
// leave the generator to guess the side.
bool StrictlyInside(const TDblPoint& P, const TDblPointList& Polygon)
{
    bool Inside = false;
    const std::size_t n = Polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TDblPoint& A = Polygon[i];
        const TDblPoint& B = Polygon[j];
        if (DistanceToSegment(P, A, B) <= SameNodeTolerance) return false;
        if ((A.Y() > P.Y()) != (B.Y() > P.Y()) &&
            P.X() < (B.X() - A.X()) * (P.Y() - A.Y()) / (B.Y() - A.Y()) + A.X())
            Inside = !Inside;
    }
    return Inside;
}

// Centroid of the area in either orientation (the rectangle around a row
// runs counter-clockwise, the hull clockwise), computed relative to the
// first corner so that map coordinates keep their precision.
TDblPoint AreaCentroid(const TDblPointList& Polygon)
{
    const double Ox = Polygon[0].X(), Oy = Polygon[0].Y();
    double A2 = 0, Cx = 0, Cy = 0;
    for (std::size_t i = 0; i < Polygon.size(); ++i) {
        const TDblPoint& P = Polygon[i];
        const TDblPoint& Q = Polygon[(i + 1) % Polygon.size()];
        const double px = P.X() - Ox, py = P.Y() - Oy, qx = Q.X() - Ox, qy = Q.Y() - Oy;
        const double f = px * qy - qx * py;
        A2 += f;
        Cx += (px + qx) * f;
        Cy += (py + qy) * f;
    }
    return TDblPoint(Ox + Cx / (3 * A2), Oy + Cy / (3 * A2));
}

// Every ring node must lie inside the outer box, clear of its edges.
void CheckRingsInsideBox(const TDblPointList& Points, double R, double B, double MinX, double MinY, double MaxX,
                         double MaxY)
{
    for (const TDblPoint& p : Points)
        if (p.X() - R - SameNodeTolerance <= MinX || p.X() + R + SameNodeTolerance >= MaxX ||
            p.Y() - R - SameNodeTolerance <= MinY || p.Y() + R + SameNodeTolerance >= MaxY)
            throw EKPError(Format(QStringLiteral("Der radiale Abstand um die EWS ist %g m: die Knoten um die "
                                                 "Sonden reichen über den Rand des Netzes hinaus. Bitte den "
                                                 "radialen Abstand verkleinern oder DeltaBorder (%g m) "
                                                 "vergrößern."),
                                  {R, B}));
}

// Node numbers of the polygon's corners; a corner that falls onto the node
// before it (a polygon too small for the node tolerance) is dropped.
std::vector<int> PolygonNodes(TPolyNodes& NodeList, const TDblPointList& Polygon)
{
    std::vector<int> IDs;
    for (const TDblPoint& p : Polygon) {
        const int ID = NodeList.FindOrAdd(p.X(), p.Y());
        if (IDs.empty() || IDs.back() != ID) IDs.push_back(ID);
    }
    while (IDs.size() > 1 && IDs.back() == IDs.front()) IDs.pop_back();
    return IDs;
}

// A node that lies on a polygon edge (within the node tolerance, as ring
// points and probes do when the polygon runs through the probes) becomes a
// corner of the polygon: a vertex a rounding error off a constraint would
// leave the generator slivers it cannot refine. Each node splits the edge
// nearest to it, at most once.
std::vector<int> SplitEdgesAtNodes(const TPolyNodes& NodeList, const std::vector<int>& Ring, int FirstCandidate,
                                   int LastCandidate)
{
    const std::size_t q = Ring.size();
    std::vector<std::vector<std::pair<double, int>>> OnEdge(q);
    for (int ID = FirstCandidate; ID <= LastCandidate; ++ID) {
        if (std::find(Ring.begin(), Ring.end(), ID) != Ring.end()) continue;
        const TDblPoint P = NodeList.Position(ID);
        std::size_t Best = q;
        double BestD = SameNodeTolerance, BestT = 0;
        for (std::size_t e = 0; e < q; ++e) {
            const TDblPoint A = NodeList.Position(Ring[e]), B = NodeList.Position(Ring[(e + 1) % q]);
            const double dx = B.X() - A.X(), dy = B.Y() - A.Y();
            const double t = ((P.X() - A.X()) * dx + (P.Y() - A.Y()) * dy) / (dx * dx + dy * dy);
            if (!(t > 0 && t < 1)) continue;
            const double d = std::hypot(P.X() - (A.X() + t * dx), P.Y() - (A.Y() + t * dy));
            if (d <= BestD) Best = e, BestD = d, BestT = t;
        }
        if (Best < q) OnEdge[Best].emplace_back(BestT, ID);
    }
    std::vector<int> Split;
    for (std::size_t e = 0; e < q; ++e) {
        Split.push_back(Ring[e]);
        std::sort(OnEdge[e].begin(), OnEdge[e].end());
        for (const auto& [t, ID] : OnEdge[e]) Split.push_back(ID);
    }
    return Split;
}

void AddSegments(Nodes::TSegmentList& Segments, const std::vector<int>& Ring, double Marker)
{
    for (std::size_t i = 0; i < Ring.size(); ++i) {
        const int ID = Segments.Count() + 1;
        Segments.Add(std::make_unique<Nodes::TSegment>(ID, Ring[i], Ring[(i + 1) % Ring.size()], Marker));
    }
}

void AddRegion(Nodes::TRegionsList& Regions, const TDblPoint& Seed, double MaxArea)
{
    const int ID = Regions.Count() + 1;
    Regions.Add(std::make_unique<Nodes::TRegionAttributeArea>(ID, Seed.X(), Seed.Y(), Nodes::TDoubleArray{0},
                                                              MaxArea));
}

}  // namespace

bool GeneratePolyFile(TDblPointList& Points, double ScaleFactor, double DeltaBorder, double InnerArea,
                      double OuterArea, double NodeBHERadialDist, const QString& AFilename)
{
    const double S = ScaleFactor, B = DeltaBorder, Ai = InnerArea, Ao = OuterArea, R = NodeBHERadialDist;
    CheckParameters(S, B, Ai, Ao, R);
    CheckProbePositions(Points);

    TDblPointList Polygon;
    TDblPoint MinPt, MaxPt;
    if (!BuildInnerPolygon(Points, S, Ai, R, Polygon) || !PolygonBoundingBox(Polygon, MinPt, MaxPt)) return false;
    const double MinX = MinPt.X() - B, MinY = MinPt.Y() - B, MaxX = MaxPt.X() + B, MaxY = MaxPt.Y() + B;
    if (R > 0) CheckRingsInsideBox(Points, R, B, MinX, MinY, MaxX, MaxY);

    TPolyNodes NodeList;
    const std::vector<int> Box{NodeList.Add(MinX, MinY, OuterBoundaryMarker),
                               NodeList.Add(MinX, MaxY, OuterBoundaryMarker),
                               NodeList.Add(MaxX, MaxY, OuterBoundaryMarker),
                               NodeList.Add(MaxX, MinY, OuterBoundaryMarker)};
    for (const TDblPoint& p : Points) NodeList.Add(p.X(), p.Y(), InnerMarker);
    if (R > 0)
        for (const TDblPoint& p : Points) {
            TDblPointList Ring;
            AddCirclePoints(Ring, p, R, CircleStep);
            for (const TDblPoint& q : Ring) NodeList.FindOrAdd(q.X(), q.Y());
        }
    const int LastRingNode = NodeList.Count();
    std::vector<int> Inner = PolygonNodes(NodeList, Polygon);
    if (Inner.size() < 3) return false;
    Inner = SplitEdgesAtNodes(NodeList, Inner, static_cast<int>(Box.size()) + 1, LastRingNode);

    Nodes::TSegmentList Segments;
    AddSegments(Segments, Box, OuterBoundaryMarker);
    AddSegments(Segments, Inner, InnerMarker);

    Nodes::TRegionsList Regions;
    AddRegion(Regions, StrictlyInside(Points[0], Polygon) ? Points[0] : AreaCentroid(Polygon), Ai);
    AddRegion(Regions, TDblPoint(MinX + B / 2, MinY + B / 2), Ao);

    Nodes::WritePolyFile(NodeList.List(), Segments, &Regions, AFilename);
    return true;
}
