#include "model/base/MVStreamList.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <map>

namespace {

struct TCaseInsensitiveLess {
    bool operator()(const QString& A, const QString& B) const
    {
        return A.compare(B, Qt::CaseInsensitive) < 0;
    }
};

using TRegistry = std::map<QString, std::unique_ptr<TMyObjItem>, TCaseInsensitiveLess>;

TRegistry& StreamClassRegistry()
{
    static TRegistry registry;
    return registry;
}

// How many object records are being read, one inside the other, on this thread.
thread_local int ObjectNesting = 0;

// Counts one level of nesting for as long as an object's record is read.
class TNestingGuard {
public:
    explicit TNestingGuard(const TStream& S)
    {
        if (ObjectNesting >= MaxObjectNesting)
            throw EReadError(QStringLiteral("Die Objekte der Datei sind tiefer als %1 Ebenen ineinander "
                                            "verschachtelt (Position %2).")
                                 .arg(MaxObjectNesting)
                                 .arg(S.Position()));
        ++ObjectNesting;
    }
    ~TNestingGuard() { --ObjectNesting; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;
};

const TMyObjItem& FindClassOrFail(const QString& AClassName)
{
    const TMyObjItem* item = FindStreamClass(AClassName);
    if (!item) throw EClassNotFound(QStringLiteral("Klasse <%1> ist nicht registriert").arg(AClassName));
    return *item;
}

}  // namespace

TMyObjItem::TMyObjItem(QString AClassName, TFactory AFactory, QString ALoaderName, TMethod ALoader,
                       QString AStorerName, TMethod AStorer)
    : FClassName(std::move(AClassName)),
      FFactory(std::move(AFactory)),
      FLoaderName(std::move(ALoaderName)),
      FLoader(std::move(ALoader)),
      FStorerName(std::move(AStorerName)),
      FStorer(std::move(AStorer))
{
}

std::unique_ptr<TObject> TMyObjItem::CreateAndLoad(TStream& S) const
{
    std::unique_ptr<TObject> obj = FFactory();
    FLoader(*obj, S);
    return obj;
}

void TMyObjItem::WriteObject(TObject& AObject, TStream& S) const { FStorer(AObject, S); }

void RegisterStreamClass(const QString& AClassName, TMyObjItem::TFactory Factory, const QString& ALoaderName,
                         TMyObjItem::TMethod Loader, const QString& AStorerName, TMyObjItem::TMethod Storer)
{
    TRegistry& registry = StreamClassRegistry();
    if (registry.count(AClassName)) return;
    registry.emplace(AClassName, std::make_unique<TMyObjItem>(AClassName, std::move(Factory), ALoaderName,
                                                               std::move(Loader), AStorerName, std::move(Storer)));
}

const TMyObjItem* FindStreamClass(const QString& AClassName)
{
    const TRegistry& registry = StreamClassRegistry();
    auto it = registry.find(AClassName);
    return it == registry.end() ? nullptr : it->second.get();
}

void WriteObjectToStream(const TObject* AObject, TStream& S)
{
    if (!AObject) throw EClassNotFound(QStringLiteral("Nil Source Class!"));
    const QString name = AObject->ClassName();
    const TMyObjItem* item = FindStreamClass(name);
    if (!item) throw EClassNotFound(QStringLiteral("Klasse <%1> ist nicht registriert").arg(name));
    WriteStringToStream(S, name);
    item->WriteObject(const_cast<TObject&>(*AObject), S);
}

std::unique_ptr<TObject> ReadObjectFromStream(TStream& S)
{
    const TNestingGuard nesting(S);
    return FindClassOrFail(ReadStringFromStream(S)).CreateAndLoad(S);
}

std::unique_ptr<TObject> ReadObjectFromStream(TStream& S, const TClassCheck& Accept, const char* What)
{
    const TNestingGuard nesting(S);
    const QString name = ReadStringFromStream(S);
    const TMyObjItem& item = FindClassOrFail(name);
    // The check runs before the record is read, so a refused class never gets
    // to read (and nest) anything.
    std::unique_ptr<TObject> obj = item.CreateBlank();
    if (!Accept(*obj)) FailUnexpectedClass(name, What);
    item.Load(*obj, S);
    return obj;
}

void FailUnexpectedClass(const QString& AClassName, const char* What)
{
    throw EReadError(QStringLiteral("Unerwartete Klasse <%1> für %2.").arg(AClassName, QString::fromUtf8(What)));
}

namespace {

// One sequence for every list, so that a list made where another one was
// freed never shows the revision the other had.
std::atomic<std::uint64_t> LastListRevision{0};

} // namespace

TMVObjectList::TMVObjectList() { Changed(); }

TMVObjectList::TMVObjectList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) { Changed(); }

TMVObjectList::TMVObjectList(TBlank) : FOwnsObjects(true) { Changed(); }

void TMVObjectList::Changed()
{
    FRevision = LastListRevision.fetch_add(1, std::memory_order_relaxed) + 1;
}

TMVObjectList::~TMVObjectList() { Clear(); }

void TMVObjectList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EKPError(QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%1)").arg(Index));
}

TObject* TMVObjectList::Items(int Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TMVObjectList::SetItems(int Index, TObject* AObject)
{
    CheckIndex(Index);
    TObject*& slot = FItems[static_cast<size_t>(Index)];
    if (slot == AObject) return;
    if (FOwnsObjects) delete slot;
    slot = AObject;
    Changed();
}

int TMVObjectList::Add(TObject* AObject)
{
    FItems.push_back(AObject);
    Changed();
    return Count() - 1;
}

void TMVObjectList::Insert(int Index, TObject* AObject)
{
    if (Index < 0 || Index > Count())
        throw EKPError(QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%1)").arg(Index));
    FItems.insert(FItems.begin() + Index, AObject);
    Changed();
}

void TMVObjectList::Delete(int Index)
{
    CheckIndex(Index);
    TObject* obj = FItems[static_cast<size_t>(Index)];
    FItems.erase(FItems.begin() + Index);
    Changed();
    if (FOwnsObjects) delete obj;
}

int TMVObjectList::Remove(TObject* AObject)
{
    const int i = IndexOf(AObject);
    if (i >= 0) Delete(i);
    return i;
}

TObject* TMVObjectList::Extract(TObject* AObject)
{
    const int i = IndexOf(AObject);
    if (i < 0) return nullptr;
    FItems.erase(FItems.begin() + i);
    Changed();
    return AObject;
}

int TMVObjectList::IndexOf(const TObject* AObject) const
{
    auto it = std::find(FItems.begin(), FItems.end(), AObject);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMVObjectList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

void TMVObjectList::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    TObject* obj = FItems[static_cast<size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, obj);
    Changed();
}

void TMVObjectList::Clear()
{
    std::vector<TObject*> items;
    items.swap(FItems);
    Changed();
    if (FOwnsObjects)
        for (TObject* obj : items) delete obj;
}

void TMVObjectList::Sort(const std::function<bool(const TObject*, const TObject*)>& Less)
{
    std::stable_sort(FItems.begin(), FItems.end(), Less);
    Changed();
}

void TMVObjectList::LoadFromFile(const QString& FileName)
{
    ReadFileStream(FileName, [this](TStream& S) { ReadData(S); });
}

void TMVObjectList::SaveToFile(const QString& FileName)
{
    WriteFileStream(FileName, [this](TStream& S) { WriteData(S); });
}

void TMVObjectList::ReadData(TStream& S)
{
    S.ReadByte();  // the writer's ownership flag; this list keeps its own
    // Every item needs at least the four bytes of its class name's length.
    const std::int32_t n = S.ReadCount(4, "Objektliste");
    std::vector<std::unique_ptr<TObject>> loaded;
    loaded.reserve(static_cast<size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) loaded.push_back(ReadObjectFromStream(S));
    // Only a list read completely changes this list.
    for (auto& obj : loaded) FItems.push_back(obj.release());
    Changed();
}

void TMVObjectList::ReadDataOf(TStream& S, const TClassCheck& Accept, const char* What)
{
    S.ReadByte();
    const std::int32_t n = S.ReadCount(4, What);
    std::vector<std::unique_ptr<TObject>> loaded;
    loaded.reserve(static_cast<size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) loaded.push_back(ReadObjectFromStream(S, Accept, What));
    for (auto& obj : loaded) FItems.push_back(obj.release());
    Changed();
}

void TMVObjectList::WriteData(TStream& S)
{
    S.WriteByte(FOwnsObjects ? 1 : 0);
    S.WriteInt32(Count());
    for (TObject* obj : FItems) WriteObjectToStream(obj, S);
}

void ReadFileStream(const QString& FileName, const std::function<void(TStream&)>& Reader)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2")
                             .arg(QDir::toNativeSeparators(FileName), file.errorString()));
    TMemoryStream stream(file.readAll());
    Reader(stream);
}

void WriteFileStream(const QString& FileName, const std::function<void(TStream&)>& Writer)
{
    const QFileInfo info(FileName);
    QDir().mkpath(info.absolutePath());
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht erstellt werden: %2")
                             .arg(QDir::toNativeSeparators(FileName), file.errorString()));
    TStream stream(&file);
    Writer(stream);
    if (!file.commit())
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(FileName), file.errorString()));
}
