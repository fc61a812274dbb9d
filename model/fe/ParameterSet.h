#pragma once

// Named, coloured tags of elements and the ground parameter sets the user
// applies to selected elements.

#include "gfx/Colors.h"
#include "model/base/MVStreamList.h"

#include <QString>

class TTagElement : public TObject {
    KP_CLASS(TTagElement)
public:
    TTagElement() = default;
    TTagElement(const QString& AName, TColor AColor) : FName(AName), FColor(AColor) {}

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { FColor = V; }

private:
    QString FName;
    TColor FColor = 0;
};

// Values as entered by the user; NaN means "not set" and leaves the element's
// own value alone when the set is applied.
class TParameterSet : public TTagElement {
    KP_CLASS(TParameterSet)
public:
    explicit TParameterSet(TBlank) {}
    TParameterSet(const QString& AName, TColor AColor);

    // Surface heat-transfer coefficient, W/(m²·K); 0 = no transfer.
    double Leakage() const { return FLeakage; }
    void SetLeakage(double V) { FLeakage = V; }
    // Volumetric heat capacity, MJ/(m³·K).
    double Storage() const { return FStorage; }
    void SetStorage(double V) { FStorage = V; }
    // Geothermal heat flux, W/m².
    double Infiltration() const { return FInfiltration; }
    void SetInfiltration(double V) { FInfiltration = V; }
    // Thermal conductivity, W/(m·K).
    double T() const { return FT; }
    void SetT(double V) { FT = V; }
    // Layer thickness, m.
    double Thickness() const { return FThickness; }
    void SetThickness(double V) { FThickness = V; }

    // Shows the parameter-set dialog; True when it was closed with OK.
    virtual bool Edit();
    virtual void Read(TStream& S);
    virtual void Write(TStream& S) const;

private:
    double FLeakage = 0;
    double FStorage = 0;
    double FInfiltration = 0;
    double FT = 0;
    double FThickness = 0;
};

// What the parameter-set dialog shows and gives back: the numbers as text in
// the user's locale, empty for "not set".
struct TParameterSetEditData {
    QString Name;
    TColor Color = 0;
    QString T;
    QString Storage;
    QString Thickness;
    QString Leakage;
    QString Infiltration;
};

class TParameterSetDialogs {
public:
    virtual ~TParameterSetDialogs() = default;
    // True when closed with OK; Data then holds the user's entries.
    virtual bool EditParameterSet(TParameterSetEditData& Data)
    {
        (void)Data;
        return false;
    }
};
