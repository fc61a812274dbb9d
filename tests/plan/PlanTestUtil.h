#pragma once

// Helpers of the plan tests: settings and stream classes per test, a project with
// a small hand-made mesh, a scripted host, and painting the plan into an image.

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"
#include "model/settings/KPSettings.h"
#include "plan/PlanHost.h"
#include "plan/PlanView.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TScriptedHost : public TPlanHost
{
public:
    void SetStatusText(const QString& Text) override { Status = Text; }
    void ShowElementProperties(TElement* E) override { ShownElement = E; }
    void ShowNodeProperties(TNode* N) override { ShownNode = N; }
    void ProjectChanged() override { ++Changed; }
    void MeshOutOfDate() override { ++OutOfDate; }
    void PopupObserveMenu(TNode* N, QPoint) override { ++Popups, PopupNode = N; }
    void BHEAdded(TBHE*) override { ++Added; }
    void BHEMoved(TBHE*) override { ++Moved; }
    void SetMessageLines(const QStringList& L) override { Lines = L; }
    void ShowError(const QString& T) override { Errors << T; }
    bool AskYesNo(const QString& Q) override { Questions << Q; return Answer; }
    const TBHE* BHETypeAt(int Index) override { return Index == 0 ? Type : nullptr; }

    QString Status;
    TElement* ShownElement = nullptr;
    TNode* ShownNode = nullptr;
    int Changed = 0, OutOfDate = 0, Popups = 0, Added = 0, Moved = 0;
    TNode* PopupNode = nullptr;
    QStringList Lines, Errors, Questions;
    bool Answer = false;
    const TBHE* Type = nullptr;
};

class TPlanTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterStreamClasses();
        ResetProgramSettings();
        ProgramSettings();
        TempDir = Work.filePath(QStringLiteral("tmp"));
        QLocale::setDefault(QLocale(QLocale::German));
        Project = std::make_unique<TProject>();
        View = std::make_unique<TPlanView>(nullptr, &Host);
    }
    void TearDown() override
    {
        View.reset();
        Project.reset();
        QLocale::setDefault(QLocale::c());
        ResetProgramSettings();
    }

    TThermModel& Model() { return *Project->Model(); }
    T2DTriangleTransient& FE() { return *Project->Model()->FieldModel(); }

    // A square Size × Size from the world point (X0, Y0), cut by its diagonal from
    // the bottom-left to the top-right corner into two triangles.
    void SquareMesh(double X0, double Y0, double Size)
    {
        const double xy[4][2] = {{X0, Y0}, {X0 + Size, Y0}, {X0 + Size, Y0 + Size}, {X0, Y0 + Size}};
        for (const auto& p : xy) FE().NodesList().Add(std::make_unique<TNode>(p[0], p[1]));
        AddTriangle(0, 1, 2);
        AddTriangle(0, 2, 3);
    }
    void AddTriangle(int A, int B, int C)
    {
        const int index[3] = {A, B, C};
        auto e = std::make_unique<TTransientTriangle>(FE().GetNodes(A), FE().GetNodes(B), FE().GetNodes(C), 1, 0,
                                                      1e30, 1);
        e->PresetNodeIndices(index);
        e->UpdateNodeIndices(&FE().NodesList());
        FE().ElementsList().Add(std::move(e));
    }
    TBHE* AddProbe(const QString& Name, double X, double Y)
    {
        TBHE* b = Model().AddBHE();
        b->SetName(Name);
        b->SetX(X);
        b->SetY(Y);
        return b;
    }
    // Groundwater cells of Size metres, turned by Direction radians.
    void SetGWCellSize(double Size, double Direction = 0)
    {
        TGWGrid& g = *Model().GW();
        g.SetKF(1);
        g.SetGradient(1);
        g.SetPorosity(1);
        g.SetTimeForGrid(Size);
        g.SetDirection(Direction);
    }

    // The plan painted into a white W × H image.
    QImage Paint(int W = 800, int H = 600)
    {
        QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        TDirect2DCanvas canvas;
        canvas.Font().SetName(QStringLiteral("Liberation Sans"));
        canvas.Font().SetSize(8);
        canvas.BeginDraw(painter);
        View->MVPaintBoxD2Paint(canvas);
        canvas.EndDraw();
        return image;
    }

    QTemporaryDir Work;
    TScriptedHost Host;
    std::unique_ptr<TProject> Project;
    std::unique_ptr<TPlanView> View;
};
