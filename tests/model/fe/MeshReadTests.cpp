#include "FETestUtils.h"

#include "model/base/KPError.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct MeshFiles {
    QTemporaryDir dir;
    QString Base() const { return dir.filePath(QStringLiteral("mesh.1")); }
    void Write(const QByteArray& Node, const QByteArray& Ele) const
    {
        QFile::remove(Base() + ".node");
        QFile::remove(Base() + ".ele");
        if (!Node.isNull()) WriteText(Base() + ".node", Node);
        if (!Ele.isNull()) WriteText(Base() + ".ele", Ele);
    }
};

const QByteArray TwoTriangles = "2 3 0\n1 1 2 3\n2 1 3 4\n";

}  // namespace

TEST(FEMeshRead, GeneratorFilesWithCommentsAndAttributes)
{
    T2DTriangleTransient model;
    // The extension is replaced, whatever it was.
    model.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.ele")));
    ASSERT_EQ(model.NodeCount(), 5);
    ASSERT_EQ(model.ElementCount(), 4);
    for (int k = 0; k < 4; ++k) {
        const TNode* corner = model.GetNodes(k);
        EXPECT_EQ(corner->BorderCondition(), bc2FixedFlow);
        EXPECT_EQ(corner->Q(), 0);
        EXPECT_TRUE(corner->EdgeOfMesh());
    }
    EXPECT_EQ(model.GetNodes(2)->X(), 50);
    EXPECT_EQ(model.GetNodes(3)->Y(), 50);
    const TNode* probe = model.GetNodes(4);
    EXPECT_EQ(probe->BorderCondition(), bc1FixedValue);
    EXPECT_EQ(probe->F(), 12.5);
    EXPECT_EQ(probe->FA(), 12.5);
    EXPECT_FALSE(probe->EdgeOfMesh());

    const auto* e = dynamic_cast<const TTransientTriangle*>(model.GetElement(2));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->NodeIndices(0), 2);
    EXPECT_EQ(e->NodeIndices(1), 3);
    EXPECT_EQ(e->NodeIndices(2), 4);
    EXPECT_EQ(e->Nodes(1), model.GetNodes(3));
    EXPECT_EQ(e->T(), 100);
    EXPECT_EQ(e->Infiltration(), 0.001);
    EXPECT_EQ(e->Leakage(), 10000);
    EXPECT_EQ(e->Storage(), 0.4);
    EXPECT_EQ(e->Area(), 2500);

    // The steady model makes conduction triangles from the same files.
    T2DTriangleModel steady;
    steady.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.poly")));
    ASSERT_EQ(steady.ElementCount(), 4);
    const auto* gw = dynamic_cast<const TGWTriElement*>(steady.GetElement(0));
    ASSERT_NE(gw, nullptr);
    EXPECT_EQ(dynamic_cast<const TLeakyTriElement*>(gw), nullptr);
    EXPECT_EQ(gw->T(), 100);
}

TEST(FEMeshRead, MarkersSelectTheBoundaryCondition)
{
    MeshFiles files;
    files.Write("# x y a1 a2 a3 a4 marker\n"
                "5 2 4 1\n"
                "1 0 0 0 0 0 0 0\n"
                "2 4 0 7 8 9 10 1\n"
                "3 4 4 15 -300 0 0 2\n"
                "4 0 4 0 -300 0 0 3\n"
                "5 2 2 0 0 3 8 4\n",
                "4 3 0\n1 1 2 5\n2 2 3 5\n3 3 4 5\n4 4 1 5\n");
    T2DTriangleTransient model;
    model.GenerateGridFromTriangle(files.Base() + ".poly");
    ASSERT_EQ(model.NodeCount(), 5);
    const TBorderCondition expected[] = {bc0None, bc0None, bc1FixedValue, bc2FixedFlow, bc3SemiPervious};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(model.GetNodes(k)->BorderCondition(), expected[k]) << k;
    EXPECT_EQ(model.GetNodes(2)->F(), 15);
    EXPECT_EQ(model.GetNodes(3)->Q(), -300);
    EXPECT_EQ(model.GetNodes(4)->Alpha(), 3);
    EXPECT_EQ(model.GetNodes(4)->FN(), 8);

    // Without a marker column every node is free, and no line borrows from the one before.
    files.Write("4 2 0 0\n1 0 0\n2 4 0\n3 4 4\n4 0 4\n", TwoTriangles);
    model.GenerateGridFromTriangle(files.Base() + ".ele");
    ASSERT_EQ(model.NodeCount(), 4);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(model.GetNodes(k)->BorderCondition(), bc0None);
    EXPECT_EQ(model.ElementCount(), 2);
}

TEST(FEMeshRead, CorruptFilesKeepThePreviousMesh)
{
    const QByteArray goodNodes = "4 2 0 1\n1 0 0 0\n2 4 0 0\n3 4 4 0\n4 0 4 0\n";
    struct Case {
        const char* name;
        QByteArray node;
        QByteArray ele;
        const char* message;
    };
    const Case cases[] = {
        {"node count no number", "x 2 0 1\n", TwoTriangles, "Zeile 1: \"x 2 0 1\" enthält ein Wort, das keine Zahl ist."},
        {"negative node count", "-1 2 0 1\n", TwoTriangles, "Zeile 1: Die Anzahl der Knoten ist -1"},
        {"fractional node count", "2.5 2 0 1\n1 0 0\n2 1 0\n3 1 1\n", TwoTriangles, "Die Anzahl der Knoten ist 2.5"},
        {"negative attribute count", "1 2 -2 1\n1 0 0\n", TwoTriangles, "Die Anzahl der Attribute ist -2"},
        {"fewer node lines", "4 2 0 1\n1 0 0 0\n# gone\n2 4 0 0\n", TwoTriangles, "kündigt 4 Zeilen an, enthält aber nur 2"},
        {"empty node file", "# nothing\n", TwoTriangles, "enthält keine Daten"},
        {"short node line", "4 2 1 1\n1 0 0 0 0\n2 4 0 0 0\n3 4 4\n4 0 4 0 0\n", TwoTriangles,
         "Zeile 4: Die Zeile enthält 3 Zahlen, ein Knoten braucht mindestens 4."},
        {"word in node line", "4 2 0 1\n1 0 0 0\n2 4 zero 0\n3 4 4 0\n4 0 4 0\n", TwoTriangles, "Zeile 3: \"2 4 zero 0\""},
        {"marker out of range", "4 2 0 1\n1 0 0 0\n2 4 0 0\n3 4 4 7\n4 0 4 0\n", TwoTriangles,
         "Zeile 4: Randbedingung ist 7. Sie muss im Bereich 0 bis 4 liegen."},
        {"negative marker", "4 2 0 1\n1 0 0 -1\n2 4 0 0\n3 4 4 0\n4 0 4 0\n", TwoTriangles, "Randbedingung ist -1."},
        {"marker without its attributes", "4 2 3 1\n1 0 0 0 0 0 4\n2 4 0 0 0 0 0\n3 4 4 0 0 0 0\n4 0 4 0 0 0 0\n",
         TwoTriangles, "Randbedingung 4 braucht 4 Attribute, die Datei hat nur 3."},
        {"four points per triangle", goodNodes, "2 4 0\n1 1 2 3 4\n2 1 3 4 2\n",
         "Die Anzahl der Punkte im Dreieck ist 4. Sie muss 3 betragen."},
        {"nodes counted from 0", goodNodes, "2 3 0\n1 0 1 2\n2 0 2 3\n",
         "Zeile 2: Das Dreieck verweist auf den Knoten 0; es gibt nur die Knoten 1 bis 4."},
        {"node beyond the list", goodNodes, "2 3 0\n1 1 2 3\n2 1 3 99\n", "Zeile 3: Das Dreieck verweist auf den Knoten 99"},
        {"fractional node reference", goodNodes, "1 3 0\n1 1 2.5 3\n", "auf den Knoten 2.5"},
        {"fewer element lines", goodNodes, "3 3 0\n1 1 2 3\n2 1 3 4\n", "kündigt 3 Zeilen an, enthält aber nur 2"},
        {"short element line", goodNodes, "2 3 0\n1 1 2 3\n2 1 3\n", "Zeile 3: Die Zeile enthält 3 Zahlen, ein Dreieck braucht 4."},
        {"word in element line", goodNodes, "2 3 1\n1 1 2 3 a\n2 1 3 4 0\n", "Zeile 2: \"1 1 2 3 a\""},
        {"degenerate triangle", goodNodes, "2 3 0\n1 1 2 3\n2 1 1 4\n", "Zeile 3: Fläche ist 0"},
        {"no element file", goodNodes, QByteArray(), "Die Element-Datei <"},
        {"no node file", QByteArray(), TwoTriangles, "Die Knoten-Datei <"},
    };
    MeshFiles files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        T2DTriangleTransient model;
        model.GenerateGridFromTriangle(DataPath(QStringLiteral("square.1.node")));
        const TObject* firstNode = model.NodesList().Items(0);
        files.Write(c.node, c.ele);
        try {
            model.GenerateGridFromTriangle(files.Base() + ".node");
            ADD_FAILURE() << "read";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.message))) << e.what();
            EXPECT_TRUE(e.Message().contains(QStringLiteral("mesh.1."))) << e.what();  // names the file
        }
        EXPECT_EQ(model.NodeCount(), 5);
        EXPECT_EQ(model.ElementCount(), 4);
        EXPECT_EQ(model.NodesList().Items(0), firstNode);
    }
}

TEST(FEMeshRead, OnlyWordsBeginningWithHashAreComments)
{
    // "#x" is skipped; the y coordinate and the marker after it still count.
    MeshFiles files;
    files.Write("4 2 0 1\n"
                "1 0 0 0\n"
                "2 10 #x 5 0\n"
                "3 10 10 #corner 0\n"
                "4 0 10 0 #last\n",
                "2 3 0\n1 1 2 3 #first\n2 1 3 4\n");
    T2DTriangleTransient model;
    model.GenerateGridFromTriangle(files.Base() + ".node");
    ASSERT_EQ(model.NodeCount(), 4);
    ASSERT_EQ(model.ElementCount(), 2);
    EXPECT_EQ(model.GetNodes(1)->X(), 10);
    EXPECT_EQ(model.GetNodes(1)->Y(), 5);
    EXPECT_EQ(model.GetNodes(2)->X(), 10);
    EXPECT_EQ(model.GetNodes(2)->Y(), 10);
}
