#pragma once

#include "gfx/DelphiSet.h"

#include <QPoint>
#include <Qt>
#include <functional>

class QObject;

// Event types of the program's own controls (plan view, chart). The sender is the
// control as a QObject; positions are the control's own coordinates in DIPs.

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TControlNotifyEvent = std::function<void(QObject* Sender)>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
// MousePos is in the control's coordinates; Handled starts false.
using TMouseWheelEvent =
    std::function<void(QObject* Sender, TShiftState Shift, int WheelDelta, QPoint MousePos, bool& Handled)>;
// Source is the widget the drag started from (null for drags from other programs).
using TDragOverEvent =
    std::function<void(QObject* Sender, QObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y)>;

inline TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}
