#pragma once

#include "gfx/Colors.h"
#include "gfx/DelphiSet.h"

#include <QString>
#include <cstdint>

// The pen, brush and font of a canvas, described as the program sets them. How they
// turn into QPainter state depends on the canvas (its mapping, its resolution).

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// Height < 0 is a character height, Height > 0 a cell height (character plus internal
// leading), both in the canvas's logical units. Size is in points and converts to
// and from Height through PixelsPerInch, as on a screen canvas.
class TFont {
public:
  TFont() = default;
  TFont(const TFont&) = default;
  TFont& operator=(const TFont&) = default;
  virtual ~TFont() = default;  // the program's stored fonts derive from it

  const QString& Name() const { return FName; }
  void SetName(const QString& name) { FName = name; }
  int Height() const { return FHeight; }
  void SetHeight(int height) { FHeight = height; }
  int Size() const;
  void SetSize(int points);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style) { FStyle = style; }
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  // Angle of the text's base line, tenths of a degree counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int tenths) { FOrientation = tenths; }

  void Assign(const TFont& source) { *this = source; }
  bool operator==(const TFont&) const = default;

private:
  QString FName = QStringLiteral("Arial");
  int FHeight = -11;  // 8 points at 96 pixels per inch
  int FPixelsPerInch = 96;
  TFontStyles FStyle;
  TColor FColor = clBlack;
  int FOrientation = 0;
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                          pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  // Logical units; whatever it maps to, the pen draws at least one pixel wide.
  int Width() const { return FWidth; }
  void SetWidth(int width) { FWidth = width; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style) { FStyle = style; }
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode) { FMode = mode; }

  void Assign(const TPen& source) { *this = source; }
  bool operator==(const TPen&) const = default;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                             bsDiagCross };

class TBrush {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style) { FStyle = style; }

  void Assign(const TBrush& source) { *this = source; }
  bool operator==(const TBrush&) const = default;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};
