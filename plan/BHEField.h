#pragma once

// The probe-field placer: a rotatable rectangle that previews a regular grid of
// probe positions at the plan's probe spacing and, when confirmed, adds one probe
// per grid point to the model with one probe type, a name prefix and a load profile.

#include "plan/RotateObject.h"

#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

class TBHE;
class TPlanView;

class TD2BHEField : public TRotRect
{
public:
    // Probe counts of one field; Valid is false for a spacing that is no positive
    // number or a size that is no number.
    struct TGrid {
        bool Valid = false;
        long long nx = 0;
        long long ny = 0;
        double dx = 0;  // metres, with the sign of the width
        double dy = 0;
        long long Count() const { return nx * ny; }
    };

    explicit TD2BHEField(TPlanView* ATarget);
    ~TD2BHEField() override;

    TPlanView* Target() const { return FTarget; }
    // The type given to every new probe; a copy is kept, so the window's type list
    // may change while the field is placed.
    const TBHE* BHEType() const { return FBHEType.get(); }
    void SetBHEType(const TBHE* V);
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& V) { FPrefix = V; }
    int LoadProfilIndex() const { return FLoadProfilIndex; }
    void SetLoadProfilIndex(int V) { FLoadProfilIndex = V; }

    // The grid for the current size, the target's scale and spacing.
    TGrid Grid() const;
    // Grid point (i, j), zero-based, in the rectangle's frame.
    QPointF GridPoint(const TGrid& G, long long i, long long j) const;
    // "Sonden: n (nx x ny)".
    QString InfoText() const;

    // Handles, grid points, the blue outline and the information box.
    void Draw(TDirect2DCanvas& ACanvas) override;
    // Adds the probes; true when probes were added. Nothing without a target, a
    // project and a model, or for a field of size 0 × 0; more than
    // AskAboveCount probes need the host's yes. Raises EKPError for an unusable
    // spacing, for more than MaxCount probes and while a run is active.
    virtual bool CreateBHEs();

    static constexpr long long AskAboveCount = 1000;
    static constexpr long long MaxCount = 100000;
    // More points than this are not previewed one by one (the box still counts them).
    static constexpr long long MaxPreviewPoints = 20000;

private:
    TPlanView* FTarget = nullptr;
    std::unique_ptr<TBHE> FBHEType;
    QString FPrefix;
    int FLoadProfilIndex = -1;
};
