#include "ui/common/CommonNonVisuals.h"

#include "ui/common/Dpi.h"

// Resources of a static library are registered by hand.
static void InitKPResources()
{
    Q_INIT_RESOURCE(kp);
}

QIcon TImageList::Icon(int Index) const
{
    if (Index < 0 || Index >= iiCount) return QIcon();
    return (*FIcons)[size_t(Index)];
}

QPixmap TImageList::Pixmap(int Index) const
{
    return Icon(Index).pixmap(FSize, FSize);
}

namespace {

std::array<QIcon, iiCount> LoadIcons()
{
    InitKPResources();
    std::array<QIcon, iiCount> icons;
    for (int i = 0; i < iiCount; ++i) {
        const std::string_view name = ImageNames[size_t(i)];
        for (int size : ImageSizes)
            icons[size_t(i)].addFile(QStringLiteral(":/icons/%1_%2.png")
                                         .arg(QLatin1String(name.data(), qsizetype(name.size())))
                                         .arg(size),
                                     QSize(size, size));
    }
    return icons;
}

} // namespace

TNonVisModul::TNonVisModul()
    : FIcons(LoadIcons()), Fimg24(24, FIcons), Fimg32(32, FIcons), Fimg48(48, FIcons), Fimg64(64, FIcons)
{
}

const TImageList& TNonVisModul::ImageListByOrgSize(int SourceSize) const
{
    return ImageListByOrgSize(SourceSize, ScreenDpi());
}

const TImageList& TNonVisModul::ImageListByOrgSize(int SourceSize, int Dpi) const
{
    switch (ImageListSizeByOrgSize(SourceSize, Dpi)) {
    case 64: return Fimg64;
    case 48: return Fimg48;
    case 32: return Fimg32;
    default: return Fimg24;
    }
}

TNonVisModul& NonVisModul()
{
    static TNonVisModul module;
    return module;
}

QIcon KPIcon(TImageIndex Index)
{
    return NonVisModul().img24().Icon(Index);
}
