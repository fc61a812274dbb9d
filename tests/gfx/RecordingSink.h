#pragma once

#include "gfx/GeometrySink.h"

#include <vector>

// Keeps everything a geometry operation writes, figure by figure.
class TRecordingSink : public ISimplifiedGeometrySink {
public:
  struct TFigure {
    TPointD Start{};
    bool Filled = false;
    std::vector<TPointD> Lines;
    std::vector<TPointD> Beziers;
    int AddLinesCalls = 0;
    bool Ended = false;
    bool Closed = false;

    // Start point followed by the line points: the figure's vertices.
    std::vector<TPointD> Vertices() const {
      std::vector<TPointD> v{Start};
      v.insert(v.end(), Lines.begin(), Lines.end());
      return v;
    }
  };

  void SetFillMode(int fillMode) override { FillMode = fillMode; }
  void SetSegmentFlags(int) override {}
  void BeginFigure(TPointD startPoint, bool filled) override {
    TFigure f;
    f.Start = startPoint;
    f.Filled = filled;
    Figures.push_back(f);
  }
  void AddLines(const TPointD* points, unsigned count) override {
    Figures.back().Lines.insert(Figures.back().Lines.end(), points, points + count);
    ++Figures.back().AddLinesCalls;
  }
  void AddBeziers(const TPointD* points, unsigned count) override {
    Figures.back().Beziers.insert(Figures.back().Beziers.end(), points, points + count);
  }
  void EndFigure(bool closed) override {
    Figures.back().Ended = true;
    Figures.back().Closed = closed;
  }
  bool Close() override {
    Closed = true;
    return true;
  }

  std::vector<TFigure> Figures;
  int FillMode = -1;
  bool Closed = false;
};

// Whether the vertex list holds the point (within tol).
inline bool HasVertex(const std::vector<TPointD>& vertices, TPointD p, double tol) {
  for (const TPointD& v : vertices)
    if (std::abs(v.x - p.x) <= tol && std::abs(v.y - p.y) <= tol) return true;
  return false;
}
