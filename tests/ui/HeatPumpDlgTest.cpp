// The heat-pump dialog as the heat pump drives it: the line texts, the
// coefficients from two points, and the live line of each chart.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <QLineEdit>
#include <QPushButton>

#include "ScriptedPrompter.h"
#include "chart/MVChart.h"
#include "chart/MVPaintBox.h"
#include "model/base/ModelUI.h"
#include "model/loads/HeatpumpObj.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/heatpump/CharlineText.h"
#include "ui/heatpump/DlgHeatPump.h"
#include "ui/heatpump/DlgPointCorrd.h"
#include "ui/heatpump/HeatpumpDialogsUI.h"

#include <cmath>
#include <limits>

namespace {

// Restores the test main's German locale however the test ends.
struct TLocaleScope {
    explicit TLocaleScope(const QLocale& L) { QLocale::setDefault(L); }
    ~TLocaleScope() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
};

THeatpump ExampleHeatpump()
{
    // COP 0,1×ϑ+4,6, heating power 0,4×ϑ+10, cooling COP −0,2×ϑ+9, cooling power −0,3×ϑ+14.
    return THeatpump(QStringLiteral("WP 10"), 35, 0.1, 4.6, 0.4, 10, -0.2, 9, -0.3, 14, 18);
}

// Pixels of the characteristic line's colour ($701919) in the painted chart.
int LinePixels(TMVChart* Chart)
{
    const QImage image = Chart->PaintBox()->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0x19, 0x19, 0x70)) ++n;
    return n;
}

int ClickOK(QDialog& D, TFrameOKCancel* Frame)
{
    Frame->BtnOK->click();
    return D.result();
}

} // namespace

TEST(CharlineText, SignAwareInGermanAndCLocales)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        double A, B;
        const char16_t* German;
        const char16_t* C;
    } cases[] = {
        {0.1, 4.6, u"4,60+0,10×ϑ", u"4.60+0.10×ϑ"},     // heating line as given
        {-0.2, 9, u"9,00-0,20×ϑ", u"9.00-0.20×ϑ"},      // cooling line as given
        {-0.1, 4.6, u"4,60-0,10×ϑ", u"4.60-0.10×ϑ"},    // falling heating line: no "+-"
        {0.2, 9, u"9,00+0,20×ϑ", u"9.00+0.20×ϑ"},       // rising cooling line: a sign between
        {-0.001, -1.5, u"-1,50+0,00×ϑ", u"-1.50+0.00×ϑ"}, // a slope rounding to zero has no minus
        {nan, 4.6, u"", u""},
        {0.1, nan, u"", u""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(CharlineText(c.A, c.B), QString::fromUtf16(c.German)) << c.A << " " << c.B;
        TLocaleScope scope{QLocale::c()};
        EXPECT_EQ(CharlineText(c.A, c.B), QString::fromUtf16(c.C)) << c.A << " " << c.B;
    }
}

class HeatPumpDlg : public ::testing::Test {
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }

    // The heat pump's Edit with Work acting on the shown dialog.
    int Edit(THeatpump& Heatpump, const std::function<int(TDlgHeatPump&)>& Work)
    {
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto* dlg = dynamic_cast<TDlgHeatPump*>(&d);
            EXPECT_NE(dlg, nullptr);
            return dlg ? Work(*dlg) : int(QDialog::Rejected);
        });
        return Heatpump.Edit();
    }

    // Queues the point dialog's answer: the four texts, then OK or Cancel.
    static void QueuePoints(const QStringList& Texts, bool Ok)
    {
        ScriptedPrompter().QueueDialog([Texts, Ok](QDialog& d) {
            auto* dlg = dynamic_cast<TDlgPointCorrd*>(&d);
            EXPECT_NE(dlg, nullptr);
            if (!dlg) return int(QDialog::Rejected);
            dlg->EdtP1X->setText(Texts[0]);
            dlg->EdtP1Y->setText(Texts[1]);
            dlg->EdtP2X->setText(Texts[2]);
            dlg->EdtP2Y->setText(Texts[3]);
            if (!Ok) {
                dlg->FrameOKCancel1->BtnCancel->click();
                return dlg->result();
            }
            return ClickOK(*dlg, dlg->FrameOKCancel1);
        });
    }

    THeatpumpDialogsUI FDialogs;
    TModelUIScope<THeatpumpDialogs> FScope{&FDialogs};
};

TEST_F(HeatPumpDlg, ShowsTheHeatpumpAndTakesTheEditedValuesOnOK)
{
    THeatpump hp = ExampleHeatpump();
    QString shownName, shownCOPA, shownCoolCOPA, shownCoolWater;
    EXPECT_EQ(Edit(hp,
                   [&](TDlgHeatPump& d) {
                       shownName = d.EdtName->text();
                       shownCOPA = d.EdtCOPA->text();
                       shownCoolCOPA = d.EdtCoolCOPA->text();
                       shownCoolWater = d.EdtCoolWaterTemp->text();
                       d.EdtName->setText(QStringLiteral("WP 12"));
                       d.EdtPowerB->setText(QStringLiteral("12,5"));
                       d.EdtCOPA->setText(QStringLiteral("keine Zahl"));  // kept by the heat pump
                       return ClickOK(d, d.FrameOKCancel1);
                   }),
              THeatpumpDialogs::mrOk);
    EXPECT_EQ(shownName, QStringLiteral("WP 10"));
    EXPECT_EQ(shownCOPA, QStringLiteral("0,1"));
    EXPECT_EQ(shownCoolCOPA, QStringLiteral("-0,2"));
    EXPECT_EQ(shownCoolWater, QStringLiteral("18"));
    EXPECT_EQ(hp.Name(), QStringLiteral("WP 12"));
    EXPECT_DOUBLE_EQ(hp.HeatPower()->B(), 12.5);
    EXPECT_DOUBLE_EQ(hp.COP()->A(), 0.1);
}

TEST_F(HeatPumpDlg, CancelChangesNothing)
{
    THeatpump hp = ExampleHeatpump();
    EXPECT_EQ(Edit(hp,
                   [](TDlgHeatPump& d) {
                       d.EdtName->setText(QStringLiteral("anders"));
                       d.FrameOKCancel1->BtnCancel->click();
                       return d.result();
                   }),
              THeatpumpDialogs::mrCancel);
    const THeatpump original = ExampleHeatpump();
    EXPECT_TRUE(hp.Match(&original));
}

TEST_F(HeatPumpDlg, TwoPointsGiveTheCoefficients)
{
    THeatpump hp(QStringLiteral("leer"), 35, 0, 0, 0, 0, 0, 0, 0, 0, 18);
    QString a, b;
    // The point dialog's answer is queued behind the heat-pump dialog's.
    ScriptedPrompter().QueueDialog([&](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgHeatPump&>(d);
        dlg.BtnCalCOPCoef->click();
        a = dlg.EdtCOPA->text();
        b = dlg.EdtCOPB->text();
        return ClickOK(dlg, dlg.FrameOKCancel1);
    });
    QueuePoints({QStringLiteral("0"), QStringLiteral("4,6"), QStringLiteral("10"), QStringLiteral("5,6")}, true);
    EXPECT_EQ(hp.Edit(), THeatpumpDialogs::mrOk);
    EXPECT_EQ(a, QStringLiteral("0,1"));
    EXPECT_EQ(b, QStringLiteral("4,6"));
    EXPECT_NEAR(hp.COP()->A(), 0.1, 1e-12);
    EXPECT_NEAR(hp.COP()->B(), 4.6, 1e-12);
    EXPECT_EQ(ScriptedPrompter().Unanswered(), 0);
}

TEST_F(HeatPumpDlg, PointsThatFixNoLineKeepTheCoefficients)
{
    struct TCase {
        const char* What;
        QStringList Texts;
        bool Ok;
    } cases[] = {
        {"equal temperatures", {QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")},
         true},
        {"no number", {QStringLiteral("abc"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")}, true},
        {"cancelled", {QStringLiteral("0"), QStringLiteral("4,6"), QStringLiteral("10"), QStringLiteral("5,6")},
         false},
    };
    for (const TCase& c : cases) {
        TDlgHeatPump dlg;
        dlg.EdtCoolPowerA->setText(QStringLiteral("-0,3"));
        dlg.EdtCoolPowerB->setText(QStringLiteral("14"));
        ScriptedPrompter().Reset();
        QueuePoints(c.Texts, c.Ok);
        dlg.BtnCoolPowerCalc->click();
        EXPECT_EQ(dlg.EdtCoolPowerA->text(), QStringLiteral("-0,3")) << c.What;
        EXPECT_EQ(dlg.EdtCoolPowerB->text(), QStringLiteral("14")) << c.What;
        EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty()) << c.What;
        EXPECT_EQ(ScriptedPrompter().Unanswered(), 0) << c.What;
    }
}

TEST_F(HeatPumpDlg, EachChartDrawsItsLineOnlyForNumbers)
{
    std::array<ChartTypes::TDblPoint, 2> p;
    ASSERT_TRUE(TDlgHeatPump::CharacteristicLinePoints(QStringLiteral("0,1"), QStringLiteral("4,6"), p));
    EXPECT_DOUBLE_EQ(p[0].x, -5);
    EXPECT_DOUBLE_EQ(p[0].y, 4.1);
    EXPECT_DOUBLE_EQ(p[1].x, 25);
    EXPECT_DOUBLE_EQ(p[1].y, 7.1);
    EXPECT_FALSE(TDlgHeatPump::CharacteristicLinePoints(QStringLiteral("abc"), QStringLiteral("4,6"), p));
    EXPECT_FALSE(TDlgHeatPump::CharacteristicLinePoints(QStringLiteral("0,1"), QString(), p));

    TDlgHeatPump dlg;
    THeatpumpEditData data;
    data.COPA = QStringLiteral("0,1");
    data.COPB = QStringLiteral("4,6");
    data.PowerA = QStringLiteral("abc");
    data.PowerB = QStringLiteral("10");
    dlg.SetData(data);
    dlg.show();
    EXPECT_GT(LinePixels(dlg.ChartCOP), 0);
    EXPECT_EQ(LinePixels(dlg.ChartPower), 0);  // and no message either
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
    // Typing a number draws the line at the next paint.
    dlg.EdtPowerA->setText(QStringLiteral("0,4"));
    EXPECT_GT(LinePixels(dlg.ChartPower), 0);
    // Showing the dialog again fits the charts to their windows.
    dlg.hide();
    dlg.resize(1000, 800);
    dlg.show();
    dlg.ChartCOP->SetChartWidth(10);
    dlg.hide();
    dlg.show();
    EXPECT_GT(dlg.ChartCOP->ChartWidth(), 500);  // 0.1 mm: the chart spans its window again
}
