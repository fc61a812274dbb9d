// Version information: conversions, the compiled-in resource, a file without
// one, and the about box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "KPVersion.h"
#include "ScriptedPrompter.h"
#include "model/base/KPError.h"
#include "model/base/Versions.h"
#include "ui/version/ApplicationInfo.h"
#include "ui/version/ApplicationVersionHelper.h"
#include "ui/version/BMPAbout.h"
#include "ui/version/VersionInfo.h"

TEST(VersionInfo, ConversionsBothWays)
{
    const std::uint64_t v = std::uint64_t(2) << 48 | std::uint64_t(1) << 32 | 15;
    EXPECT_EQ(TVersionInfo::VersionToString(v), QStringLiteral("2.1.0.15"));
    EXPECT_EQ(TVersionInfo::StringToVersion(QStringLiteral("2.1.0.15")), v);
    EXPECT_EQ(TVersionInfo::StringToVersion(QStringLiteral("2.1")), std::uint64_t(2) << 48 | std::uint64_t(1) << 32);
    EXPECT_EQ(TVersionInfo::StringToVersion(QStringLiteral("1.2.3.4.99")), TVersionInfo::StringToVersion(QStringLiteral("1.2.3.4")));
    // Each part keeps its low 16 bits.
    EXPECT_EQ(TVersionInfo::StringToVersion(QStringLiteral("70000")), std::uint64_t(70000 & 0xFFFF) << 48);
    EXPECT_EQ(TVersionInfo::StringToVersion(QStringLiteral("0.0.0.65537")), 1u);
    EXPECT_THROW(TVersionInfo::StringToVersion(QStringLiteral("2.x")), EConvertError);
    EXPECT_THROW(TVersionInfo::StringToVersion(QStringLiteral("2..1")), EConvertError);
}

TEST(VersionInfo, TheProgramsResourceComesFromTheGeneratedHeader)
{
    TVersionInfo& info = GetApplicationVersionInfo();
    EXPECT_EQ(&GetApplicationVersionInfo(), &info);
    ASSERT_TRUE(info.Valid());
    EXPECT_EQ(TVersionInfo::VersionToString(info.FileVersion()), QStringLiteral(KP_VERSION_TEXT));
    EXPECT_EQ(info.FileVersion() >> 48, std::uint64_t(ProgramVersionMajor));
    EXPECT_EQ(info.FileVersion() >> 32 & 0xFFFF, std::uint64_t(ProgramVersionMinor));
    EXPECT_EQ(ProgramVersionMajor, 2);
    EXPECT_EQ(ProgramVersionMinor, 1);
    ASSERT_EQ(info.TranslationCount(), 1);
    EXPECT_EQ(info.LanguageID(0), 0x0407);
    EXPECT_EQ(info.LanguageNames(0), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(info.Strings(QStringLiteral("FileVersion")), QStringLiteral(KP_VERSION_TEXT));
    EXPECT_EQ(info.GetString(QStringLiteral("ProductName"), QStringLiteral("040704b0")), QStringLiteral("Mirvatek KP"));
    EXPECT_EQ(info.GetString(QStringLiteral("Nothing"), 0), QString());
}

TEST(VersionInfo, AFileWithoutResource)
{
    TVersionInfo info(QStringLiteral("/does/not/exist"));
    EXPECT_FALSE(info.Valid());
    EXPECT_EQ(info.FileVersion(), 0u);
    EXPECT_EQ(info.FileFlags(), 0u);
    EXPECT_EQ(info.TranslationCount(), 0);
    EXPECT_EQ(info.GetString(QStringLiteral("FileVersion"), QStringLiteral("040704b0")), QString());
    try {
        info.LanguageID(0);
        FAIL() << "no error";
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Listenindex außerhalb des gültigen Bereichs (0)"));
    }
    TVersionResource r = KPVersionResource();
    TVersionInfo given(&r);
    EXPECT_THROW(given.CharsetID(1), EKPError);
    EXPECT_THROW(given.LanguageNames(-1), EKPError);
}

TEST(AboutBox, ShowsTheVersionAndClosesOnAClick)
{
    TMVAppInfo info;
    SetMainWindowAppInfo(info);
    EXPECT_EQ(info.GetVersionText(), QStringLiteral("V. " KP_VERSION_TEXT));
    TScriptedPrompter& p = ScriptedPrompter();
    p.Reset();
    QString version, publisher;
    int result = -1;
    p.QueueDialog([&](QDialog& d) {
        version = d.findChild<QLabel*>(QStringLiteral("LblVersion"))->text();
        publisher = d.findChild<QLabel*>(QStringLiteral("Label1"))->text();
        EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
        d.show();
        QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(100, 100));
        result = d.result();
        return result;
    });
    info.AboutDlg();
    EXPECT_EQ(version, QStringLiteral("V. " KP_VERSION_TEXT));
    EXPECT_TRUE(publisher.startsWith(QStringLiteral("© Mirvatek")));
    EXPECT_EQ(result, QDialog::Accepted);

    TBmpAboutForm form(nullptr);
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST(AppInfo, SplashIsCreatedAndFreed)
{
    TMVAppInfo info;
    EXPECT_FALSE(info.DisplaySplash());
    info.SetDisplaySplash(true);
    EXPECT_TRUE(info.DisplaySplash());
    info.SetDisplaySplash(false);
    EXPECT_FALSE(info.DisplaySplash());
}
