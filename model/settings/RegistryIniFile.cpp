#include "model/settings/RegistryIniFile.h"

#include "model/base/KPError.h"

#include <QRegularExpression>

TSettingsLocation SettingsLocationOf(const QString& KeyPath)
{
    QStringList parts = KeyPath.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty()) throw EKPError(QStringLiteral("Ungültiger Registrierungsschlüssel: \"%1\"").arg(KeyPath));
    TSettingsLocation loc;
    loc.Organization = parts.takeFirst();
    if (!parts.isEmpty()) loc.Application = parts.takeFirst();
    loc.Group = parts.join(QLatin1Char('/'));
    return loc;
}

TRegistryIniFile::TRegistryIniFile(const QString& KeyPath, TRegistryRoot Root, TRegistryAccess Access)
    : FKeyPath(KeyPath), FAccess(Access)
{
    const TSettingsLocation loc = SettingsLocationOf(KeyPath);
    const auto scope = Root == TRegistryRoot::CurrentUser ? QSettings::UserScope : QSettings::SystemScope;
    FSettings = std::make_unique<QSettings>(QSettings::NativeFormat, scope, loc.Organization, loc.Application);
    FSettings->setFallbacksEnabled(false);
    FGroup = loc.Group;
}

TRegistryIniFile::~TRegistryIniFile() = default;

QString TRegistryIniFile::GroupOf(const QString& Section) const
{
    QString s = Section;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = s.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString g = FGroup;
    for (const QString& p : parts) g += (g.isEmpty() ? QString() : QStringLiteral("/")) + p;
    return g;
}

void TRegistryIniFile::CheckWritable() const
{
    if (FAccess == TRegistryAccess::ReadOnly)
        throw EKPError(QStringLiteral("Der Registrierungsschlüssel \"%1\" ist nur zum Lesen geöffnet.").arg(FKeyPath));
}

bool TRegistryIniFile::KeyExists() const
{
    FSettings->beginGroup(FGroup);
    const bool exists = !FSettings->allKeys().isEmpty();
    FSettings->endGroup();
    return exists;
}

QVariant TRegistryIniFile::ReadValue(const QString& Section, const QString& Ident) const
{
    FSettings->beginGroup(GroupOf(Section));
    const QVariant v = FSettings->value(Ident);
    FSettings->endGroup();
    return v;
}

void TRegistryIniFile::WriteValue(const QString& Section, const QString& Ident, const QVariant& Value)
{
    CheckWritable();
    FSettings->beginGroup(GroupOf(Section));
    FSettings->setValue(Ident, Value);
    FSettings->endGroup();
}

QStringList TRegistryIniFile::ReadSection(const QString& Section) const
{
    FSettings->beginGroup(GroupOf(Section));
    const QStringList keys = FSettings->childKeys();
    FSettings->endGroup();
    return keys;
}

QStringList TRegistryIniFile::ReadSubSections(const QString& Section) const
{
    FSettings->beginGroup(GroupOf(Section));
    const QStringList groups = FSettings->childGroups();
    FSettings->endGroup();
    return groups;
}

void TRegistryIniFile::EraseSection(const QString& Section)
{
    CheckWritable();
    FSettings->beginGroup(GroupOf(Section));
    FSettings->remove(QString());
    FSettings->endGroup();
}

QString TRegistryIniFile::ValuePath(const QString& Section, const QString& Ident) const
{
    return FKeyPath + QLatin1Char('\\') + TCustomIniFile::ValuePath(Section, Ident);
}

void TRegistryIniFile::UpdateFile()
{
    FSettings->sync();
    if (FSettings->status() == QSettings::AccessError)
        throw EFileError(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden: %1")
                             .arg(FSettings->fileName()));
}
