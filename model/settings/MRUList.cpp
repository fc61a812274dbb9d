#include "model/settings/MRUList.h"

#include "model/base/KPError.h"
#include "model/settings/IniFiles.h"
#include "model/settings/RegistryIniFile.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

const QString SFile = QStringLiteral("File");

bool FileExists(const QString& FileName)
{
    if (FileName.isEmpty()) return false;
    const QFileInfo fi(FileName);
    return fi.exists() && !fi.isDir();
}

bool IsEntryKey(const QString& Key)
{
    if (!Key.startsWith(SFile) || Key.size() == SFile.size()) return false;
    for (qsizetype i = SFile.size(); i < Key.size(); ++i)
        if (Key.at(i) < u'0' || Key.at(i) > u'9') return false;
    return true;
}

} // namespace

TDateTime FileDateModified(const QString& FileName)
{
    const QDateTime dt = QFileInfo(FileName).lastModified();
    if (!dt.isValid()) return 0;
    const QDate d = dt.date();
    const QTime t = dt.time();
    return EncodeDate(d.year(), d.month(), d.day()) + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

TFileInfolist::TFileInfolist() : FRegPath(QStringLiteral("Software\\Mirvatek")) {}

TFileInfolist::~TFileInfolist() = default;

void TFileInfolist::SetMaxFilesInList(int Value)
{
    FMaxFilesInList = Value < 1 ? 1 : Value;
}

TFileListInfo* TFileInfolist::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EKPError(QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%1)").arg(Index));
    return FItems[Index].get();
}

void TFileInfolist::Delete(int Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

void TFileInfolist::Clear()
{
    FItems.clear();
}

void TFileInfolist::Trim()
{
    while (Count() > FMaxFilesInList) FItems.erase(FItems.begin());
}

TFileListInfo* TFileInfolist::AddFile(const QString& AFilename, const QString& AProjectname)
{
    auto it = std::find_if(FItems.begin(), FItems.end(),
                           [&AFilename](const auto& e) { return e->Filename() == AFilename; });
    TFileListInfo* entry = nullptr;
    if (it != FItems.end()) {
        std::unique_ptr<TFileListInfo> moved = std::move(*it);
        FItems.erase(it);
        entry = moved.get();
        FItems.push_back(std::move(moved));
    } else {
        FItems.push_back(std::make_unique<TFileListInfo>());
        entry = FItems.back().get();
    }
    entry->SetFilename(AFilename);
    entry->SetProjectName(AProjectname);
    Trim();
    return entry;
}

void TFileInfolist::ReadEntries(const TCustomIniFile& Ini)
{
    Clear();
    QStringList keys = Ini.ReadSubSections(QString());
    SortByIndexSuffix(keys, SFile);
    for (const QString& key : keys) {
        const QString file = Ini.ReadString(key, QStringLiteral("Filename"), QString());
        const QString project = Ini.ReadString(key, QStringLiteral("Projectname"), SNoProjectName);
        if (!FileExists(file)) continue;
        AddFile(file, project)->SetDateModified(FileDateModified(file));
    }
    Trim();
}

void TFileInfolist::CreateFromRegistry()
{
    const TRegistryIniFile ini(FRegPath, TRegistryRoot::CurrentUser, TRegistryAccess::ReadOnly);
    ReadEntries(ini);
}

void TFileInfolist::WriteToRegistry()
{
    TRegistryIniFile ini(FRegPath);
    // Entries beyond the new count would otherwise come back on the next read.
    // Only the entries' own sub-keys go: the key may hold other things.
    for (const QString& key : ini.ReadSubSections(QString()))
        if (IsEntryKey(key)) ini.EraseSection(key);
    for (int i = 0; i < Count(); ++i) {
        const QString key = SFile + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        ini.WriteString(key, QStringLiteral("Filename"), FItems[i]->Filename());
        ini.WriteString(key, QStringLiteral("Projectname"), FItems[i]->ProjectName());
    }
    ini.UpdateFile();
}

void TExampleFilelist::CreateFromRegistry()
{
    const TRegistryIniFile ini(RegPath(), TRegistryRoot::LocalMachine, TRegistryAccess::ReadOnly);
    ReadEntries(ini);
}
