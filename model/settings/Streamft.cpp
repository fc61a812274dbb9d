#include "model/settings/Streamft.h"

#include "gfx/WinTypes.h"
#include "model/base/ModelUI.h"
#include "model/base/StreamStrings.h"
#include "model/settings/FontDialogs.h"
#include "model/settings/FontSizeRange.h"
#include "model/settings/RegistryIniFile.h"

namespace Streamft {

namespace {

const QString SFonts = QStringLiteral("Fonts");

TFontStyles StylesOf(bool Bold, bool Italic, bool UnderLine, bool StrikeOut)
{
    TFontStyles s;
    if (Bold) s.Include(fsBold);
    if (Italic) s.Include(fsItalic);
    if (UnderLine) s.Include(fsUnderline);
    if (StrikeOut) s.Include(fsStrikeOut);
    return s;
}

} // namespace

TStreamFont::TStreamFont() : FFontName(QStringLiteral("Arial")), FColor(0), FSize(8) {}

bool TStreamFont::operator==(const TStreamFont& Other) const
{
    return FFontName == Other.FFontName && FFontStyle == Other.FFontStyle && FColor == Other.FColor &&
           FSize == Other.FSize;
}

void TStreamFont::SetStyleBit(TFontStyle Bit, bool On)
{
    if (On)
        FFontStyle.Include(Bit);
    else
        FFontStyle.Exclude(Bit);
}

void TStreamFont::Store(TStream& S) const
{
    WriteStringToStream(S, FFontName);
    S.WriteInt32(FSize);
    S.WriteBoolean(Bold());
    S.WriteBoolean(Italic());
    S.WriteBoolean(UnderLine());
    S.WriteBoolean(StrikeOut());
    S.WriteInt32(FColor);
}

void TStreamFont::LoadRest(TStream& S, const QString& Name, std::int32_t Size)
{
    // Any non-zero byte sets its style.
    const bool bold = S.ReadByte() != 0;
    const bool italic = S.ReadByte() != 0;
    const bool underline = S.ReadByte() != 0;
    const bool strikeout = S.ReadByte() != 0;
    const std::int32_t color = S.ReadInt32();
    FFontName = Name;
    FSize = Size;
    FFontStyle = StylesOf(bold, italic, underline, strikeout);
    FColor = color;
}

void TStreamFont::Load(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const std::int32_t size = S.ReadInt32InRange(MinFontSize, MaxFontSize, "die Schriftgröße");
    LoadRest(S, name, size);
}

void TStreamFont::LoadShortString(TStream& S)
{
    const QString name = ReadShortStringFromStream(S);
    const qint64 pos = S.Position();
    const std::int32_t size = MulDiv(S.ReadInt32(), 254, 1000);
    S.CheckRange(size, MinFontSize, MaxFontSize, "die Schriftgröße", pos);
    LoadRest(S, name, size);
}

void TStreamFont::Assign(const TFont& Source)
{
    FFontName = Source.Name();
    FSize = Source.Size();
    FFontStyle = Source.Style();
    FColor = static_cast<int>(Source.Color());
}

void TStreamFont::Assign(const TStreamFont& Source)
{
    FFontName = Source.FFontName;
    FSize = Source.FSize;
    FFontStyle = Source.FFontStyle;
    FColor = Source.FColor;
}

void TStreamFont::AssignTo(TFont& Target) const
{
    Target.SetName(FFontName);
    Target.SetSize(FSize);
    Target.SetStyle(FFontStyle);
    Target.SetColor(static_cast<TColor>(FColor));
}

void TStreamFont::AssignTo(TCustomCanvas& Target) const
{
    SetCanvasFont(&Target);
}

void TStreamFont::SetLogFont(LOGFONT& Value) const
{
    Value = LOGFONT{};
    Value.lfHeight = MulDiv(FSize, 96, 72);
    Value.lfWeight = Bold() ? FW_BOLD : FW_NORMAL;
    Value.lfItalic = Italic() ? 1 : 0;
    Value.lfUnderline = UnderLine() ? 1 : 0;
    Value.lfStrikeOut = StrikeOut() ? 1 : 0;
    Value.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    Value.lfQuality = PROOF_QUALITY;
    Value.lfPitchAndFamily = FF_SWISS;
    // 31 code units and the terminating zero; a surrogate pair is not split.
    qsizetype n = qMin<qsizetype>(FFontName.size(), 31);
    if (n > 0 && n < FFontName.size() && FFontName.at(n - 1).isHighSurrogate()) --n;
    for (qsizetype i = 0; i < n; ++i) Value.lfFaceName[i] = FFontName.at(i).unicode();
}

void TStreamFont::WriteValues(TCustomIniFile& Ini, const QString& Section, const QString& Name, bool AsText) const
{
    auto writeInt = [&](const QString& Suffix, int V) {
        if (AsText)
            Ini.WriteString(Section, Name + Suffix, QString::number(V));
        else
            Ini.WriteInteger(Section, Name + Suffix, V);
    };
    auto writeBool = [&](const QString& Suffix, bool V) {
        if (AsText)
            Ini.WriteString(Section, Name + Suffix, V ? QStringLiteral("1") : QStringLiteral("0"));
        else
            Ini.WriteBool(Section, Name + Suffix, V);
    };
    Ini.WriteString(Section, Name + QStringLiteral("Name"), FFontName);
    writeInt(QStringLiteral("Size"), FSize);
    writeBool(QStringLiteral("Bold"), Bold());
    writeBool(QStringLiteral("Italic"), Italic());
    writeBool(QStringLiteral("UnderLine"), UnderLine());
    writeBool(QStringLiteral("StrikeOut"), StrikeOut());
    writeInt(QStringLiteral("Color"), FColor);
}

void TStreamFont::ReadValues(const TCustomIniFile& Ini, const QString& Section, const QString& Name)
{
    // Each value falls back to the current one, so missing values leave the
    // font as it was.
    SetFontName(Ini.ReadString(Section, Name + QStringLiteral("Name"), FFontName));
    // A size out of range counts as no number: the font keeps its size.
    const int size = Ini.ReadInteger(Section, Name + QStringLiteral("Size"), FSize);
    if (FontSizeInRange(size)) SetSize(size);
    SetBold(Ini.ReadBool(Section, Name + QStringLiteral("Bold"), Bold()));
    SetItalic(Ini.ReadBool(Section, Name + QStringLiteral("Italic"), Italic()));
    SetUnderLine(Ini.ReadBool(Section, Name + QStringLiteral("UnderLine"), UnderLine()));
    SetStrikeOut(Ini.ReadBool(Section, Name + QStringLiteral("StrikeOut"), StrikeOut()));
    SetColor(Ini.ReadInteger(Section, Name + QStringLiteral("Color"), FColor));
}

void TStreamFont::WriteToIniFile(const QString& Filename, const QString& Name) const
{
    // The registry wrapper of this form keeps every value as text.
    TRegistryIniFile ini(Filename);
    WriteValues(ini, SFonts, Name, true);
    ini.UpdateFile();
}

void TStreamFont::WriteToIniFile(TCustomIniFile* IniFile, const QString& Section, const QString& Name) const
{
    if (IniFile) WriteValues(*IniFile, Section, Name, false);
}

void TStreamFont::SetCanvasFont(TCustomCanvas* ACanvas) const
{
    if (!ACanvas) return;
    TFont& f = ACanvas->Font();
    f.SetName(FFontName);
    f.SetStyle(FFontStyle);
    f.SetColor(static_cast<TColor>(FColor));
    // A character height in tenths of a millimetre: one point is 254/72 of them.
    f.SetHeight(-MulDiv(FSize, 254, 72));
}

void TStreamFont::SetFont(TFont* Font) const
{
    if (Font) AssignTo(*Font);
}

void TStreamFont::ReadFromIniFile(const QString& Filename, const QString& Name)
{
    const TRegistryIniFile ini(Filename, TRegistryRoot::CurrentUser, TRegistryAccess::ReadOnly);
    ReadValues(ini, SFonts, Name);
}

void TStreamFont::ReadFromIniFile(const TCustomIniFile* IniFile, const QString& Section, const QString& Name)
{
    if (IniFile) ReadValues(*IniFile, Section, Name);
}

int TStreamFont::Edit()
{
    TFont font;
    AssignTo(font);
    if (!ModelUI<TFontDialogs>().ExecuteFontDialog(font, true)) return mrCancel;
    Assign(font);
    return mrOk;
}

} // namespace Streamft
