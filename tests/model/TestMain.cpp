// Shared main of the test executables, compiled once per kind (see
// cmake/KPTests.cmake): a Qt application on the offscreen platform, and
// settings and data folders that are never the user's own.
#include <gtest/gtest.h>

#if defined(KP_TEST_UI)
#include "ui/common/KPApplication.h"
void KPTestUISetUp(QApplication& App);  // tests/ui/support/UITestSetUp.cpp
#elif defined(KP_TEST_QAPPLICATION)
#include <QApplication>
#else
#include <QGuiApplication>
#endif
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <clocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath(QStringLiteral("cache")).toUtf8());
    qputenv("TMPDIR", home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    const QString user = QDir(home.path()).filePath(QStringLiteral("user"));
    const QString system = QDir(home.path()).filePath(QStringLiteral("system"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, user);
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, user);
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, system);

#if defined(KP_TEST_UI)
    TKPApplication app(argc, argv);
#elif defined(KP_TEST_QAPPLICATION)
    QApplication app(argc, argv);
#else
    QGuiApplication app(argc, argv);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("Mirvatek"));
    QCoreApplication::setApplicationName(QStringLiteral("KP"));
    // Qt takes the C library's locale from the environment; files never may.
    std::setlocale(LC_NUMERIC, "C");
#if defined(KP_TEST_UI)
    KPTestUISetUp(app);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
