#pragma once

#include "gfx/GeometrySink.h"
#include "model/base/DateTime.h"
#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"
#include "model/base/Utilities.h"
#include "model/probes/ThermUtil.h"

#include <QString>
#include <QStringList>
#include <QTransform>
#include <vector>

class TElement;
class TNumModel;

using TGWFigure = std::vector<TPointD>;

// The part of one mesh element inside one groundwater cell.
class TGWArea : public TObject {
    KP_CLASS(TGWArea)
public:
    TGWArea(TElement* AElement, double AArea, std::vector<TGWFigure> AIntersection);

    // Not owned.
    TElement* Element() const { return FElement; }
    // m².
    double Area() const { return FArea; }
    // The overlap's outline figure by figure, world metres.
    const std::vector<TGWFigure>& Intersection() const { return FIntersection; }
    // The outline's vertices in world metres, every figure's start included.
    const std::vector<TPointD>& ThePoints() const { return FThePoints; }
    std::vector<TPointD>& ThePoints() { return FThePoints; }
    void InitPoints(int ANumber);
    // Element temperature averaged over ThePoints, °C.
    double MeanTemperature() const { return FMeanTemperature; }
    void SetMeanTemperature(double V) { FMeanTemperature = V; }
    // Heat content at MeanTemperature and at the cell temperature, J.
    double Ht0() const { return FHt0; }
    void SetHt0(double V) { FHt0 = V; }
    double HatGWTemp() const { return FHatGWTemp; }
    void SetHatGWTemp(double V) { FHatGWTemp = V; }

    virtual double DeltaH() const;
    // Heat (J) the water at GWTemperature gives to this part.
    virtual double HGW(double GWTemperature, double HeatCapacityPerSqrMeter) const;
    // Puts HGW / DeltaTime (W) onto the element's nodes.
    virtual void ReleaseEnergyTonodes(double Temperature, double HeatCapacityPerSqrMeter, double DeltaTime);

private:
    TElement* FElement = nullptr;
    double FArea = 0;
    std::vector<TGWFigure> FIntersection;
    std::vector<TPointD> FThePoints;
    double FMeanTemperature = 0;
    double FHt0 = 0;
    double FHatGWTemp = 0;
};

// One groundwater cell: its water temperature and the overlaps (TGWArea)
// with the mesh elements under it.
class TGWElement : public TMVObjectList {
    KP_CLASS(TGWElement)
public:
    TGWElement() = default;

    double Temperature() const { return FTemperature; }
    void SetTemperature(double V) { FTemperature = V; }
    TGWArea* Areas(int Index) const { return ItemAs<TGWArea>(Index); }

    virtual TGWArea* AddElement(TElement* AElement, double AArea, std::vector<TGWFigure> AIntersection);
    // Takes the temperature of the elements under the cell; the part of a
    // cell of CellArea m² outside the mesh keeps the old water temperature.
    virtual void UpdateTemperature(double CellArea);
    // HeatCapacity: of the water column per cell area, J/(m²·K).
    virtual void TransferEnergy(double HeatCapacity, double DeltaTime);
    // m² covered by mesh elements.
    double Area() const;
    void CalculateHCapacity();

private:
    double FTemperature = 0;
};

// Values the groundwater dialog shows and returns, as the texts of its edits.
struct TGWEditData {
    QString Direction;  // degrees
    QString Gradient;
    QString Porosity;
    QString Kf;         // m/s
    QString Thickness;  // m
    QString GridTime;   // days
};

// The groundwater dialog. Headless: cancelled.
class TGWGridDialogs {
public:
    virtual ~TGWGridDialogs() = default;
    virtual bool EditGWGrid(TGWEditData& Data)
    {
        (void)Data;
        return false;
    }
};

// Advective heat transport by groundwater: a coarse grid of square cells laid
// over the model and turned into the flow direction. Cells are listed row by
// row (index r × NumCols + c); water enters through row 0 and leaves through
// the last row.
//
// The grid frame: cell (r, c) covers grid metres x in [c·g, (c+1)·g] and y in
// [r·g, (r+1)·g] with y pointing upstream-to-downstream. Transformation maps
// grid metres to world metres: the unrotated grid is centred on the model
// rectangle and at least as large as the bounds of the rotated model, and it
// is turned clockwise by Direction about the rectangle's centre, so the grid's
// "up" points Direction clockwise from north. Everything is double precision
// in world metres, so georeferenced coordinates keep their centimetres.
class TGWGrid : public TMVObjectList {
    KP_CLASS(TGWGrid)
public:
    TGWGrid();
    explicit TGWGrid(TBlank);

    double Porosity() const { return FPorosity; }
    void SetPorosity(double V) { FPorosity = V; }
    // Radians, clockwise from north.
    double Direction() const { return FDirection; }
    void SetDirection(double V) { FDirection = V; }
    double Gradient() const { return FGradient; }
    void SetGradient(double V) { FGradient = V; }
    double KF() const { return FKF; }
    void SetKF(double V) { FKF = V; }
    TFluid Fluid() const { return FFluid; }
    void SetFluid(TFluid V) { FFluid = V; }
    double Thickness() const { return FThickness; }
    void SetThickness(double V) { FThickness = V; }
    // Not owned; set by the thermal model.
    TNumModel* Model() const { return FModel; }
    void SetModel(TNumModel* V) { FModel = V; }
    // Seconds.
    double TimeForGrid() const { return FTimeForGrid; }
    void SetTimeForGrid(double V) { FTimeForGrid = V; }
    double GridSize() const { return FGridSize; }
    int NumCols() const { return FNumCols; }
    int NumRows() const { return FNumRows; }
    // MJ carried out of and into the grid by the last move.
    double EnergyRemoved() const { return fEnergyRemoved; }
    double EnergyObtained() const { return fEnergyObtained; }
    // Grid width and height in metres.
    double ExtensionX() const { return FExtensionX; }
    double ExtensionY() const { return FExtensionY; }
    // Grid metres to world metres.
    const QTransform& Transformation() const { return FTransformation; }
    // Bounds of the rotated model rectangle, world metres (top = smaller y).
    const TWorldRect& GWBounds() const { return FGWBounds; }

    // Pore velocity, m/s.
    double VDistance() const;
    // m² of the whole grid.
    double Area() const;
    // m² covered by mesh elements.
    double IntersectionArea() const;
    TGWElement* Cells(int Index) const { return ItemAs<TGWElement>(Index); }
    TGWElement* Cell(int Row, int Col) const { return Cells(Row * FNumCols + Col); }
    // The four corners of a cell in world metres, counter-clockwise.
    std::vector<TPointD> CellPolygon(int Row, int Col) const;
    TPointD GridToWorld(double X, double Y) const;
    TPointD WorldToGrid(double X, double Y) const;

    // The groundwater dialog; True on OK.
    virtual bool Edit();
    virtual void InitTemperatures(double ATemperature);
    // Rebuilds the cells over ThermRect (world metres). False, and no cells,
    // without a model. Raises EKPError when the parameters give no usable
    // cell size or too many cells.
    virtual bool Generate(const TWorldRect& ThermRect);
    virtual void UpdateTemperature();
    virtual void MoveCells();
    virtual void CalculateHCapacity();
    // Hands each cell's heat exchange of the period to the nodes (W over
    // DeltaTime s). DoGrap has no effect.
    virtual void TransferEnergy(bool DoGrap, double DeltaTime);
    virtual double IntersectionAreaOfRow(int ARow) const;

    // Intersects every cell with the model's triangles, sets every cell to
    // InitialTemperature and then takes the temperatures under the cells.
    void IntersectWithMesh(double InitialTemperature);
    // Generate over the extent of the model's mesh, then IntersectWithMesh.
    // False (no cells) without a model or a mesh.
    bool GenerateOverMesh(double InitialTemperature);
    // Removes every cell; called whenever the mesh is replaced, since the
    // cells point at its elements.
    void DropCells();

    // The run log line of the last move: date, removed and obtained MJ,
    // balance kWh, tab-separated, in the user's locale.
    QString LogLine(TDateTime ADate) const;
    // The same move as four lines for the run's message log.
    QStringList ReportLines(TDateTime ADate) const;
    // The tab and the energy put into the model (kWh) appended to LogLine.
    static QString TransferLogText(double SumOfQGWload, double TimeStep);

    void ReadData(TStream& S) override;
    void WriteData(TStream& S) override;

    // More cells than this are refused: each cell is intersected with the mesh.
    static constexpr int MaxCells = 1000000;

private:
    double CellWaterHeat(const TGWElement& ACell) const;
    void IntersectElement(TElement& AElement);

    double FPorosity = 0;
    double FDirection = 0;
    double FGradient = 0;
    double FKF = 0;
    TFluid FFluid = flWasser;
    double FThickness = 0;
    TNumModel* FModel = nullptr;
    double FTimeForGrid = 0;
    double FGridSize = 0;
    int FNumCols = 0;
    int FNumRows = 0;
    double fEnergyRemoved = 0;
    double fEnergyObtained = 0;
    double FExtensionX = 0;
    double FExtensionY = 0;
    QTransform FTransformation;
    QTransform FInverse;
    TWorldRect FGWBounds;
};
