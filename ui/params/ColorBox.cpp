#include "ui/params/ColorBox.h"

#include "ui/params/WebColors.h"

namespace {

struct TNamedColor {
    const char16_t* Name;
    TColor Value;
};

// The platform's sixteen standard colours and its four extended ones.
constexpr TNamedColor StandardColors[] = {
    {u"Black", 0x000000},   {u"Maroon", 0x000080}, {u"Green", 0x008000},  {u"Olive", 0x008080},
    {u"Navy", 0x800000},    {u"Purple", 0x800080}, {u"Teal", 0x808000},   {u"Gray", 0x808080},
    {u"Silver", 0xC0C0C0},  {u"Red", 0x0000FF},    {u"Lime", 0x00FF00},   {u"Yellow", 0x00FFFF},
    {u"Blue", 0xFF0000},    {u"Fuchsia", 0xFF00FF}, {u"Aqua", 0xFFFF00},  {u"White", 0xFFFFFF},
    {u"Money Green", 0xC0DCC0}, {u"Sky Blue", 0xF0CAA6}, {u"Cream", 0xF0FBFF}, {u"Medium Gray", 0xA4A0A0},
};

} // namespace

TColorBox::TColorBox(QWidget* Parent) : QComboBox(Parent)
{
    setMaxVisibleItems(16);
    for (const TNamedColor& c : StandardColors) AddColor(QString::fromUtf16(c.Name), c.Value);
    for (const TWebColor& c : WebColors())
        AddColor(QString::fromUtf16(c.Name.data(), static_cast<qsizetype>(c.Name.size())), c.Value);
}

void TColorBox::AddColor(const QString& Name, TColor Value)
{
    addItem(ColorSwatchIcon(Value), Name, QVariant::fromValue(static_cast<uint>(Value)));
}

TColor TColorBox::Selected() const
{
    return currentIndex() < 0 ? clBlack : static_cast<TColor>(currentData().toUInt());
}

void TColorBox::SetSelected(TColor Value)
{
    int i = findData(QVariant::fromValue(static_cast<uint>(Value)));
    if (i < 0) {
        const QColor c = ColorToQColor(Value);
        insertItem(0, ColorSwatchIcon(Value), c.name(QColor::HexRgb).toUpper(),
                   QVariant::fromValue(static_cast<uint>(Value)));
        i = 0;
    }
    setCurrentIndex(i);
}
