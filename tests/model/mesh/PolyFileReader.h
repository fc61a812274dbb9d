#pragma once

// Reads a ".poly" file back for the tests, independently of the writer, and
// checks what every builder output must hold.

#include <QString>
#include <QStringList>
#include <vector>

struct TPolyNode {
    int ID = 0;
    double X = 0, Y = 0;
    std::vector<double> Attributes;
    double Marker = 0;
};

struct TPolySegment {
    int ID = 0, P1 = 0, P2 = 0;
    double Marker = 0;
};

struct TPolyRegion {
    int ID = 0;
    double X = 0, Y = 0, Attribute = 0, MaxArea = 0;
};

struct TPolyFile {
    QStringList Lines;
    std::vector<TPolyNode> Nodes;
    std::vector<TPolySegment> Segments;
    int Holes = -1;
    std::vector<TPolyRegion> Regions;
};

// Fails the current test (and returns what it got) when the file does not parse.
TPolyFile ReadPolyFile(const QString& FileName);
// Numbered from 1, segments between distinct existing nodes, no two nodes on one spot.
void ExpectConsistent(const TPolyFile& Poly);
