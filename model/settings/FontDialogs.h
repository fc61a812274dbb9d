#pragma once

#include "gfx/Graphics.h"

// The font dialog the model's fonts open. Headless: cancelled.
class TFontDialogs {
public:
    virtual ~TFontDialogs() = default;
    // Shows a font dialog on Font (offering TrueType fonts only when asked);
    // true when the user accepted, Font then holds the choice.
    virtual bool ExecuteFontDialog(TFont& Font, bool TrueTypeOnly)
    {
        (void)Font;
        (void)TrueTypeOnly;
        return false;
    }
};
