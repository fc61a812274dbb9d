#include "ui/mainwindow/MainActions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/ProbesCard.h"

namespace {

const char* const CommandProperty = "kpCommand";

} // namespace

TActionRules ActionRules(const TActionInputs& In)
{
    TActionRules r;
    r.FileNew = !In.RunLoopActive;
    r.FileOpenModel = !In.RunLoopActive;
    r.FileClose = In.HasProject && !In.RunLoopActive;
    r.ActionFileSave = In.HasProject && !In.RunLoopActive;
    r.FileSaveAsModel = In.HasProject && !In.RunLoopActive;
    r.ActionShowDashboard = In.HasProject && In.YearProfile;
    r.MapCreatePDF = In.PDFEnable;
    r.BHETypeEdit = In.BHETypeSelected;
    r.BHETypeDelete = In.BHETypeSelected;
    return r;
}

TMainActions::TMainActions(TFormLoad& Window) : QObject(&Window), FWindow(Window)
{
    FileNew = Make(QStringLiteral("FileNew"), QStringLiteral("Neu"), QStringLiteral("Neu|Neues Projekt anlegen"), iiNew);
    FileOpenModel = Make(QStringLiteral("FileOpenModel"), QStringLiteral("Ö&ffnen..."),
                         QStringLiteral("Öffnen|Vorhandene Datei öffnen"), iiOpen);
    FileOpenModel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileClose = Make(QStringLiteral("FileClose"), QStringLiteral("Schließen"), QString(), iiClose);
    FileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    ActionFileSave = Make(QStringLiteral("ActionFileSave"), QStringLiteral("Speichern"), QString(), iiSave);
    ActionFileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAsModel = Make(QStringLiteral("FileSaveAsModel"), QStringLiteral("Speichern &unter..."),
                           QStringLiteral("Speichern unter|Aktive Datei unter einem neuen Namen speichern"));
    FileExit1 = Make(QStringLiteral("FileExit1"), QStringLiteral("&Beenden"));
    BHEOverview = Make(QStringLiteral("BHEOverview"), QStringLiteral("Sondenübersicht"), QString(), iiTable);
    Parameterstze1 = Make(QStringLiteral("Parameterstze1"), QStringLiteral("Parametersätze"));
    emperaturfelder1 = Make(QStringLiteral("emperaturfelder1"), QStringLiteral("Temperaturfelder"), QString(),
                            iiSurface);
    Zhler1 = Make(QStringLiteral("Zhler1"), QStringLiteral("Zähler"));
    ToolsOptions = Make(QStringLiteral("ToolsOptions"), QStringLiteral("Optionen"), QString(), iiOptions);
    TriSettings = Make(QStringLiteral("TriSettings"), QStringLiteral("Triangle Einstellungen..."), QString(), iiMesh);
    FluidEingeschaften1 = Make(QStringLiteral("FluidEingeschaften1"), QStringLiteral("Fluid-Eingenschaften"));
    Inhalt1 = Make(QStringLiteral("Inhalt1"), QStringLiteral("Inhalt"), QString(), iiHelp);
    Info1 = Make(QStringLiteral("Info1"), QStringLiteral("Info"), QString(), iiInfo);
    ActionShowDashboard = Make(QStringLiteral("ActionShowDashboard"), QStringLiteral("Konzeptmodell anzeigen"),
                               QString(), iiDashboard);
    MapCreatePDF = Make(QStringLiteral("MapCreatePDF"), QStringLiteral("Karte als PDF speichern..."), QString(), iiPdf);
    BHETypeEdit = Make(QStringLiteral("BHETypeEdit"), QStringLiteral("Sondentyp bearbeiten"), QString(), iiEdit);
    BHETypeDelete = Make(QStringLiteral("BHETypeDelete"), QStringLiteral("Sondentyp löschen"), QString(), iiDelete);
    BuildMenu();
    BuildToolBar();
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] { UpdateActions(); });
    idle->start(200);
}

QAction* TMainActions::Make(const QString& Name, const QString& Caption, const QString& Hint, int Image)
{
    auto* a = new QAction(Caption, &FWindow);
    a->setObjectName(Name);
    // "Short|Long": the first part is the tool tip, the second the status text.
    const int bar = Hint.indexOf(QLatin1Char('|'));
    if (!Hint.isEmpty()) {
        a->setToolTip(bar < 0 ? Hint : Hint.left(bar));
        a->setStatusTip(bar < 0 ? Hint : Hint.mid(bar + 1));
    }
    if (Image >= 0) a->setIcon(KPIcon(TImageIndex(Image)));
    // On the window, so that the short cuts work while the menu is detached;
    // the rules keep them off where they must not fire.
    FWindow.addAction(a);
    return a;
}

void TMainActions::BuildMenu()
{
    FMenu = new QMenuBar(&FWindow);
    FMenu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = FMenu->addMenu(QStringLiteral("Datei"));
    file->setObjectName(QStringLiteral("MenuFile"));
    file->addActions({FileNew, FileOpenModel, FileClose});
    file->addSeparator();
    file->addActions({ActionFileSave, FileSaveAsModel});
    file->addSeparator();
    file->addAction(FileExit1);
    QMenu* view = FMenu->addMenu(QStringLiteral("Ansicht"));
    view->setObjectName(QStringLiteral("MenuView"));
    view->addActions({BHEOverview, Parameterstze1, emperaturfelder1, Zhler1, ActionShowDashboard});
    QMenu* extras = FMenu->addMenu(QStringLiteral("Extras"));
    extras->setObjectName(QStringLiteral("MenuExtras"));
    extras->addActions({ToolsOptions, TriSettings, FluidEingeschaften1});
    QMenu* help = FMenu->addMenu(QStringLiteral("Hilfe"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    help->addActions({Inhalt1, Info1});
}

void TMainActions::BuildToolBar()
{
    FToolBar = new QToolBar(QStringLiteral("Datei"), &FWindow);
    FToolBar->setObjectName(QStringLiteral("ToolBarMain"));
    FToolBar->setMovable(false);
    FToolBar->setIconSize(QSize(24, 24));
    FToolBar->addActions({FileNew, FileOpenModel, ActionFileSave});
}

void TMainActions::SetCommand(QAction* Action, std::function<void()> Command)
{
    Action->setProperty(CommandProperty, true);
    connect(Action, &QAction::triggered, this, Guarded(std::move(Command)));
}

bool TMainActions::HasCommand(const QAction* Action) const
{
    return Action->property(CommandProperty).toBool();
}

TActionInputs TMainActions::CurrentInputs() const
{
    TActionInputs in;
    const TProject* p = FWindow.Project();
    in.HasProject = p != nullptr;
    in.RunLoopActive = FWindow.Control().IsRunLoopActive();
    in.YearProfile = p && p->LoadProfile() && p->LoadProfile()->LoadType() == ltYearProfile;
    in.PDFEnable = PDFEnable;
    in.BHETypeSelected = !FWindow.ProbesCard()->ListViewBHETypes->selectedItems().isEmpty();
    return in;
}

void TMainActions::UpdateActions()
{
    const TActionRules r = ActionRules(CurrentInputs());
    auto set = [this](QAction* A, bool On) { A->setEnabled(On && HasCommand(A)); };
    set(FileNew, r.FileNew);
    set(FileOpenModel, r.FileOpenModel);
    set(FileClose, r.FileClose);
    set(ActionFileSave, r.ActionFileSave);
    set(FileSaveAsModel, r.FileSaveAsModel);
    set(ActionShowDashboard, r.ActionShowDashboard);
    MapCreatePDF->setVisible(r.MapCreatePDF);
    set(MapCreatePDF, r.MapCreatePDF);
    set(BHETypeEdit, r.BHETypeEdit);
    set(BHETypeDelete, r.BHETypeDelete);
    for (QAction* a : {FileExit1, BHEOverview, Parameterstze1, emperaturfelder1, Zhler1, ToolsOptions, TriSettings,
                       FluidEingeschaften1, Inhalt1, Info1})
        a->setEnabled(HasCommand(a));
    emit Updated();
}
