#include "FETestUtils.h"

#include <cmath>
#include <numbers>

namespace {

// A peak in the middle of a hexagon of six triangles.
void Hexagon(T2DTriangleModel& Model, double Centre, double Rim)
{
    AddNode(Model, 0, 0)->SetF(Centre);
    for (int j = 0; j < 6; ++j) {
        const double phi = std::numbers::pi / 3 * j;
        AddNode(Model, std::cos(phi), std::sin(phi))->SetF(Rim);
    }
    for (int j = 0; j < 6; ++j) AddTriangle(Model, 0, 1 + j, 1 + (j + 1) % 6);
}

QPointF Twice(QPointF P)
{
    return 2 * P;
}

}  // namespace

TEST(FEContours, LinesThroughTheTriangles)
{
    T2DTriangleModel single;
    AddNode(single, 0, 0)->SetF(0);
    AddNode(single, 1, 0)->SetF(1);
    AddNode(single, 0, 1)->SetF(2);
    AddTriangle(single, 0, 1, 2);
    std::vector<TFEContourLine> lines;
    EXPECT_FALSE(single.GenerateContourDataTriangle(5, &lines, Twice, false, false, 0, 1, 0, 1));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(single.GenerateContourDataTriangle(0.5, nullptr, Twice, false, false, 0, 1, 0, 1));
    EXPECT_FALSE(single.GenerateContourDataTriangle(0.5, &lines, TConvertFunction(), false, false, 0, 1, 0, 1));
    // Both crossings on the edge of the mesh: one open line of two points, converted.
    ASSERT_TRUE(single.GenerateContourDataTriangle(0.5, &lines, Twice, false, false, 0, 1, 0, 1));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].IsOpenLine);
    EXPECT_EQ(lines[0].ZLevel, 0.5);
    ASSERT_EQ(lines[0].DPIPoints.size(), 2u);
    EXPECT_EQ(lines[0].DPIPoints[0], (D2D_POINT_2F{1, 0}));
    EXPECT_EQ(lines[0].DPIPoints[1], (D2D_POINT_2F{0, 0.5f}));

    // A closed isotherm around a peak comes back to its start.
    T2DTriangleModel hill;
    Hexagon(hill, 10, 0);
    lines.clear();
    ASSERT_TRUE(hill.GenerateContourDataTriangle(5, &lines, Twice, false, false, -1, 1, -1, 1));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].IsOpenLine);
    ASSERT_EQ(lines[0].DPIPoints.size(), 7u);
    EXPECT_EQ(lines[0].DPIPoints.front(), lines[0].DPIPoints.back());
    for (const D2D_POINT_2F& p : lines[0].DPIPoints) EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-6);  // halfway up the spokes, doubled
}

TEST(FEContours, OpenLineAcrossSeveralTriangles)
{
    // A field rising in x across a strip: the level 0.5 runs from the bottom edge to the top edge.
    T2DTriangleModel strip;
    BuildRectMesh(strip, 2, 3, 2, 3);
    for (int k = 0; k < strip.NodeCount(); ++k) strip.GetNodes(k)->SetF(strip.GetNodes(k)->X() * 0.4);
    std::vector<TFEContourLine> lines;
    ASSERT_TRUE(strip.GenerateContourDataTriangle(0.5, &lines, [](QPointF p) { return p; }, false, false, 0, 2, 0, 3));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].IsOpenLine);
    ASSERT_GE(lines[0].DPIPoints.size(), 4u);
    for (const D2D_POINT_2F& p : lines[0].DPIPoints) EXPECT_NEAR(p.x, 1.25, 1e-6);
    EXPECT_NEAR(std::fabs(lines[0].DPIPoints.front().y - lines[0].DPIPoints.back().y), 3, 1e-6);
}

// ---------------------------------------------------------------------------

namespace {

// Keeps what is drawn, with the pen and brush in force at the time.
class TRecordingCanvas : public TCustomCanvas {
public:
    struct TShape {
        char Kind;  // 'E'llipse, 'P'olygon, 'T'ext
        std::vector<TPoint> Points;
        QString Text;
        TBrushStyle BrushStyle;
        TColor BrushColor;
        TColor PenColor;
    };
    void LineTo(int x, int y) override { MoveTo(x, y); }
    void Polyline(std::span<const TPoint>) override {}
    void Polygon(std::span<const TPoint> points) override { Add('P', {points.begin(), points.end()}); }
    void Rectangle(int, int, int, int) override {}
    void FillRect(const TRect&) override {}
    void Ellipse(int x1, int y1, int x2, int y2) override { Add('E', {TPoint{x1, y1}, TPoint{x2, y2}}); }
    void TextOut(int x, int y, const QString& text) override { Add('T', {TPoint{x, y}}, text); }
    TSize TextExtent(const QString& text) override { return TSize{6 * static_cast<int>(text.size()), 10}; }
    void StretchDraw(const TRect&, const QImage&) override {}

    std::vector<TShape> Shapes;

private:
    void Add(char Kind, std::vector<TPoint> Points, const QString& Text = {})
    {
        Shapes.push_back(TShape{Kind, std::move(Points), Text, Brush().Style(), Brush().Color(), Pen().Color()});
    }
};

}  // namespace

TEST(FEDrawing, MeshPicture)
{
    T2DTriangleTransient model;
    AddNode(model, TNode::Create1BC(0, 0, 5));
    AddNode(model, TNode::Create2BC(10, 0, -100));
    AddNode(model, 0, 10);
    AddTriangle(model, 0, 1, 2);
    TParameterSet set(QStringLiteral("Ton"), 0x00AA00);
    model.GetElement(0)->Assign(&set);

    TRecordingCanvas canvas;
    model.DrawGrid(canvas, 2.5, 100, 50, true, true, true);
    ASSERT_EQ(canvas.Shapes.size(), 3u * 2 + 2);
    const auto& fixed = canvas.Shapes[0];
    EXPECT_EQ(fixed.Kind, 'E');
    EXPECT_EQ(fixed.Points[0], (TPoint{97, 47}));
    EXPECT_EQ(fixed.Points[1], (TPoint{103, 53}));
    EXPECT_EQ(fixed.BrushStyle, bsSolid);
    EXPECT_EQ(fixed.BrushColor, 0x0000FFu);
    EXPECT_EQ(fixed.PenColor, 0x0000FFu);
    const auto& label = canvas.Shapes[1];
    EXPECT_EQ(label.Text, QStringLiteral("P1"));
    EXPECT_EQ(label.Points[0], (TPoint{100 - 3 - 12, 50 - 3 - 10}));  // bottom right corner 3 px up and left
    EXPECT_EQ(label.PenColor, clBlack);
    EXPECT_EQ(canvas.Shapes[2].BrushColor, 0xFF0000u);  // fixed flow
    EXPECT_EQ(canvas.Shapes[2].Points[0], (TPoint{122, 47}));
    EXPECT_EQ(canvas.Shapes[4].PenColor, clBlack);  // a free node
    const auto& triangle = canvas.Shapes[6];
    EXPECT_EQ(triangle.Kind, 'P');
    EXPECT_EQ(triangle.Points, (std::vector<TPoint>{{100, 50}, {125, 50}, {100, 75}}));
    EXPECT_EQ(triangle.BrushStyle, bsSolid);
    EXPECT_EQ(triangle.BrushColor, 0x00AA00u);
    EXPECT_EQ(canvas.Shapes[7].Text, QStringLiteral("E1"));
    EXPECT_EQ(canvas.Shapes[7].Points[0], (TPoint{108 - 6, 58 - 5}));

    TRecordingCanvas plain;
    model.GetElement(0)->Assign(nullptr);
    model.DrawGrid(plain, 1, 0, 0, false, false, false);
    ASSERT_EQ(plain.Shapes.size(), 4u);
    EXPECT_EQ(plain.Shapes[0].BrushStyle, bsClear);
    EXPECT_EQ(plain.Shapes[3].BrushStyle, bsClear);
}
