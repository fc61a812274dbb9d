// Probe commands and meshing through the controller: names, positions,
// the changed flag, the mesh marked out of date, monitoring items dropped.

#include "ControlTestUtil.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHETypelistObj.h"

#include <cmath>

using namespace controltest;

namespace {

using ProbeCommands = TControlTest;

TEST_F(ProbeCommands, AddMoveAndDeleteMarkTheProjectAndTheMesh)
{
    Control.NewProject();
    TThermModel& m = *Control.Model();
    TBHETypelist types;
    types.CreateDummy();
    const TBHE& type = *types.Items(0);

    // Map coordinates keep their centimetres.
    TBHE* a = Control.AddProbe(&type, 3512345.67, 5401234.56);
    EXPECT_EQ(a->Name(), QStringLiteral("Sonde 1"));
    EXPECT_EQ(a->X(), 3512345.67);
    EXPECT_EQ(a->Y(), 5401234.56);
    EXPECT_TRUE(a->IsType(type));
    EXPECT_TRUE(Control.IsChanged());
    EXPECT_TRUE(m.NumModelDirty());
    TBHE* b = Control.AddProbe(nullptr, 0, 0, QStringLiteral("EWS Nord"));
    EXPECT_EQ(b->Name(), QStringLiteral("EWS Nord"));
    EXPECT_EQ(Control.AddProbe(nullptr, 1, 0)->Name(), QStringLiteral("Sonde 3"));

    for (const double bad : {std::nan(""), double(INFINITY)}) {
        EXPECT_THROW(Control.AddProbe(nullptr, bad, 0), EKPError);
        EXPECT_THROW(Control.MoveProbe(b, 0, bad), EKPError);
    }
    EXPECT_EQ(m.BHEs().Count(), 3);
    EXPECT_EQ(b->Y(), 0);

    m.SetNumModelDirty(false);
    Control.SetIsChanged(false);
    Control.MoveProbe(b, 10.25, -4.5);
    EXPECT_EQ(b->X(), 10.25);
    EXPECT_EQ(b->Y(), -4.5);
    EXPECT_TRUE(Control.IsChanged());
    EXPECT_TRUE(m.NumModelDirty());

    // A probe of another project is refused by Move, ignored by Delete.
    TBHE stranger;
    EXPECT_THROW(Control.MoveProbe(&stranger, 1, 1), EKPError);
    m.SetNumModelDirty(false);
    Control.SetIsChanged(false);
    Control.DeleteProbe(&stranger);
    EXPECT_FALSE(Control.IsChanged());

    ASSERT_NE(m.MonitoringList()->AddObsPoint(b), nullptr);
    Control.DeleteProbe(b);
    EXPECT_EQ(m.BHEs().Count(), 2);
    EXPECT_EQ(m.MonitoringList()->Count(), 0);
    EXPECT_TRUE(Control.IsChanged());
    EXPECT_TRUE(m.NumModelDirty());
}

TEST_F(ProbeCommands, CommandsWithoutProjectAreRefused)
{
    EXPECT_THROW(Control.AddProbe(nullptr, 0, 0), EKPError);
    EXPECT_THROW(Control.GenerateMesh(false), EKPError);
    EXPECT_THROW(Control.SetRunTimes(3600, 1), EKPError);
    EXPECT_EQ(Control.RunExecute(Settings()).Kind, TRunCheckKind::Error);
    EXPECT_EQ(Control.RunState(), TRunState::Idle);
}

#if defined(KP_TRIANGLE_EXE)

TEST_F(ProbeCommands, GenerateMeshAddsTheHintLinesAndClearsTheOutOfDateMark)
{
    MakeProbeField();
    TThermModel& m = *Control.Model();
    Control.SetIsChanged(false);
    ASSERT_TRUE(Control.GenerateMesh(false));
    EXPECT_FALSE(m.NumModelDirty());
    EXPECT_TRUE(Control.IsChanged());
    EXPECT_TRUE(m.ProbesWithoutNode().isEmpty());
    EXPECT_EQ(Control.Messages(),
              (QStringList{QStringLiteral("Grid generated"),
                           QStringLiteral(" - Number of elements: %1").arg(m.FieldModel()->ElementCount()),
                           QStringLiteral(" - Number of nodes: %1").arg(m.FieldModel()->NodeCount())}));

    // The parameter dialog cancelled (headless): nothing changes.
    Control.ClearMessages();
    Control.SetIsChanged(false);
    Control.MoveProbe(m.BHE(0), 1, 1);
    Control.SetIsChanged(false);
    const int nodes = m.FieldModel()->NodeCount();
    EXPECT_FALSE(Control.GenerateMesh(true));
    EXPECT_TRUE(m.NumModelDirty());
    EXPECT_FALSE(Control.IsChanged());
    EXPECT_TRUE(Control.Messages().isEmpty());
    EXPECT_EQ(m.FieldModel()->NodeCount(), nodes);
}

TEST_F(ProbeCommands, AFailedMeshKeepsTheOldOneAndReportsNothingAsDone)
{
    MakeProbeField();
    ASSERT_TRUE(Control.GenerateMesh(false));
    TThermModel& m = *Control.Model();
    const int nodes = m.FieldModel()->NodeCount();
    Control.ClearMessages();
    Control.SetIsChanged(false);
    TriangleLocation = WorkFile("kein-triangle");
    EXPECT_THROW(Control.GenerateMesh(false), EKPError);
    EXPECT_EQ(m.FieldModel()->NodeCount(), nodes);
    EXPECT_TRUE(Control.Messages().isEmpty());
    EXPECT_FALSE(Control.IsChanged());

    Control.NewProject();
    ExpectError([&] { Control.GenerateMesh(true); }, QStringLiteral("Keine Sonden im Modell!"));
}

#endif

} // namespace
