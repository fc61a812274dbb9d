#include "ui/mainwindow/ProjectCommands.h"

#include <QFileInfo>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "model/project/ProjectObj.h"
#include "model/run/MainLoopObj.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/MyCursor.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MapCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ResultCommands.h"
#include "ui/mainwindow/RunControl.h"
#include "ui/mainwindow/ViewBar.h"

TProjectCommands::TProjectCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

void TProjectCommands::NewProject()
{
    if (!QuerySaveChanges()) return;
    FWindow.Control().NewProject();
    FWindow.SetFileNameAndCaption();
    BindProjectToView();
    FWindow.RefreshProjectPage();
    FWindow.RefreshBHEOverview();
    FWindow.SetIsChanged(false);
    FWindow.PostHideMessage();
}

bool TProjectCommands::OpenProject(const QString& AFileName)
{
    const QFileInfo info(AFileName);
    if (!info.isFile()) {
        Prompter().ShowError(Format(QStringLiteral("Die Datei %s ist nicht vorhanden."), {AFileName}));
        return false;
    }
    if (info.suffix().compare(QStringLiteral("kpm"), Qt::CaseInsensitive) != 0) return false;
    // Unsaved work is offered for saving first, as closing does; the project
    // stays until the new one has been read completely.
    if (!OfferSave()) return false;
    {
        TMyCursor wait;
        if (!GuardCommand([&] { FWindow.Control().OpenProject(AFileName); })) return false;
    }
    FWindow.SetFileNameAndCaption();
    FWindow.PostHideMessage();
    BindProjectToView();
    FWindow.AddToRecentFiles(FWindow.Control().FileName());
    FWindow.SetIsChanged(false);
    TThermModel* model = FWindow.Control().Model();
    if (model && model->MainLoop()->UseGW()) {
        FWindow.PlanView()->SetLayer(plGW, true);
        FWindow.ProbesCard()->RefreshLayerList();
    }
    if (FWindow.ActiveCard() == mcMap)
        FWindow.RefreshBHEOverview();
    else
        FWindow.SetActiveCard(mcMap);
    FWindow.ViewBar()->SetDown(mcMap);
    // The mesh's extent where there is one; a field not yet meshed is shown
    // by its probes.
    if (model && model->FieldModel() && model->FieldModel()->NodeCount() > 0)
        FWindow.MapCommands()->ZoomModelExecute();
    else
        FWindow.ProbesCard()->FitToScreen();
    return true;
}

void TProjectCommands::BindProjectToView()
{
    TProject* project = FWindow.Project();
    if (!project) return;
    FWindow.SetProjectOfCards(project);
    // World origin, conversion of project and contour map, the plan items.
    FWindow.PlanView()->SetProject(project);
    FWindow.RefreshMessages();
    if (TThermModel* model = project->Model()) {
        const TBHETypelist& types = FWindow.BHETypelist();
        for (int i = 0; i < model->BHEs().Count(); ++i) {
            TBHE* probe = model->BHE(i);
            for (int t = 0; t < types.Count(); ++t)
                if (probe->IsType(*types.Items(t))) {
                    probe->SetImageIndex(types.Items(t)->ImageIndex());
                    break;
                }
        }
    }
    FWindow.RefreshProjectPage();
    FWindow.RefreshLoadPage();
    FWindow.RefreshRunPage();
    FWindow.PlanView()->BuildBHEItems();
    // The saved fields of the bound model; the list is otherwise filled only
    // when the probe page is switched to, which a reopened project may skip.
    if (FWindow.RunControl()) FWindow.RunControl()->ResultCommands().RefreshDataFileList();
}

bool TProjectCommands::OfferSave()
{
    if (!FWindow.Project() || !FWindow.IsChanged()) return true;
    const QMessageBox::StandardButton answer =
        Prompter().MessageDlg(QStringLiteral("Änderungen speichern?"), TMsgDlgType::mtConfirmation,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No) return true;
    // Yes counts only when the project was really written: a cancelled
    // save-as dialog or a failed save keeps the project.
    if (answer == QMessageBox::Yes) return ActionFileSaveExecute();
    return false;
}

bool TProjectCommands::QuerySaveChanges()
{
    if (!FWindow.Project()) return true;
    if (!OfferSave()) return false;
    if (!GuardCommand([this] { FWindow.Control().CloseProject(); })) return false;
    FWindow.RefreshBHEOverview();
    FWindow.RebuildPlanItems();
    FWindow.SetFileNameAndCaption();
    return true;
}

void TProjectCommands::FileOpenModelExecute()
{
    const QString name =
        Prompter().OpenFileName(QStringLiteral("Modell öffnen"), FWindow.Control().FileName(), OpenFilter());
    if (!name.isEmpty()) FileOpenModelAccept(name);
}

void TProjectCommands::FileOpenModelAccept(const QString& AFileName)
{
    OpenProject(AFileName);
}

bool TProjectCommands::ActionFileSaveExecute()
{
    if (!FWindow.Project()) return false;
    if (FWindow.Control().FileName().isEmpty()) return FileSaveAsModelExecute();
    bool ok;
    {
        TMyCursor wait;
        ok = GuardCommand([this] { FWindow.Control().SaveProject(); });
    }
    if (ok) Saved();
    return ok;
}

bool TProjectCommands::FileSaveAsModelExecute()
{
    if (!FWindow.Project()) return false;
    QString name =
        Prompter().SaveFileName(QStringLiteral("Speichern unter"), FWindow.Control().FileName(), SaveFilter());
    if (name.isEmpty()) return false;
    // The dialog's default extension.
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".kpm");
    return FileSaveAsModelAccept(name);
}

bool TProjectCommands::FileSaveAsModelAccept(const QString& AFileName)
{
    bool ok;
    {
        TMyCursor wait;
        ok = GuardCommand([&] { FWindow.Control().SaveProjectAs(AFileName); });
    }
    if (ok) Saved();
    return ok;
}

void TProjectCommands::Saved()
{
    FWindow.SetIsChanged(false);
    FWindow.SetFileNameAndCaption();
    FWindow.AddToRecentFiles(FWindow.Control().FileName());
}

void TProjectCommands::FileCloseExecute()
{
    if (QuerySaveChanges()) FWindow.PostShowMessage();
}
