// The model's isotherms: the refresh from the nodes' custom values and the
// contours dialog.

#include "ThermModelTestUtil.h"

#include "model/base/KPError.h"

#include <cmath>

namespace {

class ThermModelContourTest : public TModelTestBase {
protected:
    // The fixture mesh with custom values from Low (first node) to High (last).
    static void SpreadCustomValues(TThermModel& M, double Low, double High, double AtT0)
    {
        T2DTriangleTransient& fe = *M.FieldModel();
        for (int k = 0; k < fe.NodeCount(); ++k) {
            fe.GetNodes(k)->SetFatT0(AtT0);
            fe.GetNodes(k)->SetFCustom(Low + (High - Low) * k / (fe.NodeCount() - 1));
        }
    }
    static std::vector<double> Levels(const TThermModel& M)
    {
        const TVec& z = M.ContourMap()->Z();
        return std::vector<double>(z.data(), z.data() + z.size());
    }
};

TEST_F(ThermModelContourTest, RefreshMakesLevelsAndLinesFromTheCustomValues)
{
    const struct {
        const char* Name;
        bool Delta;
        TMVContourLineCalc Method;
        double Low, High, AtT0;
        std::vector<double> Expected;
    } cases[] = {
        // ΔT about 0 with the zero line left out.
        {"delta, triangles", true, lcFe, 8.96, 12.96, 10, {-1.0, -0.5, 0.5, 1.0, 1.5, 2.0, 2.5}},
        // Absolute values: the initial ground temperature (10) is left out.
        {"absolute, triangles", false, lcFe, 9.0, 11.0, 10, {9.0, 9.5, 10.5, 11.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TThermModel m;
        ImportFixtureMesh(m);
        m.SetShowDeltaInContour(c.Delta);
        m.SetContourMethod(c.Method);
        m.ContourMap()->SetConvertFunction([](QPointF P) { return P; });
        SpreadCustomValues(m, c.Low, c.High, c.AtT0);
        m.MainLoop()->SetIsDirty(true);
        m.RefreshContourMap();
        const std::vector<double> z = Levels(m);
        ASSERT_EQ(z.size(), c.Expected.size());
        for (size_t k = 0; k < z.size(); ++k) EXPECT_NEAR(z[k], c.Expected[k], 1e-12);
        EXPECT_TRUE(m.ContourMap()->ShowContours());
        EXPECT_FALSE(m.MainLoop()->IsDirty());
        EXPECT_GT(m.ContourMap()->TheLines.Count(), 0);
        // The identity conversion leaves the lines in world metres.
        int drawn = 0;
        for (int i = 0; i < m.ContourMap()->TheLines.Count(); ++i)
            for (const D2D_POINT_2F& p : m.ContourMap()->Lines(i)->DPIPoints) {
                EXPECT_LE(std::abs(p.x), 10.0f);
                EXPECT_LE(std::abs(p.y), 10.0f);
                ++drawn;
            }
        EXPECT_GT(drawn, 2);
    }
}

TEST_F(ThermModelContourTest, TheGridMethodSamplesTheModelsGrid)
{
    TThermModel m;
    ImportFixtureMesh(m);
    m.SetContourMethod(lcGrid);
    m.SetContourMapCols(20);
    m.SetContourMapRows(10);
    m.SetShowDeltaInContour(false);
    SpreadCustomValues(m, 9, 11, 10);
    m.RefreshContourMap();
    EXPECT_EQ(m.ContourMap()->X().size(), 21);
    EXPECT_EQ(m.ContourMap()->Y().size(), 11);
    EXPECT_GT(m.ContourMap()->Z().size(), 0);
    EXPECT_GT(m.ContourMap()->TheLines.Count(), 0);
}

TEST_F(ThermModelContourTest, ContoursEditShowsTheSettingsAndAppliesThemOnOK)
{
    TLocaleScope german{QLocale(QLocale::German)};
    TThermModel m;
    ImportFixtureMesh(m);
    TMVContourMap& map = *m.ContourMap();
    map.SetLineLabelDist(255);
    map.SetZAutoMin(false);
    map.SetZMin(3);
    map.SetZAutoDist(false);
    map.SetZDist(1.5);
    map.SetLineWidth(2.5f);
    map.SetLineColor(0x123456);
    int redraws = 0;
    m.SetRedrawEvent([&](TObject* Sender) {
        EXPECT_EQ(Sender, nullptr);
        ++redraws;
    });

    TFakeModelDialogs dlg;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    dlg.ContoursAnswer = [](TContoursEditData& d, const std::function<void(const TContoursEditData&)>&) {
        d.UseFE = false;
        d.NumCols = 30;
        d.NumRows = 40;
        d.Delta = false;
        d.SkipZeroLine = false;
        d.ZMin = "Auto";
        d.ZMax = "12,5";
        d.ZDelta = "2,5";
        d.ValueFormat = "0.0";
        d.ShowLabels = false;
        d.Opak = false;
        d.Standard.Width = "3";
        d.Standard.Color = 0x0000FF;
        d.Styles = {{"-1,5", 0x00FF00, "4"}, {"", 0xFF0000, "-"}};
    };
    ASSERT_TRUE(m.ContoursEdit());

    const TContoursEditData& shown = dlg.ShownContours;
    EXPECT_TRUE(shown.UseFE);
    EXPECT_EQ(shown.NumCols, 50);
    EXPECT_TRUE(shown.Delta);
    EXPECT_EQ(shown.MinDistance, 25);
    EXPECT_EQ(shown.ZMin, "3");
    EXPECT_EQ(shown.ZMax, "Auto");
    EXPECT_EQ(shown.ZDelta, "1,5");
    EXPECT_EQ(shown.Standard.Level, "Standard");
    EXPECT_EQ(shown.Standard.Width, "2,5");
    EXPECT_EQ(shown.Standard.Color, 0x123456u);
    ASSERT_EQ(shown.Styles.size(), 2u);
    EXPECT_EQ(shown.Styles[0].Level, "-1");
    EXPECT_EQ(shown.Styles[1].Level, "1");

    EXPECT_EQ(m.ContourMethod(), lcGrid);
    EXPECT_EQ(m.ContourMapCols(), 30);
    EXPECT_EQ(m.ContourMapRows(), 40);
    EXPECT_FALSE(m.ShowDeltaInContour());
    EXPECT_FALSE(map.SkipZeroLine());
    EXPECT_EQ(map.LineLabelDist(), 250);
    EXPECT_TRUE(map.ZAutoMin());
    EXPECT_DOUBLE_EQ(map.ZMin(), 3);
    EXPECT_FALSE(map.ZAutoMax());
    EXPECT_DOUBLE_EQ(map.ZMax(), 12.5);
    EXPECT_FALSE(map.ZAutoDist());
    EXPECT_DOUBLE_EQ(map.ZDist(), 2.5);
    EXPECT_EQ(map.LineLabelFormat(), "0.0");
    EXPECT_FALSE(map.LineLabels());
    EXPECT_FALSE(map.LineLabelDeleteBackground());
    EXPECT_FLOAT_EQ(map.LineWidth(), 3);
    EXPECT_EQ(map.LineColor(), 0x0000FFu);
    ASSERT_EQ(map.LineStyles.Count(), 2);
    EXPECT_DOUBLE_EQ(map.Styles(0)->ZValue(), -1.5);
    EXPECT_FLOAT_EQ(map.Styles(0)->Width(), 4);
    EXPECT_EQ(map.Styles(0)->Color(), 0x00FF00u);
    EXPECT_DOUBLE_EQ(map.Styles(1)->ZValue(), 0);
    EXPECT_FLOAT_EQ(map.Styles(1)->Width(), 0);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ThermModelContourTest, TheApplyButtonActsAtOnceAndCancelKeepsWhatWasApplied)
{
    TThermModel m;
    TFakeModelDialogs dlg;
    dlg.Ok = false;
    TModelUIScope<TThermModelDialogs> scope(&dlg);
    dlg.ContoursAnswer = [](TContoursEditData& d, const std::function<void(const TContoursEditData&)>& Apply) {
        d.NumCols = 77;
        Apply(d);
        d.NumCols = 88;
    };
    EXPECT_FALSE(m.ContoursEdit());
    EXPECT_EQ(m.ContourMapCols(), 77);
}

TEST_F(ThermModelContourTest, AGridCellThatIsNoNumberChangesNoSetting)
{
    TThermModel m;
    TContoursEditData d = m.ContourSettings();
    d.NumCols = 12;
    d.ZMin = "4";
    d.Styles.push_back({"zwei", 0, "5"});
    EXPECT_THROW(m.ApplyContourSettings(d), EConvertError);
    EXPECT_EQ(m.ContourMapCols(), 50);
    EXPECT_TRUE(m.ContourMap()->ZAutoMin());
    EXPECT_EQ(m.ContourMap()->LineStyles.Count(), 2);
}

}  // namespace
