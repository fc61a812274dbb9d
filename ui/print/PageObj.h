#pragma once

#include "model/settings/Streamft.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

class TCanvas;

// The header box of a printed page, in page units (tenths of a millimetre;
// text sizes too: a 10 pt font is round(10·254/72) units high).
// Fonts and the logo are held by value: a setter replaces the previous value,
// nothing is shared or leaked.
class TAbstractHeader {
public:
    TAbstractHeader();
    virtual ~TAbstractHeader() = default;

    int Width() const { return FWidth; }
    void SetWidth(int V) { FWidth = V; }
    int Height() const { return FHeight; }
    void SetHeight(int V) { FHeight = V; }
    int Top() const { return FTop; }
    void SetTop(int V) { FTop = V; }
    int Left() const { return FLeft; }
    void SetLeft(int V) { FLeft = V; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool V) { FVisible = V; }
    const Streamft::TStreamFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const Streamft::TStreamFont& V) { FDefaultFont.Assign(V); }

    // Draws the header; the height it takes on the page.
    virtual int Draw(TCanvas& ACanvas);

protected:
    bool FVisible = true;
    int FTop = 0;
    int FHeight = 250;
    int FLeft = 0;
    int FWidth = 1800;
    Streamft::TStreamFont FDefaultFont;
    int tx = 15;
    int ty = 10;
};

enum THeaderLayout : std::uint8_t { hlQNB, hlMirvatek };

// The page header: a framed box with the company lines (or a logo) on the
// left and title, project, number and client rows on the right (hlQNB), or
// nothing at all (hlMirvatek, the height is still reserved).
class TPageHeader : public TAbstractHeader {
public:
    TPageHeader();

    int Draw(TCanvas& ACanvas) override;
    void DrawFramedLayout(TCanvas& ACanvas);

    QString Client, ProjectNo, Project, Title;
    QString LblClient, LblProjectNo, LblProject;
    QString Enclosure, PageText;
    THeaderLayout Layout = hlQNB;
    bool UseLogo = false;
    bool SmallLogo = true;

    const Streamft::TStreamFont& TitleFont() const { return FTitleFont; }
    void SetTitleFont(const Streamft::TStreamFont& V) { FTitleFont.Assign(V); }
    // The company lines; each gets a fresh font of its own.
    const QStringList& CompanyName() const { return FCompanyName; }
    void SetCompanyName(const QStringList& Lines);
    const Streamft::TStreamFont& CompanyLineFont(int I) const { return FCompanyFonts.at(size_t(I)); }
    const QImage& Logo() const { return FLogo; }
    void SetLogo(const QImage& V) { FLogo = V; }
    const QString& LogoFilename() const { return FLogoFilename; }
    // Loads the picture; a missing or unreadable file leaves the logo empty.
    void SetLogoFilename(const QString& V);

private:
    void DrawRows(TCanvas& C, int L, int T, int R, int M, int H);
    bool DrawLogo(TCanvas& C, int L, int T, int M, int H);
    void DrawCompanyLines(TCanvas& C, int L, int T, int M, int H, bool LogoDrawn);

    Streamft::TStreamFont FTitleFont;
    QStringList FCompanyName;
    std::vector<Streamft::TStreamFont> FCompanyFonts;
    QImage FLogo;
    QString FLogoFilename;
};
