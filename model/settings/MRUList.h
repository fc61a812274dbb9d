#pragma once

#include "model/base/DateTime.h"
#include "model/base/MVStreamList.h"

#include <QString>
#include <memory>
#include <vector>

class TCustomIniFile;

// Shown where an entry carries no project name.
inline const QString SNoProjectName = QStringLiteral("Kein Projektname angegeben");

// One project file of a list.
class TFileListInfo : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TFileListInfo"); }

    const QString& Filename() const { return FFilename; }
    void SetFilename(const QString& Value) { FFilename = Value; }
    // Last-write time of the file, local time; 0 when not set.
    TDateTime DateModified() const { return FDateModified; }
    void SetDateModified(TDateTime Value) { FDateModified = Value; }
    const QString& ProjectName() const { return FProjectName; }
    void SetProjectName(const QString& Value) { FProjectName = Value; }

private:
    QString FFilename;
    TDateTime FDateModified = 0;
    QString FProjectName;
};

// The recently used project files, oldest first, most recent last. Stored
// below a key of the current user: one sub-key per entry, File00, File01, …,
// each with the values "Filename" and "Projectname".
class TFileInfolist : public TObject {
public:
    TFileInfolist();
    ~TFileInfolist() override;
    TFileInfolist(const TFileInfolist&) = delete;
    TFileInfolist& operator=(const TFileInfolist&) = delete;

    QString ClassName() const override { return QStringLiteral("TFileInfolist"); }

    const QString& RegPath() const { return FRegPath; }
    void SetRegPath(const QString& Value) { FRegPath = Value; }
    int MaxFilesInList() const { return FMaxFilesInList; }
    // At least 1: the entry AddFile returns must survive the trimming.
    void SetMaxFilesInList(int Value);

    int Count() const { return static_cast<int>(FItems.size()); }
    TFileListInfo* Items(int Index) const;
    void Delete(int Index);
    void Clear();

    // Rewrites the key: afterwards it holds exactly the list's entries.
    virtual void WriteToRegistry();
    // Replaces the entries with those stored whose files exist.
    virtual void CreateFromRegistry();
    // Moves an entry of the same file name (letter case counts) to the end or
    // appends a new one, sets its project name, drops the oldest entries
    // beyond the maximum and returns the entry.
    virtual TFileListInfo* AddFile(const QString& AFilename, const QString& AProjectname);

protected:
    void ReadEntries(const TCustomIniFile& Ini);

private:
    void Trim();

    QString FRegPath;
    int FMaxFilesInList = 20;
    std::vector<std::unique_ptr<TFileListInfo>> FItems;
};

// The example projects, read from a machine-wide key that the program never
// writes; reading never creates anything.
class TExampleFilelist : public TFileInfolist {
public:
    QString ClassName() const override { return QStringLiteral("TExampleFilelist"); }
    void CreateFromRegistry() override;
};

// A file's last-write time in local time; 0 when it has none.
TDateTime FileDateModified(const QString& FileName);
