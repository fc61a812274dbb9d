#include "ui/version/VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include "KPVersion.h"
#include "model/base/KPError.h"
#include "model/base/NumberText.h"

namespace {

constexpr std::uint16_t LangGerman = 0x0407;
constexpr std::uint16_t CharsetUnicode = 1200;

std::uint64_t MakeVersion(std::uint64_t Major, std::uint64_t Minor, std::uint64_t Release, std::uint64_t Build)
{
    return (Major & 0xFFFF) << 48 | (Minor & 0xFFFF) << 32 | (Release & 0xFFFF) << 16 | (Build & 0xFFFF);
}

QString TranslationId(std::uint16_t LanguageID, std::uint16_t CharsetID)
{
    return QStringLiteral("%1%2").arg(LanguageID, 4, 16, QLatin1Char('0')).arg(CharsetID, 4, 16, QLatin1Char('0'));
}

// The few Windows language identifiers a version resource of ours can carry.
QLocale LocaleOfLanguageId(std::uint16_t Id)
{
    switch (Id) {
    case 0x0407: return QLocale(QLocale::German, QLocale::Germany);
    case 0x0807: return QLocale(QLocale::German, QLocale::Switzerland);
    case 0x0C07: return QLocale(QLocale::German, QLocale::Austria);
    case 0x0409: return QLocale(QLocale::English, QLocale::UnitedStates);
    case 0x0809: return QLocale(QLocale::English, QLocale::UnitedKingdom);
    case 0x040C: return QLocale(QLocale::French, QLocale::France);
    case 0x0410: return QLocale(QLocale::Italian, QLocale::Italy);
    default: return QLocale::c();
    }
}

bool IsRunningProgram(const QString& Filename)
{
    if (!QCoreApplication::instance() || Filename.isEmpty()) return false;
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !own.isEmpty() && QFileInfo(Filename).canonicalFilePath() == own;
}

} // namespace

TVersionResource KPVersionResource()
{
    TVersionResource r;
    r.FileVersion = MakeVersion(KP_VERSION_MAJOR, KP_VERSION_MINOR, KP_VERSION_RELEASE, KP_VERSION_BUILD);
    r.ProductVersion = r.FileVersion;
    r.FileType = 1;  // an application
    r.Translations.push_back({LangGerman, CharsetUnicode});
    const QString id = TranslationId(LangGerman, CharsetUnicode) + QLatin1Char('\\');
    r.Strings.insert(id + QStringLiteral("CompanyName"), QStringLiteral("Mirvatek"));
    r.Strings.insert(id + QStringLiteral("FileDescription"), QStringLiteral("KP – Erdwärmesonden planen und simulieren"));
    r.Strings.insert(id + QStringLiteral("FileVersion"), QStringLiteral(KP_VERSION_TEXT));
    r.Strings.insert(id + QStringLiteral("InternalName"), QStringLiteral("kp"));
    r.Strings.insert(id + QStringLiteral("LegalCopyright"), QStringLiteral("© Mirvatek " KP_BUILD_YEAR));
    r.Strings.insert(id + QStringLiteral("OriginalFilename"), QStringLiteral("kp"));
    r.Strings.insert(id + QStringLiteral("ProductName"), QStringLiteral("Mirvatek KP"));
    r.Strings.insert(id + QStringLiteral("ProductVersion"), QStringLiteral(KP_VERSION_TEXT));
    return r;
}

TVersionInfo::TVersionInfo(const QString& Filename)
{
    if (IsRunningProgram(Filename)) {
        FRes = KPVersionResource();
        FValid = true;
    }
}

TVersionInfo::TVersionInfo(const TVersionResource* Resource)
{
    if (Resource) {
        FRes = *Resource;
        FValid = true;
    }
}

const TTranslationRec& TVersionInfo::Translation(int Index) const
{
    if (!FValid || Index < 0 || Index >= int(FRes.Translations.size()))
        throw EKPError(Format(QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%d)"), {std::int64_t(Index)}));
    return FRes.Translations[size_t(Index)];
}

std::uint16_t TVersionInfo::LanguageID(int Index) const
{
    return Translation(Index).LanguageID;
}

std::uint16_t TVersionInfo::CharsetID(int Index) const
{
    return Translation(Index).CharsetID;
}

QString TVersionInfo::LanguageNames(int Index) const
{
    const QLocale l = LocaleOfLanguageId(Translation(Index).LanguageID);
    if (l.language() == QLocale::C) return QString();
    return QStringLiteral("%1 (%2)").arg(l.nativeLanguageName(), l.nativeTerritoryName());
}

QString TVersionInfo::GetString(const QString& Key, int Index) const
{
    const TTranslationRec& t = Translation(Index);
    return GetString(Key, t.LanguageID, t.CharsetID);
}

QString TVersionInfo::GetString(const QString& Key, std::uint16_t LanguageID, std::uint16_t CharsetID) const
{
    return GetString(Key, TranslationId(LanguageID, CharsetID));
}

QString TVersionInfo::GetString(const QString& Key, const QString& TranslationID) const
{
    if (!FValid) return QString();
    return FRes.Strings.value(TranslationID + QLatin1Char('\\') + Key);
}

QString TVersionInfo::VersionToString(std::uint64_t Version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(Version >> 48 & 0xFFFF)
        .arg(Version >> 32 & 0xFFFF)
        .arg(Version >> 16 & 0xFFFF)
        .arg(Version & 0xFFFF);
}

std::uint64_t TVersionInfo::StringToVersion(const QString& Value)
{
    std::uint64_t v = 0;
    QString rest = Value;
    for (int i = 0; i < 4 && !rest.isEmpty(); ++i) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        const QString part = dot < 0 ? rest : rest.left(dot);
        rest = dot < 0 ? QString() : rest.mid(dot + 1);
        const auto bits = static_cast<std::uint64_t>(static_cast<std::uint32_t>(StrToInt(part)) & 0xFFFF);
        v |= bits << (48 - 16 * i);
    }
    return v;
}
