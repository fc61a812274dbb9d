// Pictures of the mesh, groundwater and isotherm dialogs, filled as an
// engineer would fill them, written into KP_SCREENSHOT_DIR
// (scripts/screenshots.sh); skipped without it.
#include <QDir>
#include <QImage>

#include "model/groundwater/GWGrid.h"
#include "model/mesh/TriangleComp.h"
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
