#pragma once

#include "gfx/GeometrySink.h"

#include <vector>

// Collects the straight-line outline of a geometry operation (the overlap of a
// groundwater cell with a mesh triangle) in world metres. Every figure keeps
// all of its points, its start point included: the mean temperature of an
// overlap is averaged over these points, so a dropped vertex or a dropped
// figure would bias it.
class TSpecializedSink : public ISimplifiedGeometrySink {
public:
    using TFigure = std::vector<TPointD>;

    TSpecializedSink() = default;

    // All points of all figures in the order received, start points included.
    const std::vector<TPointD>& ThePoints() const { return FThePoints; }
    // The same points figure by figure.
    const std::vector<TFigure>& Figures() const { return FFigures; }
    void Clear();

    void SetFillMode(int fillMode) override { (void)fillMode; }
    void SetSegmentFlags(int flags) override { (void)flags; }
    void BeginFigure(TPointD startPoint, bool filled) override;
    void AddLines(const TPointD* points, unsigned count) override;
    // Only the end point of each curve is kept; callers ask for lines only.
    void AddBeziers(const TPointD* points, unsigned count) override;
    void EndFigure(bool closed) override;
    bool Close() override { return true; }

private:
    void Append(TPointD P);

    std::vector<TPointD> FThePoints;
    std::vector<TFigure> FFigures;
    bool FInFigure = false;
};
