#include "ui/print/MapPage.h"

#include "gfx/Canvas.h"
#include "model/base/NumberText.h"
#include "model/base/Utilities.h"
#include "model/settings/KPSettings.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

#include <cmath>
#include <cstdint>

TRect TMapPageLayout::Printable() const
{
    return TRect{Margins.Left, Margins.Top, PaperWidth - Margins.Right, PaperHeight - Margins.Bottom};
}

TRect TMapPageLayout::PictureBox() const
{
    TRect r = Printable();
    r.Top += MapPageHeaderSpace;
    return r;
}

TMapPageLayout MapPageLayout(const TPrintInfo& Info)
{
    TMapPageLayout page;
    page.PaperWidth = Info.PaperSizeHorz();
    page.PaperHeight = Info.PaperSizeVert();
    page.Margins = PrintMargins;
    page.DrawFrame = DrawFrame;
    return page;
}

QString SimulationDurationText(double Seconds)
{
    const double hours = std::isfinite(Seconds) && Seconds > 0 ? std::floor(Seconds / 3600.0) : 0.0;
    const auto total = static_cast<std::int64_t>(hours);
    return Format(QStringLiteral("%d d %d h"), {total / 24, total % 24});
}

void SetupMapPageHeader(TPageHeader& Header, const QString& ProjectName, const QString& Client,
                        double SimulatedSeconds, const TMapPageLayout& Page)
{
    Header.Title = QStringLiteral("Karte");
    Header.Project = ProjectName;
    Header.LblProjectNo = QStringLiteral("Simulationsdauer:");
    Header.ProjectNo = SimulationDurationText(SimulatedSeconds);
    Header.Client = Client;
    Header.SetTop(Page.Margins.Top);
    Header.SetLeft(Page.Margins.Left);
    Header.SetWidth(Page.PaperWidth - Page.Margins.Left - Page.Margins.Right);
    Header.Enclosure.clear();
    Header.SetCompanyName(CompanyLines);
    Header.SetLogoFilename(LogoFile);
    Header.UseLogo = LogoStyle > 0;
    Header.SmallLogo = LogoStyle == 1;
}

void DrawMapPage(TCanvas& Canvas, TPageHeader& Header, const QImage& Picture, const TMapPageLayout& Page)
{
    Header.Draw(Canvas);
    if (!Picture.isNull()) {
        const TRect source{0, 0, Picture.width(), Picture.height()};
        Canvas.StretchDraw(FitRectAspect(Page.PictureBox(), source), Picture);
    }
    if (!Page.DrawFrame) return;
    const TRect p = Page.Printable();
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(4);
    Canvas.Brush().SetStyle(bsClear);
    const TPoint corners[] = {{p.Left, p.Top}, {p.Right, p.Top}, {p.Right, p.Bottom}, {p.Left, p.Bottom}};
    Canvas.Polygon(corners);
}

void SetPageMapping(TCanvas& Canvas, const TPrintInfo& Info)
{
    Canvas.SetMapMode(MM_ANISOTROPIC);
    Canvas.SetWindowExtEx(Info.PaperSizeHorz(), Info.PaperSizeVert());
    // The paper in device pixels, straight from the resolution: the printable
    // size in millimetres is rounded and would skew the scale.
    Canvas.SetViewportExtEx(Info.PaperHorzRes(), Info.PaperVertRes());
    const TRect offsets = Info.PaperMargin();
    Canvas.SetWindowOrgEx(offsets.Left, offsets.Top);
}
