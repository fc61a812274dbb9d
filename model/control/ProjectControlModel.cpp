// The commands that change the model: probes, mesh and the run's settings.
// All of them are refused while a run is active, since the running or paused
// loop holds nodes, probes and times of the model.

#include <QFileInfo>

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"

#include <algorithm>
#include <cmath>

namespace {

void CheckPosition(double X, double Y)
{
    if (!std::isfinite(X) || !std::isfinite(Y))
        throw EKPError(QStringLiteral("Die Position der Sonde ist keine gültige Zahl."));
}

} // namespace

void TProjectControl::MarkMeshOutOfDate()
{
    CheckedModel().SetNumModelDirty(true);
    FIsChanged = true;
}

void TProjectControl::CheckProbeOfModel(const TBHE* Probe) const
{
    if (CheckedModel().BHEs().IndexOf(Probe) < 0)
        throw EKPError(QStringLiteral("Die Sonde gehört nicht zum Modell des Projekts."));
}

TBHE* TProjectControl::AddProbe(const TBHE* Type, double X, double Y, const QString& Name)
{
    CheckRunInactive(QStringLiteral("Das Hinzufügen einer Sonde"));
    TThermModel& m = CheckedModel();
    CheckPosition(X, Y);
    TBHE* b = m.AddBHE();
    if (Type) b->AssignType(*Type);
    b->SetX(X);
    b->SetY(Y);
    b->SetName(Name.isEmpty() ? QStringLiteral("Sonde %1").arg(m.BHEs().Count()) : Name);
    b->SetMessagelist(&FMessages);
    MarkMeshOutOfDate();
    return b;
}

void TProjectControl::MoveProbe(TBHE* Probe, double X, double Y)
{
    CheckRunInactive(QStringLiteral("Das Verschieben einer Sonde"));
    CheckProbeOfModel(Probe);
    CheckPosition(X, Y);
    Probe->SetX(X);
    Probe->SetY(Y);
    MarkMeshOutOfDate();
}

void TProjectControl::DeleteProbe(TBHE* Probe)
{
    CheckRunInactive(QStringLiteral("Das Entfernen einer Sonde"));
    TThermModel& m = CheckedModel();
    if (m.BHEs().IndexOf(Probe) < 0) return;
    m.RemoveBHE(Probe);
    MarkMeshOutOfDate();
}

bool TProjectControl::GenerateMesh(bool ShowDialog)
{
    CheckRunInactive(QStringLiteral("Das Erstellen des FE-Netzes"));
    TThermModel& m = CheckedModel();
    // The dialog first, so that a cancel is told apart from a mesh; without
    // probes the model refuses before any dialog.
    if (ShowDialog && m.BHEs().Count() > 0 && !m.GridParamsDlg()) return false;
    m.GridGenerate(nullptr, false);
    FMessages << QStringLiteral("Grid generated")
              << Format(QStringLiteral(" - Number of elements: %d"),
                        {std::int64_t{m.FieldModel()->ElementCount()}})
              << Format(QStringLiteral(" - Number of nodes: %d"),
                        {std::int64_t{m.FieldModel()->NodeCount()}});
    FIsChanged = true;
    return true;
}

void TProjectControl::SetRunTimes(double DeltaTime, int Multiplier)
{
    CheckRunInactive(QStringLiteral("Das Ändern der Zeitschritte"));
    TThermModel& m = CheckedModel();
    if (!std::isfinite(DeltaTime) || !(DeltaTime > 0))
        throw EKPError(QStringLiteral("Bitte geben Sie einen Wert>0 für den Zeitschritt an"));
    if (Multiplier < MinTimeMultiplier || Multiplier > MaxTimeMultiplier)
        throw EKPError(Format(QStringLiteral("Der Multiplikator muss zwischen %d und %d liegen."),
                              {std::int64_t{MinTimeMultiplier}, std::int64_t{MaxTimeMultiplier}}));
    TMainLoop& loop = *m.MainLoop();
    TTimeEngine& e = loop.TimeEngine();
    const double step = DeltaTime / Multiplier;
    if (e.TimeStep() != step || loop.FieldMultiplier() != Multiplier ||
        m.FieldModel()->DeltaTime() != DeltaTime)
        FIsChanged = true;
    loop.SetFieldMultiplier(Multiplier);
    e.SetTimeStep(step);
    m.FieldModel()->SetDeltaTime(DeltaTime);
}

bool TProjectControl::RunTimesConsistent() const
{
    const TThermModel* m = Model();
    if (!m) return false;
    const double dt = m->FieldModel()->DeltaTime();
    const double product = m->MainLoop()->TimeEngine().TimeStep() * m->MainLoop()->FieldMultiplier();
    return std::isfinite(dt) && dt > 0 && std::abs(product - dt) <= 1e-9 * dt;
}

void TProjectControl::SetDuration(double Days)
{
    CheckRunInactive(QStringLiteral("Das Ändern der Simulationsdauer"));
    TThermModel& m = CheckedModel();
    if (!std::isfinite(Days) || !(Days > 0))
        throw EKPError(QStringLiteral("Bitte eine gültig Dauer eingeben."));
    TTimeEngine& e = m.MainLoop()->TimeEngine();
    if (e.Endtime() != Days * 86400) FIsChanged = true;
    e.SetEndtime(Days * 86400);
}

void TProjectControl::SetUseGW(bool Value)
{
    CheckRunInactive(QStringLiteral("Das Ändern der Grundwasser-Einstellung"));
    TThermModel& m = CheckedModel();
    if (m.MainLoop()->UseGW() != Value) FIsChanged = true;
    m.MainLoop()->SetUseGW(Value);
}

TRunSettings TProjectControl::RunSettings() const
{
    TRunSettings s;
    s.DataDir = DataDir;
    const TThermModel* m = Model();
    if (!m) return s;
    const TMainLoop& loop = *m->MainLoop();
    s.Duration = FloatToStr(loop.TimeEngine().Endtime() / 86400);
    s.DeltaTime = FloatToStr(m->FieldModel()->DeltaTime() / 60);
    s.StartDate = loop.TimeEngine().RealStartTime();
    s.Multiplier = std::clamp(loop.FieldMultiplier(), MinTimeMultiplier, MaxTimeMultiplier);
    s.DataFile = m->DataFilePrefix();
    if (!m->DataFileDir().isEmpty() && QFileInfo(m->DataFileDir()).isDir()) s.DataDir = m->DataFileDir();
    return s;
}
