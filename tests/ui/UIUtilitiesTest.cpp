// The small shared services: file-name dates, number text, picture sizes per
// dpi, the cursor guard, file filters, the command guard and its backstop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include "ScriptedPrompter.h"
#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Dpi.h"
#include "ui/common/MyCursor.h"
#include "ui/common/UIUtilities.h"

#include <limits>
#include <stdexcept>

TEST(ParseDataFileDate, NamesOfSavedTemperatureFields)
{
    struct Case {
        const char* Name;
        bool Ok;
        int Y, Mo, D, H, Mi;
    };
    const Case cases[] = {
        {"field_2019_03_31_12_00.txt", true, 2019, 3, 31, 12, 0},
        {"a_b_2019_03_31_12_00.txt", true, 2019, 3, 31, 12, 0},
        {"field_03_31_12_00.txt", false, 0, 0, 0, 0, 0},   // the fifth part from the end is no number
        {"03_31_12_00.txt", false, 0, 0, 0, 0, 0},         // four parts only
        {"field_2019_13_01_00_00.txt", false, 0, 0, 0, 0, 0},  // month 13
        {"field_2019_00_01_00_00.txt", false, 0, 0, 0, 0, 0},
        {"field_2019_02_30_00_00.txt", false, 0, 0, 0, 0, 0},  // no 30 February
        {"field_2019_03_31_24_00.txt", false, 0, 0, 0, 0, 0},
        {"field_2019_03_31_12_60.txt", false, 0, 0, 0, 0, 0},
        {"x.t", false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int y = -1, mo = -1, d = -1, h = -1, mi = -1;
        EXPECT_EQ(ParseDataFileDate(QString::fromUtf8(c.Name), y, mo, d, h, mi), c.Ok) << c.Name;
        if (c.Ok) {
            EXPECT_EQ(y, c.Y);
            EXPECT_EQ(mo, c.Mo);
            EXPECT_EQ(d, c.D);
            EXPECT_EQ(h, c.H);
            EXPECT_EQ(mi, c.Mi);
        } else {
            EXPECT_EQ(mo, -1) << c.Name;  // nothing written on failure
        }
    }
}

TEST(FloatToFixedOrEmpty, GermanLocaleAndNonFiniteValues)
{
    // The ui test main shows numbers in German.
    EXPECT_EQ(FloatToFixedOrEmpty(2.5, 1), QStringLiteral("2,5"));
    EXPECT_EQ(FloatToFixedOrEmpty(1234.5, 2), QStringLiteral("1234,50"));
    EXPECT_EQ(FloatToFixedOrEmpty(std::numeric_limits<double>::quiet_NaN(), 2), QString());
    EXPECT_EQ(FloatToFixedOrEmpty(std::numeric_limits<double>::infinity(), 2), QString());
    EXPECT_EQ(FloatToFixedOrEmpty(-std::numeric_limits<double>::infinity(), 2), QString());
}

TEST(ImageListByOrgSize, ListSizePerDpi)
{
    struct Case {
        int Source, Dpi, Expected;
    };
    const Case cases[] = {{16, 96, 24}, {24, 96, 24}, {48, 96, 24}, {16, 120, 24}, {24, 120, 32},
                          {24, 144, 32}, {48, 144, 64}, {16, 192, 32}, {24, 192, 48}, {32, 192, 64},
                          {16, 288, 48}, {24, 72, 24}};
    for (const Case& c : cases) {
        EXPECT_EQ(ImageListSizeByOrgSize(c.Source, c.Dpi), c.Expected) << c.Source << " @ " << c.Dpi;
        EXPECT_EQ(NonVisModul().ImageListByOrgSize(c.Source, c.Dpi).Size(), c.Expected);
    }
}

TEST(ImageList, EveryPictureInEverySize)
{
    const TImageList& list = NonVisModul().img24();
    for (int i = 0; i < iiCount; ++i) {
        for (int size : ImageSizes) {
            const QPixmap pm = list.Icon(i).pixmap(size, size);
            ASSERT_EQ(pm.width(), size) << ImageNames[size_t(i)];
            // Drawn, not blank: some opaque pixel in the middle third.
            const QImage img = pm.toImage();
            bool ink = false;
            for (int y = size / 3; y < 2 * size / 3 && !ink; ++y)
                for (int x = 0; x < size && !ink; ++x) ink = qAlpha(img.pixel(x, y)) > 128;
            EXPECT_TRUE(ink) << ImageNames[size_t(i)] << " at " << size;
        }
    }
    EXPECT_TRUE(list.Icon(iiCount).isNull());
    EXPECT_TRUE(list.Icon(-1).isNull());
}

TEST(MyCursor, RestoresTheCursorWhenTheWorkThrows)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        TMyCursor wait(Qt::WaitCursor);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            TMyCursor busy(Qt::BusyCursor);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        }
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw EKPError(QStringLiteral("Druckfehler"));
    } catch (const EKPError&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtFileFilter, BothLetterCasesAndOneParenthesis)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("BHE Sondentypen (*.xml)|*.XML")),
              QStringLiteral("BHE Sondentypen (*.XML *.xml)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Alle unterstützten Formate|*.png;*.bmp|Alle|*")),
              QStringLiteral("Alle unterstützten Formate (*.png *.PNG *.bmp *.BMP);;Alle (*)"));
}

TEST(CommandGuard, AThrownErrorBecomesOneMessage)
{
    TScriptedPrompter& p = ScriptedPrompter();
    p.Reset();
    bool after = false;
    auto slot = Guarded([&](int v) {
        if (v > 0) throw EKPError(QStringLiteral("Die Datei \"a.kpm\" ist beschädigt."));
        after = true;
    });
    slot(1);
    EXPECT_FALSE(after);
    ASSERT_EQ(p.Messages(), QStringList{QStringLiteral("Die Datei \"a.kpm\" ist beschädigt.")});
    EXPECT_EQ(p.Asked().front().Kind, TScriptedPrompter::TKind::Error);
    slot(0);
    EXPECT_TRUE(after);
    EXPECT_EQ(p.Messages().size(), 1);

    EXPECT_FALSE(GuardCommand([] { throw std::runtime_error("kaputt"); }));
    EXPECT_FALSE(GuardCommand([] { throw 42; }));
    EXPECT_EQ(p.Messages().mid(1), (QStringList{QStringLiteral("kaputt"), QStringLiteral("Unbekannter Fehler.")}));
}

namespace {

class TThrowingObject : public QObject {
public:
    bool event(QEvent* E) override
    {
        if (E->type() == QEvent::User) throw EKPError(QStringLiteral("Fehler im Ereignis"));
        return QObject::event(E);
    }
};

} // namespace

TEST(CommandGuard, NotifyIsTheBackstop)
{
    TScriptedPrompter& p = ScriptedPrompter();
    p.Reset();
    TThrowingObject o;
    QEvent e(QEvent::User);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&o, &e));
    EXPECT_TRUE(p.Messages().isEmpty());  // shown once the event has unwound
    QCoreApplication::processEvents();
    EXPECT_EQ(p.Messages(), QStringList{QStringLiteral("Fehler im Ereignis")});
}
