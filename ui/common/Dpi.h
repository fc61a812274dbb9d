#pragma once

// The dpi-dependent choices of the windows as pure functions of the dpi.
// Qt 6 positions and sizes widgets in logical pixels and scales them itself:
// these functions only choose which picture size to take, they never scale a
// position or a size a second time.

// Physical dots per logical inch of the primary screen: 96 × its device pixel
// ratio (96 without a screen).
int ScreenDpi();

// Size × Dpi / 96, rounded (the platform's MulDiv).
int ScaleByDpi(int Size, int Dpi);

// Which image list fits pictures shown at SourceSize logical pixels: 24, 32,
// 48 or 64 (the pixel size of the list).
int ImageListSizeByOrgSize(int SourceSize, int Dpi);
