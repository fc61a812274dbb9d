#pragma once

// The plan's drawing helpers and shared brushes are implemented in the drawing layer,
// where the model's contour labels can use them too; plan code includes them here.
#include "gfx/D2DTools.h"
