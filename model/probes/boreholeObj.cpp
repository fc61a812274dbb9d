#include "model/probes/boreholeObj.h"

#include "model/base/StreamStrings.h"
#include "model/probes/ProbeXml.h"

#include <cmath>
#include <numbers>

TBorehole::TBorehole()
    : FDepth(NaN), FCasingLength(NaN), FTubeType(ttDoubleU), FCasingThickness(NaN), FFillConduc(NaN)
{
}

QString TubeTypeXMLName(TTubeType T)
{
    switch (T) {
    case ttSingleU: return QStringLiteral("Single");
    case ttDoubleU: return QStringLiteral("Double");
    case ttCoax: return QStringLiteral("Coax");
    }
    return QString();
}

double TBorehole::GetVol() const
{
    // Two legs per U-tube; a double-U probe has two U-tubes.
    const double inner = CasingRadius() - FCasingThickness;
    const double vol = inner * inner * 2 * std::numbers::pi * FCasingLength;
    return FTubeType == ttDoubleU ? 2 * vol : vol;
}

bool TBorehole::ReadXML(pugi::xml_node Node)
{
    if (!Node) return false;
    SetName(XmlAttributeText(Node, "Name"));
    FCasingLength = ReadXmlFloat(Node, "CasingLength", 0);
    FCasingThickness = ReadXmlFloat(Node, "CasingThickness", 0);
    FDepth = ReadXmlFloat(Node, "Depth", 0);
    FFillConduc = ReadXmlFloat(Node, "FillConductivity", 0);
    const pugi::xml_node tube = Node.child("Tubetype");
    if (tube) {
        const QString t = QString::fromUtf8(tube.text().get());
        for (int i = 0; i <= TubeTypeMaxOrdinal; ++i)
            if (t == TubeTypeXMLName(static_cast<TTubeType>(i))) FTubeType = static_cast<TTubeType>(i);
    }
    FFillMaterial = ReadXmlString(Node, "FillMaterial");
    FRemark = ReadXmlString(Node, "Remark");
    SetCasingRadius(ReadXmlFloat(Node, "CasingRadius", 0));
    SetBoringRadius(ReadXmlFloat(Node, "BoringRadius", 0));
    SetX(ReadXmlFloat(Node, "X", 0));
    SetY(ReadXmlFloat(Node, "Y", 0));
    return true;
}

bool TBorehole::WriteXML(pugi::xml_node Node) const
{
    if (!Node) return false;
    pugi::xml_node e = Node.append_child("Borehole");
    e.append_attribute("Name") = Name().toUtf8().constData();
    WriteXmlFloat(e, "CasingLength", FCasingLength);
    WriteXmlFloat(e, "CasingThickness", FCasingThickness);
    WriteXmlFloat(e, "Depth", FDepth);
    WriteXmlFloat(e, "FillConductivity", FFillConduc);
    WriteXmlString(e, "Tubetype", TubeTypeXMLName(FTubeType));
    WriteXmlString(e, "FillMaterial", FFillMaterial);
    WriteXmlString(e, "Remark", FRemark);
    WriteXmlFloat(e, "CasingRadius", CasingRadius());
    WriteXmlFloat(e, "BoringRadius", BoringRadius());
    WriteXmlFloat(e, "X", X());
    WriteXmlFloat(e, "Y", Y());
    return true;
}

void TBorehole::Read(TStream& S)
{
    TWell::Read(S);
    FCasingLength = S.ReadDouble();
    FCasingThickness = S.ReadDouble();
    FTubeType = S.ReadEnum<TTubeType>(TubeTypeMaxOrdinal, "Rohrtyp der Bohrung");
    FDepth = S.ReadDouble();
    FFillConduc = S.ReadDouble();
    FFillMaterial = ReadStringFromStream(S);
    FRemark = ReadStringFromStream(S);
}

void TBorehole::Write(TStream& S)
{
    TWell::Write(S);
    S.WriteDouble(FCasingLength);
    S.WriteDouble(FCasingThickness);
    S.WriteEnum(FTubeType);
    S.WriteDouble(FDepth);
    S.WriteDouble(FFillConduc);
    WriteStringToStream(S, FFillMaterial);
    WriteStringToStream(S, FRemark);
}
