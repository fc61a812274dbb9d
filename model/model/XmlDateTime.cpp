#include "model/model/XmlDateTime.h"

#include "model/base/KPError.h"

#include <QRegularExpression>

QString DateTimeToXmlText(TDateTime DT)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    QString s = QStringLiteral("%1-%2-%3T%4:%5:%6")
                    .arg(p.Year, 4, 10, QLatin1Char('0'))
                    .arg(p.Month, 2, 10, QLatin1Char('0'))
                    .arg(p.Day, 2, 10, QLatin1Char('0'))
                    .arg(p.Hour, 2, 10, QLatin1Char('0'))
                    .arg(p.Minute, 2, 10, QLatin1Char('0'))
                    .arg(p.Second, 2, 10, QLatin1Char('0'));
    if (p.MilliSecond != 0) s += QStringLiteral(".%1").arg(p.MilliSecond, 3, 10, QLatin1Char('0'));
    return s;
}

bool TryXmlTextToDateTime(const QString& Text, TDateTime& DT)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})-(\d{2})-(\d{2})(?:[T ](\d{2}):(\d{2})(?::(\d{2})(?:\.(\d{1,9}))?)?)?(?:Z|[+-]\d{2}:?\d{2})?\s*$)"));
    const QRegularExpressionMatch m = re.match(Text);
    if (!m.hasMatch()) return false;
    const int year = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    const int day = m.captured(3).toInt();
    const int hour = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    const int minute = m.captured(5).isEmpty() ? 0 : m.captured(5).toInt();
    const int second = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
    const QString fraction = m.captured(7);
    const int ms = fraction.isEmpty() ? 0 : (fraction + QStringLiteral("00")).left(3).toInt();
    if (!IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59) return false;
    try {
        DT = EncodeDateTime(year, month, day, hour, minute, second, ms);
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

void WriteXmlDateTime(pugi::xml_node Node, const char* Name, TDateTime Value)
{
    Node.append_child(Name).text().set(DateTimeToXmlText(Value).toUtf8().constData());
}

TDateTime ReadXmlDateTime(pugi::xml_node Node, const char* Name, TDateTime Default)
{
    const pugi::xml_node child = Node.child(Name);
    if (!child) return Default;
    TDateTime dt = Default;
    return TryXmlTextToDateTime(QString::fromUtf8(child.text().get()), dt) ? dt : Default;
}
