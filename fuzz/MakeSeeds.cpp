// Writes one small seed per fuzz target, made by the program's own writers:
//   fuzz_make_seeds <corpus folder>
// gives <folder>/<target>/seed for every target but the generator's, whose seed
// is the mesh input builder's (written by the builder as well).
#include "FuzzCommon.h"

#include "model/loads/HeatpumpObj.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/probes/BHETypelistObj.h"
#include "model/project/ProjectObj.h"

#include <QFile>

#include <iostream>

namespace {

QString Target(const QString& Root, const char* Name)
{
    const QString dir = QDir(Root).filePath(QString::fromLatin1(Name));
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("seed"));
}

void WriteText(const QString& File, const QByteArray& Text)
{
    QFile f(File);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(Text) != Text.size())
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(File));
}

QByteArray ReadText(const QString& File)
{
    QFile f(File);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds <corpus folder>\n";
        return 2;
    }
    FuzzInit();
    const QString root = QString::fromLocal8Bit(argv[1]);
    try {
        TProject project;
        project.Save(Target(root, "fuzz_ProjectFile"));
        project.SaveXML(Target(root, "fuzz_ProjectXml"));
        TBHETypelist types;
        types.CreateDummy();
        types.SaveXML(Target(root, "fuzz_ProbeTypeXml"));
        THeatPumplist pumps;
        pumps.AddHeatPump()->SetName(QStringLiteral("WP 1"));
        pumps.SaveToFile(Target(root, "fuzz_HeatpumpList"));
        WriteText(Target(root, "fuzz_TimeSeries"), "Datum\tZeit\tLeistung\n01.01.2024\t00:00\t5,5\n"
                                                   "2024-01-01T06:00\t8\n");
        WriteText(Target(root, "fuzz_WorldFile"), "0.5\n0\n0\n-0.5\n3512345.25\n5401234.75\n");

        // A one-probe field from the builder: the generator's seed, and through
        // a run of a tiny mesh by hand the mesh files' seed.
        TDblPointList probes;
        probes.push_back(TDblPoint(0, 0));
        GeneratePolyFile(probes, 3, 50, 5, 50, 1, Target(root, "fuzz_TriangleInput"));
        WriteText(Target(root, "fuzz_MeshFiles"),
                  QByteArray("4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n") + '\0' +
                      "2 3 0\n1 1 2 3\n2 1 3 4\n" + '\0' + "1\t20.5\n2\t20.25\n3\t19\n4\t18\n");
    } catch (const EKPError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
