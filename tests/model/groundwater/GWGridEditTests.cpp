// What the groundwater dialog's OK does to the grid: untouched fields keep
// their exact values, and values that give the grid no usable cells are
// refused before anything changes.
#include "TestLocale.h"
#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/groundwater/GWGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

namespace {

class TEditingDialog : public TGWGridDialogs {
public:
    bool EditGWGrid(TGWEditData& Data) override
    {
        Shown = Data;
        if (Work) Work(Data);
        return true;
    }
    TGWEditData Shown;
    std::function<void(TGWEditData&)> Work;
};

class GWGridEdit : public ::testing::Test {
protected:
    TLocaleScope FGerman{QLocale::German};
    TEditingDialog FDialog;
    TModelUIScope<TGWGridDialogs> FScope{&FDialog};
    TGWGrid FGrid;
};

TEST_F(GWGridEdit, OKWithoutEditsKeepsEveryValueExactly)
{
    FGrid.SetKF(1.23456e-4);
    FGrid.SetGradient(0.0123456789);
    FGrid.SetTimeForGrid(12345.678);
    ASSERT_TRUE(FGrid.Edit());
    EXPECT_EQ(FDialog.Shown.Kf, QStringLiteral("1,23E-4"));
    EXPECT_EQ(FGrid.KF(), 1.23456e-4);
    EXPECT_EQ(FGrid.Gradient(), 0.0123456789);
    EXPECT_EQ(FGrid.TimeForGrid(), 12345.678);

    // Only the field whose text changed is taken.
    FDialog.Work = [](TGWEditData& D) { D.Kf = QStringLiteral("2E-4"); };
    ASSERT_TRUE(FGrid.Edit());
    EXPECT_EQ(FGrid.KF(), 2e-4);
    EXPECT_EQ(FGrid.Gradient(), 0.0123456789);
}

TEST_F(GWGridEdit, ValuesWithoutUsableCellsAreRefusedAndChangeNothing)
{
    const struct {
        const char* Name;
        std::function<void(TGWEditData&)> Work;
    } cases[] = {
        {"porosity 0", [](TGWEditData& D) { D.Porosity = QStringLiteral("0"); }},
        {"step 0", [](TGWEditData& D) { D.GridTime = QStringLiteral("0"); }},
        {"negative step", [](TGWEditData& D) { D.GridTime = QStringLiteral("-1"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        FDialog.Work = [&](TGWEditData& D) {
            D.Direction = QStringLiteral("90");
            c.Work(D);
        };
        EXPECT_THROW(FGrid.Edit(), EKPError);
        EXPECT_DOUBLE_EQ(FGrid.Porosity(), 0.15);
        EXPECT_DOUBLE_EQ(FGrid.TimeForGrid(), 8640000);
        EXPECT_NE(FGrid.Direction(), std::numbers::pi / 2);
    }
}

}  // namespace
