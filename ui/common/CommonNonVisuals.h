#pragma once

#include "ui/common/ImageIndex.h"

#include <QIcon>
#include <QPixmap>

// One image list: the program's pictures (TImageIndex) at one pixel size.
// Icon(i) holds every size of picture i, so a widget showing it at its own
// logical size gets a sharp picture on any screen; Pixmap(i) is the picture
// at the list's own size.
class TImageList {
public:
    TImageList(int ASize, const std::array<QIcon, iiCount>& AIcons) : FSize(ASize), FIcons(&AIcons) {}

    int Size() const { return FSize; }
    int Count() const { return iiCount; }
    // An empty icon for an index outside the list.
    QIcon Icon(int Index) const;
    QPixmap Pixmap(int Index) const;

private:
    int FSize;
    const std::array<QIcon, iiCount>* FIcons;
};

// The shared picture module: the four image lists of the program's pictures.
// Made once at start-up (before the main window) through NonVisModul().
class TNonVisModul {
public:
    TNonVisModul();

    const TImageList& img24() const { return Fimg24; }
    const TImageList& img32() const { return Fimg32; }
    const TImageList& img48() const { return Fimg48; }
    const TImageList& img64() const { return Fimg64; }

    // The list that fits pictures shown at SourceSize at the screen's dpi.
    const TImageList& ImageListByOrgSize(int SourceSize) const;
    // The same for a given dpi (tests, printing).
    const TImageList& ImageListByOrgSize(int SourceSize, int Dpi) const;

private:
    std::array<QIcon, iiCount> FIcons;
    TImageList Fimg24;
    TImageList Fimg32;
    TImageList Fimg48;
    TImageList Fimg64;
};

// The one picture module, made on first use (needs the application object).
TNonVisModul& NonVisModul();
// Picture i at every size; the same as NonVisModul().img24().Icon(i).
QIcon KPIcon(TImageIndex Index);
