#pragma once

// The finite-element node with its boundary condition, the iso-line crossing
// point and the ray-casting containment test of the triangles.

#include "gfx/D2DTypes.h"
#include "model/base/MVBasicTypes.h"
#include "model/base/MVStreamList.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <span>

enum TBorderCondition : std::uint8_t { bc0None, bc1FixedValue, bc2FixedFlow, bc3SemiPervious };

// Everything that enters a system matrix (element matrices, node indices of
// elements, boundary conditions) bumps this stamp when it changes. The
// transient solve keeps its factorisation only while the stamp stays the same.
std::uint64_t FEMatrixStamp();
void TouchFEMatrix();

// Every change of a node's FA or QGW, except a transient step's own result,
// bumps this stamp: a step that finds it unchanged since it last read the
// nodes may keep the values it holds instead of reading every node again.
std::uint64_t NodeStepInputStamp();
void TouchNodeStepInput();

// A transient step leaves its result in an array of its own instead of
// writing every node, which lie scattered in memory: a node the step solved
// reads its F and FA from that array while the result is pending. Whatever
// writes a node's F or FA, reads a node from a stream or frees a node first
// writes the pending result into all its nodes, so that no later write is
// overwritten and no freed node is written. One result is pending at a time;
// the model runs on one thread.
class TStepResult {
public:
    // The F and FA of the node bound to a row, by row.
    const double* Values = nullptr;
    // A node bound to an earlier set of rows reads its own values.
    std::uint64_t Generation = 0;
    // Writes the values into the bound nodes; called with nothing pending.
    virtual void WriteIntoNodes() = 0;

protected:
    ~TStepResult() = default;
};

// Null when every node holds its own values.
extern TStepResult* GPendingStepResult;
// Writes the pending result, if any, into its nodes.
void WritePendingStepResult();
// A generation no result has used.
std::uint64_t NewStepResultGeneration();

// Node-dump number text: general format, up to 15 significant digits, "."
// as decimal separator whatever the user's locale.
QString FloatToDumpText(double X);

class TNode : public TObject {
    KP_CLASS(TNode)
public:
    explicit TNode(TBlank) {}
    TNode(double AX, double AY);
    // A copy would share the original's row of a step result.
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;
    ~TNode() override;
    // Fixed temperature AF (also the previous step's temperature).
    static std::unique_ptr<TNode> Create1BC(double AX, double AY, double AF);
    // Fixed heat flow AQ into the node, W.
    static std::unique_ptr<TNode> Create2BC(double AX, double AY, double AQ);
    // Transfer AAlpha × (AFN − F) into the node.
    static std::unique_ptr<TNode> Create3BC(double AX, double AY, double AAlpha, double AFN);

    double F() const { return StepPending() ? FStepResult->Values[FStepRow] : FF; }
    void SetF(double V)
    {
        OwnValues();
        FF = V;
    }
    double X() const { return FX; }
    void SetX(double V) { FX = V; }
    double Y() const { return FY; }
    void SetY(double V) { FY = V; }
    TBorderCondition BorderCondition() const { return FBorderCondition; }
    void SetBorderCondition(TBorderCondition V);
    // The flow into the node: the transfer for a semi-pervious node, else the stored value.
    double Q() const;
    void SetQ(double V) { FQ = V; }
    double StoredQ() const { return FQ; }
    double FN() const { return FFN; }
    void SetFN(double V) { FFN = V; }
    double Alpha() const { return FAlpha; }
    void SetAlpha(double V);
    double FA() const { return StepPending() ? FStepResult->Values[FStepRow] : FFA; }
    void SetFA(double V);
    double FatT0() const { return FFatT0; }
    void SetFatT0(double V) { FFatT0 = V; }
    bool EdgeOfMesh() const { return FEdgeOfMesh; }
    void SetEdgeOfMesh(bool V) { FEdgeOfMesh = V; }
    double FCustom() const { return FFCustom; }
    void SetFCustom(double V) { FFCustom = V; }
    double QGW() const { return FQGW; }
    void SetQGW(double V);
    // From now on the node's F and FA are Result's row Row while Result is
    // pending, until Result takes another generation.
    void BindStepResult(const TStepResult* Result, std::uint32_t Row)
    {
        FStepResult = Result;
        FStepRow = Row;
        FStepGeneration = Result->Generation;
    }
    // A transient step's result, written by the pending result: F and FA
    // both V.
    void StoreStepResult(double V)
    {
        FF = V;
        FFA = V;
    }

    D2D_POINT_2F D2Point() const { return D2D_POINT_2F{static_cast<float>(FX), static_cast<float>(FY)}; }

    // 0 for a missing node.
    virtual double GetDistance(const TNode* ANode) const;
    // X, tab, Y, tab, F: one line of a node dump.
    virtual QString GetTextLine() const;
    // FCustom from the third field of a dump line; False (nothing changed)
    // when the line has fewer than three fields or one of them is no number.
    virtual bool ReadFCustomFromTextLine(const QString& ATestline);
    virtual void Read(TStream& S);
    virtual void Write(TStream& S) const;

private:
    bool StepPending() const
    {
        return FStepResult != nullptr && FStepResult == GPendingStepResult &&
               FStepGeneration == FStepResult->Generation;
    }
    // Before the node's own F or FA change or the node goes: the pending
    // result written into all its nodes.
    void OwnValues()
    {
        if (StepPending()) WritePendingStepResult();
    }

    // F() and FA() read the binding and the values: they lie together.
    const TStepResult* FStepResult = nullptr;
    std::uint64_t FStepGeneration = 0;
    std::uint32_t FStepRow = 0;
    double FF = 0;
    double FFA = 0;
    double FQGW = 0;
    double FQ = 0;
    double FX = 0;
    double FY = 0;
    double FFN = 0;
    double FAlpha = 0;
    double FFatT0 = 0;
    double FFCustom = 0;
    TBorderCondition FBorderCondition = bc0None;
    bool FEdgeOfMesh = false;
};

// Where an iso-line crosses an element edge; EdgeOfMesh when it lies on the
// border of the window given to the crossing computation.
class TCharacteristicPoint : public TDblPoint {
public:
    TCharacteristicPoint(double AX, double AY, bool OnEdgeOfMesh) : TDblPoint(AX, AY), FEdgeOfMesh(OnEdgeOfMesh) {}
    bool EdgeOfMesh() const { return FEdgeOfMesh; }
    void SetEdgeOfMesh(bool V) { FEdgeOfMesh = V; }

private:
    bool FEdgeOfMesh = false;
};

// Ray casting; False for fewer than three points.
bool PointInPolygon(std::span<const D2D_POINT_2F> Poly, D2D_POINT_2F P);
