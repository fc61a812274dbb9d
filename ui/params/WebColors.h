#pragma once

#include "gfx/Colors.h"

#include <QIcon>

#include <span>
#include <string_view>

// A named colour of the colour box: the name without the platform's "clWeb"
// prefix and the value as $BBGGRR.
struct TWebColor {
    std::u16string_view Name;
    TColor Value;
};

inline constexpr int WebColorCount = 138;

// The named web colours in the platform's table order, "Snow" … "Black".
std::span<const TWebColor> WebColors();

// A square of Color with a thin grey frame, Size pixels wide, for lists and
// colour boxes.
QIcon ColorSwatchIcon(TColor Color, int Size = 16);
