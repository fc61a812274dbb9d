// The thermal model without the generator: creation and wiring, probes,
// run preparation, the parameter dialog, mesh import and initial conditions.

#include "ThermModelTestUtil.h"

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"
#include "model/probes/ThermUtil.h"

#include <QFile>
#include <cmath>

namespace {

class ThermModelTest : public TModelTestBase {};

TEST_F(ThermModelTest, CreateTakesDefaultsAndWiresTheParts)
{
    DefaultRhoCP = 2.7;
    DefaultLambda = 2.4;
    DataDir = QStringLiteral("/daten/kp");
    TThermModel m;
    EXPECT_EQ(m.BHEs().Count(), 0);
    EXPECT_DOUBLE_EQ(m.FluxFluid(), 0.001);
    EXPECT_EQ(m.Fluid(), flWasser);
    EXPECT_DOUBLE_EQ(m.InitalFluidTemperature(), 10);
    EXPECT_EQ(m.Messagelist(), nullptr);
    EXPECT_EQ(m.HeatPump()->Name(), "Example Heatpump");
    EXPECT_DOUBLE_EQ(m.HeatPump()->CoolWaterTemperature(), 18);
    const struct {
        const char* Name;
        double Value;
        double Expected;
    } values[] = {
        {"DefAirTemperature", m.DefAirTemperature(), 10}, {"DefRhoCP", m.DefRhoCP(), 2.7},
        {"DefQEarth", m.DefQEarth(), 0.05},               {"DefAlphaSurface", m.DefAlphaSurface(), 0},
        {"DefLambda", m.DefLambda(), 2.4},                {"DefThickness", m.DefThickness(), 100},
        {"DefFA", m.DefFA(), 10},                         {"GridOuterArea", m.GridOuterArea(), 50},
        {"GridInnerArea", m.GridInnerArea(), 5},          {"GridScaleFactor", m.GridScaleFactor(), 3},
        {"GridDeltaBorder", m.GridDeltaBorder(), 50},
    };
    for (const auto& v : values) EXPECT_DOUBLE_EQ(v.Value, v.Expected) << v.Name;
    EXPECT_EQ(m.ContourMapCols(), 50);
    EXPECT_EQ(m.ContourMapRows(), 50);
    EXPECT_TRUE(m.ShowDeltaInContour());
    EXPECT_EQ(m.ContourMethod(), lcFe);
    EXPECT_FALSE(m.NumModelDirty());
    EXPECT_EQ(m.DataFileDir(), "/daten/kp");
    EXPECT_TRUE(m.DataFilePrefix().isEmpty());
    EXPECT_FALSE(m.RunActive());

    TMainLoop& loop = *m.MainLoop();
    EXPECT_EQ(loop.HeatPump(), m.HeatPump());
    EXPECT_EQ(loop.BHEDataList(), &m.BHEDataList());
    EXPECT_EQ(loop.MonitoringList(), m.MonitoringList());
    EXPECT_EQ(loop.FieldModel(), m.FieldModel());
    EXPECT_EQ(loop.GWModel(), m.GW());
    EXPECT_EQ(m.GW()->Model(), m.FieldModel());
    EXPECT_DOUBLE_EQ(loop.CurrentTemperatureIn(), 10);
    m.SetFluxFluid(0.004);
    m.SetFluid(flEE33);
    EXPECT_DOUBLE_EQ(loop.Flux(), 0.004);
    EXPECT_EQ(loop.Fluid(), flEE33);
}

TEST_F(ThermModelTest, AddBHEAppendsAProbeAndNothingElse)
{
    TThermModel m;
    TBHE* a = m.AddBHE();
    TBHE* b = m.AddBHE();
    ASSERT_EQ(m.BHEs().Count(), 2);
    EXPECT_EQ(m.BHE(0), a);
    EXPECT_EQ(m.BHE(1), b);
    EXPECT_TRUE(std::isnan(a->X()));
    EXPECT_FALSE(m.NumModelDirty());
}

TEST_F(ThermModelTest, CreateDummysAddsThreeTestProbes)
{
    TThermModel m;
    QStringList messages;
    m.SetMessagelist(&messages);
    m.CreateDummys();
    ASSERT_EQ(m.BHEs().Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TBHE* b = m.BHE(i);
        EXPECT_EQ(b->Name(), QStringLiteral("Dummy %1").arg(i + 1));
        EXPECT_DOUBLE_EQ(b->X(), 10.0 * i);
        EXPECT_DOUBLE_EQ(b->Y(), 0);
        EXPECT_EQ(b->TubeType(), ttDoubleU);
        EXPECT_DOUBLE_EQ(b->Depth(), 100);
        EXPECT_DOUBLE_EQ(b->CasingLength(), 100);
        EXPECT_DOUBLE_EQ(b->BoringRadius(), 0.075);
        EXPECT_DOUBLE_EQ(b->CasingRadius(), 0.0125);
        EXPECT_DOUBLE_EQ(b->TubeX(), 0.035);
        EXPECT_DOUBLE_EQ(b->TubeY(), 0.025);
        EXPECT_EQ(b->Messagelist(), &messages);
    }
}

TEST_F(ThermModelTest, RemoveBHETakesItsRunDataAndMonitoringAlong)
{
    TThermModel m;
    ImportFixtureMesh(m);
    TBHE* a = AddProbe(m, "A", 0, 0);
    TBHE* b = AddProbe(m, "B", 5, 0);
    const int nodeA = m.FieldModel()->FindNode(0, 0);
    m.FieldModel()->GetNodes(nodeA)->SetBorderCondition(bc2FixedFlow);
    m.InitModel();
    m.InitMonitoring();
    m.MonitoringList()->AddObsPoint(m.FieldModel()->GetNodes(3));
    ASSERT_EQ(m.MonitoringList()->Count(), 3);

    // A probe of another model is not this model's to remove.
    TBHE stranger;
    m.RemoveBHE(&stranger);
    EXPECT_EQ(m.BHEs().Count(), 2);

    m.RemoveBHE(a);
    ASSERT_EQ(m.BHEs().Count(), 1);
    EXPECT_EQ(m.BHE(0), b);
    EXPECT_EQ(m.FieldModel()->GetNodes(nodeA)->BorderCondition(), bc0None);
    ASSERT_EQ(m.BHEDataList().Count(), 1);
    EXPECT_EQ(m.BHEDataList().ItemAs<TBHEDataWrapper>(0)->BHE(), b);
    ASSERT_EQ(m.MonitoringList()->Count(), 2);
    for (int i = 0; i < m.MonitoringList()->Count(); ++i) EXPECT_NE(m.MonitoringList()->Item(i)->Item(), nullptr);
}

TEST_F(ThermModelTest, RemoveBHEIsRefusedWhileARunIsActive)
{
    TThermModel m;
    TBHE* a = AddProbe(m, "A", 0, 0);
    // Started or paused, but not finished.
    m.MainLoop()->TimeEngine().SetFinished(false);
    EXPECT_TRUE(m.RunActive());
    EXPECT_THROW(m.RemoveBHE(a), EKPError);
    EXPECT_EQ(m.BHEs().Count(), 1);
    EXPECT_THROW(m.GridGenerate(nullptr, false), EKPError);
    m.MainLoop()->TimeEngine().SetFinished(true);
    m.RemoveBHE(a);
    EXPECT_EQ(m.BHEs().Count(), 0);
}

TEST_F(ThermModelTest, InitModelSharesTheFlowAndPreparesTheNodes)
{
    TThermModel m;
    ImportFixtureMesh(m);
    const double xy[][2] = {{0, 0}, {5, 0}, {-10, 0}, {10, 0}};
    for (const auto& p : xy) AddProbe(m, "S", p[0], p[1]);
    m.SetFluxFluid(0.002);
    m.SetInitalFluidTemperature(12);
    m.SetDefFA(9);
    m.SetDefAirTemperature(4);
    m.MainLoop()->SetDailyHeatPower(7);
    m.InitModel();
    ASSERT_EQ(m.BHEDataList().Count(), 4);
    for (int i = 0; i < 4; ++i) {
        const auto* w = m.BHEDataList().ItemAs<TBHEDataWrapper>(i);
        EXPECT_EQ(w->BHE(), m.BHE(i));
        EXPECT_DOUBLE_EQ(w->Flux(), 0.0005);
        EXPECT_DOUBLE_EQ(w->RhoCP(), VolumetricHeatCapacity(flWasser, 12));
        EXPECT_DOUBLE_EQ(w->TempIn(), 12);
        EXPECT_DOUBLE_EQ(w->TempOut(), 12);
        EXPECT_DOUBLE_EQ(w->TempWall(), 12);
        EXPECT_EQ(w->NodeIndex(), m.FieldModel()->FindNode(xy[i][0], xy[i][1]));
    }
    EXPECT_DOUBLE_EQ(m.MainLoop()->DailyHeatPower(), 0);
    EXPECT_DOUBLE_EQ(m.MainLoop()->CurrentTemperatureIn(), 12);
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) {
        EXPECT_DOUBLE_EQ(m.FieldModel()->GetNodes(k)->F(), 9);
        EXPECT_DOUBLE_EQ(m.FieldModel()->GetNodes(k)->FN(), 4);
    }
}

TEST_F(ThermModelTest, InitModelWithoutProbesOnlyWarns)
{
    TThermModel m;
    QStringList messages;
    m.SetMessagelist(&messages);
    m.InitModel();
    EXPECT_EQ(messages, QStringList{"Warnung: Keine Sonden im Modell vorhanden!"});
    EXPECT_EQ(m.BHEDataList().Count(), 0);
}

TEST_F(ThermModelTest, AProbeOffTheMeshStopsTheRunBeforeItStarts)
{
    TThermModel m;
    ImportFixtureMesh(m);
    AddProbe(m, "Gut", 0, 0);
    m.InitModel();
    m.FieldModel()->GetNodes(0)->SetF(33);
    AddProbe(m, "Daneben", 3, 3);
    EXPECT_EQ(m.ProbesWithoutNode(), QStringList{"Daneben"});
    try {
        m.InitModel();
        FAIL() << "no error";
    } catch (const EKPError& e) {
        EXPECT_TRUE(e.Message().contains("\"Daneben\"")) << e.Message().toStdString();
    }
    // Nothing of the previous preparation changed.
    EXPECT_EQ(m.BHEDataList().Count(), 1);
    EXPECT_DOUBLE_EQ(m.FieldModel()->GetNodes(0)->F(), 33);

    // Without any mesh every probe is off it.
    TThermModel bare;
    AddProbe(bare, "A", 0, 0);
    EXPECT_THROW(bare.InitModel(), EKPError);
}

TEST_F(ThermModelTest, GridParamsDlgShowsAndTakesTheDefaultsInTheUsersLocale)
{
    TLocaleScope german{QLocale(QLocale::German)};
    TThermModel m;
    m.SetDefRhoCP(2.5);
    m.SetDefQEarth(0.05);
    TFakeModelDialogs dlg;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    dlg.Answer = [](TModelParamsEditData& d) {
        d.Lambda = "3,5";
        d.RhoCP = "2,25";
        d.Thickness = "120";
        d.AirTemperature = "8,5";
        d.Alpha = "2";
        d.QEarth = "0,06";
        d.FA = "11";
        d.MaxInnerArea = "4";
        d.MaxOuterArea = "40";
        d.ScaleFactorInner = "2,5";
        d.MinDistance = "60";
    };
    ASSERT_TRUE(m.GridParamsDlg());
    EXPECT_EQ(dlg.ShownParams.RhoCP, "2,5");
    EXPECT_EQ(dlg.ShownParams.QEarth, "0,05");
    EXPECT_EQ(dlg.ShownParams.MinDistance, "50");
    const struct {
        double Value;
        double Expected;
    } taken[] = {{m.DefLambda(), 3.5},     {m.DefRhoCP(), 2.25},     {m.DefThickness(), 120},
                 {m.DefAirTemperature(), 8.5}, {m.DefAlphaSurface(), 2}, {m.DefQEarth(), 0.06},
                 {m.DefFA(), 11},          {m.GridInnerArea(), 4},   {m.GridOuterArea(), 40},
                 {m.GridScaleFactor(), 2.5}, {m.GridDeltaBorder(), 60}};
    for (const auto& t : taken) EXPECT_DOUBLE_EQ(t.Value, t.Expected);
}

TEST_F(ThermModelTest, GridParamsDlgTakesNothingWhenOneTextIsNoNumberOrOnCancel)
{
    TThermModel m;
    TFakeModelDialogs dlg;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    // The last text read is the bad one: nothing before it may stick.
    dlg.Answer = [](TModelParamsEditData& d) {
        d.Lambda = "9";
        d.FA = "1";
        d.MinDistance = "weit";
    };
    EXPECT_THROW(m.GridParamsDlg(), EConvertError);
    EXPECT_DOUBLE_EQ(m.DefLambda(), DefaultLambda);
    EXPECT_DOUBLE_EQ(m.DefFA(), 10);
    EXPECT_DOUBLE_EQ(m.GridDeltaBorder(), 50);

    dlg.Ok = false;
    dlg.Answer = [](TModelParamsEditData& d) { d.Lambda = "9"; };
    EXPECT_FALSE(m.GridParamsDlg());
    EXPECT_DOUBLE_EQ(m.DefLambda(), DefaultLambda);
}

TEST_F(ThermModelTest, GridImportBuildsAndInitialisesTheMesh)
{
    const struct {
        double Alpha;
        double Leakage;
    } cases[] = {{0, 1e30}, {2, 0.5}};
    for (const auto& c : cases) {
        TThermModel m;
        TFakeModelDialogs dlg;
        TModelUIScope<TThermModelDialogs> scope(&dlg);
        m.SetDefAlphaSurface(c.Alpha);
        m.SetDefLambda(2);
        m.SetDefThickness(50);
        m.SetDefRhoCP(2.5);
        m.SetDefQEarth(0.07);
        m.SetDefFA(11);
        m.SetDefAirTemperature(6);
        ASSERT_TRUE(m.GridImport(ModelFixture("field.1.node")));
        const T2DTriangleTransient& fe = *m.FieldModel();
        ASSERT_EQ(fe.NodeCount(), 10);
        ASSERT_EQ(fe.ElementCount(), 10);
        for (int e = 0; e < fe.ElementCount(); ++e) {
            const auto* t = dynamic_cast<const TTransientTriangle*>(fe.GetElement(e));
            ASSERT_NE(t, nullptr);
            EXPECT_DOUBLE_EQ(t->Leakage(), c.Leakage);
            EXPECT_DOUBLE_EQ(t->T(), 100);
            EXPECT_DOUBLE_EQ(t->Infiltration(), 0.07);
            EXPECT_DOUBLE_EQ(t->Storage(), 2.5e6 * 50);
            EXPECT_DOUBLE_EQ(t->Thickness(), 50);
        }
        for (int k = 0; k < fe.NodeCount(); ++k) {
            EXPECT_DOUBLE_EQ(fe.GetNodes(k)->F(), 11);
            EXPECT_DOUBLE_EQ(fe.GetNodes(k)->FN(), 6);
        }
        EXPECT_DOUBLE_EQ(m.GridMinX(), -10);
        EXPECT_DOUBLE_EQ(m.GridMaxX(), 10);
        EXPECT_DOUBLE_EQ(m.GridMinY(), -10);
        EXPECT_DOUBLE_EQ(m.GridMaxY(), 10);
        EXPECT_DOUBLE_EQ(m.Area(), 400);
    }
}

TEST_F(ThermModelTest, GridImportReplacesWhatPointedAtTheOldMesh)
{
    TThermModel m;
    TFakeModelDialogs dlg;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    ImportFixtureMesh(m);
    AddProbe(m, "A", 0, 0);
    m.InitMonitoring();
    m.MonitoringList()->AddObsPoint(m.FieldModel()->GetNodes(4));
    m.InitModel();
    m.GW()->SetPorosity(0.2);
    m.GW()->SetKF(1e-3);
    m.GW()->SetGradient(0.01);
    m.GW()->SetTimeForGrid(86400);
    ASSERT_TRUE(m.GW()->GenerateOverMesh(10));
    ASSERT_GT(m.GW()->Count(), 0);
    m.SetNumModelDirty(true);
    m.SetInitalFluidTemperature(7);

    ASSERT_TRUE(m.GridImport(ModelFixture("field.1.node")));
    EXPECT_EQ(m.GW()->Count(), 0);
    ASSERT_EQ(m.MonitoringList()->Count(), 1);
    EXPECT_EQ(m.MonitoringList()->Item(0)->Item(), m.BHE(0));
    EXPECT_EQ(m.BHEDataList().Count(), 0);
    // What GridImport leaves alone.
    EXPECT_TRUE(m.NumModelDirty());
    EXPECT_DOUBLE_EQ(m.InitalFluidTemperature(), 7);
}

TEST_F(ThermModelTest, AMeshThatCannotBeReadKeepsThePreviousOne)
{
    TThermModel m;
    TFakeModelDialogs dlg;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    ImportFixtureMesh(m);
    TNode* first = m.FieldModel()->GetNodes(0);
    m.MonitoringList()->AddObsPoint(first);
    const QString broken = Work.filePath("broken.1.node");
    QFile(ModelFixture("field.1.node")).copy(broken);
    {
        QFile ele(Work.filePath("broken.1.ele"));
        ASSERT_TRUE(ele.open(QIODevice::WriteOnly));
        ele.write("10 3 0\n1 1 2 99\n");
    }
    const QString cases[] = {broken, Work.filePath("missing.1.node")};
    for (const QString& file : cases) {
        EXPECT_THROW(m.GridImport(file), EKPError) << file.toStdString();
        EXPECT_EQ(m.FieldModel()->NodeCount(), 10);
        EXPECT_EQ(m.FieldModel()->GetNodes(0), first);
        EXPECT_EQ(m.MonitoringList()->Count(), 1);
    }
    // The dialog cancelled: nothing read at all.
    dlg.Ok = false;
    EXPECT_FALSE(m.GridImport(cases[1]));
}

TEST_F(ThermModelTest, InitialConditionsGoToAFileAndComeBack)
{
    TThermModel m;
    ImportFixtureMesh(m);
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) m.FieldModel()->GetNodes(k)->SetF(k * 1.25);
    const QString file = Work.filePath("init/InitTemperatures.kpt");
    m.SaveInitConditions(file);
    EXPECT_EQ(QFileInfo(file).size(), 8 * 10);
    m.FieldModel()->InitTemperature(0);
    m.LoadInitConditons(file);
    for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) EXPECT_DOUBLE_EQ(m.FieldModel()->GetNodes(k)->F(), k * 1.25);

    // A file for another mesh changes no node.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8 * 9, '\0'));
    }
    EXPECT_THROW(m.LoadInitConditons(file), EKPError);
    EXPECT_DOUBLE_EQ(m.FieldModel()->GetNodes(9)->F(), 9 * 1.25);
    EXPECT_THROW(m.LoadInitConditons(Work.filePath("fehlt.kpt")), EFileError);
}

}  // namespace
