#pragma once

#include <QImage>
#include <QString>

#include "gfx/Canvas.h"

#include <vector>

// A GDI-style canvas over an image that records what is drawn in logical units, with
// the pen, brush and clip in force. Text is recorded, not drawn, and measured as 10
// units per character by 30 units, so that placements can be checked exactly.
struct TRecordedOp {
    enum TKind { opLine, opPolyline, opPolygon, opRectangle, opEllipse, opText } Kind = opLine;
    std::vector<TPoint> Points;  // ends of a line, corners of a rectangle or ellipse
    QString Text;
    int PenWidth = 0;
    TColor PenColor = 0;
    TColor BrushColor = 0;
    TBrushStyle BrushStyle = bsSolid;
    bool Clipped = false;
    TRect Clip;
    int FontOrientation = 0;
};

struct TImageHolder {
    explicit TImageHolder(int W, int H) : Image(W, H, QImage::Format_ARGB32_Premultiplied) { Image.fill(Qt::white); }
    QImage Image;
};

class TRecordingCanvas : private TImageHolder, public TCanvas {
public:
    explicit TRecordingCanvas(int W = 1000, int H = 1000, bool Paint = false)
        : TImageHolder(W, H), TCanvas(&Image), FPaint(Paint)
    {
    }

    std::vector<TRecordedOp> Ops;

    const QImage& Picture() const { return Image; }

    std::vector<TRecordedOp> OfKind(TRecordedOp::TKind Kind) const
    {
        std::vector<TRecordedOp> r;
        for (const TRecordedOp& op : Ops)
            if (op.Kind == Kind) r.push_back(op);
        return r;
    }
    std::vector<std::pair<TPoint, TPoint>> Lines() const
    {
        std::vector<std::pair<TPoint, TPoint>> r;
        for (const TRecordedOp& op : Ops)
            if (op.Kind == TRecordedOp::opLine) r.emplace_back(op.Points[0], op.Points[1]);
        return r;
    }
    std::vector<QString> Texts() const
    {
        std::vector<QString> r;
        for (const TRecordedOp& op : Ops)
            if (op.Kind == TRecordedOp::opText) r.push_back(op.Text);
        return r;
    }

    void LineTo(int x, int y) override
    {
        Record(TRecordedOp::opLine, {PenPos(), TPoint{x, y}});
        if (FPaint)
            TCanvas::LineTo(x, y);
        else
            MoveTo(x, y);
    }
    void Polyline(std::span<const TPoint> points) override
    {
        Record(TRecordedOp::opPolyline, {points.begin(), points.end()});
        if (FPaint) TCanvas::Polyline(points);
    }
    void Polygon(std::span<const TPoint> points) override
    {
        Record(TRecordedOp::opPolygon, {points.begin(), points.end()});
        if (FPaint) TCanvas::Polygon(points);
    }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        Record(TRecordedOp::opRectangle, {TPoint{x1, y1}, TPoint{x2, y2}});
        if (FPaint) TCanvas::Rectangle(x1, y1, x2, y2);
    }
    using TCanvas::Rectangle;
    void Ellipse(int x1, int y1, int x2, int y2) override
    {
        Record(TRecordedOp::opEllipse, {TPoint{x1, y1}, TPoint{x2, y2}});
        if (FPaint) TCanvas::Ellipse(x1, y1, x2, y2);
    }
    using TCanvas::Ellipse;
    void TextOut(int x, int y, const QString& text) override
    {
        TRecordedOp op = Make(TRecordedOp::opText, {TPoint{x, y}});
        op.Text = text;
        Ops.push_back(op);
    }
    TSize TextExtent(const QString& text) override
    {
        return TSize{10 * static_cast<int>(text.size()), 30};
    }

private:
    TRecordedOp Make(TRecordedOp::TKind Kind, std::vector<TPoint> Points)
    {
        TRecordedOp op;
        op.Kind = Kind;
        op.Points = std::move(Points);
        op.PenWidth = Pen().Width();
        op.PenColor = Pen().Color();
        op.BrushColor = Brush().Color();
        op.BrushStyle = Brush().Style();
        op.Clipped = Painter().hasClipping();
        if (op.Clipped) op.Clip = ClipRect();
        op.FontOrientation = Font().Orientation();
        return op;
    }
    void Record(TRecordedOp::TKind Kind, std::vector<TPoint> Points) { Ops.push_back(Make(Kind, std::move(Points))); }

    bool FPaint;
};
