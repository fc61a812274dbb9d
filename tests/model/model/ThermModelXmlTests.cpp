// The "ThermalModel" XML element and the stand-alone model file.

#include "ThermModelTestUtil.h"

#include "model/base/KPError.h"
#include "model/model/XmlDateTime.h"

#include <QFile>
#include <sstream>
#include <vector>

namespace {

class ThermModelXmlTest : public TModelTestBase {
protected:
    static void Fill(TThermModel& M)
    {
        AddProbe(M, "Nord", 1.0 / 3, 123456.789012345)->SetDepth(99.5);
        AddProbe(M, "Süd", -7.25, 0.1);
        M.SetFluxFluid(0.0012345678901234567);
        M.SetFluid(flPE33);
        TTimeEngine& e = M.MainLoop()->TimeEngine();
        e.SetRealStartTime(EncodeDateTime(2026, 3, 1, 6, 30, 15, 250));
        e.SetEndtime(5184000);
        e.SetTimeStep(1800);
    }
    static QString Text(const pugi::xml_document& Doc)
    {
        std::ostringstream out;
        Doc.save(out);
        return QString::fromStdString(out.str());
    }
};

TEST_F(ThermModelXmlTest, ElementHoldsProbesFluidAndPeriodAtFullPrecision)
{
    TThermModel m;
    Fill(m);
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Models");
    ASSERT_TRUE(m.WriteXML(root));
    const pugi::xml_node el = root.child("ThermalModel");
    ASSERT_TRUE(el);
    const char* order[] = {"BHElist", "Flux", "Fluid", "StartTime", "Duration", "TimeStep"};
    pugi::xml_node child = el.first_child();
    for (const char* name : order) {
        ASSERT_TRUE(child) << name;
        EXPECT_STREQ(child.name(), name);
        child = child.next_sibling();
    }
    EXPECT_STREQ(el.child("Fluid").text().get(), "PG33");
    EXPECT_STREQ(el.child("StartTime").text().get(), "2026-03-01T06:30:15.250");
    EXPECT_EQ(std::distance(el.child("BHElist").children("BHE").begin(), el.child("BHElist").children("BHE").end()), 2);

    TThermModel back;
    ASSERT_TRUE(back.ReadXML(el));
    EXPECT_EQ(back.FluxFluid(), m.FluxFluid());
    EXPECT_EQ(back.Fluid(), flPE33);
    const TTimeEngine& e = back.MainLoop()->TimeEngine();
    EXPECT_DOUBLE_EQ(e.RealStartTime(), m.MainLoop()->TimeEngine().RealStartTime());
    EXPECT_EQ(e.StartTime(), 0);
    EXPECT_EQ(e.Endtime(), 5184000);
    EXPECT_EQ(e.TimeStep(), 1800);
    ASSERT_EQ(back.BHEs().Count(), 2);
    EXPECT_EQ(back.BHE(0)->Name(), "Nord");
    EXPECT_EQ(back.BHE(0)->X(), 1.0 / 3);
    EXPECT_EQ(back.BHE(0)->Y(), 123456.789012345);
    EXPECT_EQ(back.BHE(1)->Name(), "Süd");
    EXPECT_TRUE(back.NumModelDirty());
}

TEST_F(ThermModelXmlTest, WritingAppendsOneElementAndLeavesTheRestOfTheNode)
{
    TThermModel first, second;
    Fill(first);
    AddProbe(second, "Zweite", 2, 3);
    second.SetFluid(flEE25);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<Models><Note>vorher</Note><ThermalModel><Flux>7</Flux></ThermalModel></Models>"));
    const pugi::xml_node root = doc.document_element();
    ASSERT_TRUE(first.WriteXML(root));
    ASSERT_TRUE(second.WriteXML(root));
    // Without a node there is nothing to write to.
    EXPECT_FALSE(second.WriteXML(pugi::xml_node()));

    // What was there stays first; the two models follow in the order written.
    std::vector<pugi::xml_node> children(root.children().begin(), root.children().end());
    ASSERT_EQ(children.size(), 4u);
    EXPECT_STREQ(children[0].name(), "Note");
    EXPECT_STREQ(children[0].text().get(), "vorher");
    EXPECT_STREQ(children[1].child("Flux").text().get(), "7");
    EXPECT_FALSE(children[1].child("BHElist"));
    EXPECT_STREQ(children[2].name(), "ThermalModel");
    EXPECT_STREQ(children[3].name(), "ThermalModel");
    EXPECT_STREQ(children[2].child("Fluid").text().get(), "PG33");
    EXPECT_STREQ(children[3].child("Fluid").text().get(), "EG25");
    EXPECT_STREQ(children[3].child("BHElist").child("BHE").child("Borehole").attribute("Name").value(), "Zweite");
    // Nothing was written inside the elements that were there.
    EXPECT_EQ(std::distance(children[1].children().begin(), children[1].children().end()), 1);
    EXPECT_EQ(std::distance(children[0].children().begin(), children[0].children().end()), 1);
}

TEST_F(ThermModelXmlTest, AnElementWithoutProbeListKeepsTheProbesButTakesTheRest)
{
    TThermModel m;
    AddProbe(m, "bleibt", 0, 0);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<ThermalModel><Flux>0.5</Flux><Fluid>Sole</Fluid>"
                                "<StartTime>2027-01-02T00:00:00</StartTime><Duration>3600</Duration>"
                                "</ThermalModel>"));
    m.SetFluid(flEE25);
    EXPECT_FALSE(m.ReadXML(doc.document_element()));
    ASSERT_EQ(m.BHEs().Count(), 1);
    EXPECT_EQ(m.BHE(0)->Name(), "bleibt");
    EXPECT_FALSE(m.NumModelDirty());
    EXPECT_DOUBLE_EQ(m.FluxFluid(), 0.5);
    // A fluid token none of the five reads as water.
    EXPECT_EQ(m.Fluid(), flWasser);
    EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().RealStartTime(), EncodeDate(2027, 1, 2));
    EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().Endtime(), 3600);
    // Missing children take their defaults.
    EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().TimeStep(), 0);
}

TEST_F(ThermModelXmlTest, NewProbesDropTheRunDataAndProbeItemsOfTheOldOnes)
{
    TThermModel m;
    ImportFixtureMesh(m);
    AddProbe(m, "alt", 0, 0);
    m.InitModel();
    m.InitMonitoring();
    m.MonitoringList()->AddObsPoint(m.FieldModel()->GetNodes(2));
    TThermModel other;
    AddProbe(other, "neu", 1, 1);
    pugi::xml_document doc;
    ASSERT_TRUE(other.WriteXML(doc));
    ASSERT_TRUE(m.ReadXML(doc.document_element()));
    ASSERT_EQ(m.BHEs().Count(), 1);
    EXPECT_EQ(m.BHE(0)->Name(), "neu");
    EXPECT_EQ(m.BHEDataList().Count(), 0);
    ASSERT_EQ(m.MonitoringList()->Count(), 1);
    EXPECT_EQ(m.MonitoringList()->Item(0)->Item(), m.FieldModel()->GetNodes(2));
    EXPECT_TRUE(m.NumModelDirty());
}

TEST_F(ThermModelXmlTest, TheModelFileReadsBackWhatWasSaved)
{
    TThermModel m;
    Fill(m);
    const QString file = Work.filePath("modell.xml");
    ASSERT_TRUE(m.SaveXML(file));
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
    EXPECT_STREQ(doc.document_element().name(), "ThermalModel");
    EXPECT_TRUE(doc.document_element().child("ThermalModel"));

    TThermModel back;
    ASSERT_TRUE(back.LoadXML(file));
    ASSERT_EQ(back.BHEs().Count(), 2);
    EXPECT_EQ(back.FluxFluid(), m.FluxFluid());
    EXPECT_EQ(back.MainLoop()->TimeEngine().TimeStep(), 1800);

    // A file holding the model element itself as root reads as well.
    QFile f(Work.filePath("flach.xml"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<ThermalModel><BHElist><BHE/></BHElist><Flux>2</Flux></ThermalModel>");
    f.close();
    TThermModel flat;
    ASSERT_TRUE(flat.LoadXML(f.fileName()));
    EXPECT_EQ(flat.BHEs().Count(), 1);
    EXPECT_DOUBLE_EQ(flat.FluxFluid(), 2);

    EXPECT_THROW(flat.LoadXML(Work.filePath("fehlt.xml")), EKPError);
}

TEST_F(ThermModelXmlTest, DateTimeTextRoundTripsAndRefusesNonsense)
{
    const TDateTime dt = EncodeDateTime(1999, 12, 31, 23, 59, 58, 7);
    EXPECT_EQ(DateTimeToXmlText(dt), "1999-12-31T23:59:58.007");
    EXPECT_EQ(DateTimeToXmlText(EncodeDate(2026, 1, 1)), "2026-01-01T00:00:00");
    const struct {
        const char* Text;
        bool Ok;
        TDateTime Expected;
    } cases[] = {
        {"1999-12-31T23:59:58.007", true, dt},
        {"2026-01-01", true, EncodeDate(2026, 1, 1)},
        {"2026-01-01T06:30", true, EncodeDateTime(2026, 1, 1, 6, 30, 0, 0)},
        {"2026-01-01T06:30:00Z", true, EncodeDateTime(2026, 1, 1, 6, 30, 0, 0)},
        {"2026-01-01T06:30:00+01:00", true, EncodeDateTime(2026, 1, 1, 6, 30, 0, 0)},
        {"2026-02-30", false, 0},
        {"2026-01-01T24:00:00", false, 0},
        {"morgen", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        TDateTime v = -1;
        EXPECT_EQ(TryXmlTextToDateTime(QString::fromUtf8(c.Text), v), c.Ok) << c.Text;
        EXPECT_DOUBLE_EQ(v, c.Ok ? c.Expected : -1) << c.Text;
    }
}

}  // namespace
