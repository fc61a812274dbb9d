#include "model/control/RunChecks.h"

#include <QFileInfo>

#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/settings/KPSettings.h"

#include <cmath>

int TRunSettings::CountMonthsToSave() const
{
    int n = 0;
    for (bool m : Months) n += m ? 1 : 0;
    return n;
}

TRunCheck TRunCheck::Error(TRunField Field, const QString& Message)
{
    TRunCheck c;
    c.Kind = TRunCheckKind::Error;
    c.Field = Field;
    c.Message = Message;
    return c;
}

bool ParseRunNumber(const QString& Text, double& Value)
{
    double v = 0;
    if (!TryStrToFloat(Text, v) || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

namespace {

const QString NotStartable = QStringLiteral("Simulation kann nicht gestartet werden!");

TRunCheck Information(const QString& Message)
{
    TRunCheck c;
    c.Kind = TRunCheckKind::Information;
    c.Title = NotStartable;
    c.Message = Message;
    return c;
}

TRunCheck CheckDuration(const TRunSettings& S)
{
    // A duration of 0 or less would end the run before its first step
    // without ever reporting the end, leaving it active for good.
    double days = 0;
    if (!ParseRunNumber(S.Duration, days) || !(days > 0))
        return TRunCheck::Error(TRunField::Duration, QStringLiteral("Bitte eine gültig Dauer eingeben."));
    return {};
}

TRunCheck CheckModel(const TThermModel& M, int LoadProfileCount)
{
    if (M.FieldModel()->NodeCount() == 0)
        return Information(
            QStringLiteral("Das Modell hat kein Finite-Elemente-Netz. Bitte zuerst das Netz erzeugen."));
    if (M.NumModelDirty())
        return Information(
            QStringLiteral("Anzahl oder Position der EWS wurden geändert. Das FE-Modell muss neu "
                           "erstellt werden."));
    for (int i = 0; i < M.BHEs().Count(); ++i) {
        const TBHE* b = M.BHE(i);
        // An index past the list drives the probe with no profile either.
        if (b->LoadProfilIndex() >= 0 && b->LoadProfilIndex() < LoadProfileCount) continue;
        TRunCheck c;
        c.Kind = TRunCheckKind::MissingLoadProfile;
        c.Field = TRunField::Probes;
        c.Title = QStringLiteral("EWS ohne Lastprofil");
        c.Message =
            Format(QStringLiteral("Der Sonde \"%s\" ist kein Lastprofil zugeordnet. Nehmen Sie die Zuordnung "
                                  "in der Sondenübersicht vor."),
                   {b->Name()});
        return c;
    }
    return {};
}

TRunCheck CheckTimes(const TRunSettings& S)
{
    double minutes = 0;
    if (!ParseRunNumber(S.DeltaTime, minutes))
        return TRunCheck::Error(TRunField::DeltaTime,
                                QStringLiteral("Bitte geben Sie einen gültigen Wert für den Zeitschritt an"));
    if (!(minutes > 0))
        return TRunCheck::Error(TRunField::DeltaTime,
                                QStringLiteral("Bitte geben Sie einen Wert>0 für den Zeitschritt an"));
    if (S.Multiplier < MinTimeMultiplier || S.Multiplier > MaxTimeMultiplier)
        return TRunCheck::Error(TRunField::Multiplier,
                                Format(QStringLiteral("Der Multiplikator muss zwischen %d und %d liegen."),
                                       {std::int64_t{MinTimeMultiplier}, std::int64_t{MaxTimeMultiplier}}));
    return {};
}

} // namespace

TRunCheck CheckSaving(const TRunSettings& S)
{
    const int n = S.CountMonthsToSave();
    if (n == 0) {
        if (WarnOnEmptyAutosave && !S.IgnoreNoMonths) {
            TRunCheck c;
            c.Kind = TRunCheckKind::AskAbortIgnore;
            c.Message =
                QStringLiteral("Sie haben keine Monate zum automatischen Abspeichern des Feldes auswählt.");
            return c;
        }
        return {};
    }
    if (S.DataDir.isEmpty() || !QFileInfo(S.DataDir).isDir())
        return TRunCheck::Error(
            TRunField::DataDir,
            QStringLiteral("Bitte geben Sie ein Verzeichnis zum Abspeichern des Felds an."));
    if (S.DataFile.isEmpty())
        return TRunCheck::Error(
            TRunField::DataFile,
            QStringLiteral("Bitte geben Sie ein Dateinamen zum Abspeichern des Felds an."));
    return {};
}

TRunCheck CheckFreshRun(const TThermModel& Model, int LoadProfileCount, const TRunSettings& Settings)
{
    for (const TRunCheck& c : {CheckDuration(Settings), CheckModel(Model, LoadProfileCount),
                               CheckTimes(Settings), CheckSaving(Settings)})
        if (!c.Ok()) return c;
    return {};
}
