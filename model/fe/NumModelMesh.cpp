// Reading the mesh generator's ".node" and ".ele" files.

#include "model/fe/NumModel.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/base/Utilities.h"
#include "model/meshfiles/Nodes.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdint>

namespace {

// More attribute columns than this is no mesh file of ours or the generator's.
constexpr int MaxAttributes = 1000;

struct TDataLine {
    int Number;  // 1-based line number in the file
    QString Text;
};

// A text file's lines without comment lines (trimmed text beginning with "#").
struct TMeshFile {
    QString Name;
    std::vector<TDataLine> Lines;
};

QString TrimControl(const QString& S)
{
    qsizetype b = 0, e = S.size();
    while (b < e && S[b].unicode() <= 32) ++b;
    while (e > b && S[e - 1].unicode() <= 32) --e;
    return S.mid(b, e - b);
}

QString ChangeFileExt(const QString& FileName, const QString& Ext)
{
    const qsizetype slash = std::max(FileName.lastIndexOf(QLatin1Char('/')), FileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    return (dot > slash ? FileName.left(dot) : FileName) + Ext;
}

TMeshFile LoadMeshFile(const QString& FileName)
{
    TMeshFile file;
    file.Name = QDir::toNativeSeparators(FileName);
    const QStringList lines = Nodes::LoadLinesFromFile(FileName);
    file.Lines.reserve(static_cast<size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!TrimControl(lines[i]).startsWith(QLatin1Char('#')))
            file.Lines.push_back(TDataLine{static_cast<int>(i + 1), lines[i]});
    return file;
}

[[noreturn]] void Fail(const TMeshFile& File, int Line, const QString& Text)
{
    throw EKPError(QStringLiteral("Datei <%1>, Zeile %2: %3").arg(File.Name).arg(Line).arg(Text));
}

// The numbers of a data line into Values (MaxIndex + 1 entries, zeros where
// the line has none); returns how many words the line has besides those
// beginning with "#". A word that is no number among the first MaxIndex + 1 is an error.
int ParseLine(const TMeshFile& File, const TDataLine& Line, std::vector<double>& Values, int MaxIndex)
{
    Values.assign(static_cast<size_t>(MaxIndex) + 1, 0.0);
    // Words beginning with "#" are skipped; the words after them still count.
    const QString& text = Line.Text;
    QStringList tokens;
    SplitLine(text, tokens);
    if (!ParseDoubles(text, Values.data(), MaxIndex))
        Fail(File, Line.Number, QStringLiteral("\"%1\" enthält ein Wort, das keine Zahl ist.").arg(TrimControl(Line.Text)));
    return static_cast<int>(tokens.size());
}

// A count or column number of a header: a whole number from 0 to Max.
int HeaderInt(const TMeshFile& File, int Line, double Value, int Max, const QString& What)
{
    if (!(Value >= 0 && Value <= Max && Value == std::floor(Value)))
        Fail(File, Line, QStringLiteral("%1 ist %2, das ist keine gültige Anzahl.").arg(What, FloatToStrC(Value)));
    return RoundEven(Value);
}

struct THeader {
    int Line;
    int Count;
    double Second;
    int Attributes;
};

// First non-comment line: count, a second number and the attribute count;
// the data lines that follow must be at least Count.
THeader ReadHeader(const TMeshFile& File, const QString& CountWhat)
{
    if (File.Lines.empty()) throw EKPError(QStringLiteral("Die Datei <%1> enthält keine Daten.").arg(File.Name));
    const TDataLine& first = File.Lines.front();
    std::vector<double> values;
    ParseLine(File, first, values, 2);
    THeader h;
    h.Line = first.Number;
    h.Count = HeaderInt(File, h.Line, values[0], INT32_MAX, CountWhat);
    h.Second = values[1];
    h.Attributes = HeaderInt(File, h.Line, values[2], MaxAttributes, QStringLiteral("Die Anzahl der Attribute"));
    const int available = static_cast<int>(File.Lines.size()) - 1;
    if (available < h.Count)
        throw EKPError(QStringLiteral("Die Datei <%1> kündigt %2 Zeilen an, enthält aber nur %3.")
                           .arg(File.Name)
                           .arg(h.Count)
                           .arg(available));
    return h;
}

// How many attributes a boundary marker needs: fixed temperature 1, fixed
// flow 2, semi-pervious 4.
int AttributesNeeded(int Marker)
{
    switch (Marker) {
    case 2: return 1;
    case 3: return 2;
    case 4: return 4;
    default: return 0;
    }
}

std::unique_ptr<TNode> ReadNodeLine(const TMeshFile& File, const TDataLine& Line, int A, std::vector<double>& v)
{
    const int numbers = ParseLine(File, Line, v, A + 3);
    if (numbers < 3 + A)
        Fail(File, Line.Number,
             QStringLiteral("Die Zeile enthält %1 Zahlen, ein Knoten braucht mindestens %2.").arg(numbers).arg(3 + A));
    const double x = v[1], y = v[2];
    // Without a marker column the marker stays 0: a free node.
    const double markerValue = v[static_cast<size_t>(A) + 3];
    const int marker = FitsInt(markerValue) ? RoundEven(markerValue) : -1;
    if (marker < 0 || marker > 4)
        Fail(File, Line.Number,
             QStringLiteral("Randbedingung ist %1. Sie muss im Bereich 0 bis 4 liegen.")
                 .arg(FitsInt(markerValue) ? QString::number(marker) : FloatToStrC(markerValue)));
    if (A < AttributesNeeded(marker))
        Fail(File, Line.Number,
             QStringLiteral("Randbedingung %1 braucht %2 Attribute, die Datei hat nur %3.")
                 .arg(marker)
                 .arg(AttributesNeeded(marker))
                 .arg(A));
    auto attribute = [&](int i) { return v[static_cast<size_t>(2 + i)]; };  // 1-based
    switch (marker) {
    case 2: return TNode::Create1BC(x, y, attribute(1));
    case 3: {
        auto node = TNode::Create2BC(x, y, attribute(2));
        // The outer boundary of the mesh input; its zero flow keeps heat in.
        node->SetEdgeOfMesh(true);
        return node;
    }
    case 4: return TNode::Create3BC(x, y, attribute(3), attribute(4));
    default: return std::make_unique<TNode>(x, y);
    }
}

}  // namespace

bool T2DTriangleModel::AcceptsElement(const TElement* AElement) const
{
    return AElement && AElement->AsTriangle();
}

std::unique_ptr<TElement> T2DTriangleModel::MakeMeshElement(TNode* N1, TNode* N2, TNode* N3) const
{
    return std::make_unique<TGWTriElement>(N1, N2, N3, 100.0, 0.001);
}

void T2DTriangleModel::GenerateGridFromTriangle(const QString& AFilename)
{
    const QString nodeFileName = ChangeFileExt(AFilename, QStringLiteral(".node"));
    if (!QFileInfo::exists(nodeFileName))
        throw EFileError(QStringLiteral("Die Knoten-Datei <%1> wurde nicht gefunden").arg(QDir::toNativeSeparators(nodeFileName)));
    const QString elementFileName = ChangeFileExt(nodeFileName, QStringLiteral(".ele"));
    if (!QFileInfo::exists(elementFileName))
        throw EFileError(
            QStringLiteral("Die Element-Datei <%1> wurde nicht gefunden").arg(QDir::toNativeSeparators(elementFileName)));

    // Everything goes into fresh lists; the model's mesh is replaced only at the end.
    TMeshParts parts;
    std::vector<double> values;
    {
        const TMeshFile file = LoadMeshFile(nodeFileName);
        const THeader header = ReadHeader(file, QStringLiteral("Die Anzahl der Knoten"));
        for (int k = 0; k < header.Count; ++k)
            parts.Nodes->Add(ReadNodeLine(file, file.Lines[static_cast<size_t>(k) + 1], header.Attributes, values));
    }
    const TMeshFile file = LoadMeshFile(elementFileName);
    const THeader header = ReadHeader(file, QStringLiteral("Die Anzahl der Dreiecke"));
    const int pointsPerTriangle = FitsInt(header.Second) ? RoundEven(header.Second) : -1;
    if (pointsPerTriangle != 3)
        Fail(file, header.Line,
             QStringLiteral("Die Anzahl der Punkte im Dreieck ist %1. Sie muss 3 betragen.").arg(pointsPerTriangle));
    const int n = parts.Nodes->Count();
    for (int e = 0; e < header.Count; ++e) {
        const TDataLine& line = file.Lines[static_cast<size_t>(e) + 1];
        const int numbers = ParseLine(file, line, values, header.Attributes + 3);
        if (numbers < 4)
            Fail(file, line.Number, QStringLiteral("Die Zeile enthält %1 Zahlen, ein Dreieck braucht 4.").arg(numbers));
        int index[3];
        TNode* node[3];
        for (int i = 0; i < 3; ++i) {
            const double ref = values[static_cast<size_t>(i) + 1];
            if (!(ref >= 1 && ref <= n && ref == std::floor(ref)))
                Fail(file, line.Number,
                     QStringLiteral("Das Dreieck verweist auf den Knoten %1; es gibt nur die Knoten 1 bis %2.")
                         .arg(FloatToStrC(ref))
                         .arg(n));
            index[i] = RoundEven(ref) - 1;
            node[i] = static_cast<TNode*>(parts.Nodes->Items(index[i]));
        }
        std::unique_ptr<TElement> element;
        try {
            element = MakeMeshElement(node[0], node[1], node[2]);
        } catch (const EKPError& error) {
            Fail(file, line.Number, error.Message());
        }
        element->PresetNodeIndices(index);
        element->UpdateNodeIndices(parts.Nodes.get());
        parts.Elements->Add(std::move(element));
    }
    CommitMesh(parts);
}

void T2DTriangleTransient::GenerateGridFromTriangle(const QString& AFilename)
{
    T2DTriangleModel::GenerateGridFromTriangle(AFilename);
}
