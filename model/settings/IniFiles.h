#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// A store of named values in sections, as the settings, the font values and
// the print fields see it. Sections are paths with "\" between the levels
// ("User\Fonts"); the empty section is the store's own root.
//
// The typed reads never fail: a missing value gives the default, and a value
// that cannot be what was asked for (text where a number belongs) gives the
// default as well, with a line in the log, so that one damaged entry never
// stops the program from starting.
class TCustomIniFile {
public:
    virtual ~TCustomIniFile() = default;

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    // Any integer (non-zero is true), or "true"/"false".
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
    // Locale-free text, a number, or the eight little-endian bytes of a double.
    double ReadFloat(const QString& Section, const QString& Ident, double Default) const;

    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    // Stored as the number 0 or 1.
    void WriteBool(const QString& Section, const QString& Ident, bool Value);
    // Stored as the shortest locale-free text that reads back to the same value.
    void WriteFloat(const QString& Section, const QString& Ident, double Value);

    // The raw value; an invalid QVariant when there is none.
    virtual QVariant ReadValue(const QString& Section, const QString& Ident) const = 0;
    virtual void WriteValue(const QString& Section, const QString& Ident, const QVariant& Value) = 0;
    // Names of the values directly in Section, and of its sub-sections.
    virtual QStringList ReadSection(const QString& Section) const = 0;
    virtual QStringList ReadSubSections(const QString& Section) const = 0;
    // Removes the section with its values and sub-sections; the empty section
    // empties the whole store.
    virtual void EraseSection(const QString& Section) = 0;
    // Where a value lives, for log lines.
    virtual QString ValuePath(const QString& Section, const QString& Ident) const;

private:
    void WarnWrongType(const QString& Section, const QString& Ident, const QVariant& Value) const;
};

// Sorts names ending in a decimal number by that number ("File2" before
// "File10", "Company9" before "Company10"); names without one follow in
// alphabetical order.
void SortByIndexSuffix(QStringList& Names, const QString& Prefix);
