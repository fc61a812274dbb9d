#pragma once

// The blocks of a copied L·D·Lᵀ factor and the two substitutions over a run
// of them.

#include <cstddef>
#include <span>

// Consecutive columns First … First + Width − 1 whose rows below the block
// are common: a dense strictly lower triangle and a dense rectangle of the
// common rows, both row by row, in one array of values.
struct TLdlBlock {
    int First = 0;
    int Width = 0;
    int RowStart = 0; // its rows below the block: Rows[RowStart, RowStart + RowCount)
    int RowCount = 0;
    size_t Triangle = 0;
    size_t Rectangle = 0;
};

// Widest block: every width up to it has a kernel of its own with the sums
// of its columns side by side in registers; wider runs of columns are split
// (a part of a block is a block).
constexpr int MaxLdlBlockWidth = 8;

// L·y = X then y := D⁻¹·y, the blocks in order; X holds y afterwards.
void ForwardBlocks(double* X, std::span<const TLdlBlock> Blocks, const int* Rows, const double* Values,
                   const double* InvD);
// Lᵀ·x = X, the blocks in reverse order; X holds x afterwards.
void BackwardBlocks(double* X, std::span<const TLdlBlock> Blocks, const int* Rows, const double* Values);
