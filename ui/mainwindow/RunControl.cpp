#include "ui/mainwindow/RunControl.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/project/ProjectObj.h"
#include "model/run/CounterTable.h"
#include "model/run/MainLoopObj.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/CounterGridModel.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MainRunDisplay.h"
#include "ui/mainwindow/ResultCommands.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/mainwindow/ViewBar.h"
#include "ui/results/FormConceptAndValues.h"
#include "ui/results/SurfaceView.h"

#include <cmath>

namespace {

// The result of the task dialog's "Sondenübersicht anzeigen".
constexpr int ShowOverviewButton = 0;
constexpr int SmartMessageMs = 5000;

} // namespace

TRunControl::TRunControl(TFormLoad& Window)
    : QObject(&Window),
      FWindow(Window),
      FWindows(std::make_unique<TResultWindows>()),
      FGrid(new TCounterGridModel(this)),
      FPreview(std::make_unique<TCounterTable>())
{
    TSimulationCard& card = *FWindow.SimulationCard();
    FDisplay = std::make_unique<TMainRunDisplay>(*FWindows, card, *FGrid);
    FDisplay->RequestSurface = [this] {
        if (TThermModel* m = FWindow.Control().Model()) m->MainLoop()->UpdateSurface();
    };
    ModelRun = MakeAction(QStringLiteral("ModelRun"), QStringLiteral("Run"), QStringLiteral("Simulation starten"),
                          iiRun);
    ModelPause = MakeAction(QStringLiteral("ModelPause"), QStringLiteral("Pause"),
                            QStringLiteral("Simulation anhalten"), iiPause);
    ModelStop = MakeAction(QStringLiteral("ModelStop"), QStringLiteral("Stop"), QStringLiteral("Simulation beenden"),
                           iiStop);
    connect(ModelRun, &QAction::triggered, this, Guarded([this] { ModelRunExecute(); }));
    connect(ModelPause, &QAction::triggered, this, Guarded([this] { ModelPauseExecute(); }));
    connect(ModelStop, &QAction::triggered, this, Guarded([this] { ModelStopExecute(); }));
    card.SetControl(&FWindow.Control());
    card.GridCounter->setModel(FGrid);
    card.GridCounter->setItemDelegate(new TCounterIndicatorDelegate(card.GridCounter));
    connect(card.BtnSaveField, &QPushButton::clicked, this, Guarded([this] { BtnSaveFieldClick(); }));
    TMainActions& a = *FWindow.Actions();
    a.SetCommand(a.ActionShowDashboard, [this] { ActionShowDashboardExecute(); });
    a.ActionShowDashboard->setToolTip(QStringLiteral("zeigt ein Fenster mit den aktuellen Werten an"));
    BindButtons();
    SetupSurfaceChart();
    TProjectControl& c = FWindow.Control();
    c.OnRunStarting = [this] { RunStarting(); };
    c.OnSimulationFinished = [this] { SimulationFinished(); };
    FResults = new TResultCommands(FWindow, *this);
    InstallHooks();
}

TRunControl::~TRunControl()
{
    // The window and its controller are gone by now: only the hooks remain.
    if (TModelHooks<TRunDisplay>::Installed() == FDisplay.get()) InstallModelUI<TRunDisplay>(nullptr);
    FWindows->InstallHooks(false);
}

QAction* TRunControl::MakeAction(const QString& Name, const QString& Caption, const QString& Hint, int Image)
{
    auto* a = new QAction(KPIcon(TImageIndex(Image)), Caption, &FWindow);
    a->setObjectName(Name);
    a->setToolTip(Hint);
    FWindow.addAction(a);
    return a;
}

void TRunControl::BindButtons()
{
    TSimulationCard& card = *FWindow.SimulationCard();
    card.BtnRun->setDefaultAction(ModelRun);
    card.BtnPause->setDefaultAction(ModelPause);
    card.BtnStop->setDefaultAction(ModelStop);
    card.BtnShowDashboard->setDefaultAction(FWindow.Actions()->ActionShowDashboard);
    // The status window's buttons run the same actions.
    if (TFormConceptAndValues* w = FWindows->FormConceptAndValues()) {
        w->BtnRun->setDefaultAction(ModelRun);
        w->BtnPause->setDefaultAction(ModelPause);
        w->BtnStop->setDefaultAction(ModelStop);
    }
}

void TRunControl::InstallHooks()
{
    InstallModelUI<TRunDisplay>(FDisplay.get());
    FWindows->InstallHooks(true);
}

bool TRunControl::RunActive() const
{
    return FInRunCommand || FWindow.Control().IsRunActive();
}

// ---- run

void TRunControl::ModelRunExecute()
{
    TProjectControl& c = FWindow.Control();
    // Run is off while the loop is on the stack; a queued click must not nest.
    if (FInRunCommand || c.IsRunLoopActive()) return;
    if (!c.Model()) return;
    TRunSettings s = FWindow.SimulationCard()->RunSettings();
    {
        FInRunCommand = true;
        const TResultWindows::TRunOnStack onStack(*FWindows);
        struct TClear {
            bool& Flag;
            ~TClear() { Flag = false; }
        } clear{FInRunCommand};
        for (;;) {
            const TRunCheck check = c.RunExecute(s);
            if (check.Ok() || !ShowCheck(check)) break;
            s.IgnoreNoMonths = true;
        }
    }
    // The state reported while unwinding still saw the command on the stack.
    SetRunState(c.RunState());
}

bool TRunControl::ShowCheck(const TRunCheck& Check)
{
    TPrompter& p = Prompter();
    switch (Check.Kind) {
    case TRunCheckKind::Ok: return false;
    case TRunCheckKind::AskAbortIgnore:
        return p.MessageDlg(Check.Message, TMsgDlgType::mtInformation, QMessageBox::Abort | QMessageBox::Ignore,
                            QMessageBox::Abort) == QMessageBox::Ignore;
    case TRunCheckKind::Information: {
        TTaskDialogSpec spec;
        spec.Caption = Check.Title;
        spec.Instruction = Check.Message;
        spec.Kind = TMsgDlgType::mtInformation;
        spec.Buttons = {QStringLiteral("OK")};
        p.TaskDialog(spec);
        break;
    }
    case TRunCheckKind::MissingLoadProfile: {
        TTaskDialogSpec spec;
        spec.Caption = Check.Title;
        spec.Instruction = Check.Message;
        spec.Kind = TMsgDlgType::mtError;
        spec.Buttons = {QStringLiteral("Sondenübersicht anzeigen"), QStringLiteral("OK")};
        spec.DefaultButton = 1;
        if (p.TaskDialog(spec) == ShowOverviewButton) FWindow.SetActiveCard(mcMap);
        break;
    }
    case TRunCheckKind::Error:
        p.MessageDlg(Check.Message, TMsgDlgType::mtError, QMessageBox::Ok, QMessageBox::Ok);
        break;
    }
    FocusField(int(Check.Field));
    return false;
}

void TRunControl::FocusField(int Field)
{
    TSimulationCard& card = *FWindow.SimulationCard();
    QWidget* w = nullptr;
    switch (TRunField(Field)) {
    case TRunField::Duration: w = card.EditDuration; break;
    case TRunField::DeltaTime: w = card.EdtDeltaTime; break;
    case TRunField::Multiplier: w = card.SpinEditTimeMulti; break;
    case TRunField::DataDir: w = card.EdtDataDir; break;
    case TRunField::DataFile: w = card.EdtDataFile; break;
    default: break;
    }
    if (w) w->setFocus();
}

void TRunControl::RunStarting()
{
    TSimulationCard& card = *FWindow.SimulationCard();
    card.MemoLog->clear();
    card.LblSmartMessage->hide();
    card.LblCalcDuration->clear();
    card.RzProgressBarRun->setValue(0);
    card.RzProgressBarRun->show();
    card.LblCurrentDate->show();
    SetupCounterGrid();
    if (TThermModel* m = FWindow.Control().Model()) FGrid->SetTable(&m->MainLoop()->CounterTable(), DurationRows());
}

void TRunControl::ModelPauseExecute()
{
    // The loop ends after the current step; the controller then shows the
    // surface, closes the grid update and reports the paused state.
    FWindow.Control().Pause();
}

void TRunControl::ModelStopExecute()
{
    FWindow.Control().Stop();
}

void TRunControl::SimulationFinished()
{
    TSimulationCard& card = *FWindow.SimulationCard();
    FDisplay->Flush();
    card.LblCalcDuration->setText(QStringLiteral("Simulation beendet"));
    card.LblCalcDuration->show();
    SetRunState(FWindow.Control().RunState());
    FResults->ShowFinalIsotherms();
    card.LblSmartMessage->setText(QStringLiteral("Simulationsende erreicht"));
    card.LblSmartMessage->show();
    QTimer::singleShot(SmartMessageMs, card.LblSmartMessage, &QWidget::hide);
}

void TRunControl::SetRunState(TRunState State)
{
    const bool hasModel = FWindow.Control().Model() != nullptr;
    const bool loop = FInRunCommand || FWindow.Control().IsRunLoopActive();
    ModelRun->setEnabled(hasModel && !loop && State != TRunState::Running);
    ModelPause->setEnabled(State == TRunState::Running);
    ModelStop->setEnabled(State != TRunState::Idle);
    for (int tag : {mcProject, mcLoad, mcHeatpump, mcPiping})
        if (QToolButton* b = FWindow.ViewBar()->Button(tag)) b->setEnabled(State != TRunState::Running);
    FWindow.SimulationCard()->SetRunSettingsEnabled(State == TRunState::Idle);
}

void TRunControl::UpdateActions()
{
    SetRunState(FWindow.Control().RunState());
    FResults->UpdateActions();
}

// ---- page

int TRunControl::DurationRows() const
{
    double days = 0;
    if (!ParseRunNumber(FWindow.SimulationCard()->EditDuration->text(), days) || days <= 0) {
        const TThermModel* m = FWindow.Control().Model();
        days = m ? m->MainLoop()->TimeEngine().Endtime() / 86400 : 0;
    }
    return std::max(0, int(std::ceil(days - 1e-9)));
}

void TRunControl::SetupCounterGrid()
{
    const TProject* p = FWindow.Project();
    const TThermModel* m = FWindow.Control().Model();
    if (!p || !m) {
        FGrid->SetTable(nullptr, 0);
        return;
    }
    const TLoadObj* profile = p->LoadProfile();
    const TLoadType type = profile ? profile->LoadType() : ltConstant;
    // A time-series run keeps its grid as it is.
    if (type == ltFile && FGrid->Table()) return;
    const TCounterTable& runTable = m->MainLoop()->CounterTable();
    if (runTable.RowCount() > 1) {
        // The rows of the last run stay to be read.
        FGrid->SetTable(&runTable, DurationRows());
    } else {
        QStringList names;
        for (int i = 0; i < m->BHEs().Count(); ++i) names << m->BHE(i)->Name();
        FPreview->Clear();
        FPreview->SetHeader(CounterHeader(type, names));
        FGrid->SetTable(FPreview.get(), DurationRows());
    }
    QTableView* v = FWindow.SimulationCard()->GridCounter;
    v->resizeColumnsToContents();
    for (int c = 0; c < FGrid->columnCount(); ++c)
        v->horizontalHeader()->resizeSection(c, v->horizontalHeader()->sectionSize(c) + 4);
}

void TRunControl::SetupSurfaceChart()
{
    TSurfaceView& s = *FWindow.SimulationCard()->ChartSurface;
    s.SetShowEdges(false);
    s.ResetView();
}

void TRunControl::RefreshRunPage()
{
    TSimulationCard& card = *FWindow.SimulationCard();
    TThermModel* m = FWindow.Control().Model();
    if (!m) {
        FGrid->SetTable(nullptr, 0);
        card.ChartSurface->Clear();
        return;
    }
    // A failure to list the probes for watching costs nothing here.
    try {
        if (!RunActive()) m->InitMonitoring();
    } catch (...) {
    }
    card.RefreshRunPage();
    SetupCounterGrid();
    if (!RunActive() && m->MainLoop()->TimeEngine().Finished()) m->MainLoop()->UpdateSurface();
    SetRunState(FWindow.Control().RunState());
}

void TRunControl::BtnSaveFieldClick()
{
    TSimulationCard& card = *FWindow.SimulationCard();
    TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    const QString dir = card.EdtDataDir->text();
    if (dir.isEmpty() || !QDir(dir).exists()) {
        Prompter().MessageDlg(
            Format(QStringLiteral("Das Verzeichnis \"%s\" existiert nicht. Speichern nicht möglich! Bitte geben Sie "
                                  "ein Verzeichnis an."),
                   {dir}),
            TMsgDlgType::mtError, QMessageBox::Ok, QMessageBox::Ok);
        card.EdtDataDir->setFocus();
        return;
    }
    m->MainLoop()->SaveNodes(QDir(dir).filePath(card.EdtDataFile->text()));
}

void TRunControl::ActionShowDashboardExecute()
{
    TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    // A running engine shows the window at its next step; otherwise now.
    m->MainLoop()->TimeEngine().SetShowDashboard(true);
    if (!FWindow.Control().IsRunLoopActive()) {
        if (TFormConceptAndValues* w = FWindows->FormConceptAndValues()) {
            w->show();
            w->raise();
        }
    }
}
