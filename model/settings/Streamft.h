#pragma once

#include "gfx/CustomCanvas.h"
#include "gfx/Graphics.h"
#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"
#include "model/settings/IniFiles.h"

#include <QString>
#include <cstdint>

// The font of everything drawn with explicit unit conversions (chart axes and
// legend, the company block, the print fields, the page header): a plain
// description that goes into stream records and settings and onto canvases
// mapped in tenths of a millimetre.
namespace Streamft {

// The Windows font description, filled for callers that hand fonts to the
// platform's own font machinery.
struct LOGFONT {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char16_t lfFaceName[32] = {};
};

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr std::uint8_t OUT_TT_ONLY_PRECIS = 7;
constexpr std::uint8_t PROOF_QUALITY = 2;
constexpr std::uint8_t FF_SWISS = 32;

// Edit results.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TStreamFont : public TObject {
public:
    TStreamFont();

    QString ClassName() const override { return QStringLiteral("TStreamFont"); }

    const QString& FontName() const { return FFontName; }
    void SetFontName(const QString& Value) { FFontName = Value; }
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    bool Bold() const { return FFontStyle.Contains(fsBold); }
    void SetBold(bool Value) { SetStyleBit(fsBold, Value); }
    bool Italic() const { return FFontStyle.Contains(fsItalic); }
    void SetItalic(bool Value) { SetStyleBit(fsItalic, Value); }
    bool UnderLine() const { return FFontStyle.Contains(fsUnderline); }
    void SetUnderLine(bool Value) { SetStyleBit(fsUnderline, Value); }
    bool StrikeOut() const { return FFontStyle.Contains(fsStrikeOut); }
    void SetStrikeOut(bool Value) { SetStyleBit(fsStrikeOut, Value); }
    TFontStyles FontStyle() const { return FFontStyle; }
    int Color() const { return FColor; }
    void SetColor(int Value) { FColor = Value; }

    bool operator==(const TStreamFont& Other) const;

    virtual void Store(TStream& S) const;
    // Both loads read the whole record before they change the font, so a
    // record cut short leaves it as it was.
    virtual void Load(TStream& S);
    // The older record: a short-string face name and a size in the old unit,
    // which times 0.254 gives points.
    virtual void LoadShortString(TStream& S);
    virtual void Assign(const TFont& Source);
    virtual void Assign(const TStreamFont& Source);
    virtual void AssignTo(TFont& Target) const;
    virtual void AssignTo(TCustomCanvas& Target) const;
    virtual void SetLogFont(LOGFONT& Value) const;
    // Section "Fonts" below the registry key Filename, values prefixed Name.
    virtual void WriteToIniFile(const QString& Filename, const QString& Name) const;
    virtual void WriteToIniFile(TCustomIniFile* IniFile, const QString& Section, const QString& Name) const;
    // For canvases mapped in tenths of a millimetre.
    virtual void SetCanvasFont(TCustomCanvas* ACanvas) const;
    virtual void SetFont(TFont* Font) const;
    virtual void ReadFromIniFile(const QString& Filename, const QString& Name);
    virtual void ReadFromIniFile(const TCustomIniFile* IniFile, const QString& Section, const QString& Name);
    // mrOk when the user accepted a font, mrCancel otherwise.
    virtual int Edit();

private:
    void SetStyleBit(TFontStyle Bit, bool On);
    void LoadRest(TStream& S, const QString& Name, std::int32_t Size);
    void WriteValues(TCustomIniFile& Ini, const QString& Section, const QString& Name, bool AsText) const;
    void ReadValues(const TCustomIniFile& Ini, const QString& Section, const QString& Name);

    QString FFontName;
    TFontStyles FFontStyle;
    int FColor = 0;
    int FSize = 0;
};

} // namespace Streamft
