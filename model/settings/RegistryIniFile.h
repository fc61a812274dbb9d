#pragma once

#include "model/settings/IniFiles.h"

#include <QSettings>
#include <memory>

// The two roots the program keeps values under: the current user's and the
// machine-wide one (read only by the program).
enum class TRegistryRoot { CurrentUser, LocalMachine };

enum class TRegistryAccess { ReadOnly, ReadWrite };

// Where a registry key path lives in QSettings: "Software\Mirvatek\KP\2.0\MRU"
// is organisation "Mirvatek", application "KP", group "2.0/MRU". A path with
// the organisation alone names the organisation's shared settings.
struct TSettingsLocation {
    QString Organization;
    QString Application;
    QString Group;
};
// Raises EKPError for a path without an organisation.
TSettingsLocation SettingsLocationOf(const QString& KeyPath);

// The store below one registry key, kept by QSettings (the user's or the
// machine's scope, never falling back from one to the other, as the two
// registry roots do not). A read-only store never creates anything.
class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const QString& KeyPath, TRegistryRoot Root = TRegistryRoot::CurrentUser,
                              TRegistryAccess Access = TRegistryAccess::ReadWrite);
    ~TRegistryIniFile() override;

    const QString& KeyPath() const { return FKeyPath; }
    // True when the key holds any value or sub-key.
    bool KeyExists() const;

    QVariant ReadValue(const QString& Section, const QString& Ident) const override;
    void WriteValue(const QString& Section, const QString& Ident, const QVariant& Value) override;
    QStringList ReadSection(const QString& Section) const override;
    QStringList ReadSubSections(const QString& Section) const override;
    void EraseSection(const QString& Section) override;
    QString ValuePath(const QString& Section, const QString& Ident) const override;

    // Writes what is pending to the file; raises EFileError when it cannot.
    void UpdateFile();

private:
    QString GroupOf(const QString& Section) const;
    void CheckWritable() const;

    QString FKeyPath;
    TRegistryAccess FAccess;
    QString FGroup;
    std::unique_ptr<QSettings> FSettings;
};
