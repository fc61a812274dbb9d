#include "model/settings/IniFiles.h"

#include "model/base/NumberText.h"

#include <QByteArray>
#include <QtDebug>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool IsIntegral(const QVariant& V)
{
    switch (V.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool IsFloating(const QVariant& V)
{
    return V.metaType().id() == QMetaType::Double || V.metaType().id() == QMetaType::Float;
}

bool IsText(const QVariant& V)
{
    return V.metaType().id() == QMetaType::QString;
}

bool ToInt(const QVariant& V, int& Result)
{
    bool ok = false;
    qlonglong n = 0;
    if (IsIntegral(V))
        n = V.toLongLong(&ok);
    else if (IsText(V))
        n = V.toString().trimmed().toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) return false;
    Result = static_cast<int>(n);
    return true;
}

} // namespace

QString TCustomIniFile::ValuePath(const QString& Section, const QString& Ident) const
{
    return Section.isEmpty() ? Ident : Section + QLatin1Char('\\') + Ident;
}

void TCustomIniFile::WarnWrongType(const QString& Section, const QString& Ident, const QVariant& Value) const
{
    qWarning().noquote() << QStringLiteral("Einstellung %1 hat einen unpassenden Wert (%2); die Vorgabe gilt.")
                                .arg(ValuePath(Section, Ident), IsText(Value) ? Value.toString()
                                                                              : QString::fromLatin1(Value.typeName()));
}

QString TCustomIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const QVariant v = ReadValue(Section, Ident);
    if (!v.isValid()) return Default;
    if (IsText(v) || IsIntegral(v) || IsFloating(v)) return v.toString();
    WarnWrongType(Section, Ident, v);
    return Default;
}

int TCustomIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    const QVariant v = ReadValue(Section, Ident);
    if (!v.isValid()) return Default;
    int n = 0;
    if (ToInt(v, n)) return n;
    WarnWrongType(Section, Ident, v);
    return Default;
}

bool TCustomIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const
{
    const QVariant v = ReadValue(Section, Ident);
    if (!v.isValid()) return Default;
    int n = 0;
    if (ToInt(v, n)) return n != 0;
    if (IsText(v)) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    WarnWrongType(Section, Ident, v);
    return Default;
}

double TCustomIniFile::ReadFloat(const QString& Section, const QString& Ident, double Default) const
{
    const QVariant v = ReadValue(Section, Ident);
    if (!v.isValid()) return Default;
    if (IsFloating(v) || IsIntegral(v)) return v.toDouble();
    if (IsText(v)) {
        double d = 0;
        if (TryStrToFloatC(v.toString(), d)) return d;
    } else if (v.metaType().id() == QMetaType::QByteArray && v.toByteArray().size() == 8) {
        // The binary form the registry keeps doubles in.
        const QByteArray b = v.toByteArray();
        unsigned char le[8];
        std::memcpy(le, b.constData(), 8);
        quint64 bits = 0;
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | le[i];
        double d = 0;
        std::memcpy(&d, &bits, 8);
        return d;
    }
    WarnWrongType(Section, Ident, v);
    return Default;
}

void TCustomIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    WriteValue(Section, Ident, Value);
}

void TCustomIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteValue(Section, Ident, Value);
}

void TCustomIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    WriteValue(Section, Ident, Value ? 1 : 0);
}

void TCustomIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value)
{
    WriteValue(Section, Ident, FloatToStrC(Value));
}

void SortByIndexSuffix(QStringList& Names, const QString& Prefix)
{
    auto index = [&Prefix](const QString& Name, qlonglong& N) {
        if (!Name.startsWith(Prefix) || Name.size() == Prefix.size()) return false;
        const QStringView digits = QStringView(Name).mid(Prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return false;
        bool ok = false;
        N = digits.toLongLong(&ok);
        return ok;
    };
    std::stable_sort(Names.begin(), Names.end(), [&index](const QString& A, const QString& B) {
        qlonglong na = 0, nb = 0;
        const bool ia = index(A, na), ib = index(B, nb);
        if (ia != ib) return ia;
        if (ia && na != nb) return na < nb;
        return A < B;
    });
}
