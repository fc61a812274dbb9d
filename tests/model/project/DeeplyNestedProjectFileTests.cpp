// A project file whose load profile nests profiles 100,000 deep through its
// month lists (about 8 MB) once overflowed the stack while it was opened.

#include "ProjectTestUtil.h"

#include "loads/NestedLoadProfiles.h"
#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"

namespace {

class DeeplyNestedProjectFileTest : public TProjectTestBase {};

// A version-2.1 project header with an empty map record, then the profile list.
QByteArray NestedProjectFile(int Depth)
{
    TMemoryStream s;
    WriteStringToStream(s, TProject::Signature());
    s.WriteInt32(2);
    s.WriteInt32(1);
    for (int i = 0; i < 3; ++i) WriteStringToStream(s, QStringLiteral("x"));
    WriteStringToStream(s, QString());
    for (int i = 0; i < 4; ++i) s.WriteDouble(0);
    return s.Data() + NestedLoadProfileList(Depth);
}

}  // namespace

TEST_F(DeeplyNestedProjectFileTest, IsARefusedReadAndTheProjectStaysAsItWas)
{
    const QString file = WorkFile(QStringLiteral("tief.kpm"));
    WriteBytes(file, NestedProjectFile(100'000));
    TProject p;
    p.SetName(QStringLiteral("offen"));
    AddProbe(*p.Model(), "bleibt", 1, 1);
    TThermModel* model = p.Model();
    TLoadObj* profile = p.LoadProfile();
    try {
        p.Load(file);
        ADD_FAILURE() << "the nested file was read";
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Monatsprofil"))) << e.what();
    }
    EXPECT_EQ(p.Name(), QStringLiteral("offen"));
    EXPECT_EQ(p.Model(), model);
    EXPECT_EQ(p.LoadProfile(), profile);
    EXPECT_EQ(p.Model()->BHEs().Count(), 1);
}
