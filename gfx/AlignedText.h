#pragma once

#include "gfx/CustomCanvas.h"

#include <QString>
#include <cstdint>

// Text with its top at Y, placed about X by Alignment: 0 starts at X, 1 ends at X,
// 2 is centred on X (half the width by integer division), 3 puts the first decimal
// comma at X (the part up to and including the comma ends at X, the rest starts
// there; without a comma as 0). Any other value draws nothing.
void AlignedTextOut(TCustomCanvas& Canvas, int X, int Y, const QString& Text, uint8_t Alignment);
