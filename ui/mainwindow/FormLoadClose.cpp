// Closing the main window and the keys it previews: the close query (a run is
// stopped first, unsaved work offered for saving), the heat-pump list written
// at close, and Enter/Esc while a probe field is placed or the scale picked.

#include "ui/mainwindow/FormLoad.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/loads/HeatpumpObj.h"
#include "model/settings/KPSettings.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/RunControl.h"

void TFormLoad::closeEvent(QCloseEvent* Event)
{
    bool close = false;
    GuardCommand([&] { close = FormCloseQuery(); });
    if (!close) {
        Event->ignore();
        return;
    }
    FormClose();
    Event->accept();
}

bool TFormLoad::FormCloseQuery()
{
    if (FControl->IsRunLoopActive()) {
        // The loop is below us on the stack: it is told to stop, and the
        // window closes once it has unwound (SetRunState).
        FCloseDeferred = true;
        FControl->Stop();
        return false;
    }
    FCloseDeferred = false;
    // A paused run is ended, even when the save question is then cancelled.
    if (FControl->IsRunActive()) FControl->Stop();
    return QuerySaveChanges();
}

void TFormLoad::FormClose()
{
    if (FHeatpumpsLoadFailed) return;
    // Reported, but never in the way of leaving the program.
    try {
        FHeatpumps->SaveToFile(HeatpumpsFile);
    } catch (...) {
        Prompter().ShowError(Format(QStringLiteral("Die Wärmepumpenliste %s konnte nicht gespeichert werden: %s"),
                                    {HeatpumpsFile, ErrorMessage(std::current_exception())}));
    }
}

void TFormLoad::SetRunState(TRunState State)
{
    if (FRunControl) FRunControl->SetRunState(State);
    FActions->UpdateActions();
    if (FCloseDeferred && !FControl->IsRunLoopActive())
        QTimer::singleShot(0, this, [this] {
            if (FCloseDeferred && !FControl->IsRunLoopActive()) close();
        });
}

bool TFormLoad::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type t = Event->type();
    if (t != QEvent::KeyPress && t != QEvent::ShortcutOverride) return QMainWindow::eventFilter(Watched, Event);
    auto* w = qobject_cast<QWidget*>(Watched);
    if (!w || w->window() != this) return QMainWindow::eventFilter(Watched, Event);
    const int key = static_cast<QKeyEvent*>(Event)->key();
    const bool placing = PlanView()->AddingField();
    const bool wanted = ((key == Qt::Key_Return || key == Qt::Key_Enter) && placing) ||
                        (key == Qt::Key_Escape && (placing || FSettingScaling));
    if (!wanted) return QMainWindow::eventFilter(Watched, Event);
    // The override keeps shortcuts (the plan's own included) from taking the
    // key; the press itself is handled once.
    Event->accept();
    if (t == QEvent::KeyPress) GuardCommand([&] { FormKeyDown(key); });
    return true;
}

bool TFormLoad::FormKeyDown(int Key)
{
    TPlanView* plan = PlanView();
    if (plan->AddingField()) {
        // Placing probes reports the change through the plan host.
        const bool used = plan->PlacerKey(Key);
        plan->Repaint();
        return used;
    }
    if (FSettingScaling && Key == Qt::Key_Escape) {
        FSettingScaling = false;
        return true;
    }
    return false;
}
