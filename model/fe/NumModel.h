#pragma once

// The finite-element model of the ground layer: nodes and elements, the mesh
// read-in from the generator's files, the node files, sampled grids and the
// steady and transient solves.

#include "gfx/CustomCanvas.h"
#include "gfx/D2DTypes.h"
#include "model/fe/NumElements.h"
#include "model/fe/FESystem.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>


// One contour line of a level traced through the triangles: its points
// already passed through the conversion function, in order. A closed line
// ends with its start point repeated.
struct TFEContourLine {
    double ZLevel = 0;
    bool IsOpenLine = false;
    std::vector<D2D_POINT_2F> DPIPoints;
};

class TNumModel : public TObject {
    KP_CLASS(TNumModel)
public:
    TNumModel();
    ~TNumModel() override;
    TNumModel(const TNumModel&) = delete;
    TNumModel& operator=(const TNumModel&) = delete;

    // Owning; a node's position is its number everywhere.
    TMVObjectList& NodesList() const { return *FNodesList; }
    TMVObjectList& ElementsList() const { return *FElementsList; }
    // Right-hand side of the last assembly.
    const TVec& LoadVector() const
    {
        FlushResults();
        return FLoadVector;
    }
    // Node temperatures of the last solve (mid-step values in the transient
    // model) or initialisation.
    const TVec& Temperature() const
    {
        FlushResults();
        return FTemperature;
    }
    TNode* Nodes(int Index) const { return GetNodes(Index); }
    TElement* Elements(int Index) const { return GetElement(Index); }
    TNode* GetNodes(int Index) const;
    TElement* GetElement(int Index) const;
    int NodeCount() const { return FNodesList->Count(); }
    int ElementCount() const { return FElementsList->Count(); }

    virtual void Solve() = 0;
    // Smallest and largest node coordinates; False without nodes.
    virtual bool GetModelExtend(double& MinX, double& MaxX, double& MinY, double& MaxY) const;
    virtual void DrawGrid(TCustomCanvas& ACanvas, double ScaleFactor, int OffX, int OffY, bool ShowElementNumbers,
                          bool ShowNodeNumbers, bool ShowBC) const;
    // The first node within 1 mm in x and in y; −1 when none.
    virtual int FindNode(double AXValue, double AYValue) const;
    // Heat content relative to 0 °C, J.
    virtual double Quantity() const;
    virtual void RefreshMtx();
    // The model record: node list and element list; reading replaces the
    // mesh only when the whole record was read and resolved.
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);
    // The node-temperature file: one Double F per node. Reading requires
    // exactly one value per node and changes nothing otherwise.
    virtual void WriteTemperatures(TStream& S) const;
    virtual void ReadTemperatures(TStream& S);
    virtual void SaveNodes(QStringList* AStringlist) const;
    virtual void InitTemperature(double AValue);
    virtual void SaveRegularGrid(const QString& AFilename, int NumCols, int NumRows) const = 0;
    virtual void GenerateContourGrid(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const = 0;
    virtual void GenerateContourGridatT0(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const = 0;
    virtual bool GenerateContourDataTriangle(double ZLevel, std::vector<TFEContourLine>* Dest,
                                             const TConvertFunction& TheConvertFunction, bool UseCustom,
                                             bool UseDelta, double minx, double maxx, double miny, double maxy) = 0;
    virtual bool GetFValueAt(double x, double y, bool UseFCustom, double& f) const = 0;
    virtual bool GetFatT0ValueAt(double x, double y, double& f) const = 0;
    virtual void ResetQGWload();
    virtual double SumOfQGWload() const;

protected:
    // A mesh read into fresh lists, handed over only when complete.
    struct TMeshParts {
        std::unique_ptr<TMVObjectList> Nodes = std::make_unique<TMVObjectList>();
        std::unique_ptr<TMVObjectList> Elements = std::make_unique<TMVObjectList>();
    };
    void ReadMesh(TStream& S, TMeshParts& Parts) const;
    virtual void CommitMesh(TMeshParts& Parts);
    // Whether an element read from a stream may stand in this model.
    virtual bool AcceptsElement(const TElement* AElement) const;

    // Checks before a system is assembled: node references in range, no free
    // node outside every element. Raises EKPError naming the first fault.
    void CheckSystem() const;

    // A solve may keep its result vectors in an order of its own and write
    // them by node only when they are read: this writes them into
    // FLoadVector and FTemperature. Called before these are read or replaced.
    virtual void FlushResults() const {}

    std::unique_ptr<TMVObjectList> FNodesList;
    std::unique_ptr<TMVObjectList> FElementsList;
    mutable TVec FLoadVector;
    mutable TVec FTemperature;
};

class T2DTriangleModel : public TNumModel {
    KP_CLASS(T2DTriangleModel)
public:
    // The steady state: conduction, heat flux and fixed temperatures.
    void Solve() override;
    void SaveRegularGrid(const QString& AFilename, int NumCols, int NumRows) const override;
    void GenerateContourGrid(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const override;
    void GenerateContourGridatT0(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const override;
    bool GenerateContourDataTriangle(double ZLevel, std::vector<TFEContourLine>* Dest,
                                     const TConvertFunction& TheConvertFunction, bool UseCustom, bool UseDelta,
                                     double minx, double maxx, double miny, double maxy) override;
    bool GetFValueAt(double x, double y, bool UseFCustom, double& f) const override;
    bool GetFatT0ValueAt(double x, double y, double& f) const override;

    // Reads the generator's ".node" and ".ele" files next to AFilename. The
    // model keeps its mesh unless both files were read completely.
    virtual void GenerateGridFromTriangle(const QString& AFilename);
    virtual bool GetFMinMax(double& fmin, double& fmax, bool DeltaT0, bool UseCustom) const;
    // Custom values from a node dump; False (nothing changed) unless the file
    // has one readable line per node.
    virtual bool ReadFCustomFromFile(const QString& AFilename);
    virtual void SaveVectorField(QStringList* AStringlist) const;

    // Whether a solve may eliminate the fixed-value nodes and factorise the
    // symmetric rest with CHOLMOD (see TFESystem); False always takes the
    // general LU. Both give the same temperatures to rounding.
    bool AllowSymmetricSolve() const { return FAllowSymmetricSolve; }
    virtual void SetAllowSymmetricSolve(bool V) { FAllowSymmetricSolve = V; }
    // The factorisation the last solve used.
    TSolveMethod LastSolveMethod() const { return FLastSolveMethod; }

protected:
    bool AcceptsElement(const TElement* AElement) const override;
    // The element the mesh read-in makes from three nodes.
    virtual std::unique_ptr<TElement> MakeMeshElement(TNode* N1, TNode* N2, TNode* N3) const;

    bool FAllowSymmetricSolve = true;
    TSolveMethod FLastSolveMethod = TSolveMethod::None;

private:
    template <typename Value>
    void SampleGrid(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows, Value ValueAt) const;
};

class T2DTriangleTransient : public T2DTriangleModel {
    KP_CLASS(T2DTriangleTransient)
public:
    T2DTriangleTransient();
    ~T2DTriangleTransient() override;

    // The time step of the solve, s.
    double DeltaTime() const { return FDeltaTime; }
    void SetDeltaTime(double V) { FDeltaTime = V; }

    // One time step of DeltaTime (Crank–Nicolson). The factorisation of the
    // system is kept while the matrix stays the same.
    void Solve() override;
    void Read(TStream& S) override;
    void Write(TStream& S) override;
    void GenerateGridFromTriangle(const QString& AFilename) override;
    // F := FA + (F − FA) / (1 − θ), then FA := F, for every node.
    virtual void ExtrapolateTemperatures();
    void InitElementParams(double AT, double AInfiltration, double ALeakage, double AStorage, double AThickness);
    void InitNodeParams(double ATemperature, double AAirtemperature);
    void UpdateAirtemperature(double AAirTemperature);

    // Steps of iterative refinement per general LU solve (see TSparseMtx);
    // none by default.
    int RefinementSteps() const;
    void SetRefinementSteps(int V);
    void SetAllowSymmetricSolve(bool V) override;
    // Forgets the kept factorisation; the next step factorises afresh.
    void InvalidateFactorization();
    // True when the last Solve reused the kept factorisation.
    bool LastSolveReusedFactorization() const { return FLastReused; }
    // True when a node carried a groundwater load into the last Solve: a
    // loop without groundwater then need not reset the loads.
    bool LastSolveUsedQGW() const { return FLastSolveUsedQGW; }

protected:
    bool AcceptsElement(const TElement* AElement) const override;
    std::unique_ptr<TElement> MakeMeshElement(TNode* N1, TNode* N2, TNode* N3) const override;
    void CommitMesh(TMeshParts& Parts) override;

    void FlushResults() const override;

private:
    bool SystemUnchanged() const;
    void AssembleSystem();

    double FDeltaTime = 3600;
    // The kept system and what it was built from.
    struct TSolveCache;
    std::unique_ptr<TSolveCache> FCache;
    bool FLastReused = false;
    bool FLastSolveUsedQGW = false;
};
