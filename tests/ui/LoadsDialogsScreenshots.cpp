// Pictures of the heat-pump, point, parameter-set, load-profile and
// georeference windows with realistic content, written into
// KP_SCREENSHOT_DIR (scripts/screenshots.sh); skipped without it.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTreeWidget>

#include "model/base/DateTime.h"
#include "model/fe/ParameterSet.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/loads/HeatpumpDialogs.h"
#include "model/project/ProjectDialogs.h"
#include "ui/heatpump/DlgHeatPump.h"
#include "ui/heatpump/DlgPointCorrd.h"
#include "ui/loads/FormLoadProfils.h"
#include "ui/map/GeoRefDlg.h"
#include "ui/params/DlgParameterSet.h"
#include "ui/params/FormParamsSet.h"
#include "ui/mainwindow/LoadCard.h"

TEST(Screenshots, HeatPumpDialogs)
{
    SkipWithoutScreenshotDir();
    TDlgHeatPump dlg;
    THeatpumpEditData d;
    d.Name = QStringLiteral("Sole/Wasser 12 kW");
    d.WaterTemp = QStringLiteral("35");
    d.PowerA = QStringLiteral("0,42");
    d.PowerB = QStringLiteral("12,1");
    d.COPA = QStringLiteral("0,1");
    d.COPB = QStringLiteral("4,6");
    d.CoolWaterTemp = QStringLiteral("18");
    d.CoolPowerA = QStringLiteral("-0,3");
    d.CoolPowerB = QStringLiteral("14");
    d.CoolCOPA = QStringLiteral("-0,2");
    d.CoolCOPB = QStringLiteral("9");
    dlg.SetData(d);
    SaveScreenshot(dlg, QStringLiteral("heatpump_dialog.png"));

    TDlgPointCorrd points;
    points.EdtP1X->setText(QStringLiteral("0"));
    points.EdtP1Y->setText(QStringLiteral("4,6"));
    points.EdtP2X->setText(QStringLiteral("10"));
    points.EdtP2Y->setText(QStringLiteral("5,6"));
    SaveScreenshot(points, QStringLiteral("heatpump_point_dialog.png"));
}

TEST(Screenshots, ParameterSetWindows)
{
    SkipWithoutScreenshotDir();
    TDlgParameterSet dlg;
    TParameterSetEditData d;
    d.Name = QStringLiteral("Mergel");
    d.Color = RGB(0x64, 0x95, 0xED);
    d.T = QStringLiteral("2,3");
    d.Storage = QStringLiteral("2,4");
    dlg.SetData(d);
    SaveScreenshot(dlg, QStringLiteral("parameterset_dialog.png"));

    TParameterSet sand(QStringLiteral("Sand, wassergesättigt"), clYellow);
    sand.SetT(2.4);
    sand.SetStorage(2.5);
    sand.SetThickness(100);
    TParameterSet clay(QStringLiteral("Ton"), RGB(0xA0, 0x52, 0x2D));
    clay.SetT(1.6);
    clay.SetStorage(2.3);
    clay.SetInfiltration(0.065);
    clay.SetLeakage(0);
    TFormParamsSet form;
    form.Fill({&sand, &clay});
    form.ListViewItems->setCurrentItem(form.ListViewItems->topLevelItem(1));
    SaveScreenshot(form, QStringLiteral("parameterset_window.png"));
}

TEST(Screenshots, LoadProfileAndGeoreferenceWindows)
{
    SkipWithoutScreenshotDir();
    TFormLoadProfils form;
    TLoadProfilsEditData d;
    d.Entries = {QStringLiteral("Wohnhaus Heizung"), QStringLiteral("Bürogebäude Heizen/Kühlen"),
                 QStringLiteral("Messdaten 2023")};
    d.Selected = 1;
    form.SetData(d);
    SaveScreenshot(form, QStringLiteral("loadprofiles_window.png"));

    TGeoRefDlg geo;
    TGeoreferenceEditData g;
    g.ImageSize = QStringLiteral("Die Bildgröße beträgt 1600 x 1000 Pixel");
    g.LLX = QStringLiteral("3500000");
    g.LLY = QStringLiteral("5400000");
    g.URX = QStringLiteral("3500160");
    g.URY = QStringLiteral("5400100");
    g.Image = QImage(1600, 1000, QImage::Format_RGB32);
    g.Image.fill(QColor(0xE8, 0xF0, 0xD8));
    {
        QPainter p(&g.Image);
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 24));
        p.drawLine(0, 700, 1600, 400);
        p.setBrush(QColor(0xC0, 0x80, 0x60));
        p.drawRect(500, 200, 400, 250);
    }
    geo.SetData(g);
    SaveScreenshot(geo, QStringLiteral("georeference_dialog.png"));
}

// ---- the load, heat-pump and piping pages in the main window

namespace {

class ScreenshotsLoadPages : public MainWindowFixture
{
public:
    TFormLoad& Open(TLoadType Kind)
    {
        TFormLoad& w = Window();
        w.resize(1200, 780);
        w.NewProject();
        TLoadObj& load = *w.Project()->LoadProfile();
        load.SetName(QStringLiteral("Bürogebäude"));
        load.SetLoadType(Kind);
        return w;
    }

    void Shoot(TFormLoad& W, int Card, const QString& Name)
    {
        W.SetActiveCard(Card);
        Settle();
        SaveScreenshot(W, Name);
    }
};

} // namespace

TEST_F(ScreenshotsLoadPages, LoadPageInEachKind)
{
    SkipWithoutScreenshotDir();
    TFormLoad& w = Open(ltYearProfile);
    TLoadObj& load = *w.Project()->LoadProfile();
    const double year[] = {180, 165, 130, 90, 40, 10, -20, -25, 15, 70, 130, 170};
    for (int m = 1; m <= 12; ++m) {
        load.AddPoint(1, m, year[m - 1]);
        load.AddPoint(15, m, year[m - 1] * 0.9);
    }
    load.SetCoolingFluidTemp(15);
    Shoot(w, mcLoad, QStringLiteral("loadpage-year.png"));

    load.SetLoadType(ltMonthProfile);
    load.SetCOPHeating(4.2);
    load.SetCOPCooling(5);
    for (int m = 1; m <= 12; ++m) {
        load.MonthEntry(m)->SetHeatLoad(std::max(0.0, year[m - 1]) * 30);
        load.MonthEntry(m)->SetCoolingLoad(std::max(0.0, -year[m - 1]) * 30 + (m >= 6 && m <= 8 ? 400 : 0));
    }
    Shoot(w, mcLoad, QStringLiteral("loadpage-month.png"));

    load.SetLoadType(ltFile);
    const TDateTime start = EncodeDate(2013, 1, 1);
    for (int d = 0; d < 60; d += 3) {
        load.AddPoint(start + d, 8 + (d % 9));
        load.AddPoint(start + d + 0.75, -2.5 + (d % 4));
    }
    Shoot(w, mcLoad, QStringLiteral("loadpage-series.png"));

    load.SetLoadType(ltConstant);
    load.SetConstantLoad(12.5);
    w.LoadCard()->RefreshLoadPage();
    Shoot(w, mcLoad, QStringLiteral("loadpage-constant.png"));
}

TEST_F(ScreenshotsLoadPages, HeatPumpAndPipingPages)
{
    SkipWithoutScreenshotDir();
    TFormLoad& w = Open(ltYearProfile);
    THeatpump* other = w.Heatpumps().AddHeatPump();
    other->SetName(QStringLiteral("Sole/Wasser 16 kW"));
    w.Project()->Model()->SetFluxFluid(2.5 / 3600);
    w.Project()->Model()->SetFluid(flPE25);
    Shoot(w, mcHeatpump, QStringLiteral("heatpumppage.png"));
    Shoot(w, mcPiping, QStringLiteral("pipingpage.png"));
    w.Project()->LoadProfile()->SetLoadType(ltMonthProfile);
    Shoot(w, mcHeatpump, QStringLiteral("heatpumppage-info.png"));
    Shoot(w, mcPiping, QStringLiteral("pipingpage-info.png"));
}
