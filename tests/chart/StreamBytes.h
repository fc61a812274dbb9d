#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstdint>
#include <cstring>

// Builds the little-endian bytes a record must hold, independent of the stream code.
class TBytes {
public:
    TBytes& Int32(std::int32_t V)
    {
        char b[4];
        qToLittleEndian(V, b);
        FData.append(b, 4);
        return *this;
    }
    TBytes& Bool(bool V)
    {
        FData.append(static_cast<char>(V ? 1 : 0));
        return *this;
    }
    TBytes& Byte(std::uint8_t V)
    {
        FData.append(static_cast<char>(V));
        return *this;
    }
    TBytes& Double(double V)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &V, 8);
        char b[8];
        qToLittleEndian(bits, b);
        FData.append(b, 8);
        return *this;
    }
    TBytes& String(const QString& S)
    {
        Int32(static_cast<std::int32_t>(S.size()));
        for (QChar c : S) {
            FData.append(static_cast<char>(c.unicode() & 0xFF));
            FData.append(static_cast<char>(c.unicode() >> 8));
        }
        return *this;
    }
    TBytes& Ansi(const QByteArray& S)
    {
        Int32(static_cast<std::int32_t>(S.size()));
        FData.append(S);
        return *this;
    }
    TBytes& Short(const QByteArray& S)
    {
        FData.append(static_cast<char>(S.size()));
        FData.append(S);
        return *this;
    }
    // The font record: name, size, bold, italic, underline, strike-out, colour.
    TBytes& Font(const QString& Name, int Size, bool Bold)
    {
        return String(Name).Int32(Size).Bool(Bold).Bool(false).Bool(false).Bool(false).Int32(0);
    }
    const QByteArray& Data() const { return FData; }

private:
    QByteArray FData;
};

// The record of an axis as a new one holds it, with the given range, flags and caption.
struct TAxisBytes {
    bool Visible = false;
    double Min = 0, Max = 10;
    std::int32_t Segments = 5;
    bool ShowLabels = false;
    bool Invert = false;
    QString Caption;
    bool Horizontal = false;
    std::uint8_t LabelPos = 0;

    void AppendTo(TBytes& B, bool Legacy = false) const
    {
        B.Bool(Visible).Double(Min).Double(Max).Bool(true).Bool(true).Int32(Segments).Int32(15).Bool(ShowLabels);
        B.Bool(false).Bool(false).Bool(false).Bool(true).Bool(Invert).Bool(false);
        if (Legacy) {
            // Older fonts: short-string name and the size in the old unit (x 0.254 = points).
            B.Short("Arial").Int32(31).Bool(false).Bool(false).Bool(false).Bool(false).Int32(0);
            B.Short("Arial").Int32(39).Bool(true).Bool(false).Bool(false).Bool(false).Int32(0);
            B.Ansi(Caption.toLatin1()).Ansi("0.#");
        } else {
            B.Font(QStringLiteral("Arial"), 8, false).Font(QStringLiteral("Arial"), 10, true);
            B.String(Caption).String(QStringLiteral("0.#"));
        }
        if (Horizontal) B.Byte(LabelPos);
    }
};
