#pragma once

// The plan drawn off-screen into a picture, for the PNG export and the
// printout: the mesh's extent at about ExportPixelBudget pixels.

#include <QImage>
#include <QString>

class TPlanView;

// The picture export's pixel budget, in units of 2^20 pixels.
inline constexpr int ExportPixelBudgetMega = 8;
inline constexpr int ExportPixelBudget = ExportPixelBudgetMega << 20;

// Draws the project of View into Bitmap (replaced by a white picture of the
// mesh's extent) with the plan's layers and map opacity. False without a
// project, without mesh nodes, or when the picture cannot be allocated. The
// project's and the contour map's conversions are the plan's again
// afterwards, also when drawing throws.
bool RenderPlanToBitmap(TPlanView& View, QImage& Bitmap);

// The picture as a PNG file (8-bit RGB with alpha), written through a
// temporary file. Raises EKPError naming the file when it cannot be written.
void SavePlanPNG(const QImage& Bitmap, const QString& FileName);
