#include "FETestUtils.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"

#include <QLocale>
#include <QTemporaryDir>
#include <cstring>

namespace {

// A 2 × 1 rectangle of two cells (four triangles) with varied node values.
void SmallModel(T2DTriangleTransient& Model)
{
    BuildRectMesh(Model, 2, 1, 2, 1, TLayer{150, 0.02, 5, 3e8});
    for (int k = 0; k < Model.NodeCount(); ++k) {
        TNode* node = Model.GetNodes(k);
        node->SetF(10 + k);
        node->SetFA(9 + k);
        node->SetFatT0(8);
    }
    Model.GetNodes(1)->SetBorderCondition(bc2FixedFlow);
    Model.GetNodes(1)->SetQ(-250);
    Model.SetDeltaTime(900);
}

std::vector<double> Temperatures(const TNumModel& Model)
{
    std::vector<double> f;
    for (int k = 0; k < Model.NodeCount(); ++k) f.push_back(Model.GetNodes(k)->F());
    return f;
}

}  // namespace

using FEModelRecord = FETest;

TEST_F(FEModelRecord, WriteAndReadBack)
{
    TFileVersionScope version(ProgramVersionMajor, ProgramVersionMinor);
    T2DTriangleTransient model;
    SmallModel(model);
    TMemoryStream s;
    model.Write(s);
    // Node list: ownership byte, count, then class name and record per node.
    const QByteArray& d = s.Data();
    EXPECT_EQ(d[0], 1);
    std::int32_t count;
    memcpy(&count, d.constData() + 1, 4);
    EXPECT_EQ(count, 6);
    {
        TMemoryStream head(d.mid(5, 4 + 10));
        EXPECT_EQ(ReadStringFromStream(head), QStringLiteral("TNode"));
    }
    const int nodeList = 5 + 6 * (4 + 10 + 65);
    const int elementList = 5 + 4 * (4 + 2 * 18 + 52);
    EXPECT_EQ(d.size(), nodeList + elementList + 8);
    {
        TMemoryStream head(d.mid(nodeList + 5, 4 + 36));
        EXPECT_EQ(ReadStringFromStream(head), QStringLiteral("TTransientTriangle"));
    }

    TMemoryStream in(d);
    T2DTriangleTransient read;
    read.Read(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(read.DeltaTime(), 900);
    ASSERT_EQ(read.NodeCount(), 6);
    ASSERT_EQ(read.ElementCount(), 4);
    EXPECT_EQ(Temperatures(read), Temperatures(model));
    EXPECT_EQ(read.GetNodes(1)->BorderCondition(), bc2FixedFlow);
    EXPECT_EQ(read.GetNodes(3)->FCustom(), 13);
    for (int e = 0; e < 4; ++e) {
        const auto* a = static_cast<const TTransientTriangle*>(model.GetElement(e));
        const auto* b = static_cast<const TTransientTriangle*>(read.GetElement(e));
        EXPECT_EQ(b->Nodes(2), read.GetNodes(a->NodeIndices(2)));
        EXPECT_EQ(b->Mtx(), a->Mtx());
        EXPECT_EQ(b->RMtx(), a->RMtx());
        EXPECT_EQ(b->LoadVector(), a->LoadVector());
    }
    // Both models step alike.
    model.Solve();
    read.Solve();
    EXPECT_EQ(Temperatures(read), Temperatures(model));
}

TEST_F(FEModelRecord, BrokenRecordsChangeNothing)
{
    TFileVersionScope version(ProgramVersionMajor, ProgramVersionMinor);
    T2DTriangleTransient source;
    SmallModel(source);
    TMemoryStream s;
    source.Write(s);
    const QByteArray good = s.Data();
    const int nodeList = 5 + 6 * (4 + 10 + 65);

    struct Case {
        const char* name;
        std::function<QByteArray()> data;
    };
    const Case cases[] = {
        {"truncated in the elements", [&] { return good.left(good.size() - 30); }},
        {"truncated before the time step", [&] { return good.left(good.size() - 4); }},
        {"node position beyond the list",
         [&] {
             QByteArray d = good;
             const std::int32_t far = 600;
             memcpy(d.data() + nodeList + 5 + 40 + 8, &far, 4);
             return d;
         }},
        {"degenerate element",
         [&] {
             QByteArray d = good;
             const std::int32_t same = 0;
             for (int i = 0; i < 3; ++i) memcpy(d.data() + nodeList + 5 + 40 + 8 + 4 * i, &same, 4);
             return d;
         }},
        {"element list in place of the nodes",
         [&] {
             QByteArray d = good;
             return d.mid(nodeList);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        T2DTriangleTransient model;
        SmallModel(model);
        model.SetDeltaTime(60);
        const TObject* first = model.NodesList().Items(0);
        TMemoryStream in(c.data());
        EXPECT_THROW(model.Read(in), EKPError);
        EXPECT_EQ(model.NodeCount(), 6);
        EXPECT_EQ(model.ElementCount(), 4);
        EXPECT_EQ(model.NodesList().Items(0), first);
        EXPECT_EQ(model.DeltaTime(), 60);
    }
}

TEST(FEModelFiles, NodeTemperatureFile)
{
    T2DTriangleTransient model;
    SmallModel(model);
    TMemoryStream s;
    model.WriteTemperatures(s);
    ASSERT_EQ(s.Data().size(), 6 * 8);
    double first;
    memcpy(&first, s.Data().constData(), 8);
    EXPECT_EQ(first, 10);

    T2DTriangleTransient other;
    SmallModel(other);
    for (int k = 0; k < other.NodeCount(); ++k) other.GetNodes(k)->SetF(0);
    TMemoryStream in(s.Data());
    other.ReadTemperatures(in);
    EXPECT_EQ(Temperatures(other), Temperatures(model));
    EXPECT_EQ(other.GetNodes(4)->FA(), 14);
    ASSERT_EQ(other.Temperature().size(), 6);
    EXPECT_EQ(other.Temperature()[5], 15);

    // A file of another mesh fits neither a larger nor a smaller one.
    for (int extra : {-8, 8, -3}) {
        SCOPED_TRACE(extra);
        QByteArray data = s.Data();
        data.resize(data.size() + extra, '\0');
        TMemoryStream bad(data);
        T2DTriangleTransient target;
        SmallModel(target);
        EXPECT_THROW(target.ReadTemperatures(bad), EReadError);
        EXPECT_EQ(target.GetNodes(0)->F(), 10);
        EXPECT_EQ(target.GetNodes(0)->FA(), 9);
    }
}

TEST(FEModelFiles, NodeDumpAndCustomValues)
{
    QLocale::setDefault(QLocale(QLocale::German));
    T2DTriangleTransient model;
    SmallModel(model);
    model.GetNodes(5)->SetF(-0.125);
    QStringList dump;
    model.SaveNodes(&dump);
    model.SaveNodes(nullptr);
    QLocale::setDefault(QLocale::c());
    ASSERT_EQ(dump.size(), 6);
    EXPECT_EQ(dump[1], QStringLiteral("1\t0\t11"));
    EXPECT_EQ(dump[5], QStringLiteral("2\t1\t-0.125"));

    QTemporaryDir dir;
    const QString fn = dir.filePath("dump.txt");
    WriteText(fn, (dump.join('\n') + '\n').toLatin1());
    EXPECT_TRUE(model.ReadFCustomFromFile(fn));
    EXPECT_EQ(model.GetNodes(5)->FCustom(), -0.125);

    // A dump of another mesh, or one bad line, leaves every custom value alone.
    for (const QStringList& lines : {dump.mid(0, 5), QStringList(dump).replaceInStrings("\t11", "\tx")}) {
        for (int k = 0; k < model.NodeCount(); ++k) model.GetNodes(k)->SetFCustom(-1);
        WriteText(fn, lines.join("\r\n").toLatin1());
        EXPECT_FALSE(model.ReadFCustomFromFile(fn));
        for (int k = 0; k < model.NodeCount(); ++k) EXPECT_EQ(model.GetNodes(k)->FCustom(), -1);
    }

    QStringList vectors;
    model.SaveVectorField(&vectors);
    ASSERT_EQ(vectors.size(), 4);
    EXPECT_TRUE(vectors[0].startsWith(QStringLiteral("0.666666666666667\t0.333333333333333\t")));
}

TEST(FEModelFiles, RegularGridText)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("grid.txt");
    T2DTriangleTransient model;
    // 0..10 × 0..6, F = x + 10·y; shrunk by 1 m: 1..9 × 1..5.
    BuildRectMesh(model, 5, 3, 10, 6);
    for (int k = 0; k < model.NodeCount(); ++k)
        model.GetNodes(k)->SetF(model.GetNodes(k)->X() + 10 * model.GetNodes(k)->Y());
    model.SaveRegularGrid(fn, 1, 1);
    EXPECT_EQ(ReadBytes(fn), "1\t1\t11\r\n9\t1\t19\r\n1\t5\t51\r\n9\t5\t59\r\n");

    QLocale::setDefault(QLocale(QLocale::German));
    model.ElementsList().Delete(0);  // the mesh no longer covers (1, 1)
    model.ElementsList().Delete(0);
    model.SaveRegularGrid(fn, 3, 1);
    QLocale::setDefault(QLocale::c());
    const QList<QByteArray> lines = ReadBytes(fn).split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "1\t1\tunresolved\r");
    EXPECT_EQ(lines[1], "3,667\t1\t13,667\r");
    EXPECT_THROW(model.SaveRegularGrid(fn, 0, 1), EKPError);
}

TEST(FEModelGrids, SamplingAndSearch)
{
    T2DTriangleTransient model;
    BuildRectMesh(model, 4, 4, 8, 8);
    for (int k = 0; k < model.NodeCount(); ++k) {
        TNode* node = model.GetNodes(k);
        node->SetF(node->X());
        node->SetFCustom(2 * node->Y());
        node->SetFatT0(-node->X());
    }
    double f = 99;
    EXPECT_FALSE(model.GetFValueAt(-1, 2, false, f));
    EXPECT_EQ(f, 99);
    ASSERT_TRUE(model.GetFValueAt(3, 5, false, f));
    EXPECT_NEAR(f, 3, 1e-12);
    ASSERT_TRUE(model.GetFValueAt(3, 5, true, f));
    EXPECT_NEAR(f, 10, 1e-12);
    ASSERT_TRUE(model.GetFatT0ValueAt(3, 5, f));
    EXPECT_NEAR(f, -3, 1e-12);

    TVec x, y;
    TMtx grid;
    model.GenerateContourGrid(&x, &y, &grid, 3, 2);
    ASSERT_EQ(x.size(), 4);
    ASSERT_EQ(y.size(), 3);
    ASSERT_EQ(grid.rows(), 3);
    ASSERT_EQ(grid.cols(), 4);
    EXPECT_EQ(x[0], 1);
    EXPECT_EQ(x[3], 7);
    EXPECT_EQ(y[1], 4);
    EXPECT_NEAR(grid(2, 1), 14, 1e-12);  // custom values
    model.GenerateContourGridatT0(&x, &y, &grid, 3, 2);
    EXPECT_NEAR(grid(2, 1), -3, 1e-12);
    TMtx untouched = TMtx::Constant(1, 1, 5);
    model.GenerateContourGrid(nullptr, &y, &untouched, 3, 2);
    EXPECT_EQ(untouched(0, 0), 5);

    double minX, maxX, minY, maxY, fmin, fmax;
    ASSERT_TRUE(model.GetModelExtend(minX, maxX, minY, maxY));
    EXPECT_EQ(maxX, 8);
    ASSERT_TRUE(model.GetFMinMax(fmin, fmax, true, true));
    EXPECT_EQ(fmin, 0);
    EXPECT_EQ(fmax, 24);
    T2DTriangleTransient empty;
    EXPECT_FALSE(empty.GetModelExtend(minX, maxX, minY, maxY));
    EXPECT_FALSE(empty.GetFMinMax(fmin, fmax, false, false));

    EXPECT_EQ(model.FindNode(4.0009, 1.9991), 7);
    EXPECT_EQ(model.FindNode(4.002, 2), -1);
    AddNode(model, 4.0005, 2);
    EXPECT_EQ(model.FindNode(4.0005, 2), 7);  // the lower number of two
}

TEST(FEModelParams, InitialisationAndGroundwaterLoads)
{
    T2DTriangleTransient model;
    BuildRectMesh(model, 2, 2, 4, 4);
    TNode* fixed = model.GetNodes(4);
    fixed->SetBorderCondition(bc1FixedValue);
    fixed->SetF(3);
    fixed->SetFA(3);
    model.InitNodeParams(10, 5);
    for (int k = 0; k < model.NodeCount(); ++k) {
        const TNode* node = model.GetNodes(k);
        const double expected = k == 4 ? 3 : 10;
        EXPECT_EQ(node->FN(), 5);
        EXPECT_EQ(node->F(), expected);
        EXPECT_EQ(node->FA(), expected);
        EXPECT_EQ(node->FatT0(), expected);
        EXPECT_EQ(model.Temperature()[k], expected);
    }
    model.InitElementParams(200, 0.05, 1e30, 2e8, 100);
    const auto* e = static_cast<const TTransientTriangle*>(model.GetElement(3));
    EXPECT_EQ(e->T(), 200);
    EXPECT_EQ(e->Thickness(), 100);
    EXPECT_NEAR(e->Mtx()(2, 2), 200, 1e-12);  // the right angle
    model.UpdateAirtemperature(-4);
    EXPECT_EQ(model.GetNodes(8)->FN(), -4);

    model.GetElement(0)->AddGWLoad(30);
    model.GetElement(1)->AddGWLoad(-6);
    EXPECT_NEAR(model.SumOfQGWload(), 24, 1e-12);
    model.ResetQGWload();
    EXPECT_EQ(model.SumOfQGWload(), 0);

    // Only transient triangles take the layer's parameters.
    model.ElementsList().Add(std::make_unique<TGWTriElement>(model.GetNodes(0), model.GetNodes(1), model.GetNodes(4), 1, 0));
    EXPECT_THROW(model.InitElementParams(1, 0, 1e30, 1, 1), EKPError);
    EXPECT_EQ(e->T(), 200);  // nothing applied
}
