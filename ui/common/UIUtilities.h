#pragma once

#include <QString>

#include "ui/common/ImageIndex.h"

class QToolBar;
class QToolButton;

// Small services that several windows share. Numbers shown to the user go
// through model/base/NumberText.h (FloatToFixedOrEmpty and friends).

// Opens the drop-down menu of AButton as if its arrow had been clicked;
// nothing without a button or a menu.
void DropDownToolButton(QToolButton* AButton);

// A button with the program's icon Image and Caption beside it, added to Bar:
// the tool bars of the result and monitoring windows.
QToolButton* AddCaptionedToolButton(QToolBar* Bar, const QString& Caption, TImageIndex Image);

// The date and time at the end of a saved temperature-field file name,
// stem_YYYY_MM_DD_hh_mm.txt (the stem may itself hold "_"). False when the
// name has fewer than five parts, a part is not a number, or a value is out
// of range (month 1–12, the day within its month, hour 0–23, minute 0–59);
// the outputs are only written on success.
bool ParseDataFileDate(const QString& AFileName, int& Year, int& Month, int& Day, int& Hour, int& Minute);
