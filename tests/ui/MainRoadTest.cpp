// A new user's main road through the real main window, driven only through
// its widgets and actions: a new project, its load profiles, heat pump and
// piping, probes dropped and placed, the mesh, a January run with its saved
// field as isotherms, Ctrl+S, Close, and the project reopened from the start
// page with everything it had. Also the window closed during the run, and a
// damaged project file offered on the start page. The same road leaves a
// picture of every page on the way (ScreenshotsMainRoad).

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "RunTestSupport.h"
#include "Screenshot.h"
#include "model/fe/NumModel.h"
#include "model/loads/HeatpumpObj.h"
#include "model/probes/BHEObj.h"
#include "model/model/MainModelObj.h"
#include "model/fe/NumNodes.h"
#include "ui/mainwindow/CounterGridModel.h"
#include <QStatusBar>
#include "plan/PlanView.h"
#include "plan/D2DPaintbox.h"
#include "ui/loads/FormLoadProfils.h"
#include "ui/mainwindow/FileItemList.h"
#include "ui/mainwindow/HeatPumpCard.h"
#include "ui/mainwindow/LoadCard.h"
#include "ui/mainwindow/LoadGrid.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MeshCommands.h"
#include "ui/mainwindow/PipingCard.h"
#include "ui/mainwindow/ProbeCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ProjectCard.h"
#include "ui/mainwindow/ResultCommands.h"
#include "ui/mainwindow/StartPage.h"
#include "ui/mainwindow/ViewBar.h"
#include "ui/mesh/DlgInitParams.h"
#include "ui/probes/BHEFieldCreateDlg.h"

#include <cmath>
#include "plan/PlanContourLayer.h"

namespace {

using Kind = TScriptedPrompter::TKind;

QString Caption(const QString& File)
{
    return QStringLiteral("Mirvatek KP - ") + File;
}

// The requests of Kind whose text contains Part.
int Asked(Kind K, const QString& Part = QString())
{
    int n = 0;
    for (const auto& r : ScriptedPrompter().Asked()) n += r.Kind == K && r.Text.contains(Part);
    return n;
}

// A mouse click in the middle of a list row, as the user selects it.
void ClickRow(QAbstractItemView& View, const QModelIndex& Index, bool Double = false)
{
    View.scrollTo(Index);
    const QPoint p = View.visualRect(Index).center();
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, p);
    if (Double) QTest::mouseDClick(View.viewport(), Qt::LeftButton, {}, p);
}

// The window's changed flag and the two save commands that a change enables.
void ExpectChanged(TFormLoad& W, bool Changed)
{
    EXPECT_EQ(W.IsChanged(), Changed);
    W.Actions()->UpdateActions();
    EXPECT_TRUE(W.Actions()->ActionFileSave->isEnabled());
}

// What a project holds that a reopened one must hold again.
struct TSnapshot {
    QStringList Probes;        // name, position, load profile
    int Elements = 0;
    int Nodes = 0;
    QStringList Profiles;      // name, kind, constant load, window
    QString HeatPump;
    double Flux = 0;
    int Fluid = 0;
    QString Clock;             // the run page's settings
    double FieldSum = 0;       // the node temperatures
    double IsoSum = 0;         // the isotherm values of every node
    size_t IsoLines = 0;       // the contour lines' fingerprint
};

} // namespace

class MainRoad : public RunFixture
{
public:
    void SetUp() override
    {
        RunFixture::SetUp();
        FOldLocation = TriangleLocation;
        TriangleLocation = TestGenerator();
        FProjectFile = Path(QStringLiteral("Schule Am Hang.kpm"));
    }
    void TearDown() override
    {
        TriangleLocation = FOldLocation;
        RunFixture::TearDown();
    }

    // Where the screenshots suite takes its pictures; nothing here.
    virtual void Picture(QWidget&, const QString&) {}

    TFormLoad& ShownWindow()
    {
        TFormLoad& w = Window();
        w.resize(1280, 820);
        Settle();
        return w;
    }

    void ClickView(int Tag)
    {
        QTest::mouseClick(W->ViewBar()->Button(Tag), Qt::LeftButton);
        Settle();
        ASSERT_EQ(W->ActiveCard(), Tag);
    }

    static void Type(QLineEdit* Edit, const QString& Text)
    {
        Edit->selectAll();
        QTest::keyClick(Edit, Qt::Key_Delete);
        QTest::keyClicks(Edit, Text);
    }

    // ---- the road, step by step

    void NewFromStartPage()
    {
        TFormLoad& w = ShownWindow();
        EXPECT_FALSE(w.ProjectViewShown());
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirvatek KP"));
        EXPECT_EQ(w.StartPage()->BtnCreateNewProject->text(), QStringLiteral("Ein neues Projekt erstellen"));
        Picture(w, QStringLiteral("road-01-startpage.png"));
        QTest::mouseClick(w.StartPage()->BtnCreateNewProject, Qt::LeftButton);
        Settle();
        ASSERT_TRUE(w.ProjectViewShown());
        ASSERT_NE(w.Project(), nullptr);
        EXPECT_EQ(w.ActiveCard(), int(mcProject));
        EXPECT_FALSE(w.IsChanged());
        EXPECT_EQ(w.ViewBar()->DownTag(), int(mcProject));
    }

    void FillProjectPage()
    {
        TProjectCard& c = *W->ProjectCard();
        QTest::keyClicks(c.EdtProjectname, QStringLiteral("Schule Am Hang"));
        QTest::keyClicks(c.EdtClient, QStringLiteral("Stadtwerke Musterstadt"));
        QTest::keyClicks(c.EdtUser, QStringLiteral("M. Meier"));
        EXPECT_EQ(W->Project()->Name(), QStringLiteral("Schule Am Hang"));
        EXPECT_EQ(W->Project()->Client(), QStringLiteral("Stadtwerke Musterstadt"));
        ExpectChanged(*W, true);
        Picture(*W, QStringLiteral("road-02-project.png"));
    }

    // A constant 12 kW from the 3rd to the 20th of January, and a year
    // profile as the second profile, which becomes the current one.
    void FillLoads()
    {
        ClickView(mcLoad);
        TLoadCard& c = *W->LoadCard();
        Type(c.EdtLoadProfilName, QStringLiteral("Grundlast"));
        QTest::mouseClick(c.RBLoadConstant, Qt::LeftButton);
        Type(c.EdtConstantLoad, QStringLiteral("12"));
        QTest::mouseClick(c.CBoxStartDate, Qt::LeftButton);
        QTest::mouseClick(c.CBoxEndDate, Qt::LeftButton);
        ASSERT_TRUE(c.DateTimeLoadStart->isEnabled());
        c.DateTimeLoadStart->setDate(QDate(Year(), 1, 3));
        c.DateTimeLoadEnd->setDate(QDate(Year(), 1, 20));
        const TLoadObj& first = *W->Project()->LoadProfil(0);
        EXPECT_EQ(first.Name(), QStringLiteral("Grundlast"));
        EXPECT_DOUBLE_EQ(first.ConstantLoad(), 12);
        EXPECT_TRUE(first.UseStartDate() && first.UseEndDate());
        EXPECT_EQ(c.EdtConstantLoad->text(), QStringLiteral("12"));
        Picture(*W, QStringLiteral("road-03-load-constant.png"));

        ScriptedPrompter().QueueDialog([](QDialog& d) {
            auto& f = dynamic_cast<TFormLoadProfils&>(d);
            f.show();
            f.BtnNew->click();
            EXPECT_EQ(f.LBLoadProfils->count(), 2);
            f.LBLoadProfils->setCurrentRow(1);
            f.BtnSelect->click();
            return f.result();
        });
        emit c.LblEditLoadProfils->linkActivated(QString());
        Settle();
        ASSERT_EQ(W->Project()->LoadProfils().Count(), 2);
        ASSERT_EQ(W->Project()->LoadProfile(), W->Project()->LoadProfil(1));
        Type(c.EdtLoadProfilName, QStringLiteral("Heizung"));
        QTest::mouseClick(c.RBLoadYearly, Qt::LeftButton);
        EXPECT_EQ(c.LoadGrid->rowCount(), 365);
        const int rows[][3] = {{1, 1, 240}, {2, 1, 200}, {6, 1, 20}, {10, 1, 150}};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 3; ++k) {
                auto* item = new QTableWidgetItem;
                item->setData(Qt::EditRole, rows[r][k]);
                c.LoadGrid->setItem(r, k, item);
            }
        QTest::mouseClick(c.BtnGetLoadData, Qt::LeftButton);
        const TLoadObj& year = *W->Project()->LoadProfil(1);
        EXPECT_EQ(year.LoadType(), ltYearProfile);
        EXPECT_EQ(year.Count(), 4);
        EXPECT_TRUE(c.LblHeatDemand->text().startsWith(QStringLiteral("jährlicher Heizbedarf "))) << c.LblHeatDemand->text().toStdString();
        Picture(*W, QStringLiteral("road-04-load-year.png"));
    }

    void PickHeatPump()
    {
        ClickView(mcHeatpump);
        THeatPumpCard& c = *W->HeatPumpCard();
        EXPECT_TRUE(c.GroupBoxHeatpump->isVisibleTo(&c));
        EXPECT_FALSE(c.GroupBoxHeatpumpInfo->isVisibleTo(&c));
        QTreeWidget& list = *c.ListViewHeatpumps;
        ASSERT_GE(list.topLevelItemCount(), 1);
        const int pick = list.topLevelItemCount() - 1;
        ClickRow(list, list.model()->index(pick, 0));
        Settle();
        FHeatPump = list.topLevelItem(pick)->text(0);
        EXPECT_EQ(W->Project()->Model()->HeatPump()->Name(), FHeatPump);
        Picture(*W, QStringLiteral("road-05-heatpump.png"));
    }

    void SetPiping()
    {
        ClickView(mcPiping);
        TPipingCard& c = *W->PipingCard();
        EXPECT_TRUE(c.GroupBoxPiping->isVisibleTo(&c));
        Type(c.EditFlux, QStringLiteral("2,5"));
        // On the circle: the button is wider than its text.
        QAbstractButton* glycol = c.FluidButtons->button(1);
        QTest::mouseClick(glycol, Qt::LeftButton, {}, QPoint(8, glycol->height() / 2));
        EXPECT_NEAR(W->Project()->Model()->FluxFluid(), 2.5 / 3600, 1e-12);
        EXPECT_EQ(int(W->Project()->Model()->Fluid()), 1);
        Picture(*W, QStringLiteral("road-06-piping.png"));
    }

    // One probe of the first type dropped on the plan, then a 2 × 2 field on
    // the year profile placed with Enter.
    void PlaceProbes()
    {
        ClickView(mcMap);
        TProbesCard& card = *W->ProbesCard();
        TBHETypeListView& types = *card.ListViewBHETypes;
        ASSERT_GT(types.topLevelItemCount(), 0);
        QTreeWidgetItem* group = types.topLevelItem(0);
        ASSERT_GT(group->childCount(), 0);
        ClickRow(types, types.indexFromItem(group->child(0)));
        ASSERT_GE(types.SelectedTypeIndex(), 0);
        std::unique_ptr<QMimeData> data(types.MimeDataForSelection());
        ASSERT_TRUE(data);
        QWidget& box = *card.MVPaintBoxD2;
        const QPointF at(box.width() / 2.0 - 150, box.height() / 2.0);
        // A drag cannot run offscreen: the plan gets the drop as a drag would deliver it.
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&box, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&box, &drop);
        ASSERT_EQ(Model().BHEs().Count(), 1);
        EXPECT_TRUE(W->IsChanged());

        ScriptedPrompter().QueueDialog([](QDialog& d) {
            auto& dlg = dynamic_cast<TDlgCreateBHEField&>(d);
            dlg.EdtBHEDist->setText(QStringLiteral("15"));
            dlg.EdtPrefix->setText(QStringLiteral("EWS "));
            dlg.ComboLoadProfile->setCurrentIndex(1);
            return QDialog::Accepted;
        });
        W->ProbeCommands()->BHECreateField->trigger();
        ASSERT_TRUE(W->PlanView()->AddingField());
        Picture(*W, QStringLiteral("road-07-placer.png"));
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_FALSE(W->PlanView()->AddingField());
        ASSERT_EQ(Model().BHEs().Count(), 5);
        for (int i = 1; i < 5; ++i) {
            EXPECT_EQ(Model().BHE(i)->LoadProfilIndex(), 1);
            EXPECT_TRUE(Model().BHE(i)->Name().startsWith(QStringLiteral("EWS ")));
            EXPECT_GT(std::hypot(Model().BHE(i)->X() - Model().BHE(0)->X(), Model().BHE(i)->Y() - Model().BHE(0)->Y()), 3);
        }
        EXPECT_EQ(Model().BHE(0)->LoadProfilIndex(), 0);
        EXPECT_TRUE(Model().NumModelDirty());
    }

    void GenerateMesh()
    {
        ScriptedPrompter().QueueDialog([this](QDialog& d) {
            auto& dlg = dynamic_cast<TDlgInitalParams&>(d);
            EXPECT_EQ(dlg.EdtLambda->text().contains(QLatin1Char('.')), false) << dlg.EdtLambda->text().toStdString();
            // No exchange with the air and no heat from below: the field's
            // heat then changes only by what the probes take.
            Type(dlg.EdtAlpha, QStringLiteral("0"));
            Type(dlg.EdtQEarth, QStringLiteral("0"));
            dlg.show();
            Picture(dlg, QStringLiteral("road-08-mesh-params.png"));
            auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("BtnOK"));
            EXPECT_NE(ok, nullptr);
            if (ok) QTest::mouseClick(ok, Qt::LeftButton);
            return dlg.result();
        });
        QTest::mouseClick(W->MeshCommands()->tbGridGenerate, Qt::LeftButton);
        Settle();
        ASSERT_GT(Model().FieldModel()->ElementCount(), 0) << ScriptedPrompter().Messages().join(u'\n').toStdString();
        EXPECT_FALSE(Model().NumModelDirty());
        EXPECT_TRUE(W->ProbesCard()->MemoMsg->toPlainText().contains(QStringLiteral("Grid generated")));
        W->ProbesCard()->FitToScreen();
        Settle();
        Picture(*W, QStringLiteral("road-09-mesh.png"));
    }

    void SetUpRun()
    {
        ClickView(mcMonitoring);
        TSimulationCard& c = Card();
        // From mid-December, so that January begins within the 30 days and
        // its field is saved.
        c.RzDateTimeEditStart->setDate(QDate(Year() - 1, 12, 15));
        Type(c.EditDuration, QStringLiteral("30"));
        Type(c.EdtDeltaTime, QStringLiteral("60"));
        c.ListMonthSave->item(0)->setCheckState(Qt::Checked);
        EXPECT_EQ(c.ListMonthSave->item(0)->text(), QLocale().monthName(1, QLocale::ShortFormat));
        Type(c.EdtDataDir, Path(QStringLiteral("felder")));
        QDir().mkpath(Path(QStringLiteral("felder")));
        Type(c.EdtDataDir, Path(QStringLiteral("felder")));
        Type(c.EdtDataFile, QStringLiteral("feld"));
        EXPECT_EQ(c.LblTimestepLoad->text(), QStringLiteral("60 min"));
        EXPECT_TRUE(c.BtnRun->isEnabled());
    }

    void RunToEnd()
    {
        QTest::mouseClick(Card().BtnRun, Qt::LeftButton);
        Settle();
        EXPECT_TRUE(Engine().Finished()) << ScriptedPrompter().Messages().join(u'\n').toStdString();
        EXPECT_EQ(Card().LblSmartMessage->text(), QStringLiteral("Simulationsende erreicht"));
        EXPECT_TRUE(SmartMessageShown());
        EXPECT_EQ(Card().RzProgressBarRun->value(), Card().RzProgressBarRun->maximum());
        EXPECT_TRUE(Card().BtnRun->isEnabled());
        EXPECT_TRUE(W->Actions()->FileClose->isEnabled());
        EXPECT_GT(Run().CounterGrid().GridRowCount(), 0);
        Picture(*W, QStringLiteral("road-10-run-finished.png"));
    }

    // The January field beside the plan as isotherm source, the layer on.
    void ShowJanuaryIsotherms()
    {
        ClickView(mcMap);
        TResultCommands& r = Run().ResultCommands();
        QTreeWidgetItem* jan = r.LVDataFiles->topLevelItem(0);
        ASSERT_NE(jan, nullptr);
        ASSERT_EQ(jan->childCount(), 1);
        EXPECT_TRUE(jan->child(0)->text(0).startsWith(QStringLiteral("feld_")));
        ClickRow(*r.LVDataFiles, r.LVDataFiles->indexFromItem(jan->child(0)));
        EXPECT_TRUE(W->ProbesCard()->MemoMsg->toPlainText().contains(QStringLiteral("Reading contours from: ")))
            << W->ProbesCard()->MemoMsg->toPlainText().toStdString();
        QListWidget& layers = *W->ProbesCard()->ListViewMap;
        QListWidgetItem* iso = layers.item(plContours);
        ASSERT_NE(iso, nullptr);
        iso->setCheckState(Qt::Checked);
        EXPECT_TRUE(W->PlanView()->Layer(plContours));
        Settle();
        Picture(*W, QStringLiteral("road-11-isotherms.png"));
    }

    void SaveWithCtrlS()
    {
        ScriptedPrompter().QueueText(FProjectFile);
        W->activateWindow();
        QApplication::setActiveWindow(W.get());
        QTest::keyClick(W.get(), Qt::Key_S, Qt::ControlModifier);
        Settle();
        ASSERT_EQ(Asked(Kind::SaveFile), 1);
        EXPECT_TRUE(QFileInfo::exists(FProjectFile));
        EXPECT_EQ(W->windowTitle(), Caption(QStringLiteral("Schule Am Hang.kpm")));
        EXPECT_FALSE(W->IsChanged());
    }

    void CloseToStartPage()
    {
        W->Actions()->FileClose->trigger();
        Settle();
        EXPECT_EQ(W->Project(), nullptr);
        EXPECT_FALSE(W->ProjectViewShown());
        EXPECT_EQ(W->windowTitle(), QStringLiteral("Mirvatek KP"));
        TFileItemList& recent = *W->StartPage()->FilesPolyList;
        ASSERT_EQ(recent.FileCount(), 1);
        EXPECT_TRUE(recent.FileItem(0)->text().startsWith(QStringLiteral("Schule Am Hang")))
            << recent.FileItem(0)->text().toStdString();
        Picture(*W, QStringLiteral("road-12-startpage-recent.png"));
    }

    void ReopenFromRecentList()
    {
        TFileItemList& recent = *W->StartPage()->FilesPolyList;
        ClickRow(recent, recent.indexFromItem(recent.FileItem(0)), true);
        Settle();
        ASSERT_NE(W->Project(), nullptr);
        EXPECT_TRUE(W->ProjectViewShown());
        EXPECT_EQ(W->windowTitle(), Caption(QStringLiteral("Schule Am Hang.kpm")));
        EXPECT_FALSE(W->IsChanged());
    }

    TSnapshot Snap()
    {
        TSnapshot s;
        TThermModel& m = Model();
        for (int i = 0; i < m.BHEs().Count(); ++i) {
            const TBHE& b = *m.BHE(i);
            s.Probes << QStringLiteral("%1 %2 %3 %4").arg(b.Name()).arg(b.X()).arg(b.Y()).arg(b.LoadProfilIndex());
        }
        s.Elements = m.FieldModel()->ElementCount();
        s.Nodes = m.FieldModel()->NodeCount();
        for (int i = 0; i < W->Project()->LoadProfils().Count(); ++i) {
            const TLoadObj& l = *W->Project()->LoadProfil(i);
            s.Profiles << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                              .arg(l.Name())
                              .arg(int(l.LoadType()))
                              .arg(l.ConstantLoad())
                              .arg(l.UseStartDate())
                              .arg(l.StartDate())
                              .arg(l.EndDate())
                              .arg(l.Count());
        }
        s.HeatPump = m.HeatPump()->Name();
        s.Flux = m.FluxFluid();
        s.Fluid = int(m.Fluid());
        const TSimulationCard& c = Card();
        s.Clock = QStringList{c.EditDuration->text(), c.EdtDeltaTime->text(), c.RzDateTimeEditStart->text(),
                              c.EdtDataDir->text(), c.EdtDataFile->text(), QString::number(c.CountMonthsToSave())}
                      .join(u'|');
        for (int k = 0; k < m.FieldModel()->NodeCount(); ++k) {
            s.IsoSum += m.FieldModel()->GetNodes(k)->FCustom();
            s.FieldSum += m.FieldModel()->GetNodes(k)->F();
        }
        s.IsoLines = TPlanContourLayer::Fingerprint(*m.ContourMap());
        return s;
    }

    // The field's heat content changed by the energy the run's counter
    // says the probes took out.
    void ExpectEnergyBalance()
    {
        TThermModel& m = Model();
        const double delta = (m.FieldModel()->Quantity() - m.MainLoop()->InitialQuantity()) / 3.6e6;
        const double extracted = m.MainLoop()->GeothermalEnergy().Balance();
        ASSERT_LT(extracted, -100) << "the run took heat out";
        // Implicit Euler conserves the nodal heat exactly; what is left is the
        // heat the ground's surface and the model's fixed outer edge give in
        // 30 days (the cooled zone stays far from the edge), and the solver's
        // round-off. One per cent of the extracted energy bounds both.
        EXPECT_NEAR(delta, extracted, 0.01 * std::abs(extracted)) << "heat content change " << delta << " kWh";
    }

    void UpToTheRun()
    {
        NewFromStartPage();
        FillProjectPage();
        FillLoads();
        PickHeatPump();
        SetPiping();
        PlaceProbes();
        GenerateMesh();
        SetUpRun();
    }

    // A fresh run paused after 50 steps, then Run again: it goes on from
    // there to the end, and the balance holds for the whole run.
    void SecondRunThroughAPause()
    {
        ClickView(mcMonitoring);
        const int steps = 30 * 24;
        AtStep(50, [this] { QTest::mouseClick(Card().BtnPause, Qt::LeftButton); });
        QTest::mouseClick(Card().BtnRun, Qt::LeftButton);
        Settle();
        ASSERT_FALSE(Engine().Finished());
        const int paused = Engine().NumTimeStep();
        EXPECT_GE(paused, 50);
        EXPECT_LT(paused, steps);
        EXPECT_TRUE(Card().BtnRun->isEnabled());
        W->Actions()->UpdateActions();
        EXPECT_TRUE(W->Actions()->FileClose->isEnabled()) << "a paused run leaves the project closable";
        QTest::mouseClick(Card().BtnRun, Qt::LeftButton);
        Settle();
        EXPECT_TRUE(Engine().Finished());
        EXPECT_EQ(Engine().NumTimeStep(), steps);
        EXPECT_EQ(Card().LblSmartMessage->text(), QStringLiteral("Simulationsende erreicht"));
        ExpectEnergyBalance();
    }

    TThermModel& Model() { return *W->Control().Model(); }
    static int Year() { return QDate::currentDate().year(); }

    QString FProjectFile;
    QString FHeatPump;

private:
    QString FOldLocation;
};

#define REQUIRE_GENERATOR()                                                                                            \
    if (TestGenerator().isEmpty()) GTEST_SKIP() << "no mesh generator"

TEST_F(MainRoad, NewProjectToRunSaveAndReopen)
{
    REQUIRE_GENERATOR();
    UpToTheRun();
    RunToEnd();
    ExpectEnergyBalance();
    ShowJanuaryIsotherms();
    const TSnapshot before = Snap();
    SaveWithCtrlS();
    CloseToStartPage();
    ReopenFromRecentList();
    const TSnapshot after = Snap();
    EXPECT_EQ(after.Probes, before.Probes);
    EXPECT_EQ(after.Elements, before.Elements);
    EXPECT_EQ(after.Nodes, before.Nodes);
    EXPECT_EQ(after.Profiles, before.Profiles);
    EXPECT_EQ(after.HeatPump, before.HeatPump);
    EXPECT_DOUBLE_EQ(after.Flux, before.Flux);
    EXPECT_EQ(after.Fluid, before.Fluid);
    EXPECT_EQ(after.Clock, before.Clock);
    EXPECT_DOUBLE_EQ(after.FieldSum, before.FieldSum);
    // The file keeps the field, not which saved field was shown: the user
    // picks January again and sees the same isotherms.
    ShowJanuaryIsotherms();
    const TSnapshot again = Snap();
    EXPECT_DOUBLE_EQ(again.IsoSum, before.IsoSum);
    EXPECT_EQ(again.IsoLines, before.IsoLines);
    SecondRunThroughAPause();
}

TEST_F(MainRoad, ClosingTheWindowDuringTheRunStopsItAndAsksToSave)
{
    REQUIRE_GENERATOR();
    UpToTheRun();
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueButton(QMessageBox::No);
    int closedAt = -1;
    AtStep(20, [this, &closedAt] {
        closedAt = Step();
        W->close();
    });
    QTest::mouseClick(Card().BtnRun, Qt::LeftButton);
    Settle();
    ASSERT_GE(closedAt, 20);
    EXPECT_LT(closedAt, 30 * 24);
    EXPECT_FALSE(W->isVisible());
    EXPECT_FALSE(W->Control().IsRunLoopActive());
    EXPECT_EQ(Asked(Kind::MessageDlg, QStringLiteral("Änderungen speichern?")), 1);
    EXPECT_EQ(Asked(Kind::Error), 0) << ScriptedPrompter().Messages().join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(FProjectFile));
}

TEST_F(MainRoad, ADamagedProjectFileIsReportedAndTheStartPageStays)
{
    const QString file = Path(QStringLiteral("kaputt.kpm"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("KP\x01\x02 kein Projekt");
    f.close();
    TFileInfolist recent;
    recent.SetRegPath(RegistryBasePath + QStringLiteral("\\MRU"));
    recent.AddFile(file, QStringLiteral("Kaputtes Projekt"));
    recent.WriteToRegistry();
    TFormLoad& w = ShownWindow();
    w.StartPage()->RefreshRecentFilesList();
    TFileItemList& list = *w.StartPage()->FilesPolyList;
    ASSERT_EQ(list.FileCount(), 1);
    ClickRow(list, list.indexFromItem(list.FileItem(0)), true);
    Settle();
    EXPECT_EQ(Asked(Kind::Error), 1) << ScriptedPrompter().Messages().join(u'\n').toStdString();
    EXPECT_EQ(w.Project(), nullptr);
    EXPECT_FALSE(w.ProjectViewShown());
    EXPECT_TRUE(w.StartPage()->isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirvatek KP"));
}

// The same road, a picture of every page and dialog on the way.
class ScreenshotsMainRoad : public MainRoad
{
public:
    void Picture(QWidget& Widget, const QString& Name) override
    {
        Settle();
        SaveScreenshot(Widget, Name);
    }
};

TEST_F(ScreenshotsMainRoad, EveryPageOfTheRoad)
{
    SkipWithoutScreenshotDir();
    REQUIRE_GENERATOR();
    UpToTheRun();
    Picture(*W, QStringLiteral("road-095-run-page.png"));
    RunToEnd();
    ShowJanuaryIsotherms();
    SaveWithCtrlS();
    CloseToStartPage();
}
