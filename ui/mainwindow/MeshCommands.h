#pragma once

// The mesh, groundwater and boundary-condition commands of the probes page:
// generate, import and configure the mesh, groundwater flow, boundary
// conditions on selected nodes, the groundwater log and the contours dialog.
// Everything that replaces the mesh goes through the project controller and
// is disabled while a run is active.

#include <QObject>

class QAction;
class QMenu;
class QToolButton;
class TFormLoad;

// The boundary condition a menu item sets (its Tag).
enum TBoundaryTag : int { btNone = 0, btFixedTemperature = 1, btFixedFlow = 2 };

class TMeshCommands : public QObject
{
    Q_OBJECT
public:
    explicit TMeshCommands(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

    // Meshes the model (parameter dialog, generator with its progress
    // dialog); the plan is rebuilt whatever happened, the hint lines and the
    // changed mark come only with a new mesh. A cancelled generator keeps
    // the previous mesh and says nothing.
    void GridGenerateExecute();
    // Imports a generator node file as the mesh.
    void GridLoadExecute();
    // Runs the generator on the last mesh input by hand; the result is not read.
    void TriExceuteExecute();
    // The generator's settings, stored as program settings on OK.
    void TriSettingsExecute();
    // The groundwater dialog, then the grid laid over the mesh.
    void ModelAddGWExecute();
    // The boundary condition Tag (TBoundaryTag) on the plan's selected nodes.
    void Fixedtemperature1Click(int Tag);
    // The groundwater log with its header on the clipboard, lines ended by CR LF.
    void GrundwasserLogkopieren1Click();
    // The contours dialog of the model.
    void BtnIsothermsClick();

    QAction* GridGenerate = nullptr;
    QAction* GridLoad = nullptr;
    QAction* TriExceute = nullptr;
    QAction* ModelAddGW = nullptr;
    QAction* Fixedtemperature1 = nullptr;
    QAction* FixedFlow1 = nullptr;
    QAction* None1 = nullptr;
    QAction* GrundwasserLogkopieren1 = nullptr;
    QAction* Isotherms = nullptr;
    // The plan's selection, for the boundary conditions.
    QAction* ActionSelectElements = nullptr;
    QAction* ActionSelectNodes = nullptr;
    QAction* ActionClearSelection = nullptr;
    QMenu* PopupMenuSelect = nullptr;
    QToolButton* tbSelectInMap = nullptr;
    QMenu* PopupMenuGrid = nullptr;
    QMenu* PopupMenuBorderCond = nullptr;
    QToolButton* tbGridGenerate = nullptr;
    QToolButton* tbGroundwater = nullptr;
    QToolButton* tbBoundaryCond = nullptr;
    QToolButton* tbIsotherms = nullptr;

private:
    void BuildToolButtons();
    // The plan after a command replaced or changed the mesh.
    void MeshChanged();

    TFormLoad& FWindow;
};

// The clipboard text of the groundwater log: the header line, then Lines,
// each ended by CR LF.
QString GWLogText(const QStringList& Lines);
