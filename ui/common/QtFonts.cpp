#include "ui/common/QtFonts.h"

#include "gfx/Graphics.h"
#include "model/settings/Streamft.h"

namespace {

QFont MakeFont(const QString& Name, int Points, TFontStyles Style)
{
    QFont f(Name);
    if (Points > 0) f.setPointSize(Points);
    f.setBold(Style.Contains(fsBold));
    f.setItalic(Style.Contains(fsItalic));
    f.setUnderline(Style.Contains(fsUnderline));
    f.setStrikeOut(Style.Contains(fsStrikeOut));
    return f;
}

TFontStyles StyleOf(const QFont& F)
{
    TFontStyles s;
    if (F.bold()) s.Include(fsBold);
    if (F.italic()) s.Include(fsItalic);
    if (F.underline()) s.Include(fsUnderline);
    if (F.strikeOut()) s.Include(fsStrikeOut);
    return s;
}

} // namespace

QFont ToQFont(const Streamft::TStreamFont& Font)
{
    return MakeFont(Font.FontName(), Font.Size(), Font.FontStyle());
}

void FromQFont(const QFont& Source, Streamft::TStreamFont& Font)
{
    Font.SetFontName(Source.family());
    if (Source.pointSize() > 0) Font.SetSize(Source.pointSize());
    Font.SetBold(Source.bold());
    Font.SetItalic(Source.italic());
    Font.SetUnderLine(Source.underline());
    Font.SetStrikeOut(Source.strikeOut());
}

QFont ToQFont(const TFont& Font)
{
    return MakeFont(Font.Name(), Font.Size(), Font.Style());
}

void FromQFont(const QFont& Source, TFont& Font)
{
    Font.SetName(Source.family());
    if (Source.pointSize() > 0) Font.SetSize(Source.pointSize());
    Font.SetStyle(StyleOf(Source));
}
