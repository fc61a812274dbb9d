// The project's windows (load profiles, georeference), its drawing and the
// result table of the solver checks.

#include "ProjectTestUtil.h"

#include "model/base/KPError.h"
#include "model/project/CheckGrid.h"

#include "gfx/Canvas.h"

#include <QImage>

namespace {

class ProjectEditTest : public TProjectTestBase {
protected:
    // Three profiles "P0", "P1", "P2" and probes of both models on each.
    void ThreeProfiles(TProject& P)
    {
        P.LoadProfile()->SetName("P0");
        for (int i = 1; i < 3; ++i) {
            auto profile = std::make_unique<TLoadObj>();
            profile->SetName(QStringLiteral("P%1").arg(i));
            P.LoadProfils().Add(std::move(profile));
        }
        P.AddModel();
        for (int m = 0; m < 2; ++m)
            for (int i = 0; i < 3; ++i)
                AddProbe(*P.Models().ItemAs<TThermModel>(m), QStringLiteral("S%1").arg(i), i, m, i);
    }
    static std::vector<int> Indices(const TProject& P, int Model)
    {
        std::vector<int> v;
        const TThermModel* m = P.Models().ItemAs<TThermModel>(Model);
        for (int i = 0; i < m->BHEs().Count(); ++i) v.push_back(m->BHE(i)->LoadProfilIndex());
        return v;
    }
    static void ExpectBound(const TProject& P)
    {
        for (int i = 0; i < P.Models().Count(); ++i) {
            const TMainLoop* loop = P.Models().ItemAs<TThermModel>(i)->MainLoop();
            EXPECT_EQ(loop->LoadProfile(), P.LoadProfile());
            EXPECT_EQ(loop->LoadProfils(), &P.LoadProfils());
        }
        EXPECT_GE(P.LoadProfils().IndexOf(P.LoadProfile()), 0);
    }
};

TEST_F(ProjectEditTest, DeletingAProfileReindexesTheProbesOfEveryModel)
{
    TProject p;
    ThreeProfiles(p);
    p.DeleteLoadProfil(1);
    EXPECT_EQ(p.LoadProfils().Count(), 2);
    EXPECT_EQ(p.LoadProfil(1)->Name(), "P2");
    const std::vector<int> expected{0, -1, 1};
    EXPECT_EQ(Indices(p, 0), expected);
    EXPECT_EQ(Indices(p, 1), expected);
    ExpectBound(p);
}

TEST_F(ProjectEditTest, TheWindowListsTheProfilesAndItsButtonsWork)
{
    TProject p;
    ThreeProfiles(p);
    p.LoadProfil(2)->SetName(QString());
    p.SetLoadProfile(p.LoadProfil(1));
    TFakeProjectDialogs dlg;
    TModelUIScope<TProjectDialogs> scope(&dlg);
    dlg.Script = [](TLoadProfilsEditData& d, const auto& NewClick, const auto& DeleteClick) {
        NewClick(d);
        EXPECT_EQ(d.Entries.last(), "Neues Lastprofil");
        EXPECT_EQ(d.Selected, 3);
        d.Selected = 0;
        DeleteClick(d);
        EXPECT_EQ(d.Entries, QStringList({"P1", "unbenanntes Lastprofil", "Neues Lastprofil"}));
        EXPECT_EQ(d.Selected, 0);
        d.Selected = 2;
    };
    ASSERT_TRUE(p.EditLoadProfils());
    EXPECT_EQ(dlg.Shown.Entries, QStringList({"P0", "P1", "unbenanntes Lastprofil"}));
    EXPECT_EQ(dlg.Shown.Selected, 1);
    EXPECT_EQ(p.LoadProfils().Count(), 3);
    EXPECT_EQ(p.LoadProfile(), p.LoadProfil(2));
    EXPECT_EQ(p.LoadProfile()->Name(), "Neues Lastprofil");
    EXPECT_EQ(Indices(p, 1), (std::vector<int>{-1, 0, 1}));
    ExpectBound(p);
}

TEST_F(ProjectEditTest, DeletingTheCurrentProfileLeavesAValidOneEvenOnCancel)
{
    const struct {
        const char* Name;
        int Delete;
        int Count;  // deletions at that index
        const char* Current;
    } cases[] = {
        {"the middle one", 1, 1, "P2"},
        {"the last one", 2, 1, "P1"},
        {"all of them", 0, 3, "Neues Lastprofil"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TProject p;
        ThreeProfiles(p);
        p.SetLoadProfile(p.LoadProfil(c.Delete));
        TFakeProjectDialogs dlg;
        dlg.Ok = false;
        TModelUIScope<TProjectDialogs> scope(&dlg);
        dlg.Script = [&](TLoadProfilsEditData& d, const auto&, const auto& DeleteClick) {
            for (int k = 0; k < c.Count; ++k) {
                d.Selected = c.Delete;
                DeleteClick(d);
            }
        };
        EXPECT_FALSE(p.EditLoadProfils());
        ASSERT_NE(p.LoadProfile(), nullptr);
        EXPECT_EQ(p.LoadProfile()->Name(), c.Current);
        ExpectBound(p);
    }
}

TEST_F(ProjectEditTest, NothingSelectedDeletesNothing)
{
    TProject p;
    ThreeProfiles(p);
    TLoadProfilsEditData d;
    d.Entries = QStringList({"P0", "P1", "P2"});
    d.Selected = -1;
    p.DeleteLoadProfilClick(d);
    EXPECT_EQ(p.LoadProfils().Count(), 3);
    EXPECT_EQ(d.Entries.size(), 3);
}

TEST_F(ProjectEditTest, GeoreferenceShowsAndTakesTheBounds)
{
    TLocaleScope german{QLocale(QLocale::German)};
    TProject p;
    p.MapImage->SetExtent(3500123.25, 5400000.5, 3500623.25, 5400400.5);
    TFakeProjectDialogs dlg;
    TModelUIScope<TProjectDialogs> scope(&dlg);
    dlg.GeoAnswer = [](TGeoreferenceEditData& d) {
        d.LLX = "100,5";
        d.LLY = "200";
        d.URX = "300";
        d.URY = "400,25";
    };
    ASSERT_TRUE(p.GeoreferenceMap());
    EXPECT_EQ(dlg.ShownGeo.ImageSize, "Die Bildgröße beträgt 0 x 0 Pixel");
    EXPECT_EQ(dlg.ShownGeo.LLX, "3500123,25");
    EXPECT_EQ(dlg.ShownGeo.URY, "5400400,5");
    EXPECT_DOUBLE_EQ(p.MapImage->X1(), 100.5);
    EXPECT_DOUBLE_EQ(p.MapImage->Y1(), 200);
    EXPECT_DOUBLE_EQ(p.MapImage->X2(), 300);
    EXPECT_DOUBLE_EQ(p.MapImage->Y2(), 400.25);
}

TEST_F(ProjectEditTest, GeoreferenceRefusesBoundsThatAreNoRectangle)
{
    const struct {
        const char* Name;
        const char *X1, *Y1, *X2, *Y2;
    } cases[] = {
        {"X2 = X1", "10", "0", "10", "5"},
        {"X2 < X1", "10", "0", "5", "5"},
        {"Y2 < Y1", "0", "10", "5", "5"},
        {"no number", "0", "0", "weit", "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TProject p;
        p.MapImage->SetExtent(1, 2, 3, 4);
        TFakeProjectDialogs dlg;
        TModelUIScope<TProjectDialogs> scope(&dlg);
        dlg.GeoAnswer = [&](TGeoreferenceEditData& d) {
            d.LLX = c.X1;
            d.LLY = c.Y1;
            d.URX = c.X2;
            d.URY = c.Y2;
        };
        EXPECT_THROW(p.GeoreferenceMap(), EKPError);
        EXPECT_DOUBLE_EQ(p.MapImage->X1(), 1);
        EXPECT_DOUBLE_EQ(p.MapImage->Y1(), 2);
        EXPECT_DOUBLE_EQ(p.MapImage->X2(), 3);
        EXPECT_DOUBLE_EQ(p.MapImage->Y2(), 4);
    }
    TProject p;
    TFakeProjectDialogs cancel;
    cancel.Ok = false;
    TModelUIScope<TProjectDialogs> scope(&cancel);
    EXPECT_FALSE(p.GeoreferenceMap());
}

TEST_F(ProjectEditTest, DrawShowsMeshAndProbesOnlyWithAConversion)
{
    TProject p;
    TThermModel& m = *p.Model();
    m.ImportMesh(ProjectFixture("model/field.1.node"));
    AddProbe(m, "A", 0, 0)->SetImageIndex(-1);
    AddProbe(m, "B", 5, 0)->SetImageIndex(0);
    const std::vector<QImage> markers{[] {
        QImage red(9, 9, QImage::Format_ARGB32_Premultiplied);
        red.fill(Qt::red);
        return red;
    }()};
    // World metres to pixels: 10 px per metre, origin at (150; 150), y up.
    auto toPlan = [](QPointF P) { return QPointF(150 + 10 * P.x(), 150 - 10 * P.y()); };
    const struct {
        const char* Name;
        bool WithConversion;
        bool Probe, Marker, Edge;
    } cases[] = {{"with conversion", true, true, true, true}, {"without", false, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        p.SetConvertFunction(c.WithConversion ? TConvertFunction(toPlan) : TConvertFunction());
        QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            TCanvas canvas(&image);
            p.Draw(&canvas, true, false, true, true, 255, 10, TWorldRect{-15, -15, 15, 15}, TRect{0, 0, 300, 300},
                   &markers);
        }
        // Probe A as a black disc, probe B as its red marker, the mesh's
        // outer edge at x = 10 m.
        EXPECT_EQ(qGray(image.pixel(150, 150)) < 64, c.Probe);
        EXPECT_EQ(image.pixel(200, 150) == QColor(Qt::red).rgb(), c.Marker);
        EXPECT_EQ(qGray(image.pixel(250, 120)) < 128, c.Edge);
    }
    p.Draw(nullptr, true, true, true, true, 255, 10, TWorldRect{}, TRect{}, nullptr);
}

TEST_F(ProjectEditTest, TheValidationCheckNeedsExactlyOneProbe)
{
    TProject p;
    TThermModel& m = *p.Model();
    AddProbe(m, "A", 0, 0);
    AddProbe(m, "B", 9, 0);
    m.SetDefLambda(2.2);
    TRecordingPrompts prompts;
    TModelUIScope<TPrompts> scope(&prompts);
    TStringTable grid;
    p.RunValidationExample(grid);
    EXPECT_EQ(prompts.Errors, QStringList{"Die Anzahl der Sonden muss 1 sein"});
    EXPECT_EQ(m.BHEs().Count(), 2);
    EXPECT_DOUBLE_EQ(m.DefLambda(), 2.2);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST_F(ProjectEditTest, ThePumpingTestWithoutItsMeshFileChangesNothing)
{
    TProject p;
    p.Model()->ImportMesh(ProjectFixture("model/field.1.node"));
    TStringTable grid;
    EXPECT_THROW(p.RunPumptestExample(grid), EKPError);
    EXPECT_EQ(p.Model()->FieldModel()->NodeCount(), 10);
}

TEST_F(ProjectEditTest, TheStringTableKeepsCellsInsideItsSize)
{
    TStringTable t;
    t.SetSize(3, 2);
    t.SetCell(2, 1, "x");
    t.SetCell(3, 0, "außerhalb");
    t.SetCell(-1, 0, "außerhalb");
    EXPECT_EQ(t.Cell(2, 1), "x");
    EXPECT_EQ(t.Cell(3, 0), "");
    t.SetSize(4, 3);
    EXPECT_EQ(t.Cell(2, 1), "x");
    t.Clear();
    EXPECT_EQ(t.Cell(2, 1), "");
    EXPECT_EQ(t.ColCount(), 4);
}

}  // namespace
