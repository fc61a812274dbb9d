#include "model/base/Stream.h"

#include "model/base/KPError.h"

#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

QString WhatText(const char* What) { return What ? QString::fromUtf8(What) : QStringLiteral("Daten"); }

template <typename T>
T FromLE(const unsigned char* b)
{
    return qFromLittleEndian<T>(b);
}

}  // namespace

TStream::TStream(QIODevice* Device) : FDevice(Device) {}

qint64 TStream::Position() const { return FDevice->pos(); }

void TStream::SetPosition(qint64 Pos)
{
    if (!FDevice->seek(Pos))
        throw EReadError(QStringLiteral("Ungültige Stream-Position %1.").arg(Pos));
}

qint64 TStream::Size() const { return FDevice->size(); }

qint64 TStream::Remaining() const
{
    if (FDevice->isSequential()) return std::numeric_limits<qint64>::max();
    return std::max<qint64>(0, FDevice->size() - FDevice->pos());
}

void TStream::WriteBuffer(const void* Data, qint64 Count)
{
    if (Count <= 0) return;
    if (FDevice->write(static_cast<const char*>(Data), Count) != Count)
        throw EFileError(QStringLiteral("Fehler beim Schreiben: %1").arg(FDevice->errorString()));
}

void TStream::ReadBuffer(void* Data, qint64 Count, const char* What)
{
    if (Count <= 0) return;
    if (Count > Remaining() || FDevice->read(static_cast<char*>(Data), Count) != Count)
        throw EReadError(QStringLiteral("Unerwartetes Dateiende beim Lesen von %1 (Position %2).")
                             .arg(WhatText(What))
                             .arg(FDevice->pos()));
}

QByteArray TStream::ReadBytes(qint64 Count, const char* What)
{
    if (Count < 0 || Count > Remaining())
        throw EReadError(QStringLiteral("Unerwartetes Dateiende beim Lesen von %1 (Position %2).")
                             .arg(WhatText(What))
                             .arg(FDevice->pos()));
    QByteArray bytes(static_cast<qsizetype>(Count), Qt::Uninitialized);
    ReadBuffer(bytes.data(), Count, What);
    return bytes;
}

void TStream::WriteDouble(double V)
{
    // Raw bits keep NaN payloads: NaN means "not set" and must survive a round trip.
    std::uint64_t bits;
    std::memcpy(&bits, &V, 8);
    unsigned char b[8];
    qToLittleEndian(bits, b);
    WriteBuffer(b, 8);
}

void TStream::WriteSingle(float V)
{
    std::uint32_t bits;
    std::memcpy(&bits, &V, 4);
    unsigned char b[4];
    qToLittleEndian(bits, b);
    WriteBuffer(b, 4);
}

void TStream::WriteInt32(std::int32_t V)
{
    unsigned char b[4];
    qToLittleEndian(V, b);
    WriteBuffer(b, 4);
}

void TStream::WriteInt64(std::int64_t V)
{
    unsigned char b[8];
    qToLittleEndian(V, b);
    WriteBuffer(b, 8);
}

void TStream::WriteWord(std::uint16_t V)
{
    unsigned char b[2];
    qToLittleEndian(V, b);
    WriteBuffer(b, 2);
}

void TStream::WriteByte(std::uint8_t V) { WriteBuffer(&V, 1); }

void TStream::WriteBoolean(bool V) { WriteByte(V ? 1 : 0); }

double TStream::ReadDouble()
{
    unsigned char b[8];
    ReadBuffer(b, 8, "Double");
    const std::uint64_t bits = FromLE<std::uint64_t>(b);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

float TStream::ReadSingle()
{
    unsigned char b[4];
    ReadBuffer(b, 4, "Single");
    const std::uint32_t bits = FromLE<std::uint32_t>(b);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

std::int32_t TStream::ReadInt32()
{
    unsigned char b[4];
    ReadBuffer(b, 4, "Int32");
    return FromLE<std::int32_t>(b);
}

std::int64_t TStream::ReadInt64()
{
    unsigned char b[8];
    ReadBuffer(b, 8, "Int64");
    return FromLE<std::int64_t>(b);
}

std::uint16_t TStream::ReadWord()
{
    unsigned char b[2];
    ReadBuffer(b, 2, "Word");
    return FromLE<std::uint16_t>(b);
}

std::uint8_t TStream::ReadByte()
{
    std::uint8_t b;
    ReadBuffer(&b, 1, "Byte");
    return b;
}

bool TStream::ReadBoolean() { return ReadByte() != 0; }

std::int32_t TStream::ReadCount(qint64 MinItemSize, const char* What)
{
    const qint64 pos = Position();
    const std::int32_t n = ReadInt32();
    if (n < 0)
        throw EReadError(QStringLiteral("Ungültige Anzahl %1 für %2 (Position %3).")
                             .arg(n)
                             .arg(WhatText(What))
                             .arg(pos));
    if (MinItemSize > 0 && n > Remaining() / MinItemSize)
        throw EReadError(QStringLiteral("Anzahl %1 für %2 passt nicht in die restlichen %3 Bytes (Position %4).")
                             .arg(n)
                             .arg(WhatText(What))
                             .arg(Remaining())
                             .arg(pos));
    return n;
}

std::int32_t TStream::ReadInt32InRange(std::int32_t Min, std::int32_t Max, const char* What)
{
    const qint64 pos = Position();
    const std::int32_t v = ReadInt32();
    CheckRange(v, Min, Max, What, pos);
    return v;
}

void TStream::CheckRange(qint64 Value, qint64 Min, qint64 Max, const char* What, qint64 Pos) const
{
    if (Value < Min || Value > Max)
        throw EReadError(QStringLiteral("Der Wert %1 für %2 liegt außerhalb des zulässigen Bereichs %3 bis %4 "
                                        "(Position %5).")
                             .arg(Value)
                             .arg(WhatText(What))
                             .arg(Min)
                             .arg(Max)
                             .arg(Pos));
}

void TStream::FailCorrupt(const char* What, qint64 Value) const
{
    throw EReadError(QStringLiteral("Ungültiger Wert %1 für %2 (Position %3).")
                         .arg(Value)
                         .arg(WhatText(What))
                         .arg(FDevice->pos()));
}

TMemoryStream::TMemoryStream() : TMemoryStream(std::make_unique<QBuffer>()) {}

TMemoryStream::TMemoryStream(const QByteArray& Data) : TMemoryStream(std::make_unique<QBuffer>())
{
    FBuffer->buffer() = Data;
    FBuffer->seek(0);
}

TMemoryStream::TMemoryStream(std::unique_ptr<QBuffer> Buffer) : TStream(Buffer.get()), FBuffer(std::move(Buffer))
{
    FBuffer->open(QIODevice::ReadWrite);
}
