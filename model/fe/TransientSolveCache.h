#pragma once

// The transient model's factorised system, everything it was built from, and
// the buffers of a step.

#include "model/fe/FESystem.h"
#include "model/fe/NumModel.h"

#include <cstdint>
#include <vector>

// The system of the last step and the buffers of a step, kept so that a
// step allocates nothing.
//
// The per-node arrays run in row order: with the symmetric method the free
// nodes in the factor's order, then the fixed nodes, so that the right-hand
// side lands in the factor's order and the storage product walks its
// neighbours close together; with the general method the node order.
struct T2DTriangleTransient::TSolveCache {
    TFESystem System;
    bool Valid = false;
    std::uint64_t Stamp = 0;
    double DeltaTime = 0;
    std::vector<TObject*> NodeItems;
    std::vector<TObject*> ElementItems;
    // Row i is node NodeOf[i], node k is row RowOf[k]; valid with the system.
    std::vector<int> NodeOf;
    std::vector<int> RowOf;
    // By row: the nodes, typed, their boundary conditions (which enter the
    // matrix) and whether their value is fixed.
    std::vector<TNode*> Nodes;
    std::vector<TBorderCondition> Kind;
    std::vector<char> Fixed;
    // What the right-hand side needs of the elements, assembled with the
    // matrix (they change only with it), by row: the element loads, and R/Δt
    // (nothing in a fixed row). A row's first RowWidth entries lie in a block
    // of that width, padded with zeros on its own column, so that the product
    // runs without a loop of varying length; the rare further entries of row
    // i are ExtraStart[i] to ExtraStart[i + 1] of ExtraCol and ExtraVal.
    static constexpr int RowWidth = 8;
    std::vector<int> StorageCol;
    std::vector<double> StorageVal;
    std::vector<int> ExtraStart, ExtraCol;
    std::vector<double> ExtraVal;
    std::vector<double> ElementLoad;
    // Node values gathered in one pass (the nodes lie scattered in memory).
    std::vector<double> FA;
    std::vector<double> Value; // F of a fixed node, else the prescribed or transfer flow
    std::vector<double> QGW;
    std::vector<double> NewF;
    TVec B;   // the right-hand side by node, fixed rows holding their value
    TVec Mid; // the mid-step temperatures by node

    bool Symmetric() const { return System.Method() == TSolveMethod::Symmetric; }
    // Fixes the row order from the factorised system and sizes the buffers.
    void Order(const std::vector<TNode*>& ByIndex, const std::vector<char>& FixedByIndex);
    void AssembleRhsTerms(const std::vector<const TTransientTriangle*>& Elements, double Scale);
    void PackStorage(const TSparseMtx& StorageT);
    // Reads FA, QGW and the prescribed values; true when a node carries a
    // groundwater load.
    bool Gather();
    // Fills B (the symmetric method also the free rows) and solves.
    void SolveMid();
    // NewF and Mid from the solution; raises EKPError at a value that is not
    // finite, before any node changes.
    void Extrapolate(double Theta);
    void WriteBack();
};
