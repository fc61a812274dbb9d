#pragma once

// Shared set-up of the fuzz targets: a core application (picture plugins,
// temporary folder), the stream classes, the program's file versions, and a
// private file that each input is written to for the loaders that take a name.

#include "model/base/KPError.h"
#include "model/base/Versions.h"
#include "model/loads/LoadStreamClasses.h"
#include "model/project/StreamClasses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

inline QTemporaryDir& FuzzDir()
{
    static QTemporaryDir dir;
    return dir;
}

inline void FuzzInit()
{
    static int argc = 1;
    static char name[] = "kp_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Settings and data folders of the loaders stay inside the fuzz folder.
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_CONFIG_HOME", FuzzDir().filePath(QStringLiteral("config")).toUtf8());
    RegisterStreamClasses();
    RegisterLoadStreamClasses();
}

// Writes the input to Name in the fuzz folder and returns the path.
inline QString FuzzFile(const QString& Name, const std::uint8_t* Data, std::size_t Size)
{
    const QString path = FuzzDir().filePath(Name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(Data), static_cast<qint64>(Size));
    return path;
}

#define KP_FUZZ_INIT                                                                    \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                  \
    {                                                                                   \
        FuzzInit();                                                                     \
        return 0;                                                                       \
    }
