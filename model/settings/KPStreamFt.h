#pragma once

#include "gfx/Graphics.h"
#include "model/base/Stream.h"

#include <QString>

// The contour label font: an ordinary canvas font that also goes into the
// contour map's stream record and into the settings. Its record keeps the
// colour before the style bytes, unlike the other persistent font.
namespace KPStreamFt {

class TStreamFont : public TFont {
public:
    TStreamFont();
    virtual ~TStreamFont() = default;
    TStreamFont(const TStreamFont&) = default;
    TStreamFont& operator=(const TStreamFont&) = default;

    virtual void Store(TStream& S) const;
    // Reads the whole record before it changes the font.
    virtual void Load(TStream& S);
    // Section "Schriften" below the registry key Filename, values prefixed Ident.
    virtual void WriteToIniFile(const QString& Filename, const QString& Ident) const;
    // Unlike the other persistent font, a missing style value clears that style.
    virtual void ReadFromIniFile(const QString& Filename, const QString& Ident);
};

} // namespace KPStreamFt
