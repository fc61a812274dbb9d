#pragma once

#include "model/probes/WellObj.h"

#include <cstdint>
#include <pugixml.hpp>

// Tube layout of a probe; stored as one byte.
enum TTubeType : std::uint8_t { ttSingleU, ttDoubleU, ttCoax };
inline constexpr int TubeTypeMaxOrdinal = ttCoax;

// A well drilled for a probe: depth, tubes and filling. CasingLength is the
// probe length that the thermal calculation uses.
class TBorehole : public TWell {
    KP_CLASS(TBorehole)
public:
    TBorehole();
    explicit TBorehole(TBlank) : TWell(Blank) {}

    double Depth() const { return FDepth; }
    void SetDepth(double V) { FDepth = V; }
    double CasingLength() const { return FCasingLength; }
    void SetCasingLength(double V) { FCasingLength = V; }
    TTubeType TubeType() const { return FTubeType; }
    void SetTubeType(TTubeType V) { FTubeType = V; }
    double CasingThickness() const { return FCasingThickness; }
    void SetCasingThickness(double V) { FCasingThickness = V; }
    double FillConduc() const { return FFillConduc; }
    void SetFillConduc(double V) { FFillConduc = V; }
    const QString& FillMaterial() const { return FFillMaterial; }
    void SetFillMaterial(const QString& V) { FFillMaterial = V; }
    const QString& Remark() const { return FRemark; }
    void SetRemark(const QString& V) { FRemark = V; }

    // Fluid volume of the tubes, m³.
    virtual double GetVol() const;
    // Node is the "Borehole" element; false for a missing node.
    virtual bool ReadXML(pugi::xml_node Node);
    // Appends a "Borehole" element to Node; false for a missing node.
    virtual bool WriteXML(pugi::xml_node Node) const;
    static QString XMLName() { return QStringLiteral("Borehole"); }

    void Read(TStream& S) override;
    void Write(TStream& S) override;

private:
    double FDepth = 0;
    double FCasingLength = 0;
    TTubeType FTubeType = ttSingleU;
    double FCasingThickness = 0;
    double FFillConduc = 0;
    QString FFillMaterial;
    QString FRemark;
};

// The tube layout as written in the "Tubetype" XML element.
QString TubeTypeXMLName(TTubeType T);
