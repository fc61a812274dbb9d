// The generator run as the user interface sees it: started and finished
// once, asked while it runs, and ended when the user cancels, leaving no
// half-written mesh behind.
#include "model/base/ModelUI.h"
#include "model/mesh/TriangleComp.h"
#include "tests/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TCancellingDialogs : public TTriangleDialogs {
public:
    void GeneratorStarted() override { ++Started; }
    bool GeneratorRunning() override { return ++Asked < CancelAfter; }
    void GeneratorFinished() override { ++Finished; }
    int Started = 0, Finished = 0, Asked = 0;
    int CancelAfter = 1 << 30;
};

class TriangleCancel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        WriteFile(FDir.filePath(QStringLiteral("KPMOD.poly")), "0 2 0 1\n");
        FW.SetInputFile(FDir.filePath(QStringLiteral("KPMOD.poly")));
    }

    // A generator whose shell body gets the base path as its last argument.
    void Generator(const QByteArray& Body)
    {
        const QString Name = FDir.filePath(QStringLiteral("fake-triangle"));
        WriteFile(Name, "#!/bin/sh\nfor a in \"$@\"; do base=\"$a\"; done\n" + Body + "\n", true);
        FW.SetPathToExe(Name);
    }

    QTemporaryDir FDir;
    TTriangleWrapper FW;
    TCancellingDialogs FHooks;
    TModelUIScope<TTriangleDialogs> FScope{&FHooks};
};

TEST_F(TriangleCancel, ARunIsReportedOnceAndAskedWhileItRuns)
{
    Generator("sleep 0.3\necho 0 > \"$base.1.node\"\necho 0 > \"$base.1.ele\"");
    EXPECT_EQ(FW.Execute(), TTriangleWrapper::mrOk);
    EXPECT_EQ(FHooks.Started, 1);
    EXPECT_EQ(FHooks.Finished, 1);
    EXPECT_GT(FHooks.Asked, 0);
}

TEST_F(TriangleCancel, CancelEndsTheGeneratorAndRemovesItsPartialMesh)
{
    Generator("echo halb > \"$base.1.node\"\nexec sleep 60");
    FHooks.CancelAfter = 5;
    QElapsedTimer Clock;
    Clock.start();
    EXPECT_THROW(FW.Execute(), EMeshCancelled);
    // Ended at once, not after the generator's minute.
    EXPECT_LT(Clock.elapsed(), 20000);
    EXPECT_EQ(FHooks.Started, 1);
    EXPECT_EQ(FHooks.Finished, 1);
    EXPECT_FALSE(QFileInfo::exists(FW.OutputNodeFile()));
    EXPECT_FALSE(QFileInfo::exists(FW.OutputEleFile()));
}

TEST_F(TriangleCancel, AGeneratorThatCannotStartStillFinishes)
{
    WriteFile(FDir.filePath(QStringLiteral("not-a-program")), "#!/bin/sh\n");
    FW.SetPathToExe(FDir.filePath(QStringLiteral("not-a-program")));
    EXPECT_THROW(FW.Execute(), EKPError);
    EXPECT_EQ(FHooks.Started, FHooks.Finished);
}

}  // namespace
