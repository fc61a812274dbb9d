#pragma once

// Small meshes built in memory for the finite-element tests.

#include "model/fe/NumModel.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <cmath>
#include <functional>

// Registers the stored classes once for every test that reads records.
class FETest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterFEStreamClasses(); }
};

// Element parameters of a mesh made by the tests.
struct TLayer {
    double T = 100;             // W/K
    double Infiltration = 0;    // W/m²
    double Leakage = 1e30;      // m²·K/W
    double Storage = 2.5e8;     // J/(m²·K)
};

inline TNode* AddNode(TNumModel& Model, std::unique_ptr<TNode> Node)
{
    return Model.NodesList().Add(std::move(Node));
}

inline TNode* AddNode(TNumModel& Model, double X, double Y)
{
    return AddNode(Model, std::make_unique<TNode>(X, Y));
}

inline TTransientTriangle* AddTriangle(TNumModel& Model, int A, int B, int C, const TLayer& L = {})
{
    const int index[3] = {A, B, C};
    auto element = std::make_unique<TTransientTriangle>(Model.GetNodes(A), Model.GetNodes(B), Model.GetNodes(C), L.T,
                                                        L.Infiltration, L.Leakage, L.Storage);
    element->PresetNodeIndices(index);
    element->UpdateNodeIndices(&Model.NodesList());
    return Model.ElementsList().Add(std::move(element));
}

// A rectangle [0, W] × [0, H] of Nx × Ny cells, each split into two
// triangles; node (i, j) is number j·(Nx + 1) + i.
inline void BuildRectMesh(TNumModel& Model, int Nx, int Ny, double W, double H, const TLayer& L = {})
{
    for (int j = 0; j <= Ny; ++j)
        for (int i = 0; i <= Nx; ++i) AddNode(Model, W * i / Nx, H * j / Ny);
    const int row = Nx + 1;
    for (int j = 0; j < Ny; ++j)
        for (int i = 0; i < Nx; ++i) {
            const int n0 = j * row + i;
            AddTriangle(Model, n0, n0 + 1, n0 + row + 1, L);
            AddTriangle(Model, n0, n0 + row + 1, n0 + row, L);
        }
}

inline QString DataPath(const QString& Name)
{
    return QStringLiteral(KP_TEST_DATA) + QStringLiteral("/fe/") + Name;
}

inline void WriteText(const QString& FileName, const QByteArray& Text)
{
    QFile f(FileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Text);
}

inline QByteArray ReadBytes(const QString& FileName)
{
    QFile f(FileName);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << FileName.toStdString();
    return f.readAll();
}
