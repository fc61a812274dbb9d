#include "model/monitoring/Monitoring.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/StreamStrings.h"
#include "model/fe/NumNodes.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QTime>

const QStringList& MonitoringIntervalNames()
{
    static const QStringList names{QStringLiteral("immer"),       QStringLiteral("stündlich"),
                                   QStringLiteral("täglich"),     QStringLiteral("wöchentlich"),
                                   QStringLiteral("monatlich"),   QStringLiteral("jährlich")};
    return names;
}

TMonitoringInterval MonitoringIntervalOfLevel(int ALevel)
{
    if (ALevel <= 0) return miAlways;
    if (ALevel >= MonitoringIntervalMaxOrdinal) return miYear;
    return static_cast<TMonitoringInterval>(ALevel);
}

namespace {

// The user's short date with a four-digit year: a data file must not make
// 1925 and 2025 look alike.
QString UserDateTimePattern()
{
    QString date = UserLocale().dateFormat(QLocale::ShortFormat);
    if (!date.contains(QStringLiteral("yyyy"))) date.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return date + QStringLiteral(" HH:mm:ss");
}

}  // namespace

QString TRecordedValue::AsText() const
{
    const TDateTimeParts p = DecodeDateTime(PointOfTime);
    const QDateTime dt(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second));
    return UserLocale().toString(dt, UserDateTimePattern()) + QLatin1Char('\t') +
           FormatFloat(QStringLiteral("0.000"), Data);
}

// ---------------------------------------------------------------- TMonitorParam

TMonitorParam::TMonitorParam(const QString& AName, bool IsEnabled) : FName(AName), FEnabled(IsEnabled) {}

void TMonitorParam::RecordNow(TDateTime APointOfTime, double AData)
{
    fDataPoints.push_back(TRecordedValue{APointOfTime, AData});
}

void TMonitorParam::SaveDatapoints(const QString& AFilename) const
{
    QString text;
    text.reserve(static_cast<qsizetype>(fDataPoints.size()) * 32);
    for (const TRecordedValue& v : fDataPoints) {
        text += v.AsText();
        text += QStringLiteral("\r\n");
    }
    QSaveFile file(AFilename);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht erstellt werden: %2")
                             .arg(QDir::toNativeSeparators(AFilename), file.errorString()));
    file.write(text.toUtf8());
    if (!file.commit())
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(AFilename), file.errorString()));
}

void TMonitorParam::Read(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const bool enabled = S.ReadBoolean();
    const std::int32_t colStart = S.ReadInt32();
    const bool drawTimeCol = S.ReadBoolean();
    FName = name;
    FEnabled = enabled;
    FColStart = colStart;
    FDrawTimeCol = drawTimeCol;
    FCurrentRow = 0;
    fDataPoints.clear();
}

void TMonitorParam::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    S.WriteBoolean(FEnabled);
    S.WriteInt32(FColStart);
    S.WriteBoolean(FDrawTimeCol);
}

// -------------------------------------------------------------- TMonitoringItem

TMonitoringItem::TMonitoringItem()
    : FParams(std::make_unique<TMVObjectList>(true)),
      FDests(std::make_unique<TMVObjectList>(false)),
      FInterval(miAlways),
      FEnabled(true),
      FIndexOfItem(-1)
{
}

TMonitoringItem::TMonitoringItem(TBlank)
    : FParams(std::make_unique<TMVObjectList>(true)), FDests(std::make_unique<TMVObjectList>(false))
{
}

TMonitoringItem::~TMonitoringItem() = default;

void TMonitoringItem::RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel)
{
    (void)ADateTime;
    (void)ALevel;
}

QString TMonitoringItem::GetDescription() const { return QStringLiteral("Abstract"); }

void TMonitoringItem::AddParam(const QString& AName) { FParams->Add(new TMonitorParam(AName, true)); }

void TMonitoringItem::Read(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    auto params = std::make_unique<TMVObjectList>(true);
    params->ReadData(S);
    for (int i = 0; i < params->Count(); ++i)
        if (!dynamic_cast<TMonitorParam*>(params->Items(i)))
            throw EReadError(QStringLiteral("Ungültiger Parameter \"%1\" in einem Überwachungselement")
                                 .arg(params->Items(i)->ClassName()));
    // Destinations are never filled by the program; whatever a file holds
    // there belongs to nobody, so it is read and dropped instead of leaked.
    TMVObjectList dests(true);
    dests.ReadData(S);
    const auto interval = S.ReadEnum<TMonitoringInterval>(MonitoringIntervalMaxOrdinal, "Überwachungsintervall");
    const bool enabled = S.ReadBoolean();
    const std::int32_t index = S.ReadInt32();

    FName = name;
    FParams = std::move(params);
    FDests = std::make_unique<TMVObjectList>(false);
    FInterval = interval;
    FEnabled = enabled;
    FIndexOfItem = index;
}

void TMonitoringItem::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    FParams->WriteData(S);
    FDests->WriteData(S);
    S.WriteEnum(FInterval);
    S.WriteBoolean(FEnabled);
    S.WriteInt32(FIndexOfItem);
}

// ----------------------------------------------------------- TBHEMonitoringItem

TBHEMonitoringItem::TBHEMonitoringItem()
{
    SetInterval(miDay);
    AddParam(QStringLiteral("ϑ Vorlauf"));
    AddParam(QStringLiteral("ϑ Rücklauf"));
    AddParam(QStringLiteral("ϑ Bohrlochwand"));
    AddParam(QStringLiteral("übertr. Leistung"));
}

void TBHEMonitoringItem::RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel)
{
    (void)ADateTime;
    (void)ALevel;
}

// ---------------------------------------------------------- TNodeMonitoringItem

TNodeMonitoringItem::TNodeMonitoringItem()
{
    SetInterval(miDay);
    AddParam(QStringLiteral("ϑ [°C]"));
}

void TNodeMonitoringItem::RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel)
{
    if (ALevel < Interval()) return;
    // An item whose node was not found again after loading records nothing.
    const auto* node = dynamic_cast<const TNode*>(Item());
    if (!node || ParamCount() == 0) return;
    Param(0)->RecordNow(ADateTime, node->F());
}

QString TNodeMonitoringItem::GetDescription() const
{
    const auto* node = dynamic_cast<const TNode*>(Item());
    if (!node) return QStringLiteral("Node not assigned");
    return Format(QStringLiteral("Node (x=%s; y=%s)"), {FormatFloat(QStringLiteral("0.00"), node->X()),
                                                         FormatFloat(QStringLiteral("0.00"), node->Y())});
}

void RegisterMonitoringStreamClasses()
{
    RegisterStreamClass<TMonitoringItem>();
    RegisterStreamClass<TBHEMonitoringItem>();
    RegisterStreamClass<TNodeMonitoringItem>();
    RegisterStreamClass<TMonitorParam>();
}
