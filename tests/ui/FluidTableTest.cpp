// The fluid table: the volumetric heat capacity inside each fluid's range,
// the range message outside it, and nothing for a temperature that is no
// number.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/base/NumberText.h"
#include "model/probes/ThermUtil.h"
#include "ui/probes/FluidPropertiesWnd.h"

#include <gtest/gtest.h>

TEST(FluidTable, ShowsTheHeatCapacityWithinEachFluidsRange)
{
    const QString range = QStringLiteral("Temperatur außerhalb des zulässigen Bereichs.");
    const struct {
        const char* Case;
        int Fluid;
        QString Temp;
        QString Expected;  // "value" for a heat capacity line
    } cases[] = {
        {"water at 10", flWasser, QStringLiteral("10"), QStringLiteral("value")},
        {"water at -5", flWasser, QStringLiteral("-5"), range},
        {"water at 0", flWasser, QStringLiteral("0"), QStringLiteral("value")},
        {"water above 100", flWasser, QStringLiteral("100,5"), range},
        {"PG25 at -5", flPE25, QStringLiteral("-5"), QStringLiteral("value")},
        {"EG33 at -10", flEE33, QStringLiteral("-10"), QStringLiteral("value")},
        {"EG33 at -10,5", flEE33, QStringLiteral("-10,5"), range},
        {"empty temperature", flWasser, QString(), QString()},
        {"no number", flWasser, QStringLiteral("warm"), QString()},
        {"no fluid", -1, QStringLiteral("10"), QStringLiteral("Fluid auswählen")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TFluidPropForm form;
        form.ListBoxFluids->setCurrentRow(c.Fluid);
        form.EdtTemp->setText(c.Temp);
        const QString shown = form.MemoResults->toPlainText();
        if (c.Expected != QStringLiteral("value")) {
            EXPECT_EQ(shown, c.Expected);
            continue;
        }
        double t = StrToFloat(c.Temp);
        const QString value = FormatFloat(QStringLiteral("0.#"), VolumetricHeatCapacity(TFluid(c.Fluid), t));
        EXPECT_EQ(shown, QStringLiteral("ρCP ") + value + QStringLiteral(" J/m³/K"));
    }
}

TEST(FluidTable, WaterAtTenDegreesAndCopy)
{
    TFluidPropForm form;
    EXPECT_EQ(form.ListBoxFluids->count(), 5);
    form.ListBoxFluids->setCurrentRow(flWasser);
    form.EdtTemp->setText(QStringLiteral("10"));
    const QString shown = form.MemoResults->toPlainText();
    ASSERT_TRUE(shown.startsWith(QStringLiteral("ρCP 419"))) << shown.toStdString();
    ASSERT_TRUE(shown.endsWith(QStringLiteral(" J/m³/K")));
    const double v = StrToFloat(shown.mid(4, shown.size() - 4 - 7));
    EXPECT_NEAR(v, 4.1907e6, 2e3);
    EXPECT_TRUE(shown.contains(QLatin1Char(',')) || !shown.contains(QLatin1Char('.')));

    QApplication::clipboard()->clear();
    form.BtnCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), shown);
}
