#pragma once

// How the main window presents results: the inspector that shows the element
// and node under the mouse, the observe command that adds mesh nodes to the
// monitoring list, the counter grid's and the surface's menus, the saved
// temperature fields beside the plan as isotherm source, the result window
// menus ("Zähler", "Temperaturfelder") and the monitoring list window.
//
// The group sits between the plan and the window as the plan's host: it
// answers the inspector and the observe menu and passes everything else on.

#include <QObject>

#include "plan/PlanHost.h"

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class TFormLoad;
class TRunControl;

class TResultCommands : public QObject, public TPlanHost
{
    Q_OBJECT
public:
    TResultCommands(TFormLoad& Window, TRunControl& Run);

    QAction* MonitorAddNode = nullptr;
    QAction* tbMonitored = nullptr;
    QMenu* PopupMenuCounterGrid = nullptr;
    QAction* Kopieren1 = nullptr;
    QAction* Graphanzeigen1 = nullptr;
    QAction* GrundwasserLogKopieren1 = nullptr;
    QMenu* PopupMenuChart = nullptr;
    QAction* Kopieren2 = nullptr;
    QAction* Rescale1 = nullptr;
    QMenu* PopupMenuObserve = nullptr;
    // Panel 0 "Element", panel 1 "Node".
    QTreeWidget* InspectorBarProp = nullptr;
    QTreeWidget* LVDataFiles = nullptr;

    void MonitorAddNodeExecute();
    void BtnMonitoredClick();
    void Kopieren1Click();
    void Graphanzeigen1Click();
    void GrundwasserLogKopierenClick();
    void Kopieren2Click();
    void Rescale1Click();
    // The model's saved fields by month; sorted by name.
    void RefreshDataFileList();
    void LVDataFilesSelectItem(QTreeWidgetItem* Item);
    // Reads a node dump into the mesh's isotherm values. A malformed line
    // stops reading: the values read so far stay and the message says where.
    // False (and Message set) when the file did not fill every node.
    static bool ReadIsothermSource(class T2DTriangleModel& Model, const QString& Path, QString& Message);
    // The isotherms from the current temperatures (the field at a run's end).
    void ShowFinalIsotherms();
    void Zhler1Click();
    void emperaturfelder1Click();
    void BtnDisplayDataDirClick();
    // Everything that points into the project goes.
    void ProjectClosing();
    void UpdateActions();

    // The item texts of an inspector panel, for the window and its tests.
    QTreeWidgetItem* InspectorItem(int Panel, int Index) const;

    // ---- plan host: the inspector and the observe menu are answered here
    void ShowElementProperties(TElement* Element) override;
    void ShowNodeProperties(TNode* Node) override;
    void PopupObserveMenu(TNode* Node, QPoint GlobalPos) override;
    void SetStatusText(const QString& Text) override;
    void ProjectChanged() override;
    void MeshOutOfDate() override;
    void BHEAdded(TBHE* BHE) override;
    void BHEMoved(TBHE* BHE) override;
    void SetMessageLines(const QStringList& Lines) override;
    void ShowError(const QString& Text) override;
    bool AskYesNo(const QString& Question) override;
    const TBHE* BHETypeAt(int Index) override;

private:
    void MakeInspector();
    void MakeDataFileList();
    void MakeMenus();
    void GridContextMenu(const QPoint& Pos);
    void AddHint(const QString& Line);
    TPlanHost& Host() const;

    TFormLoad& FWindow;
    TRunControl& FRun;
};
