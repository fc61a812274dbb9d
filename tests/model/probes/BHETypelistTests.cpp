#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHETypelistObj.h"
#include "model/settings/ModelDefaults.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>

namespace {

QString Fixture(const char* Name) { return QDir(QStringLiteral(KP_TEST_DATA "/probes")).filePath(QString::fromLatin1(Name)); }

void ExpectBuiltIns(const TBHETypelist& L)
{
    ASSERT_EQ(L.Count(), 2);
    TBHETypelist builtIn;
    builtIn.CreateDummy();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(L.Items(i)->Name(), builtIn.Items(i)->Name());
        EXPECT_TRUE(L.Items(i)->IsType(*builtIn.Items(i))) << i;
        EXPECT_EQ(L.Items(i)->CasingLength(), 100);
    }
}

}  // namespace

TEST(BHETypelist, BuiltInTypes)
{
    TBHETypelist l;
    l.CreateDummy();
    ASSERT_EQ(l.Count(), 2);
    struct Case {
        const char* Name;
        TTubeType Tube;
    } cases[] = {{"STD 2U", ttDoubleU}, {"STD 1U", ttSingleU}};
    for (int i = 0; i < 2; ++i) {
        const TBHE* t = l.Items(i);
        EXPECT_EQ(t->Name(), QString::fromLatin1(cases[i].Name));
        EXPECT_EQ(t->TubeType(), cases[i].Tube);
        EXPECT_EQ(t->CasingLength(), 100);
        EXPECT_EQ(t->BoringRadius(), 0.075);
        EXPECT_EQ(t->CasingRadius(), 0.0125);
        EXPECT_EQ(t->TubeX(), 0.035);
        EXPECT_EQ(t->TubeY(), 0.025);
        EXPECT_EQ(t->RB(), 0.1);
        EXPECT_EQ(t->ImageIndex(), -1);
        EXPECT_TRUE(std::isnan(t->FillConduc()));
        EXPECT_TRUE(std::isnan(t->X()));
        EXPECT_TRUE(t->IsType(*t));
    }
}

TEST(BHETypelist, SaveAndLoadKeepsTypesAndUnsetValues)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("neu/tiefer/bhetypes.xml"));
    TBHETypelist l;
    l.CreateDummy();
    ASSERT_TRUE(l.SaveXML(file));  // creates the folders
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(text.contains("<BHETypes>"));
    EXPECT_TRUE(text.contains("<FillConductivity>NaN</FillConductivity>"));

    TBHETypelist r;
    ASSERT_TRUE(r.LoadXML(file));
    ExpectBuiltIns(r);
    EXPECT_TRUE(std::isnan(r.Items(0)->FillConduc()));
    EXPECT_TRUE(std::isnan(r.Items(1)->X()));
}

TEST(BHETypelist, LoadReplacesTheContentInDocumentOrder)
{
    TBHETypelist l;
    l.CreateDummy();
    ASSERT_TRUE(l.LoadXML(Fixture("bhetypes.xml")));
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Items(0)->Name(), QString::fromUtf8("Große Sonde 2U"));
    EXPECT_EQ(l.Items(0)->CasingLength(), 150);
    EXPECT_EQ(l.Items(0)->ImageIndex(), 2);
    EXPECT_EQ(l.Items(1)->Name(), QStringLiteral("Koax"));
    EXPECT_EQ(l.Items(1)->TubeType(), ttCoax);
    EXPECT_EQ(l.Items(1)->RB(), 0.08);
}

TEST(BHETypelist, FailedLoadsLeaveTheListUnchanged)
{
    QTemporaryDir dir;
    const QString noRoot = QDir(dir.path()).filePath(QStringLiteral("empty.xml"));
    {
        QFile f(noRoot);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\"?>\n<BHETypes><Other/></BHETypes>");
    }
    struct Case {
        QString File;
        bool Raises;
        int CountAfter;
    } cases[] = {
        {QDir(dir.path()).filePath(QStringLiteral("fehlt.xml")), true, 2},
        {Fixture("bhetypes-truncated.xml"), true, 2},
        {noRoot, false, 0},  // a well-formed file without types is an empty list
    };
    for (const Case& c : cases) {
        TBHETypelist l;
        l.CreateDummy();
        if (c.Raises)
            EXPECT_THROW(l.LoadXML(c.File), EKPError) << c.File.toStdString();
        else
            EXPECT_TRUE(l.LoadXML(c.File));
        EXPECT_EQ(l.Count(), c.CountAfter) << c.File.toStdString();
    }
    TBHETypelist l;
    l.CreateDummy();
    EXPECT_THROW(l.LoadXML(QDir(dir.path()).filePath(QStringLiteral("fehlt.xml"))), EFileError);
    EXPECT_THROW(l.LoadXML(Fixture("bhetypes-truncated.xml")), EReadError);
}

TEST(BHETypelist, LoadOrCreate)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("Mirvatek/bhetypes.xml"));
    {  // missing: the built-in types, and the file is written
        TBHETypelist l;
        l.SetFileName(file);
        l.LoadOrCreate();
        ExpectBuiltIns(l);
        EXPECT_TRUE(QFile::exists(file));
    }
    {  // present: read
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(Fixture("bhetypes.xml"), file));
        TBHETypelist l;
        l.SetFileName(file);
        l.LoadOrCreate();
        ASSERT_EQ(l.Count(), 2);
        EXPECT_EQ(l.Items(1)->Name(), QStringLiteral("Koax"));
    }
    {  // unparseable: raises, list and file unchanged
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(Fixture("bhetypes-truncated.xml"), file));
        TBHETypelist l;
        l.CreateDummy();
        l.Items(0)->SetName(QStringLiteral("eigener"));
        l.SetFileName(file);
        EXPECT_THROW(l.LoadOrCreate(), EReadError);
        ASSERT_EQ(l.Count(), 2);
        EXPECT_EQ(l.Items(0)->Name(), QStringLiteral("eigener"));
        QFile f(file), g(Fixture("bhetypes-truncated.xml"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly) && g.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), g.readAll());
    }
}

TEST(BHETypelist, DefaultFileIsInTheListFileFolder)
{
    TBHETypelist l;
    EXPECT_EQ(l.FileName(), DefaultBHETypesFile());
    EXPECT_EQ(QFileInfo(l.FileName()).fileName(), QStringLiteral("bhetypes.xml"));
    EXPECT_EQ(QFileInfo(l.FileName()).absolutePath(),
              QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath("Mirvatek"));
}

TEST(BHETypelist, ReadFromAndSavedToTheFileTheSettingNames)
{
    QTemporaryDir dir;
    const QString saved = BHETypesFile;
    struct TRestore {
        QString Value;
        ~TRestore() { BHETypesFile = Value; }
    } restore{saved};

    // The main window makes its list before the settings are read.
    TBHETypelist l;
    const QString own = QDir(dir.path()).filePath(QStringLiteral("eigene/typen.xml"));
    BHETypesFile = own;
    EXPECT_EQ(l.FileName(), own);
    l.LoadOrCreate();
    ExpectBuiltIns(l);
    ASSERT_TRUE(QFile::exists(own));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("bhetypes.xml"))));

    // Another setting: the list there is read, and saved back there.
    const QString other = QDir(dir.path()).filePath(QStringLiteral("andere.xml"));
    ASSERT_TRUE(QFile::copy(Fixture("bhetypes.xml"), other));
    QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner);
    BHETypesFile = other;
    TBHETypelist m;
    m.LoadOrCreate();
    ASSERT_EQ(m.Count(), 2);
    EXPECT_EQ(m.Items(1)->Name(), QStringLiteral("Koax"));
    m.Items(1)->SetName(QStringLiteral("Koax neu"));
    m.SaveXML(m.FileName());
    TBHETypelist back;
    back.LoadXML(other);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Items(1)->Name(), QStringLiteral("Koax neu"));
    // The first file is left alone.
    TBHETypelist first;
    first.LoadXML(own);
    ExpectBuiltIns(first);

    // A name chosen for the list itself wins over the setting.
    m.SetFileName(own);
    EXPECT_EQ(m.FileName(), own);
}

namespace {

struct TTypeDialog : TBHEDialogs {
    bool Ok = false;
    bool EditBHEType(TBHETypeEditData& D) override
    {
        D.Name = QStringLiteral("Neuer Typ");
        D.RB = QStringLiteral("0.09");
        D.Length = QStringLiteral("120");
        D.ImageIndex = 1;
        D.TubeType = ttSingleU;
        return Ok;
    }
};

}  // namespace

TEST(BHETypelist, AddNewType)
{
    TTypeDialog dlg;
    TModelUIScope<TBHEDialogs> scope(&dlg);
    TBHETypelist l;
    l.CreateDummy();
    EXPECT_EQ(l.AddNewType(), nullptr);
    EXPECT_EQ(l.Count(), 2);

    dlg.Ok = true;
    TBHE* t = l.AddNewType();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Items(2), t);
    EXPECT_EQ(t->Name(), QStringLiteral("Neuer Typ"));
    EXPECT_EQ(t->RB(), 0.09);
    EXPECT_EQ(t->CasingLength(), 120);
    EXPECT_EQ(t->ImageIndex(), 1);
    EXPECT_EQ(t->TubeType(), ttSingleU);
    EXPECT_TRUE(std::isnan(t->BoringRadius()));
    EXPECT_EQ(t->TubeX(), 0);
    EXPECT_FALSE(t->IsType(*t));  // radii not set: no probe is ever of this type
}
