#include "model/meshfiles/Nodes.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/base/Utilities.h"

#include <QFile>
#include <QSaveFile>
#include <QFileInfo>
#include <QDir>
#include <cmath>

namespace Nodes {

namespace {

QString Sep() { return QString::fromLatin1(FieldSeparator); }

[[noreturn]] void FailIndex(int Index)
{
    throw EKPError(QStringLiteral("Index %1 out of bounds").arg(Index));
}

// Identifiers and node numbers: a value that is no integer at all cannot be
// converted (the caller then reports the line as unreadable).
bool ToInt(double V, int& Out)
{
    if (!FitsInt(V)) return false;
    Out = RoundEven(V);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// TTriangleItem

void TTriangleItem::SetAttributeNo(int V)
{
    if (V < 0) throw EKPError(QStringLiteral("Die Anzahl der Attribute ist %1. Sie darf nicht negativ sein.").arg(V));
    FAttributeNo = V;
    FAttributes.resize(static_cast<size_t>(V), 0.0);
}

void TTriangleItem::CheckAttributeIndex(int Index) const
{
    if (Index < 0 || Index >= FAttributeNo) FailIndex(Index);
}

double TTriangleItem::Attribute(int Index) const
{
    CheckAttributeIndex(Index);
    return FAttributes[static_cast<size_t>(Index)];
}

void TTriangleItem::SetAttribute(int Index, double V)
{
    CheckAttributeIndex(Index);
    FAttributes[static_cast<size_t>(Index)] = V;
}

// ---------------------------------------------------------------------------
// TNode

TNode::TNode(int AID, double AX, double AY, const TDoubleArray& AttList, double ABoundary)
{
    Fill(AID, AX, AY, AttList, ABoundary);
}

void TNode::Fill(int AID, double AX, double AY, const TDoubleArray& AttList, double ABoundary)
{
    FID = AID;
    FX = AX;
    FY = AY;
    SetAttributeNo(static_cast<int>(AttList.size()));
    for (size_t i = 0; i < AttList.size(); ++i) FAttributes[i] = AttList[i];
    FBoundary = ABoundary;
}

bool TNode::ReadLine(const QString& ALine)
{
    const int a = FAttributeNo;
    std::vector<double> values(static_cast<size_t>(a) + 4, 0.0);
    // A word that is no number still gives a node: its entry keeps what was read of it.
    ParseDoubles(ALine, values.data(), a + 3);
    int id = 0;
    if (!ToInt(values[0], id)) return false;
    FID = id;
    FX = values[1];
    FY = values[2];
    for (int i = 0; i < a; ++i) FAttributes[static_cast<size_t>(i)] = values[static_cast<size_t>(3 + i)];
    FBoundary = values[static_cast<size_t>(a) + 3];
    return true;
}

void TNode::WriteLine(QStringList& Stringlist) const
{
    QString line = QString::number(FID) + Sep() + FloatToStrRaw(FX) + Sep() + FloatToStrRaw(FY);
    for (double att : FAttributes) line += Sep() + FloatToStrRaw(att);
    line += Sep() + FloatToStrRaw(FBoundary);
    Stringlist.append(line);
}

// ---------------------------------------------------------------------------
// TRegionAttributeArea

TRegionAttributeArea::TRegionAttributeArea(int AID, double AX, double AY, const TDoubleArray& AttList,
                                           double ABoundary)
{
    // The region's own setter must run, so the check applies here as well.
    SetAttributeNo(static_cast<int>(AttList.size()));
    Fill(AID, AX, AY, AttList, ABoundary);
}

void TRegionAttributeArea::SetAttributeNo(int V)
{
    if (V > 1)
        throw EKPError(QStringLiteral("Es ist nur maximal 1 Attribut erlaubt. Es wurden aber %1 angegeben").arg(V));
    TNode::SetAttributeNo(V);
}

// ---------------------------------------------------------------------------
// TSegment

TSegment::TSegment(int AID, int AP1, int AP2, double ABoundary) : FP1(AP1), FP2(AP2)
{
    FID = AID;
    FBoundary = ABoundary;
}

bool TSegment::ReadLine(const QString& ALine)
{
    double values[4] = {0, 0, 0, 0};
    if (!ParseDoubles(ALine, values, 3)) return false;
    int id = 0, p1 = 0, p2 = 0;
    if (!ToInt(values[0], id) || !ToInt(values[1], p1) || !ToInt(values[2], p2)) return false;
    FID = id;
    FP1 = p1;
    FP2 = p2;
    FBoundary = values[3];
    return true;
}

void TSegment::WriteLine(QStringList& Stringlist) const
{
    Stringlist.append(QString::number(FID) + Sep() + QString::number(FP1) + Sep() + QString::number(FP2) + Sep() +
                      FloatToStrRaw(FBoundary));
}

void TSegment::GetCoord(double Scale, double XMin, double YMin, TPoint P[2], const TNodesList& Nodeslist) const
{
    const TNode* n1 = Nodeslist.Items(FP1 - 1);
    const TNode* n2 = Nodeslist.Items(FP2 - 1);
    P[0] = TPoint{RoundEven((n1->X() + XMin) * Scale), RoundEven((n1->Y() + YMin) * Scale)};
    P[1] = TPoint{RoundEven((n2->X() + XMin) * Scale), RoundEven((n2->Y() + YMin) * Scale)};
}

// ---------------------------------------------------------------------------
// TTriangleItemsList

TTriangleItemsList::~TTriangleItemsList() = default;

TTriangleItem* TTriangleItemsList::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) FailIndex(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

void TTriangleItemsList::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) FailIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

int TTriangleItemsList::AddItem(std::unique_ptr<TTriangleItem> AItem)
{
    FItems.push_back(std::move(AItem));
    return Count() - 1;
}

void TTriangleItemsList::WriteLines(QStringList& Stringlist) const
{
    for (const auto& item : FItems) item->WriteLine(Stringlist);
}

void TTriangleItemsList::ReadFromFile(const QString& AFilename)
{
    (void)AFilename;
    throw EKPError(QStringLiteral("Not implemented"));
}

void TTriangleItemsList::WriteSection(QStringList& Stringlist) const
{
    WriteHeader(Stringlist);
    WriteLines(Stringlist);
}

void TTriangleItemsList::SaveToFile(const QString& AFilename) const
{
    QStringList lines;
    WriteSection(lines);
    SaveLinesToFile(lines, AFilename);
}

// ---------------------------------------------------------------------------
// The lists

void TNodesList::WriteHeader(QStringList& Stringlist) const
{
    const int attributes = Count() > 0 ? Items(0)->AttributeNo() : 0;
    Stringlist.append(QString::number(Count()) + Sep() + QStringLiteral("2") + Sep() + QString::number(attributes) +
                      Sep() + QStringLiteral("1"));
}

void TNodesList::ReadFromFile(const QString& AFilename)
{
    const QStringList lines = LoadLinesFromFile(AFilename);
    const QString name = QDir::toNativeSeparators(AFilename);
    if (lines.isEmpty()) throw EKPError(QStringLiteral("Die Datei <%1> ist leer.").arg(name));
    double header[3] = {0, 0, 0};
    if (!ParseDoubles(lines[0], header, 2))
        throw EKPError(QStringLiteral("Die Datei <%1>: Zeile 1 enthält ein Wort, das keine Zahl ist.").arg(name));
    int count = 0, attributes = 0;
    if (!ToInt(header[0], count) || count < 0)
        throw EKPError(QStringLiteral("Die Datei <%1>: Zeile 1 nennt keine gültige Anzahl von Knoten.").arg(name));
    if (!ToInt(header[2], attributes) || attributes < 0 || attributes > 1000)
        throw EKPError(QStringLiteral("Die Datei <%1>: Zeile 1 nennt keine gültige Anzahl von Attributen.").arg(name));
    if (lines.size() - 1 < count)
        throw EKPError(QStringLiteral("Die Datei <%1> endet nach Zeile %2, ihr Kopf kündigt aber %3 Knoten an.")
                           .arg(name)
                           .arg(lines.size())
                           .arg(count));
    // Read everything first, so that a failure leaves the list as it was.
    std::vector<std::unique_ptr<TNode>> read;
    read.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        auto node = std::make_unique<TNode>();
        node->SetAttributeNo(attributes);
        if (node->ReadLine(lines[i])) read.push_back(std::move(node));
    }
    for (auto& node : read) Add(std::move(node));
}

void TSegmentList::WriteHeader(QStringList& Stringlist) const
{
    Stringlist.append(QString::number(Count()) + Sep() + QStringLiteral("1"));
}

void TRegionsList::WriteHeader(QStringList& Stringlist) const
{
    Stringlist.append(QString::number(Count()));
}

void TRegionsList::ReadFromFile(const QString& AFilename)
{
    (void)AFilename;
    throw EKPError(QStringLiteral("Not implemented"));
}

// ---------------------------------------------------------------------------
// Files

void WritePolyFile(const TNodesList& ANodes, const TSegmentList& ASegments, const TRegionsList* ARegions,
                   const QString& AFilename)
{
    QStringList lines;
    ANodes.WriteSection(lines);
    ASegments.WriteSection(lines);
    lines.append(QStringLiteral("0"));
    if (ARegions) ARegions->WriteSection(lines);
    SaveLinesToFile(lines, AFilename);
}

void SaveLinesToFile(const QStringList& Lines, const QString& AFilename)
{
    QByteArray data;
    for (const QString& line : Lines) {
        data += line.toLatin1();
        data += "\r\n";
    }
    QSaveFile file(AFilename);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EFileError(QStringLiteral("Die Datei <%1> kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(AFilename), file.errorString()));
}

QStringList LoadLinesFromFile(const QString& AFilename)
{
    QFile file(AFilename);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Die Datei <%1> kann nicht gelesen werden: %2")
                             .arg(QDir::toNativeSeparators(AFilename), file.errorString()));
    const QByteArray data = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n') continue;
        lines.append(QString::fromLatin1(data.constData() + start, i - start));
        if (c == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(QString::fromLatin1(data.constData() + start, n - start));
    return lines;
}

}  // namespace Nodes
