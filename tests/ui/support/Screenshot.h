#pragma once

// Pictures for a look by eye, written into KP_SCREENSHOT_DIR
// (scripts/screenshots.sh). A case calls SkipWithoutScreenshotDir first:
// without the folder the pictures are not wanted and the case is skipped.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

inline QString ScreenshotDir()
{
    return qEnvironmentVariable("KP_SCREENSHOT_DIR");
}

#define SkipWithoutScreenshotDir()                                                                                     \
    do {                                                                                                               \
        if (ScreenshotDir().isEmpty()) GTEST_SKIP() << "KP_SCREENSHOT_DIR not set";                                   \
    } while (false)

inline void SaveScreenshot(const QImage& Image, const QString& Name)
{
    QDir().mkpath(ScreenshotDir());
    EXPECT_TRUE(Image.save(QDir(ScreenshotDir()).filePath(Name))) << Name.toStdString();
}

// The widget shown, its pending events handled, then grabbed as it stands.
inline void SaveScreenshot(QWidget& W, const QString& Name)
{
    W.show();
    QApplication::processEvents();
    SaveScreenshot(W.grab().toImage(), Name);
}
