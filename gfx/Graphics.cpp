#include "gfx/Graphics.h"

#include "gfx/WinTypes.h"

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int points) { FHeight = -MulDiv(points, FPixelsPerInch, 72); }
