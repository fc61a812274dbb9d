#include "model/base/NumberText.h"

#include "model/base/KPError.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// A finite non-negative value as 0.d1d2d3… × 10^Exp; no digits means zero.
struct TDecimal {
    std::string Digits;
    int Exp = 0;
};

TDecimal ToDecimal(double X)
{
    TDecimal d;
    X = std::fabs(X);
    if (X == 0) return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific);
    const std::string s(buf, res.ptr);
    const auto e = s.find('e');
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') d.Digits += s[i];
    d.Exp = std::stoi(s.substr(e + 1)) + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    return d;
}

// Keeps Count digits, rounding half away from zero; Count <= 0 may round up to 0.1×10^(Exp+1).
void RoundDigits(TDecimal& D, int Count)
{
    if (Count < 0) {
        D.Digits.clear();
        return;
    }
    if (static_cast<int>(D.Digits.size()) <= Count) return;
    const bool up = D.Digits[static_cast<size_t>(Count)] >= '5';
    D.Digits.resize(static_cast<size_t>(Count));
    if (up) {
        int i = Count - 1;
        while (i >= 0 && D.Digits[static_cast<size_t>(i)] == '9') {
            D.Digits.pop_back();
            --i;
        }
        if (i < 0) {
            D.Digits = "1";
            ++D.Exp;
        } else {
            ++D.Digits[static_cast<size_t>(i)];
        }
    }
    while (!D.Digits.empty() && D.Digits.back() == '0') D.Digits.pop_back();
}

char DigitAt(const TDecimal& D, int Index)
{
    return Index >= 0 && Index < static_cast<int>(D.Digits.size()) ? D.Digits[static_cast<size_t>(Index)] : '0';
}

QString DecimalSeparator() { return UserLocale().decimalPoint(); }

QString GroupDigits(const QString& Int)
{
    const QString sep = UserLocale().groupSeparator();
    QString out;
    const qsizetype n = Int.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += sep;
        out += Int[i];
    }
    return out;
}

// Fixed notation with exactly Decimals decimals (digits already rounded).
QString FixedText(TDecimal D, int Decimals, bool Group)
{
    RoundDigits(D, D.Exp + Decimals);
    QString intPart;
    for (int i = 0; i < D.Exp; ++i) intPart += QLatin1Char(DigitAt(D, i));
    if (intPart.isEmpty()) intPart = QStringLiteral("0");
    if (Group) intPart = GroupDigits(intPart);
    QString frac;
    for (int i = 0; i < Decimals; ++i) frac += QLatin1Char(DigitAt(D, D.Exp + i));
    return Decimals > 0 ? intPart + DecimalSeparator() + frac : intPart;
}

QString NonFinite(double X)
{
    if (std::isnan(X)) return QStringLiteral("NAN");
    return X > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// General format: Precision significant digits, scientific when the
// exponent is above Precision or below -3.
QString GeneralText(double X, int Precision)
{
    if (!std::isfinite(X)) return NonFinite(X);
    TDecimal d = ToDecimal(X);
    RoundDigits(d, Precision);
    const QString sign = X < 0 && !d.Digits.empty() ? QStringLiteral("-") : QString();
    if (d.Digits.empty()) return QStringLiteral("0");
    const int nd = static_cast<int>(d.Digits.size());
    if (d.Exp > Precision || d.Exp < -3) {
        QString m = QString(QLatin1Char(d.Digits[0]));
        if (nd > 1) m += DecimalSeparator() + QString::fromLatin1(d.Digits.substr(1).c_str());
        return sign + m + QStringLiteral("E") + QString::number(d.Exp - 1);
    }
    return sign + FixedText(d, std::max(0, nd - d.Exp), false);
}

QString ScientificText(double X, int Precision, int MinExpDigits, bool AlwaysSign)
{
    if (!std::isfinite(X)) return NonFinite(X);
    TDecimal d = ToDecimal(X);
    RoundDigits(d, Precision);
    const bool zero = d.Digits.empty();
    const int exp = zero ? 0 : d.Exp - 1;
    QString m = QString(QLatin1Char(zero ? '0' : d.Digits[0]));
    if (Precision > 1) {
        m += DecimalSeparator();
        for (int i = 1; i < Precision; ++i) m += QLatin1Char(zero ? '0' : DigitAt(d, i));
    }
    QString e = QString::number(std::abs(exp)).rightJustified(MinExpDigits, QLatin1Char('0'));
    e = (exp < 0 ? QStringLiteral("-") : (AlwaysSign ? QStringLiteral("+") : QString())) + e;
    return (X < 0 && !zero ? QStringLiteral("-") : QString()) + m + QStringLiteral("E") + e;
}

// One section of a FormatFloat pattern.
struct TPattern {
    QString Prefix, Suffix;
    int IntZeros = 0, IntPlaces = 0, FracZeros = 0, FracPlaces = 0;
    bool Group = false, Sci = false, ExpSignAlways = false;
    int ExpDigits = 0;
};

TPattern ParsePattern(const QString& P)
{
    TPattern t;
    bool inNumber = false, seenPoint = false, done = false;
    for (qsizetype i = 0; i < P.size(); ++i) {
        const QChar c = P[i];
        QString& lit = inNumber || done ? t.Suffix : t.Prefix;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype k = i + 1;
            while (k < P.size() && P[k] != c) ++k;
            lit += P.mid(i + 1, k - i - 1);
            if (inNumber) done = true, inNumber = false;
            i = k;
        } else if (!done && (c == QLatin1Char('0') || c == QLatin1Char('#'))) {
            inNumber = true;
            const bool zero = c == QLatin1Char('0');
            if (seenPoint) {
                ++t.FracPlaces;
                if (zero) t.FracZeros = t.FracPlaces;
            } else {
                ++t.IntPlaces;
                if (zero) ++t.IntZeros;
            }
        } else if (!done && c == QLatin1Char('.') && !seenPoint) {
            inNumber = true;
            seenPoint = true;
        } else if (!done && c == QLatin1Char(',') && inNumber && !seenPoint) {
            t.Group = true;
        } else if (inNumber && (c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < P.size() &&
                   (P[i + 1] == QLatin1Char('+') || P[i + 1] == QLatin1Char('-'))) {
            t.Sci = true;
            t.ExpSignAlways = P[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < P.size() && P[i] == QLatin1Char('0')) ++t.ExpDigits, ++i;
            --i;
            done = true;
            inNumber = false;
        } else {
            if (inNumber) done = true, inNumber = false;
            (done ? t.Suffix : t.Prefix) += c;
        }
    }
    return t;
}

QString ApplyPattern(const TPattern& T, double X)
{
    TDecimal d = ToDecimal(X);
    QString body;
    if (T.Sci) {
        const int intDigits = std::max(1, T.IntPlaces);
        RoundDigits(d, intDigits + T.FracPlaces);
        const int exp = d.Digits.empty() ? 0 : d.Exp - intDigits;
        QString intPart;
        for (int i = 0; i < intDigits; ++i) intPart += QLatin1Char(DigitAt(d, i));
        QString frac;
        for (int i = 0; i < T.FracPlaces; ++i) frac += QLatin1Char(DigitAt(d, intDigits + i));
        while (frac.size() > T.FracZeros && frac.endsWith(QLatin1Char('0'))) frac.chop(1);
        body = intPart + (frac.isEmpty() ? QString() : DecimalSeparator() + frac);
        QString e = QString::number(std::abs(exp)).rightJustified(std::max(1, T.ExpDigits), QLatin1Char('0'));
        body += QStringLiteral("E") + (exp < 0 ? QStringLiteral("-") : (T.ExpSignAlways ? QStringLiteral("+") : QString())) + e;
    } else {
        RoundDigits(d, d.Exp + T.FracPlaces);
        QString intPart;
        for (int i = 0; i < d.Exp; ++i) intPart += QLatin1Char(DigitAt(d, i));
        while (intPart.size() < T.IntZeros) intPart.prepend(QLatin1Char('0'));
        if (T.Group) intPart = GroupDigits(intPart);
        QString frac;
        for (int i = 0; i < T.FracPlaces; ++i) frac += QLatin1Char(DigitAt(d, d.Exp + i));
        while (frac.size() > T.FracZeros && frac.endsWith(QLatin1Char('0'))) frac.chop(1);
        body = intPart + (frac.isEmpty() ? QString() : DecimalSeparator() + frac);
        if (body.isEmpty()) body = QStringLiteral("0");
    }
    return T.Prefix + body + T.Suffix;
}

bool IsZeroAfterRounding(const TPattern& T, double X)
{
    TDecimal d = ToDecimal(X);
    RoundDigits(d, T.Sci ? std::max(1, T.IntPlaces) + T.FracPlaces : d.Exp + T.FracPlaces);
    return d.Digits.empty();
}

double ToDouble(const TVarRec& V)
{
    if (auto p = std::get_if<double>(&V)) return *p;
    if (auto p = std::get_if<std::int64_t>(&V)) return static_cast<double>(*p);
    throw EConvertError(QStringLiteral("Format: Zahl erwartet"));
}

QString ToText(const TVarRec& V)
{
    if (auto p = std::get_if<QString>(&V)) return *p;
    if (auto p = std::get_if<std::int64_t>(&V)) return QString::number(*p);
    return FloatToStr(std::get<double>(V));
}

QString FormatOne(QChar Type, const TVarRec& Arg, int Prec)
{
    switch (Type.toLower().toLatin1()) {
    case 'd':
    case 'u': {
        const std::int64_t v = std::holds_alternative<std::int64_t>(Arg)
                                   ? std::get<std::int64_t>(Arg)
                                   : static_cast<std::int64_t>(std::llround(ToDouble(Arg)));
        QString s = QString::number(std::llabs(v));
        if (Prec > 0) s = s.rightJustified(Prec, QLatin1Char('0'));
        return v < 0 ? QStringLiteral("-") + s : s;
    }
    case 'x': {
        const std::int64_t v = std::holds_alternative<std::int64_t>(Arg) ? std::get<std::int64_t>(Arg) : 0;
        QString s = QString::number(static_cast<qulonglong>(v), 16).toUpper();
        return Prec > 0 ? s.rightJustified(Prec, QLatin1Char('0')) : s;
    }
    case 's': {
        const QString s = ToText(Arg);
        return Prec >= 0 ? s.left(Prec) : s;
    }
    case 'f':
    case 'n':
    case 'm': {
        const double x = ToDouble(Arg);
        if (!std::isfinite(x)) return NonFinite(x);
        const int digits = Prec >= 0 ? Prec : 2;
        TDecimal d = ToDecimal(x);
        RoundDigits(d, d.Exp + digits);
        const QString sign = x < 0 && !d.Digits.empty() ? QStringLiteral("-") : QString();
        QString s = sign + FixedText(d, digits, Type.toLower() != QLatin1Char('f'));
        if (Type.toLower() == QLatin1Char('m')) s += QStringLiteral(" ") + UserLocale().currencySymbol();
        return s;
    }
    case 'e':
        return ScientificText(ToDouble(Arg), Prec >= 0 ? std::max(1, Prec) : 15, 3, true);
    case 'g':
        return GeneralText(ToDouble(Arg), Prec > 0 ? Prec : 15);
    default:
        throw EConvertError(QStringLiteral("Format '%1' ungültig oder nicht kompatibel mit Argument").arg(Type));
    }
}

bool ParseC(const std::string& S, double& Value)
{
    if (S.empty()) return false;
    const char* b = S.data();
    const char* e = b + S.size();
    if (*b == '+') ++b;
    const char* first = *b == '-' ? b + 1 : b;
    if (first == e || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '.')) return false;
    auto res = std::from_chars(b, e, Value);
    return res.ec == std::errc() && res.ptr == e;
}

}  // namespace

QLocale UserLocale()
{
    QLocale l;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    return l;
}

QString FloatToFixedOrEmpty(double X, int Digits)
{
    if (!std::isfinite(X)) return QString();
    return UserLocale().toString(X, 'f', std::max(0, Digits));
}

QString FloatToStr(double X) { return GeneralText(X, 15); }

QString IntToStr(std::int64_t X) { return QString::number(X); }

QString FormatFloat(const QString& Pattern, double X)
{
    if (!std::isfinite(X)) return NonFinite(X);
    const QStringList sections = Pattern.split(QLatin1Char(';'));
    TPattern pos = ParsePattern(sections.value(0));
    if (X == 0 || IsZeroAfterRounding(pos, X)) {
        if (sections.size() >= 3 && !sections[2].isEmpty()) return ApplyPattern(ParsePattern(sections[2]), 0.0);
        return ApplyPattern(pos, 0.0);
    }
    if (X < 0) {
        if (sections.size() >= 2 && !sections[1].isEmpty()) return ApplyPattern(ParsePattern(sections[1]), -X);
        return QStringLiteral("-") + ApplyPattern(pos, -X);
    }
    return ApplyPattern(pos, X);
}

QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args)
{
    QString out;
    const TVarRec* args = Args.begin();
    const int argc = static_cast<int>(Args.size());
    int next = 0;
    const qsizetype n = Fmt.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (Fmt[i] != QLatin1Char('%')) {
            out += Fmt[i];
            continue;
        }
        if (i + 1 < n && Fmt[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype k = i + 1;
        auto number = [&]() {
            int v = 0;
            bool any = false;
            while (k < n && Fmt[k].isDigit()) v = v * 10 + Fmt[k++].digitValue(), any = true;
            return any ? v : -1;
        };
        int v = number();
        if (k < n && Fmt[k] == QLatin1Char(':')) {
            next = std::max(0, v);
            ++k;
            v = -1;
        }
        bool left = false;
        if (v < 0 && k < n && Fmt[k] == QLatin1Char('-')) {
            left = true;
            ++k;
        }
        const int width = v >= 0 ? v : number();
        int prec = -1;
        if (k < n && Fmt[k] == QLatin1Char('.')) {
            ++k;
            prec = std::max(0, number());
        }
        if (k >= n) throw EConvertError(QStringLiteral("Format '%1' ungültig").arg(Fmt));
        if (next >= argc) throw EConvertError(QStringLiteral("Format '%1' ungültig: zu wenige Argumente").arg(Fmt));
        QString s = FormatOne(Fmt[k], args[next++], prec);
        if (width > s.size()) s = left ? s.leftJustified(width) : s.rightJustified(width);
        out += s;
        i = k;
    }
    return out;
}

bool TryStrToFloat(const QString& S, double& Value)
{
    QString t = S.trimmed();
    const QString dp = UserLocale().decimalPoint();
    if (dp != QStringLiteral(".")) {
        if (t.contains(dp) && t.contains(QLatin1Char('.'))) return false;
        t.replace(dp, QStringLiteral("."));
    }
    return ParseC(t.toStdString(), Value);
}

double StrToFloat(const QString& S)
{
    double v;
    if (!TryStrToFloat(S, v))
        throw EConvertError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert.").arg(S));
    return v;
}

double StrToFloatDef(const QString& S, double Default)
{
    double v;
    return TryStrToFloat(S, v) ? v : Default;
}

bool TryStrToInt(const QString& S, int& Value)
{
    bool ok = false;
    const int v = S.trimmed().toInt(&ok, 10);
    if (ok) Value = v;
    return ok;
}

int StrToInt(const QString& S)
{
    int v;
    if (!TryStrToInt(S, v)) throw EConvertError(QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(S));
    return v;
}

QString FloatToStrC(double X)
{
    if (std::isnan(X)) return QStringLiteral("NaN");
    if (std::isinf(X)) return X > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, X);
    return QString::fromLatin1(buf, res.ptr - buf);
}

bool TryStrToFloatC(QStringView S, double& Value)
{
    const QString t = S.trimmed().toString();
    if (t.compare(QStringLiteral("nan"), Qt::CaseInsensitive) == 0) {
        Value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (t.compare(QStringLiteral("inf"), Qt::CaseInsensitive) == 0 ||
        t.compare(QStringLiteral("+inf"), Qt::CaseInsensitive) == 0) {
        Value = std::numeric_limits<double>::infinity();
        return true;
    }
    if (t.compare(QStringLiteral("-inf"), Qt::CaseInsensitive) == 0) {
        Value = -std::numeric_limits<double>::infinity();
        return true;
    }
    return ParseC(t.toStdString(), Value);
}
