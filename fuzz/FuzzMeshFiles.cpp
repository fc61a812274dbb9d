// The generator's output read back (".node" and ".ele"), then a node dump and a
// node-temperature record for that mesh. The parts of an input are separated
// by NUL bytes: node text, element text, dump text (also read as a binary
// temperature record).
#include "FuzzCommon.h"

#include "model/base/Stream.h"
#include "model/fe/NumModel.h"

KP_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)).split('\0');
    auto part = [&](int i) { return i < parts.size() ? parts[i] : QByteArray(); };
    auto write = [](const QString& Name, const QByteArray& Bytes) {
        return FuzzFile(Name, reinterpret_cast<const std::uint8_t*>(Bytes.constData()),
                        static_cast<std::size_t>(Bytes.size()));
    };
    const QString node = write(QStringLiteral("mesh.1.node"), part(0));
    write(QStringLiteral("mesh.1.ele"), part(1));
    const QString dump = write(QStringLiteral("dump.txt"), part(2));
    T2DTriangleTransient model;
    try {
        model.GenerateGridFromTriangle(node);
        model.ReadFCustomFromFile(dump);
        TMemoryStream s(part(2));
        model.ReadTemperatures(s);
    } catch (const EKPError&) {
    }
    return 0;
}
