#include "ui/mainwindow/FormLoad.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/control/ProjectControl.h"
#include "model/loads/HeatpumpObj.h"
#include "model/probes/BHETypelistObj.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "model/settings/MRUList.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/HeatPumpCard.h"
#include "ui/mainwindow/LoadCard.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MapCommands.h"
#include "ui/mainwindow/MeshCommands.h"
#include "ui/mainwindow/PipingCard.h"
#include "ui/mainwindow/ProbeCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ProjectCard.h"
#include "ui/mainwindow/ProjectCommands.h"
#include "ui/mainwindow/RunControl.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/mainwindow/SmallCommands.h"
#include "ui/mainwindow/StartPage.h"
#include "ui/mainwindow/ViewBar.h"
#include "ui/version/VersionInfo.h"

namespace {

QString VersionLabelText()
{
    const TVersionInfo info(QCoreApplication::applicationFilePath());
    if (!info.Valid()) return QString();
    const std::uint64_t v = info.FileVersion();
    return QStringLiteral("V. %1.%2.%3.%4")
        .arg((v >> 48) & 0xFFFF)
        .arg((v >> 32) & 0xFFFF)
        .arg((v >> 16) & 0xFFFF)
        .arg(v & 0xFFFF);
}

} // namespace

TFormLoad::TFormLoad(QWidget* Parent) : QMainWindow(Parent), FControl(std::make_unique<TProjectControl>())
{
    setObjectName(QStringLiteral("FormLoad"));
    resize(1200, 800);
    CreateLists();
    CreatePages();
    FActions = new TMainActions(*this);
    FCommands = new TProjectCommands(*this);
    FSmallCommands = new TSmallCommands(*this);
    // The page command groups; each owns its actions and wires itself.
    FProbeCommands = new TProbeCommands(*this);
    FRunControl = new TRunControl(*this);
    FMeshCommands = new TMeshCommands(*this);
    FMapCommands = new TMapCommands(*this);
    setMenuBar(FActions->MainMenu1());
    addToolBar(Qt::TopToolBarArea, FActions->ToolBarMain());
    addToolBar(Qt::TopToolBarArea, FViewBar);
    FStatusText = new QLabel(this);
    FStatusMesh = new QLabel(this);
    statusBar()->addWidget(FStatusText, 1);
    statusBar()->addPermanentWidget(FStatusMesh);
    SetupLanguageTexts();
    WireCommands();
    // The plan items go before the project they point into.
    FControl->OnProjectFreeing = [this] {
        PlanView()->SetProject(nullptr);
        SetProjectOfCards(nullptr);
    };
    FControl->OnRunStateChanged = [this](TRunState S) { SetRunState(S); };
    LoadHeatpumps();
    FProbesCard->RefreshLayerList();
    FProbesCard->RefreshOpacitySliders();
    FStartPage->FillExamplesList();
    FStartPage->SetVersionText(VersionLabelText());
    FSimulationCard->EdtDataDir->setText(DataDir);
    SetActiveCard(mcProject);
    HandleShowMessage();
    SetIsChanged(false);
    SetFileNameAndCaption();
    connect(FActions, &TMainActions::Updated, this, [this] {
        FProbeCommands->UpdateActions();
        FRunControl->UpdateActions();
        FMeshCommands->UpdateActions();
        FMapCommands->UpdateActions();
    });
    FActions->UpdateActions();
    qApp->installEventFilter(this);
}

TFormLoad::~TFormLoad()
{
    qApp->removeEventFilter(this);
    // The plan's items point into the project: they go first.
    FControl->OnProjectFreeing = nullptr;
    FControl->OnRunStateChanged = nullptr;
    PlanView()->SetProject(nullptr);
    SetProjectOfCards(nullptr);
    FControl.reset();
}

void TFormLoad::CreateLists()
{
    FHeatpumps = std::make_unique<THeatPumplist>();
    FBHETypelist = std::make_unique<TBHETypelist>();
    FFileInfolist = std::make_unique<TFileInfolist>();
    FFileInfolist->SetMaxFilesInList(20);
    FFileInfolist->SetRegPath(RegistryBasePath + QStringLiteral("\\MRU"));
    FExampleFileList = std::make_unique<TExampleFilelist>();
    FExampleFileList->SetMaxFilesInList(20);
    FExampleFileList->SetRegPath(RegistryBasePath + QStringLiteral("\\Examples"));
}

void TFormLoad::CreatePages()
{
    auto* faces = new QStackedWidget(this);
    faces->setObjectName(QStringLiteral("Faces"));
    FStartPage = new TStartPage(*FFileInfolist, *FExampleFileList, faces);
    FCardPanelMain = new QStackedWidget(faces);
    FCardPanelMain->setObjectName(QStringLiteral("CardPanelMain"));
    FProjectCard = new TProjectCard(FCardPanelMain);
    FLoadCard = new TLoadCard(FCardPanelMain);
    FHeatPumpCard = new THeatPumpCard(FCardPanelMain);
    FPipingCard = new TPipingCard(FCardPanelMain);
    FProbesCard = new TProbesCard(this, FCardPanelMain);
    FSimulationCard = new TSimulationCard(FCardPanelMain);
    for (QWidget* card : std::initializer_list<QWidget*>{FProjectCard, FLoadCard, FHeatPumpCard, FPipingCard,
                                                          FProbesCard, FSimulationCard})
        FCardPanelMain->addWidget(card);
    faces->addWidget(FStartPage);
    faces->addWidget(FCardPanelMain);
    setCentralWidget(faces);
    FViewBar = new TViewBar(this);
    connect(FCardPanelMain, &QStackedWidget::currentChanged, this,
            Guarded([this](int Index) { CardPanelMainCardChange(Index); }));
}

void TFormLoad::WireCommands()
{
    TMainActions& a = *FActions;
    a.SetCommand(a.FileNew, [this] { FCommands->FileNewExecute(); });
    a.SetCommand(a.FileOpenModel, [this] { FCommands->FileOpenModelExecute(); });
    a.SetCommand(a.FileClose, [this] { FCommands->FileCloseExecute(); });
    a.SetCommand(a.ActionFileSave, [this] { FCommands->ActionFileSaveExecute(); });
    a.SetCommand(a.FileSaveAsModel, [this] { FCommands->FileSaveAsModelExecute(); });
    a.SetCommand(a.FileExit1, [this] { close(); });
    a.SetCommand(a.ToolsOptions, [this] { FSmallCommands->ToolsOptionsExecute(); });
    a.SetCommand(a.Inhalt1, [this] { FSmallCommands->Inhalt1Click(); });
    a.SetCommand(a.Info1, [this] { FSmallCommands->Info1Click(); });
    connect(FSimulationCard->imExploreranzeigen1, &QAction::triggered, this,
            Guarded([this] { FSmallCommands->imExploreranzeigen1Click(); }));
    FViewBar->OnViewClick = [this](int Tag) { SetActiveCard(Tag); };
    FProjectCard->OnChanged = [this] { SetIsChanged(true); };
    FSimulationCard->OnChanged = [this] { SetIsChanged(true); };
    FStartPage->OnNewProject = [this] { FCommands->FileNewExecute(); };
    FStartPage->OnOpenOtherProject = [this] { FActions->FileOpenModel->trigger(); };
    FStartPage->OnVisitWebsite = [this] { FSmallCommands->BtnVisitWebsiteClick(); };
    // Queued with the file name itself: the list item goes when the lists
    // are rebuilt by the open.
    FStartPage->OnFileItemDblClick = [this](const QString& Name) {
        QMetaObject::invokeMethod(this, Guarded([this, Name] { FileItemDblClick(Name); }), Qt::QueuedConnection);
    };
    FLoadCard->OnChanged = [this] { SetIsChanged(true); };
    FLoadCard->SetControl(FControl.get());
    // A getter: the list object is replaced when the list file is read.
    FHeatPumpCard->Heatpumps = [this] { return FHeatpumps.get(); };
    FHeatPumpCard->OnChanged = [this] { SetIsChanged(true); };
    FPipingCard->OnChanged = [this] { SetIsChanged(true); };
}

void TFormLoad::FileItemDblClick(const QString& AFileName)
{
    if (!FActions->FileOpenModel->isEnabled()) return;
    if (!OpenProject(AFileName) && !QFileInfo(AFileName).isFile()) FStartPage->RefreshRecentFilesList();
}

void TFormLoad::LoadHeatpumps()
{
    FHeatpumpsLoadFailed = false;
    if (!QFileInfo(HeatpumpsFile).isFile()) return;
    // A list that cannot be read is reported and not written back at close,
    // so the file stays for the user to repair.
    FHeatpumpsLoadFailed = !GuardCommand([this] { FHeatpumps = THeatPumplist::CreateFromFile(HeatpumpsFile); });
}

TProject* TFormLoad::Project() const
{
    return FControl ? FControl->Project() : nullptr;
}

TPlanView* TFormLoad::PlanView() const
{
    return FProbesCard->PlanView();
}

bool TFormLoad::IsChanged() const
{
    return FControl->IsChanged();
}

void TFormLoad::SetIsChanged(bool Value)
{
    FControl->SetIsChanged(Value);
}

void TFormLoad::RefreshAndChanged()
{
    SetIsChanged(true);
    PlanView()->Repaint();
}

void TFormLoad::SetFileNameAndCaption()
{
    setWindowTitle(FControl->Caption());
}

void TFormLoad::SetupLanguageTexts()
{
    QListWidget* layers = FProbesCard->ListViewMap;
    const QSignalBlocker b(layers);
    for (int i = 0; i <= plObsNodes && i < layers->count(); ++i) layers->item(i)->setText(TPlanView::LayerCaption(i));
    FSimulationCard->EdtDataDir->setPlaceholderText(QStringLiteral("Verzeichnis angeben"));
    FSimulationCard->BtnDataDir->setToolTip(QStringLiteral("Verzeichnis auswählen"));
}

void TFormLoad::SetProjectOfCards(TProject* P)
{
    FProjectCard->SetProject(P);
    FLoadCard->SetProject(P);
    FHeatPumpCard->SetProject(P);
    FPipingCard->SetProject(P);
    FSimulationCard->SetProject(P);
}

// ---- project commands

void TFormLoad::NewProject()
{
    FCommands->NewProject();
}

bool TFormLoad::OpenProject(const QString& AFileName)
{
    return FCommands->OpenProject(AFileName);
}

void TFormLoad::BindProjectToView()
{
    FCommands->BindProjectToView();
}

bool TFormLoad::QuerySaveChanges()
{
    return FCommands->QuerySaveChanges();
}

void TFormLoad::AddToRecentFiles(const QString& AFileName)
{
    if (AFileName.isEmpty()) return;
    FFileInfolist->AddFile(AFileName, Project() ? Project()->Name() : QString());
    GuardCommand([this] { FFileInfolist->WriteToRegistry(); });
    FStartPage->RefreshRecentFilesList();
    emit FilesChanged();
}

// ---- pages

void TFormLoad::SetActiveCard(int Index)
{
    if (Index < 0 || Index >= mcCount) return;
    if (FCardPanelMain->currentIndex() == Index)
        CardPanelMainCardChange(Index);
    else
        FCardPanelMain->setCurrentIndex(Index);
    FViewBar->SetDown(Index);
}

int TFormLoad::ActiveCard() const
{
    return FCardPanelMain->currentIndex();
}

void TFormLoad::CardPanelMainCardChange(int Index)
{
    switch (Index) {
    case mcProject: RefreshProjectPage(); break;
    case mcLoad: RefreshLoadPage(); break;
    case mcHeatpump: RefreshHeatPumpPage(); break;
    case mcPiping: RefreshPipingPage(); break;
    case mcMap: RefreshBHEOverview(); break;
    case mcMonitoring: RefreshRunPage(); break;
    default: break;
    }
}

void TFormLoad::RefreshProjectPage()
{
    FProjectCard->RefreshProjectPage();
}

void TFormLoad::RefreshLoadPage()
{
    FLoadCard->RefreshLoadPage();
}

void TFormLoad::RefreshHeatPumpPage()
{
    FHeatPumpCard->RefreshHeatPumpPage();
}

void TFormLoad::RefreshPipingPage()
{
    FPipingCard->RefreshPipingPage();
}

void TFormLoad::RefreshBHEOverview()
{
    FProbesCard->RefreshBHEOverview();
    FProbeCommands->RefreshBHEOverview();
}

void TFormLoad::RefreshRunPage()
{
    if (FRunControl)
        FRunControl->RefreshRunPage();
    else
        FSimulationCard->RefreshRunPage();
}

void TFormLoad::RebuildPlanItems()
{
    PlanView()->RebuildPlanItems();
    // A mesh made from the probes as they stand is up to date again.
    const TThermModel* m = FControl->Model();
    if (!m || !m->NumModelDirty()) FStatusMesh->clear();
}

void TFormLoad::RefreshBHETypeList()
{
    FProbeCommands->RefreshBHETypeList();
}

void TFormLoad::RefreshMessages()
{
    FProbesCard->SetMessageLines(FControl->Messages());
}

// ---- faces

void TFormLoad::PostHideMessage()
{
    QMetaObject::invokeMethod(this, &TFormLoad::HandleHideMessage, Qt::QueuedConnection);
}

void TFormLoad::PostShowMessage()
{
    QMetaObject::invokeMethod(this, &TFormLoad::HandleShowMessage, Qt::QueuedConnection);
}

void TFormLoad::HandleHideMessage()
{
    auto* faces = static_cast<QStackedWidget*>(centralWidget());
    faces->setCurrentWidget(FCardPanelMain);
    FViewBar->show();
    FActions->ToolBarMain()->show();
    statusBar()->show();
    menuBar()->show();
    FProjectView = true;
    FActions->UpdateActions();
}

void TFormLoad::HandleShowMessage()
{
    auto* faces = static_cast<QStackedWidget*>(centralWidget());
    FViewBar->hide();
    FActions->ToolBarMain()->hide();
    statusBar()->hide();
    menuBar()->hide();
    faces->setCurrentWidget(FStartPage);
    FProjectView = false;
    FActions->UpdateActions();
}

// ---- first activation

void TFormLoad::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    // Queued from the first show: activation never comes without a window
    // manager.
    if (FFirstTime && !FActivationQueued) {
        FActivationQueued = true;
        QMetaObject::invokeMethod(this, Guarded([this] { FormActivate(); }), Qt::QueuedConnection);
    }
}

void TFormLoad::FormActivate()
{
    if (!FFirstTime) return;
    FFirstTime = false;
    FStartPage->RefreshRecentFilesList();
    FProbesCard->RefreshOpacitySliders();
    GuardCommand([this] { FBHETypelist->LoadOrCreate(); });
    RefreshBHETypeList();
}

// ---- plan host

void TFormLoad::SetStatusText(const QString& Text)
{
    FStatusText->setText(Text);
}

void TFormLoad::ProjectChanged()
{
    RefreshAndChanged();
}

void TFormLoad::MeshOutOfDate()
{
    FStatusMesh->setText(QStringLiteral("Gitter nicht aktuell"));
}

void TFormLoad::BHEAdded(TBHE* BHE)
{
    FProbeCommands->BHEAdded(BHE);
    SetIsChanged(true);
}

void TFormLoad::BHEMoved(TBHE* BHE)
{
    FProbeCommands->UpdateBHEListPosition(BHE);
    SetIsChanged(true);
}

void TFormLoad::SetMessageLines(const QStringList& Lines)
{
    FProbesCard->SetMessageLines(Lines);
}

void TFormLoad::ShowError(const QString& Text)
{
    Prompter().ShowError(Text);
}

bool TFormLoad::AskYesNo(const QString& Question)
{
    return Prompter().MessageDlg(Question, TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

const TBHE* TFormLoad::BHETypeAt(int Index)
{
    return Index >= 0 && Index < FBHETypelist->Count() ? FBHETypelist->Items(Index) : nullptr;
}
