#pragma once

// Helpers shared by the probe tests: expected records built byte by byte
// without the stream class, so that a fault there cannot hide itself.
#include <QByteArray>
#include <QString>
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "expected records are built for a little-endian host");

class TBytes {
public:
    TBytes& D(double V) { return Raw(&V, 8); }
    TBytes& I(std::int32_t V) { return Raw(&V, 4); }
    TBytes& B(std::uint8_t V) { return Raw(&V, 1); }
    TBytes& S(const QString& V)
    {
        I(static_cast<std::int32_t>(V.size()));
        for (QChar c : V) {
            const std::uint16_t u = c.unicode();
            Raw(&u, 2);
        }
        return *this;
    }
    const QByteArray& Data() const { return FData; }

private:
    TBytes& Raw(const void* P, int N)
    {
        FData.append(static_cast<const char*>(P), N);
        return *this;
    }
    QByteArray FData;
};

// A quiet NaN with a payload, to see that the bits travel unchanged.
inline double PayloadNaN(std::uint64_t Payload)
{
    const std::uint64_t bits = 0x7FF8000000000000ull | Payload;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

inline std::uint64_t Bits(double D)
{
    std::uint64_t b;
    std::memcpy(&b, &D, 8);
    return b;
}
