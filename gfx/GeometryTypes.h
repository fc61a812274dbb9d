#pragma once

#include <cstdint>

// Fill modes as passed to ISimplifiedGeometrySink::SetFillMode.
enum TD2FillMode : int { fmAlternate = 0, fmWinding = 1 };

enum class TCombineMode : uint8_t { Union, Intersect, Xor, Exclude };

// How a geometry relates to another one it is compared with: IsContained means the
// geometry lies entirely inside the other, Contains that it holds the other entirely.
enum class TGeometryRelation : uint8_t { Unknown, Disjoint, IsContained, Contains, Overlap };

enum class TGeometrySimplification : uint8_t { CubicsAndLines, Lines };

constexpr float D2DefaultFlatteningTolerance = 0.25f;
