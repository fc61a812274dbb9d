#pragma once

// The contour map's base: a regular grid of values with one coordinate vector
// per axis and a vector of levels, contoured cell by cell. Every cell is cut
// into four triangles around its centre; each triangle a level crosses gives
// one straight segment.

#include "gfx/CustomCanvas.h"
#include "model/base/MVStreamList.h"
#include "model/contours/ContourUnits.h"
#include "model/fe/NumElements.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

// Case of a triangle by the signs (−1, 0, +1, offset by one) of its vertices
// m1, centre m2 and m3.
using TCastArray = std::array<std::array<std::array<int, 3>, 3>, 3>;

// Grid sizes beyond this in a stored record are taken for corruption.
inline constexpr std::int32_t MaxContourGridLength = 100000;

class TContourMap : public TObject {
    KP_CLASS(TContourMap)
public:
    // One segment of level Level (an index into Z) from (AX, AY) to (BX, BY).
    using TSegmentProc = std::function<void(int Level, double AX, double AY, double BX, double BY)>;

    TContourMap();
    ~TContourMap() override;
    TContourMap(const TContourMap&) = delete;
    TContourMap& operator=(const TContourMap&) = delete;

    // Row r of Data belongs to Y[r], column c to X[c]. The owner sizes and
    // fills the four objects in place.
    TMtx& Data() { return FData; }
    const TMtx& Data() const { return FData; }
    TVec& Y() { return FY; }
    const TVec& Y() const { return FY; }
    TVec& X() { return FX; }
    const TVec& X() const { return FX; }
    // The levels, in the order lines are made (ascending as the model fills them).
    TVec& Z() { return FZ; }
    const TVec& Z() const { return FZ; }

    // Contours the grid and draws every segment with the canvas's current pen,
    // the grid coordinates taken as canvas units. Nothing without a canvas.
    virtual void Draw(TCustomCanvas* ACanvas);
    // Int32 columns, Int32 rows. Coordinates, levels and values are not stored.
    virtual void WriteData(TStream& S);
    // Sizes X and Y from the record; a negative or absurd size is a read error
    // and changes nothing.
    virtual void ReadData(TStream& S);
    // The X/Y/Z text export into AFilename (CR LF line ends).
    virtual void SaveToFile(TConvType AUnitMap, TConvType AUnitWL, const QString& AFilename, double XOffset,
                            double YOffset, double MapScale);
    // Appends one line per grid point, X varying fastest: X, tab, Y, tab, value,
    // all in metres. Appends nothing when a unit is no distance unit (raises)
    // or when the data do not match the axes (raises).
    virtual void SaveToStrings(TConvType AUnitMap, TConvType AUnitWL, QStringList* TheStrings, double XOffset,
                               double YOffset, double MapScale);

    // Data has one row per Y and one column per X.
    bool DataMatchesAxes() const;
    // Hands every segment of the grid to Segment: rows from the top index down,
    // columns left to right, levels in index order, the four triangles in turn.
    // A grid whose data do not match the axes gives nothing; so does a cell
    // with a value or coordinate that is not finite.
    void ContourGrid(const TSegmentProc& Segment) const;

protected:
    // The two sizes of the record, checked but not applied.
    static void ReadGridSize(TStream& S, std::int32_t& Cols, std::int32_t& Rows);
    void ApplyGridSize(std::int32_t Cols, std::int32_t Rows);

private:
    void ContourCell(Eigen::Index i, Eigen::Index j, const TSegmentProc& Segment) const;

    TMtx FData;
    TVec FY;
    TVec FX;
    TVec FZ;
    TCastArray casttab{};
};
