#pragma once

// The isotherm map of a thermal model: contour lines per level, made either
// from the map's own regular grid or handed over by the finite-element model,
// with per-level line styles, labels along the lines, drawing on the plan and
// on printed pages, and the map's settings record.

#include "gfx/D2DGeometry.h"
#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/MVBasicTypes.h"
#include "model/contours/ContourObj.h"
#include "model/fe/NumModel.h"
#include "model/settings/KPStreamFt.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

// Where the contour lines come from.
enum TMVContourLineCalc : std::uint8_t {
    lcFe,    // the finite-element triangles
    lcGrid,  // the map's regular grid
};

// A straight piece of a contour line in world coordinates.
class TContourSegment : public TObject {
    KP_CLASS(TContourSegment)
public:
    TContourSegment(double AX, double AY, double AX2, double AY2);
    TContourSegment(const TDblPoint& Pt1, const TDblPoint& Pt2);

    const TDblPoint& P1() const { return FP1; }
    const TDblPoint& P2() const { return FP2; }

private:
    TDblPoint FP1;
    TDblPoint FP2;
};

// One polyline of a level. While it is being built its items are its
// segments (TContourSegment); after MakePolyline it is described by its
// points alone.
class TContourLine : public TMVObjectList {
    KP_CLASS(TContourLine)
public:
    explicit TContourLine(TConvertFunction TheConvertFunction = {});
    ~TContourLine() override;

    double ZLevel() const { return FZLevel; }
    void SetZLevel(double V) { FZLevel = V; }
    float Width() const { return FWidth; }
    void SetWidth(float V) { FWidth = V; }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { FColor = V; }
    // Printed drawing adds labels.
    bool ShowLabels() const { return FShowLabels; }
    void SetShowLabels(bool V) { FShowLabels = V; }
    // Tenths of a millimetre on the plan; pixels when printed.
    int LabelDistance() const { return FLabelDistance; }
    void SetLabelDistance(int V) { FLabelDistance = V; }
    // Number format of the labels.
    const QString& LabelMask() const { return FLabelMask; }
    void SetLabelMask(const QString& V) { FLabelMask = V; }
    KPStreamFt::TStreamFont& Font() { return FFont; }
    const KPStreamFt::TStreamFont& Font() const { return FFont; }
    void SetFont(const KPStreamFt::TStreamFont& V) { FFont = V; }
    // Labels get an opaque background.
    bool DeleteBackground() const { return FDeleteBackground; }
    void SetDeleteBackground(bool V) { FDeleteBackground = V; }
    double LabelFactor() const { return FLabelFactor; }
    void SetLabelFactor(double V) { FLabelFactor = V; }
    const TConvertFunction& ConvertFunction() const { return FConvertFunction; }
    void SetConvertFunction(TConvertFunction V) { FConvertFunction = std::move(V); }

    TContourSegment* Segments(int Index) const { return ItemAs<TContourSegment>(Index); }
    // The label text: the level times the label factor in the label format.
    QString LabelText() const;

    // Labels along the printed line, in the canvas's units.
    virtual void DrawLabels(TCustomCanvas& ACanvas);
    virtual void AddSegment(double AX, double AY, double AX2, double AY2);
    virtual void AddSegment(const TDblPoint& Pt1, const TDblPoint& Pt2);
    // The polyline with the line's pen, then the labels when ShowLabels.
    virtual void Draw(TCustomCanvas& ACanvas);
    // Labels along the line on the plan.
    virtual void D2DrawLabels(TDirect2DCanvas& ACanvas);
    // Joins segments into this line's polyline: the first segment starts it,
    // then again and again the first remaining segment that touches either end
    // (exactly equal points) extends it. Returns a new line holding the
    // segments left over, in reverse order, or nothing.
    virtual std::unique_ptr<TContourLine> MakePolyline();
    // D2Path through DPIPoints as an open or a closed figure; none for fewer
    // than two points.
    virtual void CreatePathFromPoints(bool IsOpenLine);

    // The line from points already in plan coordinates (the finite-element
    // lines): DPIPoints, PtArray and the path.
    void SetPlanPoints(TD2Pointslist Points, bool IsOpenLine);
    // The line from world points: converted, rounded, an open path.
    void SetWorldPoints(const std::vector<TDblPoint>& Points);

    // The polyline in plan coordinates rounded to whole units (printing).
    std::vector<TPoint> PtArray;
    // The polyline in plan coordinates.
    TD2Pointslist DPIPoints;
    TD2PathGeometryPtr D2Path;

private:
    double FZLevel = 0;
    float FWidth = 1.0f;
    TColor FColor = clBlack;
    bool FShowLabels = false;
    int FLabelDistance = 50;
    QString FLabelMask;
    KPStreamFt::TStreamFont FFont;
    bool FDeleteBackground = false;
    double FLabelFactor = 1.0;
    TConvertFunction FConvertFunction;
};

// A level drawn in its own colour and width.
class TMVContourLineStyle : public TObject {
    KP_CLASS(TMVContourLineStyle)
public:
    explicit TMVContourLineStyle(TBlank) {}
    TMVContourLineStyle();
    TMVContourLineStyle(double AZ, TColor AColor, float AWidth);

    double ZValue() const { return FZValue; }
    void SetZValue(double V) { FZValue = V; }
    float Width() const { return FWidth; }
    void SetWidth(float V) { FWidth = V; }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { FColor = V; }

    // Double ZValue, Int32 Color, Single Width.
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

private:
    double FZValue = 0;
    float FWidth = 0;
    TColor FColor = 0;
};

// At most this many levels are made; a finer spacing is widened to a whole
// multiple of itself.
inline constexpr int MaxContourLevels = 1000;

// Levels Zmin, Zmin + Dz, … up to Zmax. A spacing that is not positive and
// finite is replaced by AutoDz. No levels when a limit is not finite or the
// range is empty.
std::vector<double> ContourLevelValues(double Zmin, double Zmax, double Dz, double AutoDz);

class TMVContourMap : public TContourMap {
    KP_CLASS(TMVContourMap)
public:
    TMVContourMap();
    ~TMVContourMap() override;

    bool ZAutoMin() const { return FZAutoMin; }
    void SetZAutoMin(bool V) { FZAutoMin = V; }
    // Tenths of a millimetre between labels.
    int LineLabelDist() const { return FLineLabelDist; }
    void SetLineLabelDist(int V) { FLineLabelDist = V; }
    bool LineLabels() const { return FLineLabels; }
    void SetLineLabels(bool V) { FLineLabels = V; }
    bool ZAutoDist() const { return FZAutoDist; }
    void SetZAutoDist(bool V) { FZAutoDist = V; }
    bool ZAutoMax() const { return FZAutoMax; }
    void SetZAutoMax(bool V) { FZAutoMax = V; }
    // DIPs on the plan, pixels when printed.
    float LineWidth() const { return FLineWidth; }
    void SetLineWidth(float V) { FLineWidth = V; }
    const QString& LineLabelFormat() const { return FLineLabelFormat; }
    void SetLineLabelFormat(const QString& V) { FLineLabelFormat = V; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor V) { FLineColor = V; }
    KPStreamFt::TStreamFont& LineLabelFont() { return FLineLabelFont; }
    const KPStreamFt::TStreamFont& LineLabelFont() const { return FLineLabelFont; }
    void SetLineLabelFont(const KPStreamFt::TStreamFont& V) { FLineLabelFont = V; }
    double ZDist() const { return FZDist; }
    void SetZDist(double V) { FZDist = V; }
    double ZMin() const { return FZMin; }
    void SetZMin(double V) { FZMin = V; }
    double ZMax() const { return FZMax; }
    void SetZMax(double V) { FZMax = V; }
    // The lines are valid and may be printed.
    bool ShowContours() const { return FShowContours; }
    void SetShowContours(bool V) { FShowContours = V; }
    bool AxisLabels() const { return FAxisLabels; }
    void SetAxisLabels(bool V) { FAxisLabels = V; }
    bool LineLabelDeleteBackground() const { return FLineLabelDeleteBackground; }
    void SetLineLabelDeleteBackground(bool V) { FLineLabelDeleteBackground = V; }
    double LabelFactor() const { return FLabelFactor; }
    // Also sets it on every line.
    virtual void SetLabelFactor(double Value);
    const TConvertFunction& ConvertFunction() const { return FConvertFunction; }
    // Also sets it on every line; points already converted stay until the
    // lines are rebuilt.
    void SetConvertFunction(TConvertFunction Value);
    // The level at the initial temperature (or ΔT = 0) is left out.
    bool SkipZeroLine() const { return FSkipZeroLine; }
    void SetSkipZeroLine(bool V) { FSkipZeroLine = V; }

    TContourLine* Lines(int Index) const { return TheLines.ItemAs<TContourLine>(Index); }
    TMVContourLineStyle* Styles(int Index) const { return LineStyles.ItemAs<TMVContourLineStyle>(Index); }

    // Prints every line when ShowContours is set.
    void Draw(TCustomCanvas* ACanvas) override;
    void WriteData(TStream& S) override;
    // Reads the whole record first; a short or corrupt record changes nothing.
    void ReadData(TStream& S) override;
    // One line per level from the grid, then every further polyline, level by
    // level; then the settings go onto the lines.
    virtual void BuildContourLines();
    // Builds the lines; both arguments are ignored.
    virtual void PrepareMap(QImage* AMapBMP, TRect& Dest);
    // Every line and, with LineLabels, its labels on the plan.
    virtual void D2Draw(TDirect2DCanvas& ACanvas);
    // A circle of radius 3 around every grid point, in grid coordinates.
    virtual void DrawGrid(TCustomCanvas& ACanvas);
    // Font, label format, distance and switch, colour and width (then the first
    // style of the line's exact level), opaque labels.
    virtual void TransferSettingsToLines();

    // Z from the values' range Lowest … Highest: the automatic limits are the
    // range rounded inwards to tenths, the automatic spacing AutoDist. With
    // SkipZeroLine, levels equal to SkipValue are left out when it lies within
    // the limits.
    void SetLevels(double Lowest, double Highest, double AutoDist, double SkipValue);

    // The lines (TContourLine), owned.
    TMVObjectList TheLines;
    // The line styles (TMVContourLineStyle), owned.
    TMVObjectList LineStyles;

private:
    bool FZAutoMin = true;
    int FLineLabelDist = 1500;
    bool FLineLabels = true;
    bool FZAutoDist = true;
    bool FZAutoMax = true;
    float FLineWidth = 5.0f;
    QString FLineLabelFormat = QStringLiteral("##0.0#");
    TColor FLineColor = clBlack;
    KPStreamFt::TStreamFont FLineLabelFont;
    double FZDist = 0;
    double FZMin = 0;
    double FZMax = 0;
    bool FShowContours = false;
    bool FAxisLabels = false;
    bool FLineLabelDeleteBackground = true;
    double FLabelFactor = 1.0;
    TConvertFunction FConvertFunction;
    bool FSkipZeroLine = true;
};

// Registers the stored classes of the contour map.
void RegisterContourStreamClasses();
