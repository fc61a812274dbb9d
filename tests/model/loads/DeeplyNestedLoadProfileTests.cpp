// A load profile nested 100,000 deep inside month lists (about 8 MB) once
// overflowed the stack while the heat-pump list or a profile was read.

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"
#include "model/base/Versions.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/loads/LoadStreamClasses.h"

#include "NestedLoadProfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class DeeplyNestedLoadProfileTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLoadStreamClasses(); }
    TFileVersionScope Version{2, 1};
};

}  // namespace

TEST_F(DeeplyNestedLoadProfileTest, HeatpumpListFileIsRefusedAndTheListKept)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("heatpumps.kph"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray bytes = NestedLoadProfileList(100'000);
    EXPECT_GT(bytes.size(), 7'000'000);
    f.write(bytes);
    f.close();

    THeatPumplist list;
    list.AddHeatPump()->SetName(QStringLiteral("bleibt"));
    try {
        list.LoadFromFile(file);
        ADD_FAILURE() << "the nested file was read";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unerwartete Klasse <TLoadObj> für die Liste der Wärmepumpen."));
    }
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Heatpump(0)->Name(), QStringLiteral("bleibt"));
}

TEST_F(DeeplyNestedLoadProfileTest, ProfileWithAProfileInItsMonthListIsRefused)
{
    TMemoryStream s(NestedLoadProfileList(100'000));
    TMVObjectList profiles;
    try {
        profiles.ReadData(s);
        ADD_FAILURE() << "the nested profile was read";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Unerwartete Klasse <TLoadObj> für das Monatsprofil eines Lastprofils."));
    }
    EXPECT_EQ(profiles.Count(), 0);
}
