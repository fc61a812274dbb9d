#include "ui/mainwindow/MeshCommands.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/mesh/TriangleComp.h"
#include "model/model/MainModelObj.h"
#include "model/settings/KPSettings.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ProbesCard.h"

#include <exception>

namespace {

QAction* MakeAction(QObject* Parent, const QString& Name, const QString& Caption, const QString& Hint = QString())
{
    auto* a = new QAction(Caption, Parent);
    a->setObjectName(Name);
    a->setToolTip(Hint.isEmpty() ? Caption : Hint);
    a->setStatusTip(Hint);
    return a;
}

QToolButton* MakeToolButton(QToolBar* Bar, const QString& Name, QAction* Default, QMenu* Menu = nullptr)
{
    auto* b = new QToolButton(Bar);
    b->setObjectName(Name);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (Default) b->setDefaultAction(Default);
    if (Menu) {
        b->setMenu(Menu);
        b->setPopupMode(Default ? QToolButton::MenuButtonPopup : QToolButton::InstantPopup);
    }
    Bar->addWidget(b);
    return b;
}

// The wrapper as the program's settings configure it.
TTriangleWrapper ConfiguredWrapper()
{
    TTriangleWrapper w;
    w.SetPathToExe(TriangleLocation);
    w.SetCommandLineParams(TriangleParameter);
    return w;
}

}  // namespace

TMeshCommands::TMeshCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window)
{
    GridGenerate = MakeAction(this, QStringLiteral("GridGenerate"), QStringLiteral("Erzeugen"),
                              QStringLiteral("Erstellt das FE-Gitter"));
    GridGenerate->setIcon(KPIcon(iiMesh));
    GridLoad = MakeAction(this, QStringLiteral("GridLoad"), QStringLiteral("Importieren..."),
                          QStringLiteral("Grid aus bestehender Triangle-Datei erstellen"));
    TriExceute = MakeAction(this, QStringLiteral("TriExceute"), QStringLiteral("Triangle ausführen"));
    ModelAddGW = MakeAction(this, QStringLiteral("ModelAddGW"), QStringLiteral("Grundwasser"));
    ModelAddGW->setIcon(KPIcon(iiGroundwater));
    Fixedtemperature1 = MakeAction(this, QStringLiteral("Fixedtemperature1"), QStringLiteral("Temperatur bekannt"),
                                   QStringLiteral("Dirichlet (first type) boundary"));
    FixedFlow1 = MakeAction(this, QStringLiteral("FixedFlow1"), QStringLiteral("Wärmestrom bekannt"),
                            QStringLiteral("Neuman (second type) boundary"));
    None1 = MakeAction(this, QStringLiteral("None1"), QStringLiteral("Keine"));
    GrundwasserLogkopieren1 = MakeAction(this, QStringLiteral("GrundwasserLogkopieren1"),
                                         QStringLiteral("Grundwasser-Log kopieren"));
    GrundwasserLogkopieren1->setIcon(KPIcon(iiCopy));
    Isotherms = MakeAction(this, QStringLiteral("Isotherms"), QStringLiteral("Isothermen"));
    Isotherms->setIcon(KPIcon(iiIsotherms));

    ActionSelectElements = MakeAction(this, QStringLiteral("ActionSelectElements"), QStringLiteral("Elemente auswählen"));
    ActionSelectNodes = MakeAction(this, QStringLiteral("ActionSelectNodes"), QStringLiteral("Nodes auswählen"));
    ActionClearSelection = MakeAction(this, QStringLiteral("ActionClearSelection"), QStringLiteral("Auswahl aufheben"));
    connect(ActionSelectElements, &QAction::triggered, this,
            Guarded([this] { FWindow.PlanView()->ActionSelectElementsExecute(); }));
    connect(ActionSelectNodes, &QAction::triggered, this,
            Guarded([this] { FWindow.PlanView()->ActionSelectNodesExecute(); }));
    connect(ActionClearSelection, &QAction::triggered, this,
            Guarded([this] { FWindow.PlanView()->ActionClearSelectionExecute(); }));
    connect(GridGenerate, &QAction::triggered, this, Guarded([this] { GridGenerateExecute(); }));
    connect(GridLoad, &QAction::triggered, this, Guarded([this] { GridLoadExecute(); }));
    connect(TriExceute, &QAction::triggered, this, Guarded([this] { TriExceuteExecute(); }));
    connect(ModelAddGW, &QAction::triggered, this, Guarded([this] { ModelAddGWExecute(); }));
    connect(Fixedtemperature1, &QAction::triggered, this,
            Guarded([this] { Fixedtemperature1Click(btFixedTemperature); }));
    connect(FixedFlow1, &QAction::triggered, this, Guarded([this] { Fixedtemperature1Click(btFixedFlow); }));
    connect(None1, &QAction::triggered, this, Guarded([this] { Fixedtemperature1Click(btNone); }));
    connect(GrundwasserLogkopieren1, &QAction::triggered, this,
            Guarded([this] { GrundwasserLogkopieren1Click(); }));
    connect(Isotherms, &QAction::triggered, this, Guarded([this] { BtnIsothermsClick(); }));
    FWindow.Actions()->SetCommand(FWindow.Actions()->TriSettings, [this] { TriSettingsExecute(); });
    BuildToolButtons();
}

void TMeshCommands::BuildToolButtons()
{
    QToolBar* bar = FWindow.ProbesCard()->ToolBarMap;
    PopupMenuGrid = new QMenu(bar);
    PopupMenuGrid->setObjectName(QStringLiteral("PopupMenuGrid"));
    PopupMenuGrid->addActions({GridGenerate, GridLoad, TriExceute});
    PopupMenuBorderCond = new QMenu(bar);
    PopupMenuBorderCond->setObjectName(QStringLiteral("PopupMenuBorderCond"));
    PopupMenuBorderCond->addActions({Fixedtemperature1, FixedFlow1, None1});
    bar->addSeparator();
    tbGridGenerate = MakeToolButton(bar, QStringLiteral("tbGridGenerate"), GridGenerate, PopupMenuGrid);
    tbGroundwater = MakeToolButton(bar, QStringLiteral("tbGroundwater"), ModelAddGW);
    PopupMenuSelect = new QMenu(bar);
    PopupMenuSelect->setObjectName(QStringLiteral("PopupMenuSelect"));
    PopupMenuSelect->addActions({ActionSelectElements, ActionSelectNodes, ActionClearSelection});
    tbSelectInMap = MakeToolButton(bar, QStringLiteral("tbSelectInMap"), nullptr, PopupMenuSelect);
    tbSelectInMap->setText(QStringLiteral("Auswahl"));
    tbSelectInMap->setIcon(KPIcon(iiSelect));
    tbBoundaryCond = MakeToolButton(bar, QStringLiteral("tbBoundaryCond"), nullptr, PopupMenuBorderCond);
    tbBoundaryCond->setText(QStringLiteral("Randbedingungen"));
    tbBoundaryCond->setIcon(KPIcon(iiTemperature));
    tbIsotherms = MakeToolButton(bar, QStringLiteral("tbIsotherms"), Isotherms);
}

void TMeshCommands::UpdateActions()
{
    const TProjectControl& c = FWindow.Control();
    const bool project = c.Model() != nullptr;
    // A running or paused simulation holds the mesh, its nodes and the grid.
    const bool idle = project && !c.IsRunActive();
    for (QAction* a : {GridGenerate, GridLoad, TriExceute, ModelAddGW, Fixedtemperature1, FixedFlow1, None1,
                       Isotherms, ActionSelectElements, ActionSelectNodes, ActionClearSelection})
        a->setEnabled(idle);
    tbBoundaryCond->setEnabled(idle);
    tbSelectInMap->setEnabled(idle);
    // Reading the log changes nothing: also during a pause.
    GrundwasserLogkopieren1->setEnabled(project);
}

void TMeshCommands::MeshChanged()
{
    FWindow.RebuildPlanItems();
    FWindow.PlanView()->Repaint();
}

void TMeshCommands::GridGenerateExecute()
{
    TProjectControl& c = FWindow.Control();
    bool made = false;
    std::exception_ptr error;
    try {
        made = c.GenerateMesh(true);
    } catch (const EMeshCancelled&) {
        // The user ended the generator: the old mesh stays, nothing to tell.
    } catch (...) {
        error = std::current_exception();
    }
    // Rebuilt either way: a failed run may still have dropped what pointed
    // into the mesh (groundwater cells, selections).
    MeshChanged();
    if (made) {
        FWindow.RefreshMessages();
        FWindow.SetIsChanged(true);
    }
    if (error) std::rethrow_exception(error);
}

void TMeshCommands::GridLoadExecute()
{
    TProjectControl& c = FWindow.Control();
    c.CheckRunInactive(QStringLiteral("Das Importieren eines FE-Netzes"));
    TThermModel* m = c.Model();
    if (!m) return;
    const QString file = Prompter().OpenFileName(QStringLiteral("Öffnen"), QString(),
                                                 QStringLiteral("Node-Datei|*.node"));
    if (file.isEmpty()) return;
    if (!m->GridImport(file)) return;
    MeshChanged();
    if (QStringList* lines = m->Messagelist()) {
        *lines << QStringLiteral("Grid generated")
               << Format(QStringLiteral(" - Number of elements: %d"), {std::int64_t{m->FieldModel()->ElementCount()}})
               << Format(QStringLiteral(" - Number of nodes: %d"), {std::int64_t{m->FieldModel()->NodeCount()}});
        FWindow.RefreshMessages();
    }
    FWindow.SetIsChanged(true);
}

void TMeshCommands::TriExceuteExecute()
{
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Ausführen von Triangle"));
    TTriangleWrapper w = ConfiguredWrapper();
    w.SetInputFile(TThermModel::MeshInputFile());
    try {
        w.Execute();
    } catch (const EMeshCancelled&) {
        // Ended by the user; nothing was read back, so nothing changed.
    }
}

void TMeshCommands::TriSettingsExecute()
{
    TTriangleWrapper w = ConfiguredWrapper();
    if (w.SettingsDialog() != TTriangleWrapper::mrOk) return;
    TriangleLocation = w.PathToExe();
    TriangleParameter = w.CommandLineParams();
    ProgramSettings().WriteSettings();
}

void TMeshCommands::ModelAddGWExecute()
{
    TProjectControl& c = FWindow.Control();
    c.CheckRunInactive(QStringLiteral("Das Ändern des Grundwassers"));
    TThermModel* m = c.Model();
    TGWGrid* grid = FWindow.PlanView()->GW();
    if (!m || !grid) return;
    // The grid is laid over the mesh; without one there is nothing to lay it over.
    if (m->FieldModel()->ElementCount() == 0) {
        Prompter().ShowMessage(QStringLiteral("Bitte erzeugen Sie zuerst das FE-Netz."));
        return;
    }
    if (!grid->Edit()) return;
    FWindow.PlanView()->GenerateGWGrid();
    FWindow.RefreshAndChanged();
}

void TMeshCommands::BtnIsothermsClick()
{
    TProjectControl& c = FWindow.Control();
    c.CheckRunInactive(QStringLiteral("Das Ändern der Isothermen"));
    TThermModel* m = c.Model();
    if (!m) return;
    TPlanView* plan = FWindow.PlanView();
    m->SetRedrawEvent([plan](TObject*) { plan->DoRedrawContours(); });
    m->ContoursEdit();
    FWindow.ProbesCard()->RefreshLayerList();
}
