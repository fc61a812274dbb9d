#pragma once

// Helpers of the contour tests: a canvas that records what is drawn, small
// grids and meshes, images to read back.

#include "gfx/CustomCanvas.h"
#include "model/contours/ContourObj.h"
#include "model/fe/NumModel.h"

#include <QImage>
#include <QString>
#include <initializer_list>
#include <vector>

// Keeps lines, polylines and texts with the pen and font in force.
class TRecordingCanvas : public TCustomCanvas {
public:
    struct TLine {
        TPoint A, B;
    };
    struct TText {
        TPoint At;
        QString Text;
        int Orientation;
        QString FontName;
        TBrushStyle BrushStyle;
    };
    struct TPolyline {
        std::vector<TPoint> Points;
        int PenWidth;
        TColor PenColor;
    };

    void LineTo(int x, int y) override
    {
        Lines.push_back(TLine{PenPos(), TPoint{x, y}});
        MoveTo(x, y);
    }
    void Polyline(std::span<const TPoint> points) override
    {
        Polylines.push_back(TPolyline{{points.begin(), points.end()}, Pen().Width(), Pen().Color()});
    }
    void Polygon(std::span<const TPoint>) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(const TRect&) override {}
    void Ellipse(int x1, int y1, int x2, int y2) override { Ellipses.push_back(TRect{x1, y1, x2, y2}); }
    void TextOut(int x, int y, const QString& text) override
    {
        Texts.push_back(TText{TPoint{x, y}, text, Font().Orientation(), Font().Name(), Brush().Style()});
    }
    // 6 units per character, 10 high.
    TSize TextExtent(const QString& text) override { return TSize{6 * static_cast<int>(text.size()), 10}; }
    void StretchDraw(const TRect&, const QImage&) override {}

    std::vector<TLine> Lines;
    std::vector<TPolyline> Polylines;
    std::vector<TText> Texts;
    std::vector<TRect> Ellipses;
};

// Fills a map's grid: Values row by row, row r at Ys[r], column c at Xs[c].
inline void SetGrid(TContourMap& Map, std::initializer_list<double> Xs, std::initializer_list<double> Ys,
                    std::initializer_list<double> Values)
{
    Map.X() = Eigen::Map<const TVec>(Xs.begin(), static_cast<Eigen::Index>(Xs.size()));
    Map.Y() = Eigen::Map<const TVec>(Ys.begin(), static_cast<Eigen::Index>(Ys.size()));
    Map.Data().resize(static_cast<Eigen::Index>(Ys.size()), static_cast<Eigen::Index>(Xs.size()));
    auto v = Values.begin();
    for (Eigen::Index r = 0; r < Map.Data().rows(); ++r)
        for (Eigen::Index c = 0; c < Map.Data().cols(); ++c) Map.Data()(r, c) = *v++;
}

inline void SetLevels(TContourMap& Map, std::initializer_list<double> Levels)
{
    Map.Z() = Eigen::Map<const TVec>(Levels.begin(), static_cast<Eigen::Index>(Levels.size()));
}

// A grid of N × N points at 0 … N − 1 with the values of F.
template <typename Fn>
void SetFunctionGrid(TContourMap& Map, int N, double Step, Fn F)
{
    Map.X().resize(N);
    Map.Y().resize(N);
    for (int i = 0; i < N; ++i) Map.X()[i] = Map.Y()[i] = i * Step;
    Map.Data().resize(N, N);
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c) Map.Data()(r, c) = F(Map.X()[c], Map.Y()[r]);
}

// A rectangle [0, W] × [0, H] of Nx × Ny cells, two triangles each.
inline void BuildRectMesh(T2DTriangleModel& Model, int Nx, int Ny, double W, double H)
{
    for (int j = 0; j <= Ny; ++j)
        for (int i = 0; i <= Nx; ++i) Model.NodesList().Add(std::make_unique<TNode>(W * i / Nx, H * j / Ny));
    const int row = Nx + 1;
    auto triangle = [&Model](int a, int b, int c) {
        const int index[3] = {a, b, c};
        auto e = std::make_unique<TTransientTriangle>(Model.GetNodes(a), Model.GetNodes(b), Model.GetNodes(c), 100, 0,
                                                      1e30, 2.5e8);
        e->PresetNodeIndices(index);
        e->UpdateNodeIndices(&Model.NodesList());
        Model.ElementsList().Add(std::move(e));
    };
    for (int j = 0; j < Ny; ++j)
        for (int i = 0; i < Nx; ++i) {
            const int n0 = j * row + i;
            triangle(n0, n0 + 1, n0 + row + 1);
            triangle(n0, n0 + row + 1, n0 + row);
        }
}

inline QImage WhiteImage(int Width, int Height)
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Something other than white within Radius pixels of (X, Y).
inline bool InkNear(const QImage& Image, int X, int Y, int Radius = 1)
{
    for (int y = Y - Radius; y <= Y + Radius; ++y)
        for (int x = X - Radius; x <= X + Radius; ++x)
            if (Image.rect().contains(x, y) && Image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}
