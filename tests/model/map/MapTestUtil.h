#pragma once

#include "model/base/ModelUI.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Records what the model tells the user instead of showing it.
struct TRecordingPrompts : TPrompts {
    QStringList Messages;
    QStringList Errors;
    void ShowMessage(const QString& Text) override { Messages << Text; }
    void ShowError(const QString& Text) override { Errors << Text; }
};

inline const QColor QRed{255, 0, 0}, QGreen{0, 255, 0}, QBlue{0, 0, 255}, QYellow{255, 255, 0},
    QWhite{255, 255, 255};

// 40 × 20 pixels in four quadrants: red top left, green top right, blue bottom
// left, yellow bottom right. Drawn on a map, each quadrant shows where it went.
inline QImage QuadrantPicture(int Width = 40, int Height = 20)
{
    QImage img(Width, Height, QImage::Format_ARGB32);
    QPainter p(&img);
    p.fillRect(0, 0, Width / 2, Height / 2, QRed);
    p.fillRect(Width / 2, 0, Width - Width / 2, Height / 2, QGreen);
    p.fillRect(0, Height / 2, Width / 2, Height - Height / 2, QBlue);
    p.fillRect(Width / 2, Height / 2, Width - Width / 2, Height - Height / 2, QYellow);
    return img;
}

// A folder for one test's files, removed afterwards.
class TMapFiles {
public:
    TMapFiles() { EXPECT_TRUE(FDir.isValid()); }
    QString Path(const QString& Name) const { return QDir(FDir.path()).filePath(Name); }
    QString Folder() const { return FDir.path(); }
    QString Picture(const QString& Name, const QImage& Image, const char* Format) const
    {
        const QString p = Path(Name);
        EXPECT_TRUE(Image.save(p, Format)) << p.toStdString();
        return p;
    }
    QString Text(const QString& Name, const QByteArray& Content) const
    {
        const QString p = Path(Name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Content);
        return p;
    }

private:
    QTemporaryDir FDir;
};

inline ::testing::AssertionResult ColorNear(const QImage& Image, int X, int Y, const QColor& Expected,
                                            int Tolerance = 2)
{
    const QColor c = Image.pixelColor(X, Y);
    if (std::abs(c.red() - Expected.red()) <= Tolerance && std::abs(c.green() - Expected.green()) <= Tolerance &&
        std::abs(c.blue() - Expected.blue()) <= Tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << X << ", " << Y << ") is (" << c.red() << ", " << c.green()
                                         << ", " << c.blue() << "), expected (" << Expected.red() << ", "
                                         << Expected.green() << ", " << Expected.blue() << ")";
}
