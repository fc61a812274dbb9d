#pragma once

#include "model/base/DateTime.h"

#include <QString>
#include <QStringView>
#include <vector>

// One point of a time series as read from a text file.
struct TPowerSample {
    TDateTime Time = 0;
    double Power = 0;  // kW, heating positive
};

// Reads a time series of powers from text, as a spreadsheet exports it. One
// point per line, fields separated by tabs, else semicolons, else commas, else
// blanks:
//   date, time, power        (further fields are ignored)
//   date and time, power     (one field, date and time joined by a blank or "T")
// Dates "TT.MM.JJJJ" or "JJJJ-MM-TT", times "hh:mm" or "hh:mm:ss", powers in kW
// with "." or "," as decimal separator ("." only when commas separate the
// fields). A first line that does not start with a date is a header, blank
// lines are skipped; any other line that does not read raises EReadError
// naming the file and the line. The points are returned in file order.
std::vector<TPowerSample> ReadPowerSeriesFile(const QString& FileName);

// The same for text already in memory; Source names it in messages.
std::vector<TPowerSample> ParsePowerSeries(const QByteArray& Text, const QString& Source);
