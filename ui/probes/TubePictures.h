#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

#include "model/probes/boreholeObj.h"

// The pictures of the probe dialogs, drawn here instead of shipped as files:
// the cross-section of a borehole for each tube layout, and the symbols a
// probe type can be shown with on the plan.

// Side length (pixels) of the layout pictures for a screen of Dpi dots per
// inch: 64 × Dpi / 96 chooses among 64, 96, 128 and 256.
int TubePictureSize(int Dpi);

// The cross-section of a borehole with the tubes of Layout, Size × Size
// pixels, transparent around the borehole. Drawn from the proportions of a
// common probe: a 150 mm borehole with 32 mm tubes (coaxial: 63 mm outer
// and 32 mm inner tube).
QPixmap TubeCrossSection(TTubeType Layout, int Size);

// The probe symbols offered in the probe-type dialog when the window gives
// none of its own: coloured bullets, index = image index of the type.
QList<QIcon> DefaultProbeSymbols();
