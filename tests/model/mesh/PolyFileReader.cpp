#include "PolyFileReader.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<double> Numbers(const QString& Line)
{
    std::vector<double> V;
    for (const QString& W : Line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool Ok = false;
        V.push_back(W.toDouble(&Ok));
        EXPECT_TRUE(Ok) << W.toStdString();
    }
    return V;
}

}  // namespace

TPolyFile ReadPolyFile(const QString& FileName)
{
    TPolyFile P;
    QFile F(FileName);
    if (!F.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << FileName.toStdString();
        return P;
    }
    const QString Text = QString::fromLatin1(F.readAll());
    EXPECT_TRUE(Text.endsWith(QStringLiteral("\r\n")));
    P.Lines = Text.split(QStringLiteral("\r\n"));
    P.Lines.removeLast();
    int k = 0;
    auto Next = [&]() -> std::vector<double> {
        if (k >= P.Lines.size()) {
            ADD_FAILURE() << "file ends early";
            return {};
        }
        return Numbers(P.Lines[k++]);
    };
    const auto NodeHeader = Next();
    if (NodeHeader.size() != 4) return P;
    const int A = static_cast<int>(NodeHeader[2]);
    for (int i = 0; i < static_cast<int>(NodeHeader[0]); ++i) {
        const auto V = Next();
        if (V.size() != static_cast<std::size_t>(A) + 4) return P;
        P.Nodes.push_back({static_cast<int>(V[0]), V[1], V[2], {V.begin() + 3, V.end() - 1}, V.back()});
    }
    const auto SegHeader = Next();
    if (SegHeader.size() != 2) return P;
    for (int i = 0; i < static_cast<int>(SegHeader[0]); ++i) {
        const auto V = Next();
        if (V.size() != 4) return P;
        P.Segments.push_back({static_cast<int>(V[0]), static_cast<int>(V[1]), static_cast<int>(V[2]), V[3]});
    }
    const auto HoleHeader = Next();
    if (HoleHeader.size() != 1) return P;
    P.Holes = static_cast<int>(HoleHeader[0]);
    const auto RegHeader = Next();
    if (RegHeader.size() != 1) return P;
    for (int i = 0; i < static_cast<int>(RegHeader[0]); ++i) {
        const auto V = Next();
        if (V.size() != 5) return P;
        P.Regions.push_back({static_cast<int>(V[0]), V[1], V[2], V[3], V[4]});
    }
    EXPECT_EQ(k, P.Lines.size()) << "lines after the regions";
    return P;
}

void ExpectConsistent(const TPolyFile& Poly)
{
    const int n = static_cast<int>(Poly.Nodes.size());
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(Poly.Nodes[i].ID, i + 1);
        for (int j = i + 1; j < n; ++j)
            EXPECT_FALSE(std::abs(Poly.Nodes[i].X - Poly.Nodes[j].X) <= 0.001 &&
                         std::abs(Poly.Nodes[i].Y - Poly.Nodes[j].Y) <= 0.001)
                << "nodes " << i + 1 << " and " << j + 1 << " on one spot";
    }
    for (std::size_t s = 0; s < Poly.Segments.size(); ++s) {
        const TPolySegment& S = Poly.Segments[s];
        EXPECT_EQ(S.ID, static_cast<int>(s) + 1);
        EXPECT_TRUE(S.P1 >= 1 && S.P1 <= n && S.P2 >= 1 && S.P2 <= n && S.P1 != S.P2) << "segment " << S.ID;
    }
    EXPECT_EQ(Poly.Holes, 0);
    for (std::size_t r = 0; r < Poly.Regions.size(); ++r) EXPECT_EQ(Poly.Regions[r].ID, static_cast<int>(r) + 1);
}
