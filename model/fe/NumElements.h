#pragma once

// The element family of the finite-element core: the abstract element, the
// linear triangle, and the triangles with the layer's conduction and heat
// flux, with surface transfer to the air and with heat storage.

#include "model/fe/NumNodes.h"
#include "model/fe/ParameterSet.h"

#include <Eigen/Dense>
#include <QString>
#include <memory>
#include <span>
#include <vector>

using TVec = Eigen::VectorXd;
using TMtx = Eigen::MatrixXd;

// The time weight of the transient scheme (Crank–Nicolson).
inline constexpr double FETheta = 0.5;

class TTriangleElement;

class TElement : public TObject {
    KP_CLASS(TElement)
public:
    ~TElement() override;
    TElement(const TElement&) = delete;
    TElement& operator=(const TElement&) = delete;

    // The parameter set last applied; not owned.
    TTagElement* Tag() const { return FTag; }
    void SetTag(TTagElement* V) { FTag = V; }
    // Areal heat capacity, J/(m²·K).
    double Storage() const { return FStorage; }
    void SetStorage(double V) { FStorage = V; }
    // Element load per local node, W.
    const TVec& LoadVector() const { return FLoadVector; }
    // Conductivity matrix, W/K.
    const TMtx& Mtx() const { return FMtx; }
    TNode* Nodes(int Index) const { return GetNodes(Index); }
    int NodeIndices(int AIndex) const;
    double Area() const { return FArea; }
    TMVObjectList* Nodeslist() const { return FNodeslist; }
    void SetNodeslist(TMVObjectList* V) { FNodeslist = V; }

    virtual TNode* GetNodes(int Index) const;
    virtual void SetNodes(int Index, TNode* ANode);
    virtual void MakeMtx();
    virtual void Assign(TParameterSet* Source);
    virtual bool ContainsNode(const TNode* ANode) const;
    virtual double GrapEnergy(double EnergyAmount);
    virtual double ReleaseEnergy(double EnergyAmount);
    virtual void AddGWLoad(double SumofQ);
    virtual double Quantity() const;
    virtual int NodeCount() const { return 0; }
    virtual double MeanF() const;
    virtual double MeanFofPoints(std::span<const D2D_POINT_2F> ThePoints) const;
    // Resolves the nodes from their stored positions in ANodelist.
    virtual void InitNodeList(TMVObjectList* ANodelist);
    // Positions of the nodes in ANodelist, −1 for a node not in it.
    virtual void UpdateNodeIndices(TMVObjectList* ANodelist);
    // Positions the caller already knows (the mesh read-in); UpdateNodeIndices
    // then confirms them without searching the list.
    void PresetNodeIndices(std::span<const int> Indices);
    virtual void Read(TStream& S);
    virtual void Write(TStream& S) const;

    // The element as a triangle, or nullptr; cheaper than a cast in the loops
    // that sample the mesh.
    virtual TTriangleElement* AsTriangle() { return nullptr; }
    virtual const TTriangleElement* AsTriangle() const { return nullptr; }

protected:
    TElement() = default;
    explicit TElement(int ANodeCount);
    void AllocateArrays(int ANodeCount);
    void CheckNodeIndex(int Index) const;
    // The plane through the nodes' values: F = p·(x − x₀) + q·(y − y₀) + r,
    // relative to node 0 so that world coordinates lose no digits.
    Eigen::Vector3d PlaneCoefficients() const;
    int PositionInList(int Index) const;
    [[noreturn]] static void AbstractError();

    TTagElement* FTag = nullptr;
    double FStorage = 0;
    TVec FLoadVector;
    TMtx FMtx;
    std::vector<TNode*> FNodes;
    std::vector<int> FNodeIndices;
    double FArea = 0;
    TMVObjectList* FNodeslist = nullptr;
};

// The linear three-node triangle.
class TTriangleElement : public TElement {
    KP_CLASS(TTriangleElement)
public:
    TTriangleElement(TNode* N1, TNode* N2, TNode* N3);
    ~TTriangleElement() override;

    int NodeCount() const override { return 3; }
    // The conductivity matrix for unit transmissivity.
    void MakeMtx() override;
    bool ContainsNode(const TNode* ANode) const override;
    void AddGWLoad(double SumofQ) override;

    double Shape(int PointIndex, double x, double y) const;
    double ShapeValue(double x, double y) const;
    double ShapeValueAtT0(double x, double y) const;
    double ShapeValueFCustom(double x, double y) const;
    bool PointInElement(double x, double y) const;
    // Where the level ZC crosses the edges; True when at least one crossing exists.
    bool BuildCharacteristicPoints(double ZC, bool UseCustom, bool UseDelta, double minx, double maxx, double miny,
                                   double maxy);
    // Centre and temperature gradient: xc, yc, dF/dx, dF/dy, tab-separated.
    QString GetVectorTextLine() const;

    const TCharacteristicPoint* CP1() const { return FCP1.get(); }
    const TCharacteristicPoint* CP2() const { return FCP2.get(); }
    // Edge of each crossing: 1 = node 0→1, 2 = 1→2, 3 = 2→0; 0 = none.
    int CS1() const { return FCS1; }
    int CS2() const { return FCS2; }

    TTriangleElement* AsTriangle() override { return this; }
    const TTriangleElement* AsTriangle() const override { return this; }

protected:
    TTriangleElement() = default;

    // aᵢ, bᵢ, cᵢ of the shape functions and D, twice the signed area.
    struct TGeometry {
        double a[3];
        double b[3];
        double c[3];
        double D;
    };
    // From the nodes' absolute coordinates.
    TGeometry Geometry() const;
    static TGeometry GeometryOf(const double (&x)[3], const double (&y)[3]);
    double ShapeSum(double x, double y, double (*Value)(const TNode&)) const;

private:
    std::unique_ptr<TCharacteristicPoint> FCP1;
    std::unique_ptr<TCharacteristicPoint> FCP2;
    int FCS1 = 0;
    int FCS2 = 0;
};

// Tag for the constructors that leave the first matrix build to a derived class.
struct TNoMakeMtx {};

// The layer's conduction (transmissivity T, W/K) and the geothermal heat flux
// (Infiltration, W/m²).
class TGWTriElement : public TTriangleElement {
    KP_CLASS(TGWTriElement)
public:
    TGWTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration);

    double T() const { return FT; }
    void SetT(double V) { FT = V; }
    double Infiltration() const { return FInfiltration; }
    void SetInfiltration(double V) { FInfiltration = V; }
    double Thickness() const { return FThickness; }
    void SetThickness(double V) { FThickness = V; }

    void MakeMtx() override;
    // Takes EnergyAmount (J) out of the element: its nodes cool by the
    // returned temperature change, and FA follows F.
    double GrapEnergy(double EnergyAmount) override;
    double ReleaseEnergy(double EnergyAmount) override;
    // Heat content relative to 0 °C, J.
    double Quantity() const override;
    void Read(TStream& S) override;
    void Write(TStream& S) const override;

protected:
    TGWTriElement() = default;
    TGWTriElement(TNode* N1, TNode* N2, TNode* N3, TNoMakeMtx);

    double FT = 0;
    double FInfiltration = 0;
    double FThickness = 0;
};

// Adds the heat transfer through the surface to the air above the nodes
// (Leakage = transfer resistance, m²·K/W; 1e30 for none).
class TLeakyTriElement : public TGWTriElement {
    KP_CLASS(TLeakyTriElement)
public:
    TLeakyTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration, double ALeakage);

    const TMtx& LeakyMtx() const { return FLeakyMtx; }
    double Leakage() const { return FLeakage; }
    void SetLeakage(double V) { FLeakage = V; }

    void MakeMtx() override;
    virtual void UpdateAirtemperature(double AAirTemperature);
    void Read(TStream& S) override;
    void Write(TStream& S) const override;

protected:
    TLeakyTriElement() = default;
    TLeakyTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration, double ALeakage, TNoMakeMtx);
    // Builds Mtx, LeakyMtx and LoadVector, and the storage matrix when given.
    void BuildMatrices(TMtx* AStorageMtx);

    TMtx FLeakyMtx;
    double FLeakage = 0;
};

// Adds the heat storage of the transient solve.
class TTransientTriangle : public TLeakyTriElement {
    KP_CLASS(TTransientTriangle)
public:
    explicit TTransientTriangle(TBlank) {}
    TTransientTriangle(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration, double ALeakage,
                       double AStorage);

    // Storage matrix, already divided by (1 − θ).
    const TMtx& RMtx() const { return FRMtx; }

    void MakeMtx() override;
    // Applies the values of a parameter set that are set; converts them to
    // the element's units and rebuilds the matrices.
    void Assign(TParameterSet* Source) override;
    void UpdateAirtemperature(double AAirTemperature) override;
    void Read(TStream& S) override;
    void Write(TStream& S) const override;

private:
    TMtx FRMtx;
};

// Registers the stored classes of the finite-element core.
void RegisterFEStreamClasses();
