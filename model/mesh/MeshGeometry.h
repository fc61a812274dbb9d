#pragma once

// Plane geometry of the mesh input: the line fit that tells a row of probes
// from a field, the rectangle around a row, the convex hull of a field and
// the polygon helpers that enlarge it.

#include "model/base/MVBasicTypes.h"

#include <Eigen/Core>
#include <vector>

using TDblPointList = std::vector<TDblPoint>;

// Least-squares line through the points (X[i], Y[i]), y over x, and where
// that misses a steep row, x over y. True when every point lies within
// Threshold of one of the lines (or the points form a vertical or horizontal
// row, or there are just two); P1 and P2 are then the ends of the fitted
// segment. False leaves P1 and P2 alone. Raises EKPError when X and Y
// differ in length or hold fewer than two values.
bool FitPointsRect(const Eigen::VectorXd& X, const Eigen::VectorXd& Y, double Threshold, Eigen::Vector2d& P1,
                   Eigen::Vector2d& P2);

// Corners of the rectangle reaching Width beyond both ends of the segment
// P1-P2 and Width to either side: C1, C2 behind P1, C3, C4 beyond P2.
void LineRectCorners(const Eigen::Vector2d& P1, const Eigen::Vector2d& P2, double Width, Eigen::Vector2d& C1,
                     Eigen::Vector2d& C2, Eigen::Vector2d& C3, Eigen::Vector2d& C4);

// Convex hull by the monotone chain: clockwise, starting at the leftmost
// (lowest) point, collinear and duplicate points dropped. Sorts Points by X,
// then Y. False (nothing changed) for fewer than three points.
bool BuildConvexHull(TDblPointList& Points, TDblPointList& Hull);

// Unsigned area; 0 for fewer than three points.
double PolygonArea(const TDblPointList& Points);

// Area, and the centroid of a clockwise polygon; False (Centroid untouched)
// when the area is not positive.
bool PolygonCentroid(const TDblPointList& Points, double& Area, TDblPoint& Centroid);

// Dest := Source enlarged by Factor about its centroid; False (Dest
// untouched) when the centroid cannot be computed.
bool ScalePolygon(const TDblPointList& Source, TDblPointList& Dest, double Factor);

// Appends points on the circle, starting straight above Center and turning
// clockwise by Step while the summed angle stays below 2 pi. Nothing for a
// radius or step that is not positive; raises EKPError for a step that
// would make more than a million points.
void AddCirclePoints(TDblPointList& List, const TDblPoint& Center, double Radius, double Step);

// Smallest and largest X and Y; False for an empty list.
bool PolygonBoundingBox(const TDblPointList& Points, TDblPoint& MinPt, TDblPoint& MaxPt);
