#include "model/base/Utilities.h"

#include "model/base/Rounding.h"

#include <cmath>
#include <cstdio>
#include <charconv>
#include <cstdlib>
#include <string>

double ScaleForPixelCount(int PixelCount, double Width, double Height)
{
    if (Width > 0 && Height > 0 && PixelCount > 0) return std::sqrt(double(PixelCount)) / std::sqrt(Width * Height);
    return 1.0;
}

TRect FitRectAspect(const TRect& Box, const TRect& Source)
{
    if (Source.Width() == 0 || Box.Width() == 0 || Source.Height() == 0 || Box.Height() == 0) return TRect{};
    const double e = double(Source.Height()) / Source.Width();
    const double g = double(Box.Height()) / Box.Width();
    if (e == g) return Box;
    if (e > g) {
        const int w = RoundEven(Box.Height() / e);
        const int offset = RoundEven((Box.Width() - w) / 2.0);
        return Bounds(Box.Left + offset, Box.Top, w, Box.Height());
    }
    const int h = CeilInt(Box.Width() * e);
    const int offset = FloorInt((Box.Height() - h) / 2.0);
    return Bounds(Box.Left, Box.Top + offset, Box.Width(), h);
}

int WorldToScreenX(const TRect& Pic, const TWorldRect& World, double X)
{
    return RoundEven(double(Pic.Right - Pic.Left) / (World.right - World.left) * (X - World.left) + Pic.Left);
}

int WorldToScreenY(const TRect& Pic, const TWorldRect& World, double Y)
{
    return Pic.Bottom - RoundEven(double(Pic.Bottom - Pic.Top) / (World.bottom - World.top) * (Y - World.top));
}

QStringList& SplitAtSeparator(QString S, const QString& Separator, QStringList& List)
{
    if (Separator.isEmpty()) {
        List.append(S);
        return List;
    }
    for (;;) {
        const qsizetype p = S.indexOf(Separator);
        if (p < 0) {
            List.append(S);
            return List;
        }
        List.append(S.left(p));
        S = S.mid(p + Separator.size());
    }
}

namespace {

// Removes leading and trailing characters with codes up to 32.
QString TrimControl(const QString& S)
{
    qsizetype b = 0, e = S.size();
    while (b < e && S[b].unicode() <= 32) ++b;
    while (e > b && S[e - 1].unicode() <= 32) --e;
    return S.mid(b, e - b);
}

// Value of the longest number prefix of Token; whether the whole token was a number.
bool ReadNumber(const QString& Token, double& Value)
{
    const std::string s = Token.toStdString();
    // Plain decimal text only: no hex, "inf" or "nan", and never the C library's locale.
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ')) ++i;
    size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t digits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++digits;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++digits;
    }
    if (digits == 0) {
        Value = 0;
        return false;
    }
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        size_t expDigits = 0;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k, ++expDigits;
        if (expDigits > 0) j = k;
    }
    size_t from = i;
    if (s[from] == '+') ++from;
    // A number beyond the range of a double is no number: the entry must not
    // keep what an earlier line left in it.
    const auto res = std::from_chars(s.data() + from, s.data() + j, Value);
    if (res.ec != std::errc()) {
        Value = 0;
        return false;
    }
    return j == s.size();
}

}  // namespace

QStringList& SplitLine(const QString& S, QStringList& List)
{
    QStringList parts;
    SplitAtSeparator(TrimControl(S), QStringLiteral(" "), parts);
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        parts[i] = TrimControl(parts[i]);
        if (parts[i].isEmpty() || parts[i].startsWith(QLatin1Char('#'))) parts.removeAt(i);
    }
    List.append(parts);
    return List;
}

bool ParseDoubles(const QString& Line, double* Values, int MaxIndex)
{
    QStringList tokens;
    SplitLine(Line, tokens);
    const int n = std::min<int>(MaxIndex, static_cast<int>(tokens.size()) - 1);
    bool ok = true;
    for (int i = 0; i <= n; ++i)
        if (!ReadNumber(tokens[i], Values[i])) ok = false;
    return ok;
}

QString FloatToStrRaw(double Value)
{
    if (std::isnan(Value)) return QStringLiteral("Nan").rightJustified(23);
    if (std::isinf(Value)) return (Value > 0 ? QStringLiteral("+Inf") : QStringLiteral("-Inf")).rightJustified(23);
    char buf[64];
    // Locale-free d.ddddddddddddddde±XX; the file form wants "E" and four exponent digits.
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, 14);
    const std::string s(buf, res.ptr);
    const auto e = s.find('e');
    const int exp = std::atoi(s.c_str() + e + 2);
    char expText[8];
    std::snprintf(expText, sizeof expText, "%04d", exp);
    const std::string text = std::string(Value < 0 ? "-" : " ") + s.substr(0, e) + "E" + s[e + 1] + expText;
    return QString::fromLatin1(text.c_str());
}
