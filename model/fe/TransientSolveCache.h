#pragma once

// The transient model's factorised system, everything it was built from, and
// the buffers of a step.

#include "model/fe/FESystem.h"
#include "model/fe/NumModel.h"

#include <cstdint>
#include <span>
#include <vector>

// The system of the last step and the buffers of a step, kept so that a
// step allocates nothing. The last step's result stays in FA, which the
// nodes read while it is pending (TStepResult).
//
// The per-node arrays run in row order: with the symmetric method the free
// nodes in the factor's order, then the fixed nodes, so that the right-hand
// side lands in the factor's order and the storage product walks its
// neighbours close together; with the general method the node order. The
// result vectors stay in row order until someone reads them (Flush).
struct T2DTriangleTransient::TSolveCache final : TStepResult {
    TSolveCache() = default;
    TSolveCache(const TSolveCache&) = delete;
    TSolveCache& operator=(const TSolveCache&) = delete;
    ~TSolveCache();

    TFESystem System;
    bool Valid = false;
    std::uint64_t Stamp = 0;
    double DeltaTime = 0;
    // The node and element lists the system was built from, by identity and
    // revision: the same objects in the same order.
    const TMVObjectList* NodeList = nullptr;
    const TMVObjectList* ElementList = nullptr;
    std::uint64_t NodeRevision = 0;
    std::uint64_t ElementRevision = 0;
    // Row i is node NodeOf[i], node k is row RowOf[k]; valid with the system.
    std::vector<int> NodeOf;
    std::vector<int> RowOf;
    // By row: the nodes, typed, and whether their value is fixed. The rows
    // of nodes with a boundary condition (which enters the matrix) and its
    // kind, so that a step visits only those for their values.
    std::vector<TNode*> Nodes;
    std::vector<char> Fixed;
    std::vector<int> BoundaryRows;
    std::vector<TBorderCondition> BoundaryKind;
    // What the right-hand side needs of the elements, assembled with the
    // matrix (they change only with it), by row: the element loads, and R/Δt
    // (nothing in a fixed row). A row's first RowWidth entries lie in a block
    // of that width, padded with zeros on its own column, so that the product
    // runs without a loop of varying length; the rare further entries are
    // the triplets ExtraRow, ExtraCol, ExtraVal.
    static constexpr int RowWidth = 8;
    std::vector<int> StorageCol;
    std::vector<double> StorageVal;
    std::vector<int> ExtraRow, ExtraCol;
    std::vector<double> ExtraVal;
    std::vector<double> ElementLoad;
    // Node values gathered in one pass (the nodes lie scattered in memory),
    // read again only when NodeStepInputStamp moved from ReadStamp (0, which
    // no stamp is, after the rows were ordered): between steps FA is the
    // last step's result.
    std::vector<double> FA;
    std::uint64_t ReadStamp = 0;
    bool AnyQGW = false;
    std::vector<double> Value; // F of a fixed node, else the prescribed or transfer flow, else 0
    std::vector<double> QGW;
    std::vector<double> NewF;
    // The right-hand side (fixed rows holding their value) and the mid-step
    // temperatures by row: of the last step, and of the step under way,
    // which replace them only when it succeeded.
    TVec B, NewB;
    TVec Mid, NewMid;
    // B and Mid hold a step that the model's vectors do not show yet.
    bool ResultsPending = false;

    bool Symmetric() const { return System.Method() == TSolveMethod::Symmetric; }
    // Fixes the row order from the factorised system and sizes the buffers.
    void Order(const std::vector<TNode*>& ByIndex, const std::vector<char>& FixedByIndex);
    void AssembleRhsTerms(const std::vector<const TTransientTriangle*>& Elements, double Scale);
    void PackStorage(const TSparseMtx& StorageT);
    // Reads FA and QGW (when a node's changed) and the boundary values; true
    // when a node carries a groundwater load.
    bool Gather();
    // Fills NewB and solves; returns the solution of the free rows
    // (symmetric) or of all rows (general).
    std::span<const double> SolveMid(bool AnyQGW);
    // NewF and NewMid from the solution; raises EKPError at a value that is
    // not finite, before any node changes.
    void Extrapolate(double Theta, std::span<const double> X);
    // Makes the step the last step, pending for the nodes.
    void WriteBack();
    void WriteIntoNodes() override;
    // Writes B and Mid by node into Load and Temperature when they hold a
    // step not yet written.
    void Flush(TVec& Load, TVec& Temperature);

private:
    void ProductAndLoads(size_t Rows);
};
