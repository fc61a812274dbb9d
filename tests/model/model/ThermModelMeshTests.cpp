// Meshing through our generator: the probe nodes, the demonstration model,
// and every way the meshing can fail without harming the previous mesh.

#include "ThermModelTestUtil.h"

#if defined(KP_TRIANGLE_EXE)

#include "model/base/KPError.h"
#include "model/base/Rounding.h"
#include "model/probes/BHETypelistObj.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

class ThermModelMeshTest : public TModelTestBase {
protected:
    void SetUp() override
    {
        TModelTestBase::SetUp();
        TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
    }

    // Nodes with a fixed flow that are not on the outer boundary.
    static QList<int> FixedFlowInside(const TThermModel& M)
    {
        QList<int> nodes;
        for (int k = 0; k < M.FieldModel()->NodeCount(); ++k) {
            const TNode* n = M.FieldModel()->GetNodes(k);
            if (n->BorderCondition() == bc2FixedFlow && !n->EdgeOfMesh()) nodes << k;
        }
        return nodes;
    }
};

TEST_F(ThermModelMeshTest, TheProbeNodesGetTheFixedFlow)
{
    const struct {
        const char* Name;
        std::vector<std::pair<double, double>> Probes;
    } cases[] = {
        {"one probe", {{0, 0}}},
        {"three probes", {{0, 0}, {10, 5}, {20, -5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TThermModel m;
        for (const auto& p : c.Probes) AddProbe(m, "S", p.first, p.second);
        m.InitMonitoring();
        m.SetNumModelDirty(true);
        m.SetDefFA(8);
        m.GridGenerate(nullptr, false);
        const T2DTriangleTransient& fe = *m.FieldModel();
        ASSERT_GT(fe.NodeCount(), 4 + static_cast<int>(c.Probes.size()));
        QList<int> expected;
        for (size_t i = 0; i < c.Probes.size(); ++i) {
            const int node = fe.FindNode(c.Probes[i].first, c.Probes[i].second);
            ASSERT_GE(node, 4);
            ASSERT_LT(node, 4 + static_cast<int>(c.Probes.size()));
            expected << node;
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(FixedFlowInside(m), expected);
        EXPECT_DOUBLE_EQ(m.InitalFluidTemperature(), 8);
        EXPECT_EQ(m.MonitoringList()->Count(), 0);
        EXPECT_FALSE(m.NumModelDirty());
        EXPECT_TRUE(m.ProbesWithoutNode().isEmpty());
        EXPECT_LT(m.GridMinX(), -40);
        EXPECT_GT(m.GridMaxX(), 40);
    }
}

TEST_F(ThermModelMeshTest, TheMeshIsDrawnOnTheGivenPicture)
{
    TThermModel m;
    AddProbe(m, "S", 0, 0);
    QImage picture;
    m.GridGenerate(&picture, false);
    EXPECT_EQ(picture.width(), CeilInt(3 * (m.GridMaxX() - m.GridMinX())) + 1);
    EXPECT_EQ(picture.height(), CeilInt(3 * (m.GridMaxY() - m.GridMinY())) + 1);
    int dark = 0;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            if (qGray(picture.pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 0);
}

TEST_F(ThermModelMeshTest, NoProbesOrACancelledDialogMakeNoMesh)
{
    TThermModel m;
    try {
        m.GridGenerate(nullptr, false);
        FAIL() << "no error";
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), "Keine Sonden im Modell!");
    }
    AddProbe(m, "S", 0, 0);
    m.InitMonitoring();
    m.SetNumModelDirty(true);
    TFakeModelDialogs dlg;
    dlg.Ok = false;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    m.GridGenerate(nullptr, true);
    EXPECT_EQ(dlg.ParamsCalls, 1);
    EXPECT_EQ(m.FieldModel()->NodeCount(), 0);
    EXPECT_EQ(m.MonitoringList()->Count(), 1);
    EXPECT_TRUE(m.NumModelDirty());
}

TEST_F(ThermModelMeshTest, AFailingMeshingKeepsThePreviousMesh)
{
    TRecordingPrompts prompts;
    TModelUIScope<TPrompts> promptScope(&prompts);
    const struct {
        const char* Name;
        std::function<void(TThermModel&)> Break;
    } cases[] = {
        {"generator fails", [&](TThermModel&) { TriangleLocation = WriteFakeGenerator(Work.path(), 1); }},
        {"generator missing", [&](TThermModel&) { TriangleLocation = Work.filePath("nicht-da"); }},
        {"generator leaves no mesh, an old one lies there",
         [&](TThermModel&) {
             TriangleLocation = WriteFakeGenerator(Work.path(), 0);
             const QString base = QDir(TThermModel::MeshWorkDir()).filePath("KPMOD.1");
             QFile::remove(base + ".node");
             QFile::remove(base + ".ele");
             ASSERT_TRUE(QFile::copy(ModelFixture("field.1.node"), base + ".node"));
             ASSERT_TRUE(QFile::copy(ModelFixture("field.1.ele"), base + ".ele"));
         }},
        {"generator writes garbage", [&](TThermModel&) { TriangleLocation = WriteFakeGenerator(Work.path(), 0, true); }},
        {"builder refuses", [](TThermModel& M) { M.SetGridScaleFactor(0.5); }},
        {"probes on one spot", [](TThermModel& M) { AddProbe(M, "Doppelt", 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
        TThermModel m;
        AddProbe(m, "S", 0, 0);
        m.GridGenerate(nullptr, false);
        const int nodes = m.FieldModel()->NodeCount();
        TNode* first = m.FieldModel()->GetNodes(0);
        m.InitMonitoring();
        m.MonitoringList()->AddObsPoint(m.FieldModel()->GetNodes(5));
        m.SetNumModelDirty(true);
        c.Break(m);
        EXPECT_THROW(m.GridGenerate(nullptr, false), EKPError);
        EXPECT_EQ(m.FieldModel()->NodeCount(), nodes);
        EXPECT_EQ(m.FieldModel()->GetNodes(0), first);
        EXPECT_EQ(m.MonitoringList()->Count(), 2);
        EXPECT_TRUE(m.NumModelDirty());
    }
}

TEST_F(ThermModelMeshTest, TheWorkFilesLieInAFolderOfThisProcess)
{
    const QString input = TThermModel::MeshInputFile();
    EXPECT_TRUE(input.startsWith(TempDir + "/")) << input.toStdString();
    EXPECT_TRUE(input.contains(QString::number(QCoreApplication::applicationPid())));
    EXPECT_TRUE(input.endsWith("/KPMOD.poly"));
    EXPECT_TRUE(QFileInfo(QFileInfo(input).path()).isDir());
}

TEST_F(ThermModelMeshTest, MakeDummyWithoutProbeTypesUsesTheBuiltInOnes)
{
    TBHETypelist builtIn;
    builtIn.CreateDummy();
    TBHETypelist empty;
    const TBHETypelist* lists[] = {&empty, nullptr};
    for (const TBHETypelist* list : lists) {
        TThermModel m;
        m.MakeDummy(list);
        EXPECT_EQ(m.Name(), "Dummy-Modell");
        const struct {
            const char* Name;
            double X, Y;
        } probes[] = {{"S 1", 0, 0}, {"S 2", 10, 5}, {"S 3", 20, -5}, {"S 4", 20, 5}, {"S 5", 15, 5}};
        ASSERT_EQ(m.BHEs().Count(), 5);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(m.BHE(i)->Name(), probes[i].Name);
            EXPECT_DOUBLE_EQ(m.BHE(i)->X(), probes[i].X);
            EXPECT_DOUBLE_EQ(m.BHE(i)->Y(), probes[i].Y);
            EXPECT_TRUE(m.BHE(i)->IsType(*builtIn.Items(0)));
        }
        const T2DTriangleTransient& fe = *m.FieldModel();
        ASSERT_GT(fe.ElementCount(), 0);
        EXPECT_DOUBLE_EQ(fe.GetNodes(7)->F(), 10);
        EXPECT_DOUBLE_EQ(dynamic_cast<const TTransientTriangle*>(fe.GetElement(0))->Leakage(), 1e20);
    }
}

}  // namespace

#endif
