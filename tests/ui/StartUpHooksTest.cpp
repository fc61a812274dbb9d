// The program's start-up installs a dialog behind every model hook that opens
// one; a hook left at its headless default would answer "cancelled" to the user.
#include <gtest/gtest.h>

#include "model/control/ModelUISet.h"

TEST(StartUpHooks, EveryDialogHookOfTheModelIsInstalled)
{
    const TModelUISet set = TModelUISet::Installed();
    EXPECT_NE(set.Prompts, nullptr);
    EXPECT_NE(set.BHEDialogs, nullptr);
    EXPECT_NE(set.HeatpumpDialogs, nullptr);
    EXPECT_NE(set.ParameterSetDialogs, nullptr);
    EXPECT_NE(set.GWGridDialogs, nullptr);
    EXPECT_NE(set.ThermModelDialogs, nullptr);
    EXPECT_NE(set.TriangleDialogs, nullptr);
    EXPECT_NE(set.SettingsDialogs, nullptr);
    EXPECT_NE(set.FontDialogs, nullptr);
    EXPECT_NE(set.ProjectDialogs, nullptr);
}
