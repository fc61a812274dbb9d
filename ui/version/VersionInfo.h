#pragma once

#include <QMap>
#include <QString>

#include <cstdint>
#include <vector>

// The version resource of an executable: fixed file information, the list of
// translations and the version strings per translation. Linux executables
// carry no such resource; ours is compiled in from the generated version
// header (KPVersionResource) and belongs to the running program. Any other
// file gives an object that is not valid.
//
// Versions are 64-bit: major, minor, release, build in 16 bits each, major
// in the most significant bits.

struct TTranslationRec {
    std::uint16_t LanguageID = 0;
    std::uint16_t CharsetID = 0;
};

struct TVersionResource {
    std::uint64_t FileVersion = 0;
    std::uint64_t ProductVersion = 0;
    std::uint32_t FileFlags = 0;
    std::uint32_t FileFlagsMask = 0;
    std::uint32_t OS = 0;
    std::uint32_t FileType = 0;
    std::uint32_t FileSubType = 0;
    std::uint64_t FileDate = 0;
    std::vector<TTranslationRec> Translations;
    // Key "<translation id>\<name>", translation id as "%.4x%.4x".
    QMap<QString, QString> Strings;
};

// The program's own resource, from the generated version header.
TVersionResource KPVersionResource();

class TVersionInfo {
public:
    // The resource of Filename: the compiled-in one for the running program.
    explicit TVersionInfo(const QString& Filename);
    // A given resource (tests); nullptr gives an object that is not valid.
    explicit TVersionInfo(const TVersionResource* Resource);

    bool Valid() const { return FValid; }
    std::uint64_t FileVersion() const { return FValid ? FRes.FileVersion : 0; }
    std::uint64_t ProductVersion() const { return FValid ? FRes.ProductVersion : 0; }
    std::uint32_t FileFlags() const { return FValid ? (FRes.FileFlags & FRes.FileFlagsMask) : 0; }
    std::uint32_t OS() const { return FValid ? FRes.OS : 0; }
    std::uint32_t FileType() const { return FValid ? FRes.FileType : 0; }
    std::uint32_t FileSubType() const { return FValid ? FRes.FileSubType : 0; }
    std::uint64_t FileDate() const { return FValid ? FRes.FileDate : 0; }

    int TranslationCount() const { return FValid ? int(FRes.Translations.size()) : 0; }
    // EKPError "Listenindex außerhalb des gültigen Bereichs (%d)" for a bad index.
    std::uint16_t LanguageID(int Index) const;
    std::uint16_t CharsetID(int Index) const;
    QString LanguageNames(int Index) const;

    QString GetString(const QString& Key, int Index) const;
    QString GetString(const QString& Key, std::uint16_t LanguageID, std::uint16_t CharsetID) const;
    QString GetString(const QString& Key, const QString& TranslationID) const;
    // GetString for translation 0.
    QString Strings(const QString& Key) const { return GetString(Key, 0); }

    // "major.minor.release.build".
    static QString VersionToString(std::uint64_t Version);
    // The inverse; missing parts are 0, text after the fourth part is ignored,
    // each part keeps its low 16 bits. EConvertError for a part that is no number.
    static std::uint64_t StringToVersion(const QString& Value);

private:
    const TTranslationRec& Translation(int Index) const;

    bool FValid = false;
    TVersionResource FRes;
};
