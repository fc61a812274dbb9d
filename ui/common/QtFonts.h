#pragma once

#include <QFont>

class TFont;
namespace Streamft {
class TStreamFont;
}

// The program's stored font descriptions as Qt fonts for widgets and the font
// dialog, and back. Sizes are points; the colour stays with the stored font.
QFont ToQFont(const Streamft::TStreamFont& Font);
void FromQFont(const QFont& Source, Streamft::TStreamFont& Font);
QFont ToQFont(const TFont& Font);
void FromQFont(const QFont& Source, TFont& Font);
