// The project and its ".kpm" file: header, versions, the round trip, and
// every way a file can be wrong without harming the open project.

#include "ProjectTestUtil.h"

#include "model/base/KPError.h"
#include "model/fe/ParameterSet.h"

namespace {

class ProjectFileTest : public TProjectTestBase {
protected:
    // Something in every record: name, client, user, map extent, three
    // profiles of different kinds, a model with probes on a mesh, run data,
    // monitoring and contour settings, and a second model.
    void Fill(TProject& P)
    {
        P.SetName(QStringLiteral("Schulzentrum Süd"));
        P.SetClient(QStringLiteral("Gemeinde"));
        P.SetUser(QStringLiteral("J. Müller"));
        P.MapImage->SetExtent(1000, 2000, 1500, 2400);
        P.LoadProfile()->SetName(QStringLiteral("Heizung"));
        P.LoadProfile()->SetConstantLoad(12);
        auto year = std::make_unique<TLoadObj>();
        year->SetName(QStringLiteral("Jahr"));
        year->SetLoadType(ltYearProfile);
        year->AddPoint(1, 1, 250.0);
        P.LoadProfils().Add(std::move(year));
        auto month = std::make_unique<TLoadObj>();
        month->SetLoadType(ltMonthProfile);
        P.LoadProfils().Add(std::move(month));
        TThermModel& m = *P.Model();
        m.SetName(QStringLiteral("Feld 1"));
        m.ImportMesh(ProjectFixture("model/field.1.node"));
        AddProbe(m, "A", 0, 0, 0);
        AddProbe(m, "B", 5, 0, 1);
        m.InitModel();
        m.InitMonitoring();
        m.MonitoringList()->AddObsPoint(m.FieldModel()->GetNodes(8));
        m.Paramsets().Add(std::make_unique<TParameterSet>(QStringLiteral("Sand"), 0x00FFFF));
        m.SetContourMethod(lcGrid);
        P.AddModel()->SetName(QStringLiteral("Variante"));
    }
    // What must not change when loading fails.
    struct TState {
        QString Name;
        TThermModel* Model;
        TLoadObj* Profile;
        int Probes;
        std::int32_t Major, Minor;
    };
    static TState StateOf(const TProject& P)
    {
        return {P.Name(), P.Model(), P.LoadProfile(), P.Model()->BHEs().Count(), FileVersionMajor, FileVersionMinor};
    }
    static void ExpectUnchanged(const TProject& P, const TState& S)
    {
        EXPECT_EQ(P.Name(), S.Name);
        EXPECT_EQ(P.Model(), S.Model);
        EXPECT_EQ(P.LoadProfile(), S.Profile);
        EXPECT_EQ(P.Model()->BHEs().Count(), S.Probes);
        EXPECT_EQ(FileVersionMajor, S.Major);
        EXPECT_EQ(FileVersionMinor, S.Minor);
    }
    // A probe-free project for the files of older versions.
    static void FillPlain(TProject& P)
    {
        P.SetName(QStringLiteral("Alt"));
        P.LoadProfile()->SetName(QStringLiteral("Grund"));
        P.LoadProfile()->SetConstantLoad(7.5);
        FillVersionedFields(*P.Model());
    }
};

TEST_F(ProjectFileTest, CreateGivesOneProfileOneBoundModelAndAnEmptyMap)
{
    TProject p;
    ASSERT_EQ(p.LoadProfils().Count(), 1);
    EXPECT_EQ(p.LoadProfile(), p.LoadProfil(0));
    ASSERT_EQ(p.Models().Count(), 1);
    EXPECT_EQ(p.Model(), p.Models().Items(0));
    EXPECT_EQ(p.Model()->MainLoop()->LoadProfile(), p.LoadProfile());
    EXPECT_EQ(p.Model()->MainLoop()->LoadProfils(), &p.LoadProfils());
    EXPECT_FALSE(p.MapImage->HasPicture());
    EXPECT_TRUE(p.Name().isEmpty() && p.Client().isEmpty() && p.User().isEmpty());

    TThermModel* second = p.AddModel();
    EXPECT_EQ(p.Models().Count(), 2);
    EXPECT_EQ(p.Model(), p.Models().Items(0));
    EXPECT_EQ(second->MainLoop()->LoadProfile(), p.LoadProfile());
}

TEST_F(ProjectFileTest, TheFileStartsWithSignatureAndVersion)
{
    TProject p;
    const QString file = WorkFile("p.kpm");
    p.Save(file);
    QByteArray expected("\x0B\x00\x00\x00", 4);
    for (QChar c : QStringLiteral("Mirvatek KP")) expected += QByteArray(1, char(c.unicode())) + QByteArray(1, '\0');
    expected += QByteArray("\x02\x00\x00\x00\x01\x00\x00\x00", 8);
    EXPECT_EQ(FileBytes(file).left(expected.size()), expected);
}

TEST_F(ProjectFileTest, SaveLoadSaveGivesTheSameBytes)
{
    TProject p;
    Fill(p);
    const QString first = WorkFile("eins.kpm"), second = WorkFile("zwei.kpm");
    p.Save(first);
    FileVersionMajor = 1;
    FileVersionMinor = 0;

    TProject q;
    TThermModel* oldModel = q.Model();
    q.Load(first);
    q.Save(second);
    EXPECT_EQ(FileBytes(second), FileBytes(first));
    EXPECT_EQ(FileVersionMajor, 2);
    EXPECT_EQ(FileVersionMinor, 1);

    EXPECT_EQ(q.Name(), "Schulzentrum Süd");
    EXPECT_EQ(q.Client(), "Gemeinde");
    EXPECT_EQ(q.User(), "J. Müller");
    EXPECT_DOUBLE_EQ(q.MapImage->X2(), 1500);
    ASSERT_EQ(q.LoadProfils().Count(), 3);
    EXPECT_EQ(q.LoadProfile(), q.LoadProfil(0));
    EXPECT_EQ(q.LoadProfile()->Name(), "Heizung");
    ASSERT_EQ(q.Models().Count(), 2);
    EXPECT_NE(q.Model(), oldModel);
    EXPECT_EQ(q.Model(), q.Models().Items(0));
    EXPECT_EQ(q.Model()->BHEs().Count(), 2);
    for (int i = 0; i < q.Models().Count(); ++i) {
        const TMainLoop* loop = q.Models().ItemAs<TThermModel>(i)->MainLoop();
        EXPECT_EQ(loop->LoadProfils(), &q.LoadProfils());
        EXPECT_EQ(loop->LoadProfile(), q.LoadProfile());
    }
}

TEST_F(ProjectFileTest, EveryVersionUpToTheProgramsLoads)
{
    const struct {
        int Major, Minor;
    } versions[] = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}};
    for (const auto& v : versions) {
        SCOPED_TRACE(testing::Message() << v.Major << "." << v.Minor);
        TProject source;
        FillPlain(source);
        source.LoadProfils().Add(std::make_unique<TLoadObj>());
        const QString file = WorkFile(QStringLiteral("v%1%2.kpm").arg(v.Major).arg(v.Minor));
        WriteBytes(file, OldProjectFile(source, v.Major, v.Minor));
        TProject p;
        p.Load(file);
        EXPECT_EQ(FileVersionMajor, v.Major);
        EXPECT_EQ(FileVersionMinor, v.Minor);
        EXPECT_EQ(p.Name(), "Alt");
        // Version 1 holds the current profile alone, without its name.
        ASSERT_EQ(p.LoadProfils().Count(), v.Major == 1 ? 1 : 2);
        EXPECT_EQ(p.LoadProfile(), p.LoadProfil(0));
        EXPECT_DOUBLE_EQ(p.LoadProfile()->ConstantLoad(), 7.5);
        EXPECT_EQ(p.LoadProfile()->Name(), v.Major == 1 ? TLoadObj().Name() : "Grund");
        EXPECT_EQ(p.Model()->Name(), "Versionen");
        EXPECT_EQ(p.Model()->ContourMapCols(), VersionAtLeast(v.Major, v.Minor, 1, 2) ? 33 : 0);
        EXPECT_EQ(p.Model()->MainLoop()->LoadProfile(), p.LoadProfile());
    }
}

TEST_F(ProjectFileTest, NewerVersionsAreRefusedWithAMessage)
{
    const struct {
        int Major, Minor;
        const char* Message;
    } cases[] = {
        {3, 0, "Programmversion ist 2, die Datei ist aber Version 3"},
        {2, 2, "Programmversion ist 2.1, die Datei ist aber Version 2.2"},
        {0, 5, "Die Versionsnummer 0.5 der Projektdatei ist ungültig."},
        {2, -1, "Die Versionsnummer 2.-1 der Projektdatei ist ungültig."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        TProject source;
        FillPlain(source);
        QByteArray bytes = OldProjectFile(source, 2, 1);
        bytes.replace(26, 8, QByteArray(reinterpret_cast<const char*>(&c.Major), 4) +
                                 QByteArray(reinterpret_cast<const char*>(&c.Minor), 4));
        const QString file = WorkFile("neu.kpm");
        WriteBytes(file, bytes);
        TProject p;
        const TState before = StateOf(p);
        try {
            p.Load(file);
            FAIL() << "loaded";
        } catch (const EKPError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Message));
        }
        ExpectUnchanged(p, before);
    }
}

TEST_F(ProjectFileTest, AFileWithoutTheSignatureIsNoProject)
{
    TProject source;
    const QByteArray good = OldProjectFile(source, 2, 1);
    QByteArray lower = good;
    lower[4] = 'm';
    const struct {
        const char* Name;
        QByteArray Bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"letter case", lower},
        {"other text", QByteArray("\x04\x00\x00\x00K\0P\0M\0!\0", 12) + good.mid(26)},
        {"absurd length", QByteArray("\xFF\xFF\xFF\x7F", 4) + good.mid(4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString file = WorkFile("fremd.kpm");
        WriteBytes(file, c.Bytes);
        TProject p;
        p.SetName("offen");
        const TState before = StateOf(p);
        try {
            p.Load(file);
            FAIL() << "loaded";
        } catch (const EReadError& e) {
            EXPECT_TRUE(e.Message().contains("keine Projektdatei")) << e.Message().toStdString();
        }
        ExpectUnchanged(p, before);
    }
    TProject p;
    EXPECT_THROW(p.Load(WorkFile("fehlt.kpm")), EFileError);
}

TEST_F(ProjectFileTest, AFileCutShortAtAnyRecordBoundaryChangesNothing)
{
    TProject source;
    Fill(source);
    const QString whole = WorkFile("ganz.kpm");
    source.Save(whole);
    std::vector<qint64> marks;
    const QByteArray bytes = OldProjectFile(source, 2, 1, &marks);
    // The record layout the cuts follow is the one Save writes.
    ASSERT_EQ(bytes, FileBytes(whole));
    ASSERT_EQ(marks.back(), bytes.size());
    const QString file = WorkFile("kurz.kpm");
    TProject p;
    p.SetName("offen");
    AddProbe(*p.Model(), "bleibt", 1, 1);
    FileVersionMajor = 1;
    FileVersionMinor = 3;
    const TState before = StateOf(p);
    // At each boundary, and a byte before and after it (inside a field).
    std::vector<qint64> lengths{0};
    for (qint64 m : marks)
        for (qint64 n : {m - 1, m, m + 1})
            if (n > 0 && n < bytes.size()) lengths.push_back(n);
    for (qint64 n : lengths) {
        WriteBytes(file, bytes.left(n));
        EXPECT_THROW(p.Load(file), EKPError) << "length " << n;
    }
    ExpectUnchanged(p, before);
}

TEST_F(ProjectFileTest, DamagedRecordsAndMissingContentAreRefused)
{
    TProject source;
    FillPlain(source);
    const QByteArray good = OldProjectFile(source, 2, 1);
    const QByteArray modelName = QByteArray("T\0T\0h\0e\0r\0m\0M\0o\0d\0e\0l\0", 22);
    const QByteArray profileName = QByteArray("T\0L\0o\0a\0d\0O\0b\0j\0", 16);
    const qsizetype modelAt = good.indexOf(modelName);
    const qsizetype profileAt = good.indexOf(profileName);
    ASSERT_GT(modelAt, 0);
    ASSERT_GT(profileAt, 0);
    // The frame of a list: ownership byte, count, then class name length.
    const qsizetype profileCount = profileAt - 4 - 4;
    const qsizetype modelCount = modelAt - 4 - 4;
    auto with = [&](qsizetype Pos, const QByteArray& Bytes) {
        QByteArray b = good;
        b.replace(Pos, Bytes.size(), Bytes);
        return b;
    };
    QByteArray noProfile;
    {
        // The profile list emptied: its record removed, its count 0.
        const qsizetype profileEnd = modelCount - 1;
        noProfile = good.left(profileCount) + QByteArray(4, '\0') + good.mid(profileEnd);
    }
    const struct {
        const char* Name;
        QByteArray Bytes;
        const char* Message;
    } cases[] = {
        {"unknown model class", with(modelAt + 20, QByteArray("X\0", 2)), "TThermModeX"},
        {"a model where profiles belong", with(profileAt, modelName.left(16)), "nicht registriert"},
        {"no model", good.left(modelCount) + QByteArray(4, '\0'), "kein thermisches Modell"},
        {"no profile", noProfile, "kein Lastprofil"},
        {"negative model count", with(modelCount, QByteArray("\xFF\xFF\xFF\xFF", 4)), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString file = WorkFile("kaputt.kpm");
        WriteBytes(file, c.Bytes);
        TProject p;
        const TState before = StateOf(p);
        try {
            p.Load(file);
            FAIL() << "loaded";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.Message))) << e.Message().toStdString();
        }
        ExpectUnchanged(p, before);
    }
}

TEST_F(ProjectFileTest, AFailedSaveKeepsTheOldFile)
{
    TProject p;
    Fill(p);
    const QString file = WorkFile("alt.kpm");
    p.Save(file);
    const QByteArray old = FileBytes(file);
    // An object no file can hold makes the writing fail half-way.
    p.Model()->Paramsets().Add(std::make_unique<TTagElement>(QStringLiteral("fremd"), 0));
    p.SetName("geändert");
    EXPECT_THROW(p.Save(file), EKPError);
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_THROW(p.Save(WorkFile("datei/als/ordner")), EKPError);
}

TEST_F(ProjectFileTest, TheProjectXmlNestsTheModels)
{
    TProject p;
    AddProbe(*p.Model(), "A", 1, 2);
    TThermModel* second = p.AddModel();
    AddProbe(*second, "B", 3, 4);
    AddProbe(*second, "C", 5, 6);
    second->SetFluxFluid(0.25);
    const QString file = WorkFile("projekt.xml");
    ASSERT_TRUE(p.SaveXML(file));
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
    EXPECT_STREQ(doc.document_element().name(), "BHEModelingProject");
    const pugi::xml_node models = doc.document_element().child("Models");
    EXPECT_EQ(std::distance(models.children("ThermalModel").begin(), models.children("ThermalModel").end()), 2);

    TProject q;
    q.SetName("bleibt");
    ASSERT_TRUE(q.LoadXML(file));
    ASSERT_EQ(q.Models().Count(), 2);
    EXPECT_EQ(q.Model(), q.Models().Items(0));
    EXPECT_EQ(q.Model()->BHEs().Count(), 1);
    const TThermModel* b = q.Models().ItemAs<TThermModel>(1);
    EXPECT_EQ(b->BHEs().Count(), 2);
    EXPECT_DOUBLE_EQ(b->FluxFluid(), 0.25);
    EXPECT_EQ(b->MainLoop()->LoadProfils(), &q.LoadProfils());
    EXPECT_EQ(q.Name(), "bleibt");
}

TEST_F(ProjectFileTest, AnXmlWithoutModelsChangesNothing)
{
    const char* documents[] = {
        "<BHEModelingProject/>",
        "<BHEModelingProject><Models/></BHEModelingProject>",
        "<BHEModelingProject><Models><Other/></Models></BHEModelingProject>",
    };
    for (const char* text : documents) {
        SCOPED_TRACE(text);
        TProject p;
        TThermModel* model = p.Model();
        AddProbe(*model, "A", 0, 0);
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(text));
        EXPECT_FALSE(p.ReadXML(doc.document_element()));
        EXPECT_EQ(p.Model(), model);
        EXPECT_EQ(p.Models().Count(), 1);
        EXPECT_EQ(model->BHEs().Count(), 1);
    }
}

}  // namespace
