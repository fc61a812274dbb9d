#pragma once

// The printed plan: one page in tenths of a millimetre with (0, 0) at the
// paper's top-left corner, holding the page header, the rendered plan below
// it and a frame along the print margins. Drawing works on any canvas whose
// logical unit is 0.1 mm, so a test can draw into an image of 1 px = 0.1 mm
// and the printer gets exactly the same page.

#include "gfx/WinTypes.h"

#include <QImage>
#include <QString>

class TCanvas;
class TPageHeader;
class TPrintInfo;

struct TMapPageLayout {
    int PaperWidth = 2100;  // tenths of a millimetre
    int PaperHeight = 2970;
    TRect Margins{200, 150, 100, 150};  // distances from the four paper edges
    bool DrawFrame = true;

    // Inside the print margins.
    TRect Printable() const;
    // Where the picture is fitted: the printable area below the header space.
    TRect PictureBox() const;
};

// The picture always starts this far below the top margin, whatever height
// the header reports.
inline constexpr int MapPageHeaderSpace = 300;

// The page of the printer Info describes, with the margins and the frame
// switch of the program settings.
TMapPageLayout MapPageLayout(const TPrintInfo& Info);

// "3 d 5 h": the whole days and the hours of the day of a simulated time in
// seconds; negative or undefined times count as 0.
QString SimulationDurationText(double Seconds);

// The header of the map page: title "Karte", the project's name and client,
// the simulated duration in the number row, and the company lines and logo
// of the program settings, placed across the printable width.
void SetupMapPageHeader(TPageHeader& Header, const QString& ProjectName, const QString& Client,
                        double SimulatedSeconds, const TMapPageLayout& Page);

// Header, the picture fitted into PictureBox keeping its aspect ratio and
// centred, and the frame when the layout asks for it.
void DrawMapPage(TCanvas& Canvas, TPageHeader& Header, const QImage& Picture, const TMapPageLayout& Page);

// Logical units of Canvas become tenths of a millimetre on the paper Info
// describes, for a device whose (0, 0) is the top-left corner of the
// printable area (a QPrinter without full-page mode). Fonts are sized in the
// same unit, so text is scaled once, by this mapping alone.
void SetPageMapping(TCanvas& Canvas, const TPrintInfo& Info);
