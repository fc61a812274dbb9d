#include "ProbeTestUtil.h"
#include "model/probes/BHEObj.h"
#include "model/probes/ProbeXml.h"

#include <gtest/gtest.h>
#include <cmath>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> ChildNames(pugi::xml_node N)
{
    std::vector<std::string> names;
    for (pugi::xml_node c : N.children()) names.emplace_back(c.name());
    return names;
}

TBHE MakeProbe()
{
    TBHE p;
    p.SetName(QStringLiteral("Sonde Ä 1"));
    p.SetX(3512345.67);
    p.SetY(5812345.89);
    p.SetCasingLength(99.75);
    p.SetCasingThickness(0.0023);
    p.SetDepth(101.5);
    p.SetFillConduc(2.0);
    p.SetTubeType(ttSingleU);
    p.SetFillMaterial(QStringLiteral("Thermozement"));
    p.SetRemark(QStringLiteral("a < b & \"c\""));
    p.SetCasingRadius(0.016);
    p.SetBoringRadius(0.0625);
    p.SetTubeX(0.035), p.SetTubeY(0.025);
    p.SetS10A(0.1234567891), p.SetS10B(1e-7), p.SetS20A(-3), p.SetS20B(12345678.9);
    p.SetRB(0.085);
    p.SetImageIndex(3);
    return p;
}

}  // namespace

TEST(ProbeXml, ElementLayout)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Root");
    const TBHE p = MakeProbe();
    ASSERT_TRUE(p.WriteXML(root));
    pugi::xml_node bhe = root.child("BHE");
    ASSERT_TRUE(bhe);
    EXPECT_EQ(ChildNames(bhe),
              (std::vector<std::string>{"TubeX", "TubeY", "S10A", "S10B", "S20A", "S20B", "RB", "Symbol", "Borehole"}));
    pugi::xml_node bh = bhe.child("Borehole");
    EXPECT_STREQ(bh.attribute("Name").value(), "Sonde Ä 1");
    EXPECT_EQ(ChildNames(bh), (std::vector<std::string>{"CasingLength", "CasingThickness", "Depth", "FillConductivity",
                                                        "Tubetype", "FillMaterial", "Remark", "CasingRadius",
                                                        "BoringRadius", "X", "Y"}));
    EXPECT_STREQ(bh.child("Tubetype").text().get(), "Single");
    EXPECT_STREQ(bhe.child("Symbol").text().get(), "3");
    EXPECT_STREQ(bh.child("X").text().get(), "3512345.67");
    EXPECT_FALSE(p.WriteXML(pugi::xml_node()));
}

TEST(ProbeXml, RoundTripKeepsEveryValueExactly)
{
    pugi::xml_document doc;
    TBHE p = MakeProbe();
    p.SetCasingThickness(std::nan(""));  // not set stays not set
    p.WriteXML(doc.append_child("Root"));
    std::ostringstream text;
    doc.save(text);
    pugi::xml_document again;
    ASSERT_TRUE(again.load_string(text.str().c_str()));

    TBHE r;
    ASSERT_TRUE(r.ReadXML(again.child("Root").child("BHE")));
    EXPECT_EQ(r.Name(), p.Name());
    EXPECT_EQ(r.X(), 3512345.67);
    EXPECT_EQ(r.Y(), 5812345.89);
    EXPECT_EQ(r.CasingLength(), p.CasingLength());
    EXPECT_TRUE(std::isnan(r.CasingThickness()));
    EXPECT_EQ(r.Depth(), p.Depth());
    EXPECT_EQ(r.FillConduc(), p.FillConduc());
    EXPECT_EQ(r.TubeType(), ttSingleU);
    EXPECT_EQ(r.FillMaterial(), p.FillMaterial());
    EXPECT_EQ(r.Remark(), p.Remark());
    EXPECT_EQ(r.CasingRadius(), p.CasingRadius());
    EXPECT_EQ(r.BoringRadius(), p.BoringRadius());
    EXPECT_EQ(r.TubeX(), p.TubeX());
    EXPECT_EQ(r.TubeY(), p.TubeY());
    EXPECT_EQ(r.S10A(), p.S10A());
    EXPECT_EQ(r.S10B(), p.S10B());
    EXPECT_EQ(r.S20A(), p.S20A());
    EXPECT_EQ(r.S20B(), p.S20B());
    EXPECT_EQ(r.RB(), p.RB());
    EXPECT_EQ(r.ImageIndex(), 3);
}

TEST(ProbeXml, ReadingOlderAndIncompleteElements)
{
    // Six significant digits as older files hold them, a lower-case tube type,
    // garbage where a number belongs and several children missing.
    const char* xml = R"(<BHE><TubeX>0.035</TubeX><S10A>abc</S10A><RB>8.5e-02</RB>
        <Borehole><CasingLength>100</CasingLength><Tubetype>double</Tubetype>
        <X>3.51235e+06</X><Y>NaN</Y><FillMaterial>Ton</FillMaterial></Borehole></BHE>)";
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml));
    TBHE r;
    r.SetTubeType(ttCoax);
    r.SetName(QStringLiteral("alt"));
    ASSERT_TRUE(r.ReadXML(doc.child("BHE")));
    EXPECT_EQ(r.TubeX(), 0.035);
    EXPECT_EQ(r.TubeY(), 0);
    EXPECT_TRUE(std::isnan(r.S10A()));
    EXPECT_EQ(r.S20B(), 0);
    EXPECT_EQ(r.RB(), 0.085);
    EXPECT_EQ(r.ImageIndex(), -1);
    EXPECT_EQ(r.Name(), QString());
    EXPECT_EQ(r.CasingLength(), 100);
    EXPECT_EQ(r.TubeType(), ttCoax);
    EXPECT_EQ(r.X(), 3512350);
    EXPECT_TRUE(std::isnan(r.Y()));
    EXPECT_EQ(r.Depth(), 0);
    EXPECT_EQ(r.BoringRadius(), 0);
    EXPECT_EQ(r.FillMaterial(), QStringLiteral("Ton"));
    EXPECT_EQ(r.Remark(), QString());
}

TEST(ProbeXml, TubeTypeTokensAreExact)
{
    struct Case {
        const char* Text;
        TTubeType Expected;
    } cases[] = {{"Single", ttSingleU}, {"Double", ttDoubleU}, {"Coax", ttCoax},
                 {"double", ttCoax},    {"", ttCoax},          {" Single", ttCoax}};
    for (const Case& c : cases) {
        pugi::xml_document doc;
        doc.append_child("Borehole").append_child("Tubetype").text().set(c.Text);
        TBorehole h;
        h.SetTubeType(ttCoax);
        ASSERT_TRUE(h.ReadXML(doc.child("Borehole")));
        EXPECT_EQ(h.TubeType(), c.Expected) << c.Text;
    }
}

TEST(ProbeXml, MissingBoreholeChildAndMissingNodes)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<BHE><RB>0.2</RB></BHE>"));
    TBHE r;
    r.SetX(5);
    EXPECT_TRUE(r.ReadXML(doc.child("BHE")));
    EXPECT_EQ(r.RB(), 0.2);
    EXPECT_EQ(r.X(), 5);
    EXPECT_FALSE(r.ReadXML(pugi::xml_node()));
    TBorehole h;
    EXPECT_FALSE(h.ReadXML(pugi::xml_node()));
    EXPECT_FALSE(h.WriteXML(pugi::xml_node()));
}

TEST(ProbeXml, NumberHelpers)
{
    pugi::xml_document doc;
    pugi::xml_node n = doc.append_child("N");
    WriteXmlFloat(n, "Inf", -std::numeric_limits<double>::infinity());
    WriteXmlFloat(n, "Tiny", 1e-300);
    n.append_child("Empty");
    n.append_child("Int").text().set(" 12 ");
    n.append_child("NotInt").text().set("1.5");
    EXPECT_EQ(ReadXmlFloat(n, "Inf", 0), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadXmlFloat(n, "Tiny", 0), 1e-300);
    EXPECT_TRUE(std::isnan(ReadXmlFloat(n, "Empty", 0)));
    EXPECT_EQ(ReadXmlFloat(n, "Missing", 7), 7);
    EXPECT_EQ(ReadXmlInt(n, "Int", -1), 12);
    EXPECT_EQ(ReadXmlInt(n, "NotInt", -1), -1);
    EXPECT_EQ(ReadXmlInt(n, "Missing", -1), -1);
}
