#include "ui/common/Dpi.h"

#include <QGuiApplication>
#include <QScreen>

#include "gfx/WinTypes.h"
#include "model/base/Rounding.h"

int ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    return RoundEven(96.0 * screen->devicePixelRatio());
}

int ScaleByDpi(int Size, int Dpi)
{
    return MulDiv(Size, Dpi, 96);
}

int ImageListSizeByOrgSize(int SourceSize, int Dpi)
{
    const int scaled = ScaleByDpi(SourceSize, Dpi);
    if (scaled <= SourceSize || scaled <= 24) return 24;
    if (scaled >= 64) return 64;
    if (scaled >= 48) return 48;
    return 32;
}
