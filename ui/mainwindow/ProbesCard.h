#pragma once

// The probes page: the probe-type list, the layer list with the two opacity
// sliders, the hint memo and the plan. The card owns the plan control and the
// plan component; the window is the plan's host.

#include <QWidget>

#include "ui/mainwindow/BHETypePanel.h"

class QListWidget;
class QPlainTextEdit;
class QSlider;
class QToolBar;
class TBHETypelist;
class TMVPaintBoxD2D;
class TPlanHost;
class TPlanView;
class TProject;

class TProbesCard : public QWidget
{
    Q_OBJECT
public:
    TProbesCard(TPlanHost* Host, QWidget* Parent = nullptr);
    // The plan goes before its control (it keeps a plain pointer to it).
    ~TProbesCard() override;

    TPlanView* PlanView() const { return FPlanView; }

    // The probe-type list's rows from the list, grouped by tube layout.
    void RefreshBHETypeList(const TBHETypelist& List);
    // The pictures of the probe types by image index (the symbol list).
    const QList<QIcon>& BHESymbols() const { return FBHESymbols; }
    // The probe overview of the current model.
    void RefreshBHEOverview();
    // Check marks of the layer list from the plan's switches (no change events).
    void RefreshLayerList();
    // Both opacity sliders from the settings (position = opacity × 10).
    void RefreshOpacitySliders();
    void SetMessageLines(const QStringList& Lines);
    // Shows the whole model (probes and mesh) in the plan control.
    void FitToScreen();
    // A panel of another command group (inspector, isotherms) under the
    // side panel's own, with its caption.
    void AddSidePanel(const QString& Caption, QWidget* Panel, int Stretch = 0);

    QToolBar* ToolBarBHETypes = nullptr;
    TBHETypeListView* ListViewBHETypes = nullptr;
    QListWidget* ListViewMap = nullptr;
    QSlider* TBGridOpacity = nullptr;
    QSlider* TBMapOpacity = nullptr;
    QPlainTextEdit* MemoMsg = nullptr;
    QToolBar* ToolBarMap = nullptr;
    TMVPaintBoxD2D* MVPaintBoxD2 = nullptr;

private:
    QWidget* MakeSidePanel();

    QWidget* FSidePanel = nullptr;
    QList<QIcon> FBHESymbols;

    TPlanView* FPlanView = nullptr;
};
