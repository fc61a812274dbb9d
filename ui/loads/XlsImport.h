#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The first worksheet of an Excel 97–2003 workbook (".xls"), read through
// FreeXL. Each row is a list of the sheet's cells from column A on: a number
// as double, a date as QDate, a time of day as QTime, a date with time as
// QDateTime, text as QString and an empty cell as an invalid QVariant.
// Raises EKPError with a German message when the file cannot be read.
using TXlsRow = QList<QVariant>;
QList<TXlsRow> ReadXlsFirstSheet(const QString& FileName);

// True when no cell of Row holds anything (an empty row of the sheet).
bool XlsRowEmpty(const TXlsRow& Row);
