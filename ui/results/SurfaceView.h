#pragma once

#include "model/run/RunDisplay.h"
#include "ui/results/Delaunay.h"
#include "ui/results/SurfaceProjection.h"

#include <QWidget>

#include <vector>



// The temperature field as a 3-D surface: triangles coloured by their mean
// temperature from a 20-step palette, painted far to near. The triangles are
// the mesh's when the points are its nodes, else a Delaunay triangulation of
// the points (a node dump of another mesh); a new set of values on the same
// points reuses the triangles, so a running simulation may show every update
// at the price of a repaint. A drag rotates, the wheel zooms, a double-click
// or ResetView goes back to the initial view.
class TSurfaceView : public QWidget {
    Q_OBJECT

public:
    static constexpr int PaletteSteps = 20;

    explicit TSurfaceView(QWidget* Parent = nullptr);

    // The mesh whose nodes the points usually are: node coordinates and
    // counter-clockwise triangles of node indices. Triangles that name a node
    // outside the list are ignored.
    void SetMesh(const std::vector<QPointF>& Nodes, const std::vector<TTriangle>& Triangles);
    void SetPoints(const std::vector<TSurfacePoint>& Points);
    void Clear();

    const std::vector<TSurfacePoint>& Points() const { return FPoints; }
    const std::vector<TTriangle>& Triangles() const { return FTriangles; }
    // True when the triangles came from the mesh.
    bool UsesMesh() const { return FUsesMesh; }
    TSurfaceProjection& Projection() { return FProjection; }
    void ResetView();
    bool ShowEdges() const { return FShowEdges; }
    void SetShowEdges(bool V);

    // Palette colour of temperature T within [T0, T1]: blue for cold to red
    // for warm in PaletteSteps steps.
    static QColor PaletteColor(double T, double T0, double T1);

    QSize sizeHint() const override { return {600, 420}; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;

private:
    bool SamePlanPoints(const std::vector<TSurfacePoint>& Points) const;
    bool MatchesMesh(const std::vector<TSurfacePoint>& Points) const;
    void UpdateBox();
    void PaintBox(class QPainter& P);
    void PaintLegend(QPainter& P);

    std::vector<QPointF> FMeshNodes;
    std::vector<TTriangle> FMeshTriangles;
    std::vector<TSurfacePoint> FPoints;
    std::vector<TTriangle> FTriangles;
    bool FUsesMesh = false;
    double FX0 = 0, FX1 = 0, FT0 = 0, FT1 = 0, FY0 = 0, FY1 = 0;
    TSurfaceProjection FProjection;
    bool FShowEdges = false;
    QPoint FDragStart;
    double FDragRotation = 0;
    double FDragElevation = 0;
};
