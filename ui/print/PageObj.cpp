#include "ui/print/PageObj.h"

#include <QFileInfo>
#include <QImageReader>

#include "gfx/Canvas.h"
#include "model/base/Rounding.h"
#include "model/base/Utilities.h"
#include "model/settings/KPSettings.h"

#include <algorithm>

TAbstractHeader::TAbstractHeader() = default;

int TAbstractHeader::Draw(TCanvas& ACanvas)
{
    (void)ACanvas;
    return 0;
}

TPageHeader::TPageHeader()
    : LblClient(QStringLiteral("Auftraggeber:")),
      LblProjectNo(QStringLiteral("Nummer:")),
      LblProject(QStringLiteral("Projekt:"))
{
    FTitleFont.SetBold(true);
    SetCompanyName({QStringLiteral("Mirvatek"), QStringLiteral("Software für Erdwärmesonden"),
                    QStringLiteral("Deutschland"), QStringLiteral("www.mirvatek.de")});
}

void TPageHeader::SetCompanyName(const QStringList& Lines)
{
    FCompanyName = Lines;
    FCompanyFonts.assign(size_t(Lines.size()), Streamft::TStreamFont());
}

void TPageHeader::SetLogoFilename(const QString& V)
{
    FLogoFilename = V;
    FLogo = QImage();
    if (V.isEmpty() || !QFileInfo::exists(V)) return;
    QImageReader reader(V);
    const QImage img = reader.read();
    if (!img.isNull()) FLogo = img;
}

int TPageHeader::Draw(TCanvas& ACanvas)
{
    ACanvas.Brush().SetColor(clWhite);
    ACanvas.Brush().SetStyle(bsClear);
    // Re-set at every draw; the number row's label is the caller's.
    LblProject = QStringLiteral("Projekt:");
    LblClient = QStringLiteral("Auftraggeber:");
    if (Layout == hlQNB) DrawFramedLayout(ACanvas);
    return Height();
}

void TPageHeader::DrawFramedLayout(TCanvas& ACanvas)
{
    const int L = Left(), T = Top(), W = Width(), H = Height();
    const int R = L + W, B = T + H, M = L + W / 2, row = H / 4;
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetWidth(4);
    ACanvas.Rectangle(L, T, R, B);
    ACanvas.Pen().SetWidth(2);
    ACanvas.MoveTo(M, T);
    ACanvas.LineTo(M, B);
    for (int y : {T + row, T + H / 2, B - row}) {
        ACanvas.MoveTo(M, y);
        ACanvas.LineTo(R, y);
    }
    DrawRows(ACanvas, L, T, R, M, H);
    const bool logoDrawn = UseLogo && DrawLogo(ACanvas, L, T, M, H);
    if (!UseLogo || SmallLogo) DrawCompanyLines(ACanvas, L, T, M, H, logoDrawn);
}

void TPageHeader::DrawRows(TCanvas& C, int L, int T, int R, int M, int H)
{
    (void)L;
    const int row = H / 4;
    FTitleFont.SetCanvasFont(&C);
    int d = RoundEven((H / 4.0 - C.TextHeight(QStringLiteral("Xy"))) / 2);
    C.TextOut(M + tx, T + d, Title);

    FDefaultFont.SetCanvasFont(&C);
    d = RoundEven((H / 4.0 - C.TextHeight(QStringLiteral("Xy"))) / 2);
    const int lw = std::max({C.TextWidth(LblProject), C.TextWidth(LblProjectNo), C.TextWidth(LblClient)});
    QString e = Enclosure;
    if (!PageText.isEmpty()) e += QLatin1Char(' ') + PageText;
    if (!e.isEmpty()) C.TextOut(R - tx - C.TextWidth(e), T + d, e);
    const QString* labels[] = {&LblProject, &LblProjectNo, &LblClient};
    const QString* values[] = {&Project, &ProjectNo, &Client};
    for (int k = 1; k <= 3; ++k) {
        const int y = T + k * row + d;
        C.TextOut(M + tx, y, *labels[k - 1]);
        C.TextOut(M + tx + lw + 10, y, *values[k - 1]);
    }
}

bool TPageHeader::DrawLogo(TCanvas& C, int L, int T, int M, int H)
{
    if (FLogo.isNull()) return false;
    const TRect box = SmallLogo ? TRect{L + 2, T + 2, L + H - 3, T + H - 3} : TRect{L + 2, T + 2, M - 3, T + H - 3};
    const TRect source{0, 0, FLogo.width(), FLogo.height()};
    C.StretchDraw(FitRectAspect(box, source), FLogo);
    return true;
}

void TPageHeader::DrawCompanyLines(TCanvas& C, int L, int T, int M, int H, bool LogoDrawn)
{
    const int x = L + tx + (LogoDrawn ? H : 0);
    // Long lines stay inside the company box instead of running into the rows.
    const TPoint a = C.LPtoDP(TPoint{LogoDrawn ? L + H : L, T});
    const TPoint b = C.LPtoDP(TPoint{M, T + H});
    C.Painter().save();
    C.SelectClipRect(TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
    int y = T + ty;
    for (const QString& line : FCompanyName) {
        CompanyFont.SetCanvasFont(&C);
        C.TextOut(x, y, line);
        y += C.TextHeight(line);
    }
    C.Painter().restore();
}
