// Shared main of the model test executables: a headless Qt application and
// settings and data folders that are never the user's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath("cache").toUtf8());
    qputenv("TMPDIR", home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir(home.path()).filePath("user"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, QDir(home.path()).filePath("system"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QDir(home.path()).filePath("user"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, QDir(home.path()).filePath("system"));

    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Mirvatek");
    QCoreApplication::setApplicationName("KP");
    // Qt takes the C library's locale from the environment; files never may.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
