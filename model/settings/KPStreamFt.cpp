#include "model/settings/KPStreamFt.h"

#include "model/base/StreamStrings.h"
#include "model/settings/FontSizeRange.h"
#include "model/settings/RegistryIniFile.h"

namespace KPStreamFt {

namespace {

const QString SSchriften = QStringLiteral("Schriften");
const TFontStyle StyleOrder[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
const char* const StyleSuffix[] = {"Bold", "Italic", "UnderLine", "StrikeOut"};

} // namespace

TStreamFont::TStreamFont()
{
    SetName(QStringLiteral("Arial"));
    SetSize(11);
    SetStyle(TFontStyles{});
    SetColor(clBlack);
}

void TStreamFont::Store(TStream& S) const
{
    WriteStringToStream(S, Name());
    S.WriteInt32(Size());
    S.WriteInt32(static_cast<std::int32_t>(Color()));
    for (TFontStyle st : StyleOrder) S.WriteBoolean(Style().Contains(st));
}

void TStreamFont::Load(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const std::int32_t size = S.ReadInt32InRange(MinFontSize, MaxFontSize, "die Schriftgröße");
    const std::int32_t color = S.ReadInt32();
    TFontStyles style;
    for (TFontStyle st : StyleOrder)
        if (S.ReadByte() != 0) style.Include(st);
    SetName(name);
    SetSize(size);
    SetColor(static_cast<TColor>(color));
    SetStyle(style);
}

void TStreamFont::WriteToIniFile(const QString& Filename, const QString& Ident) const
{
    TRegistryIniFile ini(Filename);
    ini.WriteString(SSchriften, Ident + QStringLiteral("Name"), Name());
    ini.WriteString(SSchriften, Ident + QStringLiteral("Size"), QString::number(Size()));
    for (int i = 0; i < 4; ++i)
        ini.WriteString(SSchriften, Ident + QLatin1String(StyleSuffix[i]),
                        Style().Contains(StyleOrder[i]) ? QStringLiteral("1") : QStringLiteral("0"));
    ini.WriteString(SSchriften, Ident + QStringLiteral("Color"), QString::number(static_cast<std::int32_t>(Color())));
    ini.UpdateFile();
}

void TStreamFont::ReadFromIniFile(const QString& Filename, const QString& Ident)
{
    const TRegistryIniFile ini(Filename, TRegistryRoot::CurrentUser, TRegistryAccess::ReadOnly);
    SetName(ini.ReadString(SSchriften, Ident + QStringLiteral("Name"), Name()));
    // A size out of range counts as no number: the font keeps its size.
    const int size = ini.ReadInteger(SSchriften, Ident + QStringLiteral("Size"), Size());
    if (FontSizeInRange(size)) SetSize(size);
    TFontStyles style;
    for (int i = 0; i < 4; ++i)
        if (ini.ReadBool(SSchriften, Ident + QLatin1String(StyleSuffix[i]), false)) style.Include(StyleOrder[i]);
    SetStyle(style);
    const int color = ini.ReadInteger(SSchriften, Ident + QStringLiteral("Color"), static_cast<int>(Color()));
    SetColor(static_cast<TColor>(color));
}

} // namespace KPStreamFt
