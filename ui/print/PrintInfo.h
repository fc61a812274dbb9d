#pragma once

#include "gfx/WinTypes.h"

#include <QObject>

class QPrinter;

// The printer's page geometry, as the platform's device capabilities give it.
struct TPrinterCaps {
    int HorzSize = 0;          // printable width, mm
    int VertSize = 0;          // printable height, mm
    int HorzRes = 0;           // printable width, pixels
    int VertRes = 0;
    int DPIX = 0;              // pixels per inch
    int DPIY = 0;
    int PaperHorzRes = 0;      // physical paper size, pixels
    int PaperVertRes = 0;
    int HorzPaperMargin = 0;   // left and top non-printable offsets, pixels
    int VertPaperMargin = 0;
};

// Paper size and non-printable margins of the default printer in the page
// unit of printing, tenths of a millimetre. Whenever no printer answers
// (none installed, none default, an invalid one) the values are those of A4
// at 300 dpi, so the page computations stay defined.
class TPrintInfo : public QObject {
    Q_OBJECT

public:
    explicit TPrintInfo(QObject* AOwner = nullptr);

    // Reads the default printer; false when the A4 fallback was used.
    bool GetInfo();
    // Reads the given printer; false (and the fallback) when it is not valid.
    bool GetInfo(QPrinter& Printer);
    void SetCaps(const TPrinterCaps& Caps) { FCaps = Caps; }
    static TPrinterCaps A4Fallback();

    const TPrinterCaps& Caps() const { return FCaps; }
    int HorzSize() const { return FCaps.HorzSize; }
    int VertSize() const { return FCaps.VertSize; }
    int HorzRes() const { return FCaps.HorzRes; }
    int VertRes() const { return FCaps.VertRes; }
    int DPIX() const { return FCaps.DPIX; }
    int DPIY() const { return FCaps.DPIY; }
    int PaperHorzRes() const { return FCaps.PaperHorzRes; }
    int PaperVertRes() const { return FCaps.PaperVertRes; }
    int HorzPaperMargin() const { return FCaps.HorzPaperMargin; }
    int VertPaperMargin() const { return FCaps.VertPaperMargin; }

    // Tenths of a millimetre, rounded; 0 where a resolution is not positive.
    int PaperSizeHorz() const;
    int PaperSizeVert() const;
    TRect PaperMargin() const;

private:
    TPrinterCaps FCaps;
};
