// The headless main road from a new project to a saved and reloaded result:
// probes and load profile, mesh by our generator, a two-month run in hourly
// steps, the node dump as contoured field, save, load and save again; then a
// run with groundwater on the reloaded project.

#include "ProjectTestUtil.h"

#if defined(KP_TRIANGLE_EXE)

#include "model/probes/BHETypelistObj.h"

#include <QDirIterator>
#include <cmath>

namespace {

constexpr int Days = 60;
constexpr double Hour = 3600;

class MainRoadTest : public TProjectTestBase {
protected:
    void SetUp() override
    {
        TProjectTestBase::SetUp();
        TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
    }

    // A 12 kW constant load on four probes 6 m apart.
    static void MakeProject(TProject& P)
    {
        P.SetName(QStringLiteral("Hauptweg"));
        P.LoadProfile()->SetName(QStringLiteral("Grundlast"));
        P.LoadProfile()->SetLoadType(ltConstant);
        P.LoadProfile()->SetConstantLoad(12);
        TBHETypelist types;
        types.CreateDummy();
        TThermModel& m = *P.Model();
        const double xy[][2] = {{0, 0}, {6, 0}, {0, 6}, {6, 6}};
        for (const auto& c : xy) {
            TBHE* b = AddProbe(m, QStringLiteral("EWS %1").arg(m.BHEs().Count() + 1), c[0], c[1], 0);
            b->AssignType(*types.Items(0));
        }
    }

    static void PrepareRun(TThermModel& M)
    {
        TTimeEngine& e = M.MainLoop()->TimeEngine();
        e.SetRealStartTime(EncodeDate(2026, 1, 1));
        e.SetStartTime(0);
        e.SetCurrentTime(0);
        e.SetTimeStep(Hour);
        e.SetEndtime(Days * 86400.0);
        M.FieldModel()->SetDeltaTime(Hour);
        M.MainLoop()->SetFieldMultiplier(1);
        M.MainLoop()->SetAdvekCounter(0);
        M.InitModel();
    }

    static QString OnlyFileIn(const QString& Dir)
    {
        QStringList files;
        for (QDirIterator it(Dir, {"*.txt"}, QDir::Files); it.hasNext();) files << it.next();
        return files.size() == 1 ? files.first() : QString();
    }

    static std::vector<D2D_POINT_2F> LinePoints(const TMVContourMap& Map)
    {
        std::vector<D2D_POINT_2F> points;
        for (int i = 0; i < Map.TheLines.Count(); ++i)
            for (const D2D_POINT_2F& p : Map.Lines(i)->DPIPoints) points.push_back(p);
        return points;
    }
};

TEST_F(MainRoadTest, FromNewProjectToSavedResultAndBack)
{
    TProject p;
    MakeProject(p);
    TThermModel& m = *p.Model();
    m.GridGenerate(nullptr, false);
    ASSERT_TRUE(m.ProbesWithoutNode().isEmpty());
    const double area = m.Area();
    const double heatBefore = m.FieldModel()->Quantity();

    PrepareRun(m);
    m.MainLoop()->Run();
    const TTimeEngine& engine = m.MainLoop()->TimeEngine();
    ASSERT_TRUE(engine.Finished());
    EXPECT_EQ(engine.NumTimeStep(), Days * 24);
    EXPECT_NEAR(m.MainLoop()->GeothermalEnergy().Heat(), -12.0 * Days * 24, 1e-6);

    // The field gave 12 kW and took up the geothermal flux over its area;
    // its boundary and surface let no heat pass.
    const double expectedChange = (-12000 + m.DefQEarth() * area) * Days * 86400.0;
    EXPECT_NEAR(m.FieldModel()->Quantity() - heatBefore, expectedChange, 0.02 * std::abs(expectedChange));
    for (int i = 0; i < m.BHEs().Count(); ++i) {
        const TNode* n = m.FieldModel()->GetNodes(m.FieldModel()->FindNode(m.BHE(i)->X(), m.BHE(i)->Y()));
        EXPECT_LT(n->F(), m.DefFA() - 1) << i;
    }

    // The node dump, read back as the field the contours show.
    const QString dumps = WorkFile("felder");
    ASSERT_TRUE(QDir().mkpath(dumps));
    m.MainLoop()->SaveNodes(QDir(dumps).filePath("feld"));
    const QString dump = OnlyFileIn(dumps);
    ASSERT_FALSE(dump.isEmpty());
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) m.FieldModel()->GetNodes(k)->SetFCustom(0);
    ASSERT_TRUE(m.FieldModel()->ReadFCustomFromFile(dump));
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) {
        const TNode* n = m.FieldModel()->GetNodes(k);
        EXPECT_NEAR(n->FCustom(), n->F(), 1e-9);
    }
    m.ContourMap()->SetConvertFunction([](QPointF P) { return P; });
    m.MainLoop()->SetIsDirty(true);
    m.RefreshContourMap();
    EXPECT_FALSE(m.MainLoop()->IsDirty());
    ASSERT_GT(m.ContourMap()->Z().size(), 0);
    EXPECT_LT(m.ContourMap()->Z()[0], 0);
    ASSERT_GT(m.ContourMap()->TheLines.Count(), 0);

    // Save, load into a fresh project, save again: the same bytes.
    const QString first = WorkFile("hauptweg.kpm"), second = WorkFile("hauptweg-2.kpm");
    p.Save(first);
    TProject q;
    q.Load(first);
    q.Save(second);
    EXPECT_EQ(FileBytes(second), FileBytes(first));

    TThermModel& n = *q.Model();
    ASSERT_EQ(n.FieldModel()->NodeCount(), m.FieldModel()->NodeCount());
    ASSERT_EQ(n.FieldModel()->ElementCount(), m.FieldModel()->ElementCount());
    for (int k = 0; k < n.FieldModel()->NodeCount(); ++k) {
        const TNode* a = m.FieldModel()->GetNodes(k);
        const TNode* b = n.FieldModel()->GetNodes(k);
        EXPECT_EQ(b->X(), a->X());
        EXPECT_EQ(b->Y(), a->Y());
        EXPECT_EQ(b->F(), a->F());
        EXPECT_EQ(b->FatT0(), a->FatT0());
        EXPECT_NEAR(b->FCustom(), a->FCustom(), 1e-9);
    }
    ASSERT_EQ(n.BHEs().Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(n.BHE(i)->Name(), m.BHE(i)->Name());
        EXPECT_EQ(n.BHE(i)->X(), m.BHE(i)->X());
        EXPECT_TRUE(n.BHE(i)->IsType(*m.BHE(i)));
        EXPECT_EQ(n.BHEDataList().ItemAs<TBHEDataWrapper>(i)->BHE(), n.BHE(i));
    }
    n.ContourMap()->SetConvertFunction([](QPointF P) { return P; });
    n.RefreshContourMap();
    const TVec& za = m.ContourMap()->Z();
    const TVec& zb = n.ContourMap()->Z();
    ASSERT_EQ(zb.size(), za.size());
    for (Eigen::Index k = 0; k < za.size(); ++k) EXPECT_DOUBLE_EQ(zb[k], za[k]);
    EXPECT_EQ(n.ContourMap()->TheLines.Count(), m.ContourMap()->TheLines.Count());
    const std::vector<D2D_POINT_2F> pa = LinePoints(*m.ContourMap()), pb = LinePoints(*n.ContourMap());
    ASSERT_EQ(pb.size(), pa.size());
    for (size_t i = 0; i < pa.size(); ++i) {
        EXPECT_NEAR(pb[i].x, pa[i].x, 1e-3);
        EXPECT_NEAR(pb[i].y, pa[i].y, 1e-3);
    }
}

TEST_F(MainRoadTest, ARunWithGroundwaterCompletes)
{
    TProject p;
    MakeProject(p);
    p.Model()->GridGenerate(nullptr, false);
    const QString file = WorkFile("grundwasser.kpm");
    p.Save(file);

    TProject q;
    q.Load(file);
    TThermModel& m = *q.Model();
    m.MainLoop()->SetUseGW(true);
    // A groundwater period of ten days: six moves in the two months.
    m.GW()->SetTimeForGrid(10 * 86400.0);
    ASSERT_EQ(m.GW()->Count(), 0);
    PrepareRun(m);
    EXPECT_GT(m.GW()->Count(), 0);
    m.MainLoop()->Run();
    EXPECT_TRUE(m.MainLoop()->TimeEngine().Finished());
    EXPECT_EQ(m.MainLoop()->AdvekCounter(), Days / 10);
    EXPECT_EQ(m.MainLoop()->GWlog().size(), Days / 10);
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) EXPECT_TRUE(std::isfinite(m.FieldModel()->GetNodes(k)->F()));
}

}  // namespace

#endif
