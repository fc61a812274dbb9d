#include "ui/results/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "model/base/NumberText.h"
#include "model/run/RunDisplay.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

bool Near(double A, double B, double Tol)
{
    return std::abs(A - B) <= Tol;
}

} // namespace

TSurfaceView::TSurfaceView(QWidget* Parent) : QWidget(Parent)
{
    setMinimumSize(200, 160);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void TSurfaceView::SetMesh(const std::vector<QPointF>& Nodes, const std::vector<TTriangle>& Triangles)
{
    FMeshNodes = Nodes;
    FMeshTriangles.clear();
    const int n = static_cast<int>(Nodes.size());
    for (const TTriangle& t : Triangles)
        if (std::all_of(t.begin(), t.end(), [n](int i) { return i >= 0 && i < n; })) FMeshTriangles.push_back(t);
    // The next points decide again which triangles fit them.
    FPoints.clear();
    FTriangles.clear();
    FUsesMesh = false;
    update();
}

void TSurfaceView::Clear()
{
    FPoints.clear();
    FTriangles.clear();
    FUsesMesh = false;
    update();
}

bool TSurfaceView::SamePlanPoints(const std::vector<TSurfacePoint>& Points) const
{
    if (Points.size() != FPoints.size()) return false;
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (Points[i].X != FPoints[i].X || Points[i].Z != FPoints[i].Z) return false;
    return true;
}

bool TSurfaceView::MatchesMesh(const std::vector<TSurfacePoint>& Points) const
{
    if (FMeshTriangles.empty() || Points.size() != FMeshNodes.size()) return false;
    double extent = 0;
    for (const QPointF& p : FMeshNodes) extent = std::max({extent, std::abs(p.x()), std::abs(p.y())});
    // Node dumps round the coordinates; a millionth of the field is the same node.
    const double tol = std::max(extent, 1.0) * 1e-6 + 1e-3;
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (!Near(Points[i].X, FMeshNodes[i].x(), tol) || !Near(Points[i].Z, FMeshNodes[i].y(), tol)) return false;
    return true;
}

void TSurfaceView::SetPoints(const std::vector<TSurfacePoint>& Points)
{
    if (!SamePlanPoints(Points) || FTriangles.empty()) {
        FUsesMesh = MatchesMesh(Points);
        if (FUsesMesh) {
            FTriangles = FMeshTriangles;
        } else {
            std::vector<double> xs, ys;
            xs.reserve(Points.size());
            ys.reserve(Points.size());
            for (const TSurfacePoint& p : Points) {
                xs.push_back(p.X);
                ys.push_back(p.Z);
            }
            FTriangles = DelaunayTriangulate(xs, ys);
        }
    }
    FPoints = Points;
    UpdateBox();
    update();
}

void TSurfaceView::UpdateBox()
{
    FX0 = FT0 = FY0 = INFINITY;
    FX1 = FT1 = FY1 = -INFINITY;
    for (const TSurfacePoint& p : FPoints) {
        if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) continue;
        FX0 = std::min(FX0, p.X);
        FX1 = std::max(FX1, p.X);
        FT0 = std::min(FT0, p.Y);
        FT1 = std::max(FT1, p.Y);
        FY0 = std::min(FY0, p.Z);
        FY1 = std::max(FY1, p.Z);
    }
    FProjection.SetBox(FX0, FX1, FT0, FT1, FY0, FY1);
}

void TSurfaceView::ResetView()
{
    FProjection.Reset();
    update();
}

void TSurfaceView::SetShowEdges(bool V)
{
    FShowEdges = V;
    update();
}

QColor TSurfaceView::PaletteColor(double T, double T0, double T1)
{
    double f = T1 > T0 ? (T - T0) / (T1 - T0) : 0.5;
    f = std::clamp(std::isfinite(f) ? f : 0.5, 0.0, 1.0);
    const int step = std::min(PaletteSteps - 1, static_cast<int>(f * PaletteSteps));
    // Hue from blue (240°) over green and yellow to red (0°).
    const double hue = 240.0 * (1 - static_cast<double>(step) / (PaletteSteps - 1));
    return QColor::fromHsvF(static_cast<float>(hue / 360), 0.85f, 0.95f);
}

void TSurfaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(10, 10, -90, -10);
    FProjection.SetViewport(area);
    if (FTriangles.empty() || FPoints.empty()) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Keine Temperaturen geladen"));
        return;
    }
    std::vector<TSurfaceProjection::TMapped> mapped(FPoints.size());
    for (std::size_t i = 0; i < FPoints.size(); ++i)
        mapped[i] = FProjection.Map(FPoints[i].X, FPoints[i].Y, FPoints[i].Z);
    const int n = static_cast<int>(FPoints.size());
    std::vector<std::pair<double, int>> order;
    order.reserve(FTriangles.size());
    for (int i = 0; i < static_cast<int>(FTriangles.size()); ++i) {
        const TTriangle& t = FTriangles[i];
        if (t[0] >= n || t[1] >= n || t[2] >= n) continue;
        order.emplace_back(mapped[t[0]].Depth + mapped[t[1]].Depth + mapped[t[2]].Depth, i);
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });

    PaintBox(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& [depth, i] : order) {
        const TTriangle& t = FTriangles[i];
        const double mean = (FPoints[t[0]].Y + FPoints[t[1]].Y + FPoints[t[2]].Y) / 3;
        if (!std::isfinite(mean)) continue;
        const QColor c = PaletteColor(mean, FT0, FT1);
        p.setPen(FShowEdges ? QPen(QColor(40, 40, 40), 0) : QPen(c, 0));
        p.setBrush(c);
        const QPointF tri[3] = {mapped[t[0]].Screen, mapped[t[1]].Screen, mapped[t[2]].Screen};
        p.drawPolygon(tri, 3);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    PaintLegend(p);
}

void TSurfaceView::PaintBox(QPainter& P)
{
    // The floor of the box with plan-coordinate labels on two of its edges.
    const auto at = [this](double X, double Y) { return FProjection.Map(X, FT0, Y).Screen; };
    P.setPen(QPen(QColor(150, 150, 150), 1));
    P.setBrush(QColor(245, 245, 245));
    const QPointF floor[4] = {at(FX0, FY0), at(FX1, FY0), at(FX1, FY1), at(FX0, FY1)};
    P.drawPolygon(floor, 4);
    P.setPen(QColor(90, 90, 90));
    QFont f = font();
    f.setPointSizeF(7.5);
    P.setFont(f);
    const auto label = [&](const QPointF& Pt, double V) {
        P.drawText(QRectF(Pt.x() - 30, Pt.y() + 2, 60, 14), Qt::AlignCenter, FormatFloat(QStringLiteral("0.#"), V));
    };
    label(at(FX0, FY0), FX0);
    label(at(FX1, FY0), FX1);
    label(at(FX1, FY1), FY1);
}

void TSurfaceView::PaintLegend(QPainter& P)
{
    const double h = std::min(240.0, height() - 40.0);
    const QRectF bar(width() - 70, (height() - h) / 2, 16, h);
    const double step = h / PaletteSteps;
    P.setPen(Qt::NoPen);
    for (int i = 0; i < PaletteSteps; ++i) {
        const double t = FT0 + (FT1 - FT0) * (i + 0.5) / PaletteSteps;
        P.setBrush(PaletteColor(t, FT0, FT1));
        P.drawRect(QRectF(bar.left(), bar.bottom() - (i + 1) * step, bar.width(), step + 0.5));
    }
    P.setPen(QColor(60, 60, 60));
    P.setBrush(Qt::NoBrush);
    P.drawRect(bar);
    const QString top = FloatToFixedOrEmpty(FT1, 2) + QStringLiteral(" °C");
    const QString bottom = FloatToFixedOrEmpty(FT0, 2) + QStringLiteral(" °C");
    P.drawText(QRectF(bar.left() - 20, bar.top() - 18, 90, 16), Qt::AlignLeft | Qt::AlignVCenter, top);
    P.drawText(QRectF(bar.left() - 20, bar.bottom() + 2, 90, 16), Qt::AlignLeft | Qt::AlignVCenter, bottom);
}

void TSurfaceView::mousePressEvent(QMouseEvent* Event)
{
    FDragStart = Event->position().toPoint();
    FDragRotation = FProjection.Rotation();
    FDragElevation = FProjection.Elevation();
}

void TSurfaceView::mouseMoveEvent(QMouseEvent* Event)
{
    if (!(Event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) return;
    const QPoint d = Event->position().toPoint() - FDragStart;
    FProjection.SetRotation(FDragRotation - d.x() * 0.5);
    FProjection.SetElevation(FDragElevation - d.y() * 0.5);
    update();
}

void TSurfaceView::mouseDoubleClickEvent(QMouseEvent*)
{
    ResetView();
}

void TSurfaceView::wheelEvent(QWheelEvent* Event)
{
    const double steps = Event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    FProjection.SetZoom(FProjection.Zoom() * std::pow(1.1, steps));
    update();
    Event->accept();
}
