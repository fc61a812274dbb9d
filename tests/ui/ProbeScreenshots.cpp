// Pictures of the probe dialogs, the probe overview and the fluid table with
// realistic content, written into KP_SCREENSHOT_DIR (scripts/screenshots.sh);
// skipped without it.
#include "MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include "model/control/ProjectControl.h"
#include "model/fe/ParameterSet.h"
#include "model/model/MainModelObj.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ParamSetCommands.h"
#include "ui/mainwindow/ProbeCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/params/FormParamsSet.h"
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "ui/probes/BHEEditTypeDlg.h"
#include "ui/probes/BHEFieldCreateDlg.h"
#include "ui/probes/BHEsOverview.h"
#include "ui/probes/DlgBHE.h"
#include "ui/probes/FluidPropertiesWnd.h"
#include "ui/probes/TubePictures.h"

#include <gtest/gtest.h>

#include "Screenshot.h"

TEST(Screenshots, ProbeDialogs)
{
    SkipWithoutScreenshotDir();
    TDlgEditBHE probe;
    TBHEEditData d;
    d.Caption = QStringLiteral("Doppel-U-Sonde");
    d.Name = QStringLiteral("EWS 3");
    d.Depth = QStringLiteral("120");
    d.RB = QStringLiteral("0,075");
    d.X = QStringLiteral("18,25");
    d.Y = QStringLiteral("-6,5");
    probe.SetData(d);
    SaveScreenshot(probe, QStringLiteral("probe_dialog.png"));

    TDlgBHEType type(nullptr, 144);
    const QList<QIcon> symbols = DefaultProbeSymbols();
    type.UpdateImagelist(&symbols);
    TBHETypeEditData t;
    t.Name = QStringLiteral("Doppel-U 32 mm");
    t.RB = QStringLiteral("0,08");
    t.Length = QStringLiteral("100");
    t.ImageIndex = 1;
    t.TubeType = ttDoubleU;
    type.SetData(t);
    SaveScreenshot(type, QStringLiteral("probe_type_dialog.png"));

    TBHETypelist types;
    types.CreateDummy();
    TDlgCreateBHEField field;
    field.SetSpacing(7.5);
    field.SetBHETypes(types);
    field.SetLoadProfiles({QStringLiteral("Wohnhaus"), QStringLiteral("Bürogebäude")}, 0);
    field.EdtPrefix->setText(QStringLiteral("EWS"));
    SaveScreenshot(field, QStringLiteral("probe_field_dialog.png"));
}

TEST(Screenshots, ProbeOverviewAndFluidTable)
{
    SkipWithoutScreenshotDir();
    TProjectControl control;
    control.NewProject();
    const QStringList profiles{QStringLiteral("Wohnhaus"), QStringLiteral("Bürogebäude")};
    for (int i = 0; i < 6; ++i) {
        TBHE* b = control.AddProbe(nullptr, 6.5 * (i % 3), -7.25 * (i / 3), QStringLiteral("EWS %1").arg(i + 1));
        b->SetCasingLength(i < 4 ? 100 : 120.5);
        b->SetRB(0.08);
        b->SetLoadProfilIndex(i == 5 ? -1 : i % 2);
    }
    TFormBHEs overview;
    overview.SetControl(&control);
    overview.OnChangeLoadProfile = [&](int Index) { return Index < profiles.size() ? profiles[Index] : QString(); };
    overview.SetLoadProfiles(profiles);
    overview.Refill();
    overview.ListViewBHE->topLevelItem(1)->setSelected(true);
    overview.ListViewBHE->topLevelItem(2)->setSelected(true);
    SaveScreenshot(overview, QStringLiteral("probe_overview.png"));

    TFluidPropForm fluids;
    fluids.ListBoxFluids->setCurrentRow(1);
    fluids.EdtTemp->setText(QStringLiteral("-5"));
    SaveScreenshot(fluids, QStringLiteral("fluid_table.png"));
}

using ScreenshotsProbePage = MainWindowFixture;

TEST_F(ScreenshotsProbePage, ProbePageWithTypesProbesAndWindows)
{
    SkipWithoutScreenshotDir();
    TFormLoad& w = Window();
    w.NewProject();
    Settle();
    TBHETypelist& types = w.BHETypelist();
    auto* coax = new TBHE;
    coax->AssignType(*types.Items(0));
    coax->SetName(QStringLiteral("Koax 63"));
    coax->SetTubeType(ttCoax);
    coax->SetImageIndex(2);
    types.Add(coax);
    types.Items(0)->SetImageIndex(1);
    w.RefreshBHETypeList();
    for (int i = 0; i < 6; ++i) {
        TBHE* b = w.Control().AddProbe(types.Items(i < 4 ? 0 : 1), 8.0 * (i % 3), -8.0 * (i / 3),
                                       QStringLiteral("EWS %1").arg(i + 1));
        b->SetLoadProfilIndex(i == 5 ? -1 : 0);
    }
    w.PlanView()->BuildBHEItems();
    w.SetActiveCard(mcMap);
    w.ProbesCard()->ListViewBHETypes->SelectType(0);
    Settle();
    w.ProbesCard()->FitToScreen();
    Settle();
    w.ProbesCard()->FitToScreen();
    SaveScreenshot(w, QStringLiteral("mainwindow-probes-types.png"));

    w.Actions()->BHEOverview->trigger();
    TFormBHEs& overview = *w.ProbeCommands()->FormBHEs();
    overview.RowItem(1)->setSelected(true);
    SaveScreenshot(overview, QStringLiteral("probe_overview_grouped.png"));

    TThermModel& m = *w.Control().Model();
    auto* clay = new TParameterSet(QStringLiteral("Ton"), 0x0000FF);
    clay->SetT(1.8);
    clay->SetStorage(2.4);
    m.Paramsets().Add(clay);
    w.Actions()->Parameterstze1->trigger();
    SaveScreenshot(*w.ProbeCommands()->ParamSets()->FormParamsSet(), QStringLiteral("parameter_sets_window.png"));
    w.SetIsChanged(false);
}
