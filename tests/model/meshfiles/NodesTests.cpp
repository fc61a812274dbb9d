#include "model/meshfiles/Nodes.h"

#include "model/base/KPError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Nodes;

namespace {

QByteArray ReadAll(const QString& FileName)
{
    QFile f(FileName);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void WriteAll(const QString& FileName, const QByteArray& Data)
{
    QFile f(FileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Data);
}

const QString Zero = QStringLiteral(" 0.00000000000000E+0000");
const QString Minus50 = QStringLiteral("-5.00000000000000E+0001");
const QString Three = QStringLiteral(" 3.00000000000000E+0000");

}  // namespace

TEST(MeshFileLines, ItemLinesUseThreeBlankSeparatorsAndRawReals)
{
    QStringList lines;
    TNode(1, -50, -50, {0, 0, 0}, 3).WriteLine(lines);
    TSegment(5, 6, 7, 0).WriteLine(lines);
    TRegionAttributeArea(2, 1.5, -0.1, {0}, 12.5).WriteLine(lines);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "1   " + Minus50 + "   " + Minus50 + "   " + Zero + "   " + Zero + "   " + Zero + "   " + Three);
    EXPECT_EQ(lines[1], "5   6   7   " + Zero);
    EXPECT_EQ(lines[1], QStringLiteral("5   6   7    0.00000000000000E+0000"));
    EXPECT_EQ(lines[2], QStringLiteral("2    1.50000000000000E+0000   -1.00000000000000E-0001    "
                                       "0.00000000000000E+0000    1.25000000000000E+0001"));
    EXPECT_EQ(lines[2].split(QStringLiteral("   ")).size(), 5);
}

TEST(MeshFileLines, SectionHeaders)
{
    QStringList lines;
    TNodesList nodes;
    nodes.WriteHeader(lines);
    nodes.Add(std::make_unique<TNode>(1, 0, 0, TDoubleArray{1, 2}, 0));
    nodes.Add(std::make_unique<TNode>(2, 1, 0, TDoubleArray{}, 0));
    nodes.WriteHeader(lines);
    TSegmentList segments;
    segments.Add(std::make_unique<TSegment>(1, 1, 2, 3));
    segments.WriteHeader(lines);
    TRegionsList regions;
    regions.WriteHeader(lines);
    // The node header takes the attribute count of the first node only.
    EXPECT_EQ(lines, QStringList({"0   2   0   1", "2   2   2   1", "1   1", "0"}));
}

TEST(MeshFileLines, RegionAllowsAtMostOneAttribute)
{
    TRegionAttributeArea region(1, 0, 0, {0}, 5);
    for (int ok : {0, 1}) EXPECT_NO_THROW(region.SetAttributeNo(ok));
    try {
        region.SetAttributeNo(2);
        FAIL() << "two attributes accepted";
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Es ist nur maximal 1 Attribut erlaubt. Es wurden aber 2 angegeben"));
    }
    EXPECT_EQ(region.AttributeNo(), 1);
    EXPECT_THROW(TRegionAttributeArea(1, 0, 0, {0, 0}, 5), EKPError);
    // A plain node takes any number.
    EXPECT_NO_THROW(TNode(1, 0, 0, {0, 0, 0}, 5));
}

TEST(MeshFileLines, AttributeIndexIsChecked)
{
    TNode node(1, 0, 0, {4, 5}, 0);
    EXPECT_EQ(node.Attribute(1), 5);
    EXPECT_THROW(node.Attribute(2), EKPError);
    EXPECT_THROW(node.SetAttribute(-1, 0), EKPError);
    node.SetAttributeNo(3);
    EXPECT_EQ(node.Attribute(2), 0);
    EXPECT_THROW(node.SetAttributeNo(-1), EKPError);
}

TEST(MeshFileLines, NodeLineParsing)
{
    struct Case {
        const char* line;
        bool result;
        int id;
        double x, y, a0, a1, boundary;
    };
    const Case cases[] = {
        {"7  1.5  -2  0.25 3e1  4", true, 7, 1.5, -2, 0.25, 30, 4},
        {"   7\t  1.5 -2   # comment", true, 7, 1.5, -2, 0, 0, 0},  // missing entries are 0
        {"8 1 2 x 5 3", true, 8, 1, 2, 0, 5, 3},                   // a word that is no number still reads
        {"9 1 2 3 4 5 6 7", true, 9, 1, 2, 3, 4, 5},               // extra numbers are ignored
        {"2.5 1 1", true, 2, 1, 1, 0, 0, 0},                        // identifiers round half to even
        {"1e300 1 1 0 0 0", false, 0, 0, 0, 0, 0, 0},              // no identifier at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TNode node;
        node.SetAttributeNo(2);
        EXPECT_EQ(node.ReadLine(QString::fromLatin1(c.line)), c.result);
        EXPECT_EQ(node.ID(), c.id);
        EXPECT_EQ(node.X(), c.x);
        EXPECT_EQ(node.Y(), c.y);
        EXPECT_EQ(node.Attribute(0), c.a0);
        EXPECT_EQ(node.Attribute(1), c.a1);
        EXPECT_EQ(node.Boundary(), c.boundary);
    }
}

TEST(MeshFileLines, SegmentLineParsing)
{
    struct Case {
        const char* line;
        bool result;
        int id, p1, p2;
        double boundary;
    };
    const Case cases[] = {
        {"5 6 7 3", true, 5, 6, 7, 3},
        {"5 6 7", true, 5, 6, 7, 0},
        {"5 6 x 3", false, 1, 2, 3, 9},  // unchanged
        {"5 6 7 y", false, 1, 2, 3, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TSegment segment(1, 2, 3, 9);
        EXPECT_EQ(segment.ReadLine(QString::fromLatin1(c.line)), c.result);
        EXPECT_EQ(segment.ID(), c.id);
        EXPECT_EQ(segment.P1(), c.p1);
        EXPECT_EQ(segment.P2(), c.p2);
        EXPECT_EQ(segment.Boundary(), c.boundary);
    }
}

TEST(MeshFileLines, SegmentCoordinatesAddOffsetBeforeScaling)
{
    TNodesList nodes;
    nodes.Add(std::make_unique<TNode>(1, -10, 5, TDoubleArray{}, 0));
    nodes.Add(std::make_unique<TNode>(2, 2.25, -1, TDoubleArray{}, 0));
    TPoint p[2];
    TSegment(1, 2, 1, 0).GetCoord(2, 10, 1, p, nodes);
    EXPECT_EQ(p[0], (TPoint{24, 0}));  // (2.25 + 10) * 2 = 24.5 rounds to even
    EXPECT_EQ(p[1], (TPoint{0, 12}));
    EXPECT_THROW(TSegment(1, 1, 3, 0).GetCoord(1, 0, 0, p, nodes), EKPError);
}

TEST(MeshFiles, PolyFileLayout)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("mesh.poly");
    TNodesList nodes;
    TSegmentList segments;
    TRegionsList regions;
    const double corners[4][2] = {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
    for (int i = 0; i < 4; ++i) {
        nodes.Add(std::make_unique<TNode>(i + 1, corners[i][0], corners[i][1], TDoubleArray{0, 0, 0}, 3));
        segments.Add(std::make_unique<TSegment>(i + 1, i + 1, (i + 1) % 4 + 1, 3));
    }
    regions.Add(std::make_unique<TRegionAttributeArea>(1, 0, 0, TDoubleArray{0}, 10));
    regions.Add(std::make_unique<TRegionAttributeArea>(2, 40, 40, TDoubleArray{0}, 100));
    WritePolyFile(nodes, segments, &regions, fn);

    const QByteArray data = ReadAll(fn);
    ASSERT_TRUE(data.endsWith("\r\n"));
    EXPECT_FALSE(data.startsWith("\xEF\xBB\xBF"));
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast();  // after the final CR LF
    ASSERT_EQ(lines.size(), 14);
    for (const QByteArray& l : lines) EXPECT_TRUE(l.endsWith('\r'));
    EXPECT_EQ(lines[0], "4   2   3   1\r");
    EXPECT_EQ(lines[5], "4   1\r");
    EXPECT_EQ(lines[9], "4   4   1    3.00000000000000E+0000\r");
    EXPECT_EQ(lines[10], "0\r");
    EXPECT_EQ(lines[11], "2\r");
    EXPECT_EQ(lines[13], "2    4.00000000000000E+0001    4.00000000000000E+0001    0.00000000000000E+0000    "
                         "1.00000000000000E+0002\r");

    // Without regions the file stops after the holes line; an existing file is replaced.
    WritePolyFile(nodes, segments, nullptr, fn);
    EXPECT_TRUE(ReadAll(fn).endsWith("\r\n0\r\n"));
    EXPECT_EQ(ReadAll(fn).count('\n'), 11);
}

TEST(MeshFiles, SectionSaveAndUnwritableFile)
{
    QTemporaryDir dir;
    TSegmentList segments;
    segments.Add(std::make_unique<TSegment>(1, 1, 2, 0));
    segments.SaveToFile(dir.filePath("s.txt"));
    EXPECT_EQ(ReadAll(dir.filePath("s.txt")), "1   1\r\n1   1   2    0.00000000000000E+0000\r\n");
    WriteAll(dir.filePath("plainfile"), "x");
    EXPECT_THROW(segments.SaveToFile(dir.filePath("plainfile/s.txt")), EFileError);
    TNodesList nodes;
    EXPECT_THROW(WritePolyFile(nodes, segments, nullptr, dir.filePath("plainfile/m.poly")), EFileError);
}

TEST(MeshFiles, NodeListReadFromFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("a.node");
    WriteAll(fn, "3 2 1 1\r\n1 0 0 5 2\n2 1.5 0 6\r\n3 0 1e1 7 3 # tail\n# trailing comment\n");
    TNodesList nodes;
    nodes.Add(std::make_unique<TNode>(99, 0, 0, TDoubleArray{}, 0));
    nodes.ReadFromFile(fn);
    ASSERT_EQ(nodes.Count(), 4);  // appended
    EXPECT_EQ(nodes.Items(1)->Attribute(0), 5);
    EXPECT_EQ(nodes.Items(1)->Boundary(), 2);
    EXPECT_EQ(nodes.Items(2)->X(), 1.5);
    EXPECT_EQ(nodes.Items(2)->Boundary(), 0);
    EXPECT_EQ(nodes.Items(3)->Y(), 10);
    EXPECT_EQ(nodes.Items(3)->Boundary(), 3);

    struct Bad {
        const char* text;
        const char* messagePart;
    };
    const Bad bad[] = {
        {"3 2 0 1\n1 0 0\n2 1 0\n", "endet nach Zeile 3"},
        {"", "leer"},
        {"-1 2 0 1\n", "Anzahl von Knoten"},
        {"1 2 -3 1\n1 0 0\n", "Anzahl von Attributen"},
        {"x 2 0 1\n", "keine Zahl"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.text);
        WriteAll(fn, b.text);
        try {
            nodes.ReadFromFile(fn);
            ADD_FAILURE() << "no error";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(b.messagePart))) << e.what();
            EXPECT_TRUE(e.Message().contains("a.node")) << e.what();
        }
        EXPECT_EQ(nodes.Count(), 4);
    }
    EXPECT_THROW(nodes.ReadFromFile(dir.filePath("missing.node")), EFileError);
    TRegionsList regions;
    EXPECT_THROW(regions.ReadFromFile(fn), EKPError);
}
