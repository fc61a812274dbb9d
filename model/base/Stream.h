#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>

// Little-endian binary stream over a QIODevice: every record of the program's
// files goes through it. Reads never trust the data: a read past the end
// raises EReadError naming what was being read.
class TStream {
public:
    explicit TStream(QIODevice* Device);
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    QIODevice* Device() const { return FDevice; }
    qint64 Position() const;
    void SetPosition(qint64 Pos);
    qint64 Size() const;
    // Bytes left to read; used to reject counts and lengths that cannot fit.
    qint64 Remaining() const;

    void WriteBuffer(const void* Data, qint64 Count);
    void ReadBuffer(void* Data, qint64 Count, const char* What = nullptr);
    QByteArray ReadBytes(qint64 Count, const char* What = nullptr);

    void WriteDouble(double V);
    void WriteSingle(float V);
    void WriteInt32(std::int32_t V);
    void WriteInt64(std::int64_t V);
    void WriteWord(std::uint16_t V);
    void WriteByte(std::uint8_t V);
    void WriteBoolean(bool V);

    double ReadDouble();
    float ReadSingle();
    std::int32_t ReadInt32();
    std::int64_t ReadInt64();
    std::uint16_t ReadWord();
    std::uint8_t ReadByte();
    bool ReadBoolean();

    // A count read from the stream, checked to be non-negative and to fit the
    // rest of the stream at MinItemSize bytes per item.
    std::int32_t ReadCount(qint64 MinItemSize, const char* What);
    // An Int32 that is scaled or negated later: outside [Min, Max] the record
    // is corrupt, and the error names What.
    std::int32_t ReadInt32InRange(std::int32_t Min, std::int32_t Max, const char* What);
    // Raises EReadError when Value lies outside [Min, Max]; for values that are
    // converted on reading.
    void CheckRange(qint64 Value, qint64 Min, qint64 Max, const char* What, qint64 Pos) const;

    // An enumeration stored as one byte; a value above MaxOrdinal is corrupt.
    template <typename E>
    E ReadEnum(int MaxOrdinal, const char* What)
    {
        const std::uint8_t b = ReadByte();
        if (b > MaxOrdinal) FailCorrupt(What, b);
        return static_cast<E>(b);
    }
    template <typename E>
    void WriteEnum(E V)
    {
        WriteByte(static_cast<std::uint8_t>(V));
    }

    [[noreturn]] void FailCorrupt(const char* What, qint64 Value) const;

private:
    QIODevice* FDevice;
};

// A stream over its own growing byte buffer, for tests and in-memory copies.
class TMemoryStream : public TStream {
public:
    TMemoryStream();
    explicit TMemoryStream(const QByteArray& Data);
    const QByteArray& Data() const { return FBuffer->data(); }

private:
    TMemoryStream(std::unique_ptr<QBuffer> Buffer);
    std::unique_ptr<QBuffer> FBuffer;
};
