#include "ui/print/PrintInfo.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "model/base/Rounding.h"

namespace {

int PixelsToTenthMM(int Pixels, int Dpi)
{
    if (Dpi <= 0) return 0;
    return RoundEven(double(Pixels) / Dpi * 254.0);
}

} // namespace

TPrintInfo::TPrintInfo(QObject* AOwner) : QObject(AOwner)
{
    GetInfo();
}

TPrinterCaps TPrintInfo::A4Fallback()
{
    TPrinterCaps c;
    c.HorzSize = 210;
    c.VertSize = 297;
    c.HorzRes = c.PaperHorzRes = 2480;
    c.VertRes = c.PaperVertRes = 3508;
    c.DPIX = c.DPIY = 300;
    return c;
}

bool TPrintInfo::GetInfo()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        FCaps = A4Fallback();
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return GetInfo(printer);
}

bool TPrintInfo::GetInfo(QPrinter& Printer)
{
    const int dpi = Printer.resolution();
    const QRect paper = Printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = Printer.pageRect(QPrinter::DevicePixel).toRect();
    if (!Printer.isValid() || dpi <= 0 || paper.isEmpty() || page.isEmpty()) {
        FCaps = A4Fallback();
        return false;
    }
    const QRectF mm = Printer.pageRect(QPrinter::Millimeter);
    TPrinterCaps c;
    c.HorzSize = RoundEven(mm.width());
    c.VertSize = RoundEven(mm.height());
    c.HorzRes = page.width();
    c.VertRes = page.height();
    c.DPIX = c.DPIY = dpi;
    c.PaperHorzRes = paper.width();
    c.PaperVertRes = paper.height();
    c.HorzPaperMargin = page.left() - paper.left();
    c.VertPaperMargin = page.top() - paper.top();
    FCaps = c;
    return true;
}

int TPrintInfo::PaperSizeHorz() const
{
    return PixelsToTenthMM(FCaps.PaperHorzRes, FCaps.DPIX);
}

int TPrintInfo::PaperSizeVert() const
{
    return PixelsToTenthMM(FCaps.PaperVertRes, FCaps.DPIY);
}

TRect TPrintInfo::PaperMargin() const
{
    const TPrinterCaps& c = FCaps;
    return TRect{PixelsToTenthMM(c.HorzPaperMargin, c.DPIX), PixelsToTenthMM(c.VertPaperMargin, c.DPIY),
                 PixelsToTenthMM(c.PaperHorzRes - c.HorzRes - c.HorzPaperMargin, c.DPIX),
                 PixelsToTenthMM(c.PaperVertRes - c.VertRes - c.VertPaperMargin, c.DPIY)};
}
