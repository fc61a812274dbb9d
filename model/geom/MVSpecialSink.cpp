#include "model/geom/MVSpecialSink.h"

void TSpecializedSink::Clear()
{
    FThePoints.clear();
    FFigures.clear();
    FInFigure = false;
}

void TSpecializedSink::BeginFigure(TPointD startPoint, bool filled)
{
    (void)filled;
    FFigures.emplace_back();
    FInFigure = true;
    Append(startPoint);
}

void TSpecializedSink::AddLines(const TPointD* points, unsigned count)
{
    if (!points) return;
    for (unsigned i = 0; i < count; ++i) Append(points[i]);
}

void TSpecializedSink::AddBeziers(const TPointD* points, unsigned count)
{
    if (!points) return;
    // Three points per curve (two control points, then the end point);
    // count is the number of points.
    for (unsigned i = 2; i < count; i += 3) Append(points[i]);
}

void TSpecializedSink::EndFigure(bool closed)
{
    (void)closed;
    FInFigure = false;
}

void TSpecializedSink::Append(TPointD P)
{
    // Lines without a figure begun (a careless producer) still count as one.
    if (!FInFigure) {
        FFigures.emplace_back();
        FInFigure = true;
    }
    FFigures.back().push_back(P);
    FThePoints.push_back(P);
}
