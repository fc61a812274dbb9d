#pragma once

#include "model/base/Stream.h"

#include <QString>

// The only string form the program writes: Int32 count of UTF-16 code units,
// then the code units little-endian, no terminator.
void WriteStringToStream(TStream& S, const QString& Str);
QString ReadStringFromStream(TStream& S);

// Older forms, read only: Int32 byte count or one length byte, then 8-bit
// text in the Windows ANSI code page (1252).
QByteArray ReadAnsiStringFromStream(TStream& S);
QString ReadShortStringFromStream(TStream& S);

// Windows-1252 bytes as text.
QString AnsiToString(const QByteArray& Bytes);
