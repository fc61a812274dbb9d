#pragma once

#include "model/base/MVBasicTypes.h"

#include <QString>
#include <QStringList>

// A world rectangle; top is the smaller y (world y grows upwards).
struct TWorldRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Pixels per unit so that a Width × Height area holds about PixelCount pixels; 1 for empty input.
double ScaleForPixelCount(int PixelCount, double Width, double Height);
// The largest rectangle with Source's aspect ratio centred in Box.
TRect FitRectAspect(const TRect& Box, const TRect& Source);
// World.top maps to the picture's bottom edge.
int WorldToScreenX(const TRect& Pic, const TWorldRect& World, double X);
int WorldToScreenY(const TRect& Pic, const TWorldRect& World, double Y);

// Appends the parts of S between separators to List and returns it.
QStringList& SplitAtSeparator(QString S, const QString& Separator, QStringList& List);
// Blank-separated words of a generator file line; empty words and words
// beginning with "#" are dropped. Tabs are not separators.
QStringList& SplitLine(const QString& S, QStringList& List);
// Reads tokens 0..min(MaxIndex, tokens-1) of Line into Values, locale-free.
// False when a token is no number; its entry then gets the value read up to
// the failing character (0 when none). Values must hold MaxIndex + 1 entries.
bool ParseDoubles(const QString& Line, double* Values, int MaxIndex);
// The fixed 23-character scientific form of the generator's input files.
QString FloatToStrRaw(double Value);
