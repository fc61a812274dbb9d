// Pictures of the mesh, groundwater and isotherm dialogs, filled as an
// engineer would fill them, written into KP_SCREENSHOT_DIR
// (scripts/screenshots.sh); skipped without it. Then the plan after meshing,
// with boundary conditions and with groundwater.
#include "MeshCommandsFixture.h"

#include <QDir>
#include <QImage>

#include "model/groundwater/GWGrid.h"
#include "model/mesh/TriangleComp.h"
#include "plan/D2DPaintbox.h"
#include "model/model/ThermModelDialogs.h"
#include "ui/contours/ContourLinesGrid.h"
#include "ui/contours/ContoursDialog.h"
#include "ui/groundwater/DlgGWFlow.h"
#include "ui/mesh/DlgInitParams.h"
#include "ui/mesh/TriangleDlg.h"

#include <gtest/gtest.h>

#include "Screenshot.h"

TEST(Screenshots, DlgInitalParams)
{
    SkipWithoutScreenshotDir();
    TDlgInitalParams dlg;
    TModelParamsEditData d;
    d.Lambda = QStringLiteral("2,4");
    d.RhoCP = QStringLiteral("2,2");
    d.Thickness = QStringLiteral("120");
    d.AirTemperature = QStringLiteral("9,5");
    d.Alpha = QStringLiteral("0");
    d.QEarth = QStringLiteral("0,065");
    d.FA = QStringLiteral("11,2");
    d.MaxInnerArea = QStringLiteral("5");
    d.MaxOuterArea = QStringLiteral("50");
    d.ScaleFactorInner = QStringLiteral("3");
    d.MinDistance = QStringLiteral("50");
    dlg.SetData(d);
    SaveScreenshot(dlg, QStringLiteral("dlg_model_params.png"));
}

TEST(Screenshots, DlgTriangleSettings)
{
    SkipWithoutScreenshotDir();
    TDlgTriangleSettings dlg;
    dlg.SetData({QStringLiteral("/opt/kp/bin/triangle"), QStringLiteral("-pq30aAQ")});
    SaveScreenshot(dlg, QStringLiteral("dlg_triangle_settings.png"));
}

TEST(Screenshots, DialogGWFlow)
{
    SkipWithoutScreenshotDir();
    TDialogGWFlow dlg;
    TGWEditData d;
    d.Direction = QStringLiteral("225");
    d.Kf = QStringLiteral("2,5E-4");
    d.Gradient = QStringLiteral("0,004");
    d.Porosity = QStringLiteral("0,18");
    d.Thickness = QStringLiteral("25");
    d.GridTime = QStringLiteral("0,25");
    dlg.SetData(d);
    SaveScreenshot(dlg, QStringLiteral("dlg_groundwater.png"));
}

TEST(Screenshots, ContoursDlg)
{
    SkipWithoutScreenshotDir();
    TContoursDlg dlg;
    TContoursEditData d;
    d.UseFE = false;
    d.NumCols = 120;
    d.NumRows = 80;
    d.Delta = true;
    d.SkipZeroLine = true;
    d.ValueFormat = QStringLiteral("0.0");
    d.ShowLabels = true;
    d.Opak = true;
    d.MinDistance = 150;
    d.ZMin = QStringLiteral("-4");
    d.ZMax = QStringLiteral("Auto");
    d.ZDelta = QStringLiteral("0,5");
    d.Standard = {QStringLiteral("Standard"), clGray, QStringLiteral("1")};
    d.Styles = {{QStringLiteral("-2"), clBlue, QStringLiteral("2,5")},
                {QStringLiteral("-1"), clAqua, QStringLiteral("2")},
                {QStringLiteral("1"), clRed, QStringLiteral("2")}};
    dlg.SetData(d);
    SaveScreenshot(dlg, QStringLiteral("dlg_contours.png"));
}

// ---- the plan after the mesh commands, in the real main window

namespace {

// Our generator of this build, for a mesh as the program makes it; the
// stand-in otherwise.
QString BuiltGenerator()
{
    const QString p =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../tools/triangle/triangle"));
    return QFileInfo(p).isExecutable() ? QFileInfo(p).canonicalFilePath() : QString();
}

} // namespace

using ScreenshotsMeshPlan = MeshCommandsFixture;

TEST_F(ScreenshotsMeshPlan, MeshAndGroundwater)
{
    SkipWithoutScreenshotDir();
    if (!BuiltGenerator().isEmpty()) TriangleLocation = BuiltGenerator();
    TFormLoad& w = Window();
    w.resize(1200, 780);
    w.NewProject();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) w.Control().AddProbe(nullptr, 10.0 * i, 8.0 * j);
    w.SetActiveCard(mcMap);
    Settle();
    Generate(w);
    w.ProbesCard()->FitToScreen();
    // A fixed temperature on the nodes of the right half.
    TPlanView& plan = *w.PlanView();
    plan.ActionSelectNodesExecute();
    const int width = w.ProbesCard()->MVPaintBoxD2->width();
    plan.MVPaintBoxD2MouseDown(mbLeft, TShiftState(), width * 3 / 4, -5000);
    plan.MVPaintBoxD2MouseUp(mbLeft, TShiftState(), 5000, 5000);
    ScriptedPrompter().QueueText(QStringLiteral("8,5"));
    w.MeshCommands()->Fixedtemperature1->trigger();
    plan.ListViewMapItemChecked(plBC, true);
    w.ProbesCard()->RefreshLayerList();
    Settle();
    SaveScreenshot(w, QStringLiteral("mesh-plan.png"));

    ScriptedPrompter().QueueDialog([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("EdtGridTime"))->setText(QStringLiteral("20"));
        return int(QDialog::Accepted);
    });
    w.MeshCommands()->ModelAddGW->trigger();
    plan.ListViewMapItemChecked(plGW, true);
    w.ProbesCard()->RefreshLayerList();
    Settle();
    SaveScreenshot(w, QStringLiteral("mesh-plan-groundwater.png"));
}
