// The chart painted for real: a clipped line leaves nothing outside the diagram, the
// after-draw event plots on the surface, printing reaches a PDF, and the screenshot.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "chart/ChartScreenMapping.h"
#include "gfx/Canvas.h"
#include "chart/MVChart.h"
#include "chart/MVPaintBox.h"
#include "model/settings/Streamft.h"

namespace {

constexpr TColor LineColor = 7346457;  // $701919, the heat-pump line

void SetupHeatPumpChart(TMVChart& Chart)
{
    Chart.TopAxis()->SetVisible(false);
    Chart.SetMarginLeft(150);
    Chart.SetMarginTop(50);
    Chart.SetMarginRight(50);
    Chart.SetMarginBottom(100);
    Chart.BottomAxis()->SetMinAuto(false);
    Chart.BottomAxis()->SetMaxAuto(false);
    Chart.BottomAxis()->SetMin(-10);
    Chart.BottomAxis()->SetMax(30);
    Chart.BottomAxis()->SetSegmentCount(8);
    Chart.BottomAxis()->SetMainGrid(true);
    Chart.BottomAxis()->SetCaption(QStringLiteral("Soleeintrittstemperatur [°C]"));
    Chart.LeftAxis()->SetMin(0);
    Chart.LeftAxis()->SetMax(30);
    Chart.LeftAxis()->SetSegmentCount(6);
    Chart.LeftAxis()->SetInvert(true);
    Chart.LeftAxis()->SetMainGrid(true);
    Chart.LeftAxis()->SetCaption(QStringLiteral("Heizleistung [kW]"));
}

// Plots y = A x + B from -5 to 25 after each paint, as the heat-pump page does.
void PlotLine(TMVChart& Chart, double A, double B, const TMVVertAxis* YAxis, TColor Color, int* Calls = nullptr)
{
    Chart.SetAfterDrawChart([&Chart, A, B, YAxis, Color, Calls](QObject* Sender) {
        if (Calls) ++*Calls;
        EXPECT_EQ(Sender, Chart.PaintBox());
        const ChartTypes::TDblPoint points[2] = {{-5, A * -5 + B}, {25, A * 25 + B}};
        Chart.DrawData(points, Chart.BottomAxis(), YAxis, false, dlLine, 6, msCircle, 0, 0xFF0000, Color);
    });
}

} // namespace

TEST(ChartPixels, AClippedLineLeavesNothingOutsideTheDiagram)
{
    TMVChart chart;
    SetupHeatPumpChart(chart);
    int calls = 0;
    PlotLine(chart, 2.5, 5, chart.LeftAxis(), LineColor, &calls);  // leaves the top at x = 10
    const QImage image = chart.PaintBox()->grab().toImage();
    EXPECT_EQ(calls, 1);
    const TChartScreenMapping m = chart.ScreenMapping();
    const TPoint tl = m.ChartToDevice(TPoint{150, 50});
    const TPoint br = m.ChartToDevice(TPoint{1000 - 50, 1000 - 100});
    const QColor line = ColorToQColor(LineColor);
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != line) continue;
            const bool in = x >= tl.X && x < br.X && y >= tl.Y && y < br.Y;
            (in ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
    // The data is drawn only inside a paint.
    const ChartTypes::TDblPoint points[2] = {{0, 0}, {1, 1}};
    EXPECT_NO_FATAL_FAILURE(chart.DrawData(points, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 6, msCircle,
                                           0, 0, 0));
}

TEST(ChartPixels, PrintsAtTrueSizeIntoAPdf)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    TMVChart chart;
    SetupHeatPumpChart(chart);
    chart.PrintOn(printer);
    EXPECT_GT(QFileInfo(file).size(), 500);
}

TEST(Screenshots, HeatPumpCharacteristicLines)
{
    const QString folder = qEnvironmentVariable("KP_SCREENSHOT_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "KP_SCREENSHOT_DIR not set";
    TMVChart chart;
    SetupHeatPumpChart(chart);
    chart.SetChartWidth(1600);
    chart.SetChartHeight(1300);
    chart.SetMarginRight(170);
    chart.SetMarginBottom(220);
    chart.SetQDiagram(true);
    chart.SetSplitRatio(0.6);
    chart.LeftAxis()->SetMax(40);
    chart.LeftAxis()->SetSegmentCount(4);
    chart.QAxis()->SetMin(2);
    chart.QAxis()->SetMax(6);
    chart.QAxis()->SetSegmentCount(4);
    chart.QAxis()->SetMainGrid(true);
    chart.QAxis()->SetCaption(QStringLiteral("Leistungszahl [-]"));
    chart.SetLegendVisible(true);
    chart.SetLegendCols(2);
    const TPointerStyle power(LineColor, 6, msLineOnly), cop(clRed, 6, msLineOnly);
    chart.SetAfterDrawChart([&](QObject*) {
        const ChartTypes::TDblPoint p[2] = {{-5, 0.62 * -5 + 14.1}, {25, 0.62 * 25 + 14.1}};
        const ChartTypes::TDblPoint c[2] = {{-5, 0.075 * -5 + 4.25}, {25, 0.075 * 25 + 4.25}};
        chart.DrawData(p, chart.BottomAxis(), chart.LeftAxis(), false, dlLine, 6, msCircle, 0, 0xFF0000, LineColor);
        chart.DrawData(c, chart.BottomAxis(), chart.QAxis(), false, dlLine, 6, msCircle, 0, 0xFF0000, clRed);
    });
    chart.resize(chart.PaintBox()->size() + QSize(4, 4));
    QImage image = chart.PaintBox()->grab().toImage();
    // The legend goes over the finished picture through a canvas of the same mapping.
    {
        QPainter painter(&image);
        TCanvas canvas(painter);
        chart.SetupScreenMapping(canvas);
        const TLegendItem items[2] = {{QStringLiteral("Heizleistung [kW]"), &power},
                                      {QStringLiteral("Leistungszahl"), &cop}};
        chart.DrawLegend(canvas, items, false, 6);
    }
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(QStringLiteral("chart_heatpump.png"))));
}
