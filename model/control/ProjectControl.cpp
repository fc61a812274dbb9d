// The project commands: new, open, save, close, and the binding of the
// current model to the controller (message list, end of a run).

#include "model/control/ProjectControl.h"

#include <QFileInfo>

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Versions.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"

#include <cmath>

TProjectControl::TProjectControl() = default;

TProjectControl::~TProjectControl() = default;

TThermModel* TProjectControl::Model() const
{
    return FProject ? FProject->Model() : nullptr;
}

QString TProjectControl::Caption() const
{
    if (!FProject) return QStringLiteral("Mirvatek KP");
    return QStringLiteral("Mirvatek KP - ") + QFileInfo(FFileName).fileName();
}

void TProjectControl::NewProject()
{
    CheckNoRunLoop(QStringLiteral("Das Anlegen eines neuen Projekts"));
    auto fresh = std::make_unique<TProject>();
    ReplaceProject(std::move(fresh), QString());
    // A new project is of this program's version, whatever was opened before.
    FileVersionMajor = ProgramVersionMajor;
    FileVersionMinor = ProgramVersionMinor;
}

void TProjectControl::OpenProject(const QString& AFileName)
{
    CheckNoRunLoop(QStringLiteral("Das Öffnen eines Projekts"));
    const QFileInfo info(AFileName);
    if (!info.isFile())
        throw EFileError(Format(QStringLiteral("Die Datei %s ist nicht vorhanden."), {AFileName}));
    if (info.suffix().compare(QStringLiteral("kpm"), Qt::CaseInsensitive) != 0)
        throw EKPError(Format(QStringLiteral("Die Datei %s ist keine Projektdatei (*.kpm)."), {AFileName}));
    // Read aside: a damaged or newer file must not cost the open project.
    auto fresh = std::make_unique<TProject>();
    fresh->Load(AFileName);
    ReplaceProject(std::move(fresh), AFileName);
}

void TProjectControl::SaveProject()
{
    if (!FProject) throw EKPError(QStringLiteral("Es ist kein Projekt geöffnet."));
    if (FFileName.isEmpty()) throw EKPError(QStringLiteral("Das Projekt hat noch keinen Dateinamen."));
    FProject->Save(FFileName);
    FIsChanged = false;
}

void TProjectControl::SaveProjectAs(const QString& AFileName)
{
    if (!FProject) throw EKPError(QStringLiteral("Es ist kein Projekt geöffnet."));
    if (AFileName.isEmpty()) throw EKPError(QStringLiteral("Bitte einen Dateinamen angeben."));
    FProject->Save(AFileName);
    FFileName = AFileName;
    FIsChanged = false;
}

void TProjectControl::CloseProject()
{
    CheckNoRunLoop(QStringLiteral("Das Schließen des Projekts"));
    if (!FProject) return;
    StopPausedRunSilently();
    if (OnProjectFreeing) OnProjectFreeing();
    FProject.reset();
    FFileName.clear();
    FIsChanged = false;
    NotifyState();
}

void TProjectControl::ReplaceProject(std::unique_ptr<TProject> Project, const QString& FileName)
{
    StopPausedRunSilently();
    if (FProject && OnProjectFreeing) OnProjectFreeing();
    FProject = std::move(Project);
    FFileName = FileName;
    FIsChanged = false;
    BindModel();
    NotifyState();
}

void TProjectControl::BindModel()
{
    TThermModel* m = Model();
    if (!m) return;
    m->SetMessagelist(&FMessages);
    for (int i = 0; i < m->BHEs().Count(); ++i) m->BHE(i)->SetMessagelist(&FMessages);
    // The end is reported after the loop unwound, never from inside a step.
    m->MainLoop()->OnEndTimeReached = [this](TObject*) { FEndReached = true; };
    // The multiplier is not stored: it is what the stored steps imply, 1
    // when they imply no whole number in range.
    const double ratio = m->FieldModel()->DeltaTime() / m->MainLoop()->TimeEngine().TimeStep();
    const double whole = std::round(ratio);
    const bool fits = std::isfinite(ratio) && whole >= MinTimeMultiplier && whole <= MaxTimeMultiplier &&
                      std::abs(ratio - whole) <= 1e-9 * whole;
    m->MainLoop()->SetFieldMultiplier(fits ? static_cast<int>(whole) : 1);
}

TThermModel& TProjectControl::CheckedModel() const
{
    TThermModel* m = Model();
    if (!m) throw EKPError(QStringLiteral("Es ist kein Projekt geöffnet."));
    return *m;
}

void TProjectControl::CheckNoRunLoop(const QString& What) const
{
    if (FInRun)
        throw EKPError(What + QStringLiteral(" ist während einer laufenden Simulation nicht möglich."));
}

void TProjectControl::CheckRunInactive(const QString& What) const
{
    if (IsRunActive())
        throw EKPError(What + QStringLiteral(" ist während einer laufenden Simulation nicht möglich."));
}
