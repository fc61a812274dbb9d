#include "gfx/AlignedText.h"

void AlignedTextOut(TCustomCanvas& Canvas, int X, int Y, const QString& Text, uint8_t Alignment) {
  switch (Alignment) {
    case 0:
      Canvas.TextOut(X, Y, Text);
      break;
    case 1:
      Canvas.TextOut(X - Canvas.TextWidth(Text), Y, Text);
      break;
    case 2:
      Canvas.TextOut(X - Canvas.TextWidth(Text) / 2, Y, Text);
      break;
    case 3: {
      const qsizetype comma = Text.indexOf(QLatin1Char(','));
      if (comma < 0) {
        Canvas.TextOut(X, Y, Text);
        break;
      }
      const QString head = Text.left(comma + 1);
      Canvas.TextOut(X - Canvas.TextWidth(head), Y, head);
      Canvas.TextOut(X, Y, Text.mid(comma + 1));
      break;
    }
    default:
      break;
  }
}
