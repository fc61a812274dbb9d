#include "model/settings/ModelDefaults.h"

#include <QDir>
#include <QStandardPaths>

double DefaultLambda = DefaultLambda0;
double DefaultRhoCP = DefaultRhoCP0;
double NodeBHERadialDist = NodeBHERadialDist0;

// Paths depend on the environment, which is only settled once main runs:
// ResetModelDefaults fills them.
QString HeatpumpsFile;
QString BHETypesFile;

QString DefaultListFileFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("Mirvatek"));
}

void ResetModelDefaults()
{
    DefaultLambda = DefaultLambda0;
    DefaultRhoCP = DefaultRhoCP0;
    NodeBHERadialDist = NodeBHERadialDist0;
    const QDir folder(DefaultListFileFolder());
    HeatpumpsFile = folder.filePath(QStringLiteral("heatpumps.kph"));
    BHETypesFile = folder.filePath(QStringLiteral("bhetypes.xml"));
}
