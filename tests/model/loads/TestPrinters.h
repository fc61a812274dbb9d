#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }
inline void PrintTo(const QByteArray& B, std::ostream* Os) { *Os << B.toStdString(); }
