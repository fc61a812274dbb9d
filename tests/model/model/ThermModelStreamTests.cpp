// The thermal-model record: the fields of every file version, a complete
// round trip, and damaged records.

#include "ThermModelRecords.h"
#include "ThermModelTestUtil.h"

#include "model/base/KPError.h"
#include "model/fe/ParameterSet.h"

namespace {

class ThermModelStreamTest : public TModelTestBase {
protected:
    // A model with something in every part: probes on the fixture mesh with
    // run data, monitored probes and nodes, a parameter set.
    static void FillCompletely(TThermModel& M)
    {
        FillVersionedFields(M);
        ImportFixtureMesh(M);
        AddProbe(M, "A", 0, 0)->SetLoadProfilIndex(1);
        AddProbe(M, "B", 5, 0);
        M.InitModel();
        M.InitMonitoring();
        M.MonitoringList()->AddObsPoint(M.FieldModel()->GetNodes(7));
        M.Paramsets().Add(std::make_unique<TParameterSet>(QStringLiteral("Ton"), 0x336699));
        M.SetFluxFluid(0.0031);
        M.SetFluid(flPE25);
        M.SetInitalFluidTemperature(11.5);
        M.FieldModel()->SetDeltaTime(900);
    }
    static QByteArray Record(TThermModel& M)
    {
        TMemoryStream S;
        M.Write(S);
        return S.Data();
    }
};

TEST_F(ThermModelStreamTest, WriteThenReadRestoresTheWholeModel)
{
    TThermModel m;
    FillCompletely(m);
    const QByteArray bytes = Record(m);

    TThermModel back(Blank);
    TMemoryStream in(bytes);
    back.Read(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(Record(back), bytes);

    EXPECT_EQ(back.Name(), "Versionen");
    EXPECT_DOUBLE_EQ(back.DefLambda(), 3.1);
    EXPECT_DOUBLE_EQ(back.FluxFluid(), 0.0031);
    EXPECT_EQ(back.Fluid(), flPE25);
    EXPECT_DOUBLE_EQ(back.InitalFluidTemperature(), 11.5);
    EXPECT_FALSE(back.NumModelDirty());
    EXPECT_EQ(back.Messagelist(), nullptr);
    ASSERT_EQ(back.BHEs().Count(), 2);
    EXPECT_EQ(back.BHE(0)->LoadProfilIndex(), 1);
    EXPECT_EQ(back.FieldModel()->NodeCount(), 10);
    EXPECT_EQ(back.FieldModel()->DeltaTime(), 900);
    EXPECT_EQ(back.Paramsets().Count(), 1);
    EXPECT_EQ(back.HeatPump()->Name(), "WP 12");
    EXPECT_TRUE(back.MainLoop()->UseGW());
    EXPECT_EQ(back.MainLoop()->TimeEngine().TimeStep(), 600);
    EXPECT_EQ(back.ContourMethod(), lcGrid);
    EXPECT_EQ(back.DataFilePrefix(), "feld");

    // Run data and monitoring items point at the read probes and nodes again.
    ASSERT_EQ(back.BHEDataList().Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto* w = back.BHEDataList().ItemAs<TBHEDataWrapper>(i);
        EXPECT_EQ(w->BHE(), back.BHE(i));
        EXPECT_EQ(w->NodeIndex(), back.FieldModel()->FindNode(back.BHE(i)->X(), back.BHE(i)->Y()));
    }
    ASSERT_EQ(back.MonitoringList()->Count(), 3);
    EXPECT_EQ(back.MonitoringList()->Item(0)->Item(), back.BHE(0));
    EXPECT_EQ(back.MonitoringList()->Item(1)->Item(), back.BHE(1));
    EXPECT_EQ(back.MonitoringList()->Item(2)->Item(), back.FieldModel()->GetNodes(7));

    // The parts are wired as in a new model.
    TMainLoop& loop = *back.MainLoop();
    EXPECT_EQ(loop.FieldModel(), back.FieldModel());
    EXPECT_EQ(loop.GWModel(), back.GW());
    EXPECT_EQ(back.GW()->Model(), back.FieldModel());
    EXPECT_EQ(loop.HeatPump(), back.HeatPump());
    EXPECT_EQ(loop.BHEDataList(), &back.BHEDataList());
    EXPECT_EQ(loop.MonitoringList(), back.MonitoringList());
    EXPECT_DOUBLE_EQ(loop.CurrentTemperatureIn(), 11.5);
    EXPECT_DOUBLE_EQ(loop.Flux(), 0.0031);
    EXPECT_EQ(loop.Fluid(), flPE25);
}

TEST_F(ThermModelStreamTest, EachFileVersionReadsItsFieldsAndLeavesTheRestBlank)
{
    const TGWGrid freshGW;
    const TMVContourMap freshMap;
    const struct {
        int Major, Minor;
        bool GW, Contours, Method, Styles, Skip;
    } versions[] = {
        {1, 0, false, false, false, false, false}, {1, 1, true, false, false, false, false},
        {1, 2, true, true, false, false, false},   {1, 3, true, true, true, true, false},
        {2, 0, true, true, true, true, false},     {2, 1, true, true, true, true, true},
    };
    for (const auto& v : versions) {
        SCOPED_TRACE(testing::Message() << v.Major << "." << v.Minor);
        TThermModel source;
        FillVersionedFields(source);
        TMemoryStream out;
        WriteOldModelRecord(source, out, v.Major, v.Minor);
        if (v.Major == 2 && v.Minor == 1) {
            EXPECT_EQ(out.Data(), Record(source));
        }

        const TFileVersionScope scope(v.Major, v.Minor);
        TThermModel m(Blank);
        TMemoryStream in(out.Data());
        m.Read(in);
        EXPECT_EQ(in.Remaining(), 0);
        EXPECT_EQ(m.Name(), "Versionen");
        EXPECT_DOUBLE_EQ(m.GridDeltaBorder(), 44);
        EXPECT_EQ(m.MainLoop()->UseGW(), v.GW);
        EXPECT_EQ(m.MainLoop()->TimeEngine().TimeStep(), 600);
        EXPECT_EQ(m.HeatPump()->Name(), "WP 12");
        EXPECT_DOUBLE_EQ(m.HeatPump()->CoolWaterTemperature(), v.Contours ? 22 : 18);
        EXPECT_DOUBLE_EQ(m.HeatPump()->CoolCOP()->B(), v.Contours ? 7.5 : 0);
        EXPECT_DOUBLE_EQ(m.GW()->Porosity(), v.GW ? 0.3 : freshGW.Porosity());
        EXPECT_DOUBLE_EQ(m.GW()->TimeForGrid(), v.GW ? 86400 * 3 : freshGW.TimeForGrid());
        EXPECT_EQ(m.ContourMapCols(), v.Contours ? 33 : 0);
        EXPECT_EQ(m.ContourMapRows(), v.Contours ? 44 : 0);
        EXPECT_FALSE(m.ShowDeltaInContour());
        EXPECT_EQ(m.ContourMap()->LineLabelDist(), v.Contours ? 999 : freshMap.LineLabelDist());
        EXPECT_EQ(m.ContourMap()->LineStyles.Count(), v.Styles ? 3 : (v.Contours ? 0 : 2));
        EXPECT_EQ(m.ContourMap()->SkipZeroLine(), !v.Skip);
        EXPECT_EQ(m.ContourMethod(), v.Method ? lcGrid : lcFe);
        EXPECT_EQ(m.DataFileDir(), v.Method ? "/daten" : "");
        EXPECT_EQ(m.DataFilePrefix(), v.Method ? "feld" : "");
        EXPECT_EQ(m.MainLoop()->GWModel(), m.GW());
    }
}

TEST_F(ThermModelStreamTest, AShortRecordRaisesWhereverItEnds)
{
    TThermModel m;
    FillCompletely(m);
    const QByteArray bytes = Record(m);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        TThermModel back(Blank);
        TMemoryStream in(bytes.left(n));
        EXPECT_THROW(back.Read(in), EKPError) << "length " << n;
    }
}

TEST_F(ThermModelStreamTest, ImpossibleValuesAreReadErrors)
{
    TThermModel m;
    m.SetContourMapCols(7);
    m.SetContourMethod(lcGrid);
    const QByteArray good = Record(m);
    // The contour columns are found by their known values.
    const struct {
        const char* Name;
        qsizetype Pos;
        QByteArray Bytes;
    } cases[] = {
        {"negative contour columns", good.indexOf(QByteArray("\x07\x00\x00\x00\x32\x00\x00\x00", 8)),
         QByteArray("\xFF\xFF\xFF\xFF", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_GE(c.Pos, 0);
        QByteArray bad = good;
        bad.replace(c.Pos, c.Bytes.size(), c.Bytes);
        TThermModel back(Blank);
        TMemoryStream in(bad);
        EXPECT_THROW(back.Read(in), EReadError);
    }
}

TEST_F(ThermModelStreamTest, AContourMethodThisProgramDoesNotKnowIsKeptAndDrawsNoLines)
{
    TThermModel m;
    ImportFixtureMesh(m);
    m.SetContourMethod(lcGrid);
    const QByteArray good = Record(m);
    // The method byte comes just before the two strings that end the record.
    const qsizetype method =
        good.size() - 4 - 2 * m.DataFileDir().size() - 4 - 2 * m.DataFilePrefix().size() - 1;
    ASSERT_EQ(good[method], char(lcGrid));
    for (const char byte : {'\x02', '\x07', '\xFF'}) {
        SCOPED_TRACE(int(std::uint8_t(byte)));
        QByteArray other = good;
        other[method] = byte;
        TThermModel back(Blank);
        TMemoryStream in(other);
        back.Read(in);
        EXPECT_EQ(in.Remaining(), 0);
        EXPECT_EQ(std::uint8_t(back.ContourMethod()), std::uint8_t(byte));
        EXPECT_EQ(Record(back), other);
        back.MainLoop()->SetIsDirty(true);
        back.RefreshContourMap();
        EXPECT_EQ(back.ContourMap()->TheLines.Count(), 0);
        EXPECT_FALSE(back.MainLoop()->IsDirty());
    }
}

TEST_F(ThermModelStreamTest, AListHoldingObjectsOfTheWrongClassIsRefused)
{
    // A complete record whose probe list holds a node.
    TThermModel m;
    const QByteArray good = Record(m);
    const qsizetype listStart = 4 + 11 * 8;
    const qsizetype emptyListSize = 1 + 4;
    TMemoryStream wrong;
    TMVObjectList nodes(true);
    nodes.Add(std::make_unique<TNode>(1.0, 2.0));
    nodes.WriteData(wrong);
    const QByteArray bad = good.left(listStart) + wrong.Data() + good.mid(listStart + emptyListSize);
    TThermModel back(Blank);
    TMemoryStream in(bad);
    EXPECT_THROW(back.Read(in), EReadError);
    // The same frame with the empty list reads.
    TThermModel ok(Blank);
    TMemoryStream in2(good.left(listStart) + good.mid(listStart));
    ok.Read(in2);
}

}  // namespace
