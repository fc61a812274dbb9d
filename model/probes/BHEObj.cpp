#include "model/probes/BHEObj.h"

#include "gfx/Colors.h"
#include "gfx/CustomCanvas.h"
#include "model/base/Rounding.h"
#include "model/base/Versions.h"
#include "model/probes/ProbeXml.h"

TBHE::TBHE() : FRB(0.1), FImageIndex(-1), FLoadProfilIndex(0) {}

void TBHE::AssignType(const TBHE& Source)
{
    SetBoringRadius(Source.BoringRadius());
    SetCasingRadius(Source.CasingRadius());
    FTubeX = Source.FTubeX;
    FTubeY = Source.FTubeY;
    SetTubeType(Source.TubeType());
    FS10A = Source.FS10A;
    FS10B = Source.FS10B;
    FS20A = Source.FS20A;
    FS20B = Source.FS20B;
    SetCasingLength(Source.CasingLength());
    SetFillConduc(Source.FillConduc());
    FRB = Source.FRB;
    FImageIndex = Source.FImageIndex;
}

bool TBHE::IsType(const TBHE& CompareBHE) const
{
    // Plain == is false whenever one side is NaN, which is what we want.
    return BoringRadius() == CompareBHE.BoringRadius() && CasingRadius() == CompareBHE.CasingRadius() &&
           FTubeX == CompareBHE.FTubeX && FTubeY == CompareBHE.FTubeY && TubeType() == CompareBHE.TubeType() &&
           FS10A == CompareBHE.FS10A && FS10B == CompareBHE.FS10B && FS20A == CompareBHE.FS20A &&
           FS20B == CompareBHE.FS20B && FRB == CompareBHE.FRB;
}

namespace {

void Circle(TCustomCanvas& C, double X, double Y, double R, TColor Fill)
{
    C.Brush().SetColor(Fill);
    C.Brush().SetStyle(bsSolid);
    C.Ellipse(RoundEven(X - R), RoundEven(Y - R), RoundEven(X + R), RoundEven(Y + R));
}

}  // namespace

void TBHE::Draw(TCustomCanvas& ACanvas, double ScaleFactor, int OffX, int OffY) const
{
    constexpr TColor downward = RGB(166, 202, 240);
    constexpr TColor upward = RGB(237, 157, 180);
    ACanvas.Pen().SetWidth(1);
    Circle(ACanvas, OffX, OffY, BoringRadius() * ScaleFactor, clSilver);
    const double r = CasingRadius() * ScaleFactor;
    const int dx = RoundEven(FTubeX * ScaleFactor);
    const int dy = RoundEven(FTubeY * ScaleFactor);
    switch (TubeType()) {
    case ttSingleU:
        Circle(ACanvas, OffX - dx, OffY, r, downward);
        Circle(ACanvas, OffX + dx, OffY, r, upward);
        break;
    case ttDoubleU:
        Circle(ACanvas, OffX - dx, OffY - dy, r, downward);
        Circle(ACanvas, OffX - dx, OffY + dy, r, downward);
        Circle(ACanvas, OffX + dx, OffY - dy, r, upward);
        Circle(ACanvas, OffX + dx, OffY + dy, r, upward);
        break;
    case ttCoax: break;
    }
}

bool TBHE::ReadXML(pugi::xml_node Node)
{
    if (!Node) return false;
    FTubeX = ReadXmlFloat(Node, "TubeX", 0);
    FTubeY = ReadXmlFloat(Node, "TubeY", 0);
    FS10A = ReadXmlFloat(Node, "S10A", 0);
    FS10B = ReadXmlFloat(Node, "S10B", 0);
    FS20A = ReadXmlFloat(Node, "S20A", 0);
    FS20B = ReadXmlFloat(Node, "S20B", 0);
    FRB = ReadXmlFloat(Node, "RB", 0);
    FImageIndex = ReadXmlInt(Node, "Symbol", -1);
    const pugi::xml_node borehole = Node.child("Borehole");
    if (borehole) TBorehole::ReadXML(borehole);
    return true;
}

bool TBHE::WriteXML(pugi::xml_node Node) const
{
    if (!Node) return false;
    pugi::xml_node e = Node.append_child("BHE");
    WriteXmlFloat(e, "TubeX", FTubeX);
    WriteXmlFloat(e, "TubeY", FTubeY);
    WriteXmlFloat(e, "S10A", FS10A);
    WriteXmlFloat(e, "S10B", FS10B);
    WriteXmlFloat(e, "S20A", FS20A);
    WriteXmlFloat(e, "S20B", FS20B);
    WriteXmlFloat(e, "RB", FRB);
    WriteXmlInt(e, "Symbol", FImageIndex);
    return TBorehole::WriteXML(e);
}

void TBHE::Read(TStream& S)
{
    TBorehole::Read(S);
    FTubeX = S.ReadDouble();
    FTubeY = S.ReadDouble();
    FS20B = S.ReadDouble();
    FS20A = S.ReadDouble();
    FS10B = S.ReadDouble();
    FS10A = S.ReadDouble();
    FRB = S.ReadDouble();
    FImageIndex = S.ReadInt32();
    // The load profile came with file version 2.
    FLoadProfilIndex = FileVersionMajor >= 2 ? S.ReadInt32() : 0;
}

void TBHE::Write(TStream& S)
{
    TBorehole::Write(S);
    S.WriteDouble(FTubeX);
    S.WriteDouble(FTubeY);
    S.WriteDouble(FS20B);
    S.WriteDouble(FS20A);
    S.WriteDouble(FS10B);
    S.WriteDouble(FS10A);
    S.WriteDouble(FRB);
    S.WriteInt32(FImageIndex);
    S.WriteInt32(FLoadProfilIndex);
}

void RegisterProbeStreamClasses()
{
    RegisterStreamClass<TWell>();
    RegisterStreamClass<TBorehole>();
    RegisterStreamClass<TBHE>();
    RegisterStreamClass<TBHEDataWrapper>();
}
