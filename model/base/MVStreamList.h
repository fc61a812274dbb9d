#pragma once

#include "model/base/Stream.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Tag for the constructor the stream class registry uses: every field starts
// zero, false, null or empty, and no constructor default is applied.
struct TBlank {};
inline constexpr TBlank Blank{};

// Root of every object that can stand in a stored list.
class TObject {
public:
    virtual ~TObject() = default;
    virtual QString ClassName() const { return QStringLiteral("TObject"); }
};

// Declares the class name a stored object is written and found under.
#define KP_CLASS(Name)                                                                  \
public:                                                                                 \
    static QString StaticClassName() { return QStringLiteral(#Name); }                  \
    QString ClassName() const override { return StaticClassName(); }                    \
                                                                                        \
private:

// One entry of the stream class registry: how to make a blank instance of a
// class and how to load and store it.
class TMyObjItem {
public:
    using TFactory = std::function<std::unique_ptr<TObject>()>;
    using TMethod = std::function<void(TObject&, TStream&)>;

    TMyObjItem(QString AClassName, TFactory AFactory, QString ALoaderName, TMethod ALoader,
               QString AStorerName, TMethod AStorer);

    const QString& ClassName() const { return FClassName; }
    const QString& LoaderName() const { return FLoaderName; }
    const QString& StorerName() const { return FStorerName; }

    std::unique_ptr<TObject> CreateAndLoad(TStream& S) const;
    // A blank instance, not yet loaded.
    std::unique_ptr<TObject> CreateBlank() const { return FFactory(); }
    void Load(TObject& AObject, TStream& S) const { FLoader(AObject, S); }
    void WriteObject(TObject& AObject, TStream& S) const;

private:
    QString FClassName;
    TFactory FFactory;
    QString FLoaderName;
    TMethod FLoader;
    QString FStorerName;
    TMethod FStorer;
};

// Adds a class to the registry; a name already present (in any letter case)
// is ignored, so the first registration wins.
void RegisterStreamClass(const QString& AClassName, TMyObjItem::TFactory Factory, const QString& ALoaderName,
                         TMyObjItem::TMethod Loader, const QString& AStorerName, TMyObjItem::TMethod Storer);

// Registers T with loader "Read" and storer "Write".
template <typename T>
void RegisterStreamClass()
{
    RegisterStreamClass(
        T::StaticClassName(), [] { return std::unique_ptr<TObject>(new T(Blank)); }, QStringLiteral("Read"),
        [](TObject& O, TStream& S) { static_cast<T&>(O).Read(S); }, QStringLiteral("Write"),
        [](TObject& O, TStream& S) { static_cast<T&>(O).Write(S); });
}

// Registers a list class with loader "ReadData" and storer "WriteData".
template <typename T>
void RegisterStreamListClass()
{
    RegisterStreamClass(
        T::StaticClassName(), [] { return std::unique_ptr<TObject>(new T(Blank)); }, QStringLiteral("ReadData"),
        [](TObject& O, TStream& S) { static_cast<T&>(O).ReadData(S); }, QStringLiteral("WriteData"),
        [](TObject& O, TStream& S) { static_cast<T&>(O).WriteData(S); });
}

const TMyObjItem* FindStreamClass(const QString& AClassName);

// Tells whether a blank instance of a stored class may stand where it was
// found; a refused class is never loaded.
using TClassCheck = std::function<bool(const TObject&)>;

// Objects read inside objects nest no deeper than this: a crafted file that
// nests lists endlessly would otherwise exhaust the stack.
inline constexpr int MaxObjectNesting = 32;

// Class name as a stream string, then the object's record.
void WriteObjectToStream(const TObject* AObject, TStream& S);
// Reads any registered class.
std::unique_ptr<TObject> ReadObjectFromStream(TStream& S);
// Reads an object only when Accept takes its class (checked on a blank
// instance before the record is read); otherwise EReadError naming What.
std::unique_ptr<TObject> ReadObjectFromStream(TStream& S, const TClassCheck& Accept, const char* What);

// Reads an object and checks that it is of the expected class (or derived).
template <typename T>
std::unique_ptr<T> ReadObjectFromStreamAs(TStream& S, const char* What);

// An owning (by default) list of objects that writes and reads itself:
// ownership byte, Int32 count, then class name and record per item.
class TMVObjectList : public TObject {
    KP_CLASS(TMVObjectList)
public:
    TMVObjectList();
    explicit TMVObjectList(bool AOwnsObjects);
    // A list made by the registry owns what it reads, so nothing leaks.
    explicit TMVObjectList(TBlank);
    ~TMVObjectList() override;
    TMVObjectList(const TMVObjectList&) = delete;
    TMVObjectList& operator=(const TMVObjectList&) = delete;

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool V) { FOwnsObjects = V; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TObject* Items(int Index) const;
    template <typename T>
    T* ItemAs(int Index) const
    {
        return static_cast<T*>(Items(Index));
    }
    void SetItems(int Index, TObject* AObject);

    int Add(TObject* AObject);
    template <typename T>
    T* Add(std::unique_ptr<T> AObject)
    {
        T* raw = AObject.release();
        Add(raw);
        return raw;
    }
    void Insert(int Index, TObject* AObject);
    void Delete(int Index);
    int Remove(TObject* AObject);
    TObject* Extract(TObject* AObject);
    int IndexOf(const TObject* AObject) const;
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void Clear();
    void Sort(const std::function<bool(const TObject*, const TObject*)>& Less);
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }
    // Changes with every change of the items or their order, and differs
    // between any two lists: a caller that saw the same list with the same
    // revision sees the same items in the same order.
    std::uint64_t Revision() const { return FRevision; }

    virtual void LoadFromFile(const QString& FileName);
    virtual void SaveToFile(const QString& FileName);
    virtual void ReadData(TStream& S);
    virtual void WriteData(TStream& S);
    // Reads an object-list record whose items must all pass Accept; the list
    // changes only when the whole record was read.
    void ReadDataOf(TStream& S, const TClassCheck& Accept, const char* What);
    // The same for items of class T or a class derived from it.
    template <typename T>
    void ReadDataOf(TStream& S, const char* What)
    {
        ReadDataOf(S, [](const TObject& O) { return dynamic_cast<const T*>(&O) != nullptr; }, What);
    }

protected:
    void ReserveItems(size_t N) { FItems.reserve(N); }

private:
    void CheckIndex(int Index) const;
    void Changed();
    bool FOwnsObjects = true;
    std::vector<TObject*> FItems;
    std::uint64_t FRevision = 0;
};

// Reads the whole file into memory and hands a stream over it to Reader;
// raises EFileError when the file cannot be opened.
void ReadFileStream(const QString& FileName, const std::function<void(TStream&)>& Reader);
// Writes through a temporary file that replaces FileName only when Writer
// succeeded, so a failed save keeps the old file. Creates the folder first.
void WriteFileStream(const QString& FileName, const std::function<void(TStream&)>& Writer);

[[noreturn]] void FailUnexpectedClass(const QString& AClassName, const char* What);

template <typename T>
std::unique_ptr<T> ReadObjectFromStreamAs(TStream& S, const char* What)
{
    std::unique_ptr<TObject> obj =
        ReadObjectFromStream(S, [](const TObject& O) { return dynamic_cast<const T*>(&O) != nullptr; }, What);
    return std::unique_ptr<T>(static_cast<T*>(obj.release()));
}
