#include "model/base/StreamStrings.h"

#include "model/base/KPError.h"

#include <QtEndian>

void WriteStringToStream(TStream& S, const QString& Str)
{
    S.WriteInt32(static_cast<std::int32_t>(Str.size()));
    for (QChar c : Str) S.WriteWord(c.unicode());
}

QString ReadStringFromStream(TStream& S)
{
    const std::int32_t n = S.ReadCount(2, "Zeichenkette");
    const QByteArray bytes = S.ReadBytes(qint64(n) * 2, "Zeichenkette");
    QString result(n, Qt::Uninitialized);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (std::int32_t i = 0; i < n; ++i) result[i] = QChar(qFromLittleEndian<quint16>(b + 2 * i));
    return result;
}

QByteArray ReadAnsiStringFromStream(TStream& S)
{
    const std::int32_t n = S.ReadCount(1, "Zeichenkette");
    return S.ReadBytes(n, "Zeichenkette");
}

QString ReadShortStringFromStream(TStream& S)
{
    const std::uint8_t n = S.ReadByte();
    return AnsiToString(S.ReadBytes(n, "Zeichenkette"));
}

QString AnsiToString(const QByteArray& Bytes)
{
    // 0x80..0x9F differ from Latin-1 in code page 1252; five of them are unassigned.
    static const char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString result;
    result.reserve(Bytes.size());
    for (char ch : Bytes) {
        const auto b = static_cast<unsigned char>(ch);
        result.append(b >= 0x80 && b < 0xA0 ? QChar(High[b - 0x80]) : QChar(b));
    }
    return result;
}
