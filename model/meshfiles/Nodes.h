#pragma once

// The lines of the text files exchanged with the mesh generator: node, segment
// and region lines, and the lists that write them as the sections of a file.
// The finite-element node has the same class name, so these live in a namespace.

#include "gfx/WinTypes.h"
#include "model/base/MVStreamList.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace Nodes {

using TDoubleArray = std::vector<double>;

// Three blanks between the fields of every generator input line.
inline constexpr const char* FieldSeparator = "   ";

// One numbered line of a generator file with a marker and attributes.
class TTriangleItem : public TObject {
    KP_CLASS(TTriangleItem)
public:
    TTriangleItem() = default;

    int ID() const { return FID; }
    void SetID(int V) { FID = V; }
    // The marker of a node or segment line; the maximum area on a region line.
    double Boundary() const { return FBoundary; }
    void SetBoundary(double V) { FBoundary = V; }
    int AttributeNo() const { return FAttributeNo; }
    // Resizes the attributes; new entries are 0. A negative count is refused.
    virtual void SetAttributeNo(int V);
    double Attribute(int Index) const;
    void SetAttribute(int Index, double V);

    // Parses one line into the item; False when the line cannot give one.
    virtual bool ReadLine(const QString& ALine) = 0;
    // Appends the item's line.
    virtual void WriteLine(QStringList& Stringlist) const = 0;

protected:
    void CheckAttributeIndex(int Index) const;

    int FID = 0;
    double FBoundary = 0;
    int FAttributeNo = 0;
    TDoubleArray FAttributes;
};

// A point line: number, x, y, attributes, marker.
class TNode : public TTriangleItem {
    KP_CLASS(TNode)
public:
    TNode() = default;
    TNode(double AX, double AY) : FX(AX), FY(AY) {}
    TNode(int AID, double AX, double AY, const TDoubleArray& AttList, double ABoundary);

    double X() const { return FX; }
    void SetX(double V) { FX = V; }
    double Y() const { return FY; }
    void SetY(double V) { FY = V; }

    bool ReadLine(const QString& ALine) override;
    void WriteLine(QStringList& Stringlist) const override;

protected:
    void Fill(int AID, double AX, double AY, const TDoubleArray& AttList, double ABoundary);

private:
    double FX = 0;
    double FY = 0;
};

// A region line: a point inside the region, at most one regional attribute,
// and the region's maximum triangle area in Boundary.
class TRegionAttributeArea : public TNode {
    KP_CLASS(TRegionAttributeArea)
public:
    TRegionAttributeArea() = default;
    TRegionAttributeArea(int AID, double AX, double AY, const TDoubleArray& AttList, double ABoundary);

    void SetAttributeNo(int V) override;
};

class TNodesList;

// A segment line: number, the numbers of its two end nodes, marker.
class TSegment : public TTriangleItem {
    KP_CLASS(TSegment)
public:
    TSegment() = default;
    TSegment(int AID, int AP1, int AP2, double ABoundary);

    int P1() const { return FP1; }
    void SetP1(int V) { FP1 = V; }
    int P2() const { return FP2; }
    void SetP2(int V) { FP2 = V; }

    bool ReadLine(const QString& ALine) override;
    void WriteLine(QStringList& Stringlist) const override;

    // The end nodes as picture points ((X + XMin) * Scale, (Y + YMin) * Scale),
    // rounded; no axis is flipped. A node number outside the list raises.
    void GetCoord(double Scale, double XMin, double YMin, TPoint P[2], const TNodesList& Nodeslist) const;

private:
    int FP1 = 0;
    int FP2 = 0;
};

// An owning list of items that writes itself as one section of a file.
class TTriangleItemsList : public TObject {
    KP_CLASS(TTriangleItemsList)
public:
    TTriangleItemsList() = default;
    ~TTriangleItemsList() override;
    TTriangleItemsList(const TTriangleItemsList&) = delete;
    TTriangleItemsList& operator=(const TTriangleItemsList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TTriangleItem* Items(int Index) const;
    void Delete(int Index);
    void Clear() { FItems.clear(); }

    virtual void WriteHeader(QStringList& Stringlist) const = 0;
    virtual void WriteLines(QStringList& Stringlist) const;
    virtual void ReadFromFile(const QString& AFilename);
    virtual void WriteSection(QStringList& Stringlist) const;
    // The section alone as a file with CR LF lines.
    virtual void SaveToFile(const QString& AFilename) const;

protected:
    int AddItem(std::unique_ptr<TTriangleItem> AItem);

private:
    std::vector<std::unique_ptr<TTriangleItem>> FItems;
};

// Nodes (Nodes::TNode or TRegionAttributeArea).
class TNodesList : public TTriangleItemsList {
    KP_CLASS(TNodesList)
public:
    int Add(std::unique_ptr<TNode> ANode) { return AddItem(std::move(ANode)); }
    TNode* Items(int Index) const { return static_cast<TNode*>(TTriangleItemsList::Items(Index)); }

    void WriteHeader(QStringList& Stringlist) const override;
    // Replaces nothing: appends the nodes of a ".node" file; counts and line
    // numbers are checked, a file with fewer lines than announced raises.
    void ReadFromFile(const QString& AFilename) override;
};

class TSegmentList : public TTriangleItemsList {
    KP_CLASS(TSegmentList)
public:
    int Add(std::unique_ptr<TSegment> ASegment) { return AddItem(std::move(ASegment)); }
    TSegment* Items(int Index) const { return static_cast<TSegment*>(TTriangleItemsList::Items(Index)); }

    void WriteHeader(QStringList& Stringlist) const override;
};

class TRegionsList : public TTriangleItemsList {
    KP_CLASS(TRegionsList)
public:
    int Add(std::unique_ptr<TRegionAttributeArea> ARegion) { return AddItem(std::move(ARegion)); }
    TRegionAttributeArea* Items(int Index) const
    {
        return static_cast<TRegionAttributeArea*>(TTriangleItemsList::Items(Index));
    }

    void WriteHeader(QStringList& Stringlist) const override;
    void ReadFromFile(const QString& AFilename) override;
};

// The generator's ".poly" input: nodes, segments, no holes, and the regions
// when given.
void WritePolyFile(const TNodesList& ANodes, const TSegmentList& ASegments, const TRegionsList* ARegions,
                   const QString& AFilename);

// Shared by the writers: lines as ASCII with CR LF after each, through a
// temporary file so that a failed write keeps the old file.
void SaveLinesToFile(const QStringList& Lines, const QString& AFilename);
// A text file's lines (CR LF, LF or CR ends; no extra line for a final end).
// Raises EFileError when the file cannot be read.
QStringList LoadLinesFromFile(const QString& AFilename);

}  // namespace Nodes
