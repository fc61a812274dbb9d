#include "plan/BHEField.h"

#include "gfx/D2DTools.h"
#include "gfx/Direct2DCanvas.h"
#include "model/base/KPError.h"
#include "model/model/MainModelObj.h"
#include "plan/PlanHost.h"
#include "plan/PlanView.h"

#include <cmath>

TD2BHEField::TD2BHEField(TPlanView* ATarget) : FTarget(ATarget) {}

TD2BHEField::~TD2BHEField() = default;

void TD2BHEField::SetBHEType(const TBHE* V)
{
    if (!V) {
        FBHEType.reset();
        return;
    }
    FBHEType = std::make_unique<TBHE>();
    FBHEType->AssignType(*V);
}

TD2BHEField::TGrid TD2BHEField::Grid() const
{
    TGrid g;
    if (!FTarget) return g;
    const double s = FTarget->ScaleFactorMap(), d = FTarget->BHEDistance();
    const double w = Size().width * s, h = Size().height * s;
    if (!(d > 0) || !std::isfinite(d) || !std::isfinite(w) || !std::isfinite(h)) return g;
    // The spacing takes the sign of the size, so a field pulled past its opposite
    // edge counts the same way; a size of 0 counts one row (copysign keeps +0).
    g.dx = std::copysign(d, w);
    g.dy = std::copysign(d, h);
    // A field of exactly n spacings must not lose its last row to rounding
    // (20 m is 200 DIPs times 0.1 m, a hair off in binary).
    const double eps = 1e-9;
    const double nx = std::floor(w / g.dx + eps) + 1, ny = std::floor(h / g.dy + eps) + 1;
    if (!(nx * ny <= 1e15)) return g;
    g.nx = static_cast<long long>(nx);
    g.ny = static_cast<long long>(ny);
    g.Valid = true;
    return g;
}

QPointF TD2BHEField::GridPoint(const TGrid& G, long long i, long long j) const
{
    const double s = FTarget ? FTarget->ScaleFactorMap() : 1;
    return QPointF(double(i) * G.dx / s, double(j) * G.dy / s);
}

QString TD2BHEField::InfoText() const
{
    const TGrid g = Grid();
    return QStringLiteral("Sonden: %1 (%2 x %3)").arg(g.Count()).arg(g.nx).arg(g.ny);
}

void TD2BHEField::Draw(TDirect2DCanvas& ACanvas)
{
    TD2RenderTarget& target = ACanvas.RenderTarget();
    const D2D_MATRIX_3X2_F saved = DrawHandles(ACanvas);
    try {
        const TGrid g = Grid();
        if (g.Valid && g.Count() <= MaxPreviewPoints)
            for (long long i = 0; i < g.nx; ++i)
                for (long long j = 0; j < g.ny; ++j)
                    target.DrawEllipse(D2D1Ellipse(FromQPointF(GridPoint(g, i, j)), 2, 2), D2BlackBrush, 2.0f);
        target.DrawGeometry(R, D2DodgerBlueHalfBrush, 1.0f);
        target.SetTransform(D2D_MATRIX_3X2_F::Identity());
        const D2D1_ROUNDED_RECT box = D2D1RoundedRect(D2D1RectF(25, 70, 145, 95), 3, 3);
        target.FillRoundedRectangle(box, D2GainsboroBrush);
        target.DrawRoundedRectangle(box, D2BlackBrush, 1.0f);
        DrawTextAligned(ACanvas, D2D1PointF(85, 80), InfoText(), 2, 2);
    } catch (...) {
        target.SetTransform(saved);
        throw;
    }
    target.SetTransform(saved);
}

bool TD2BHEField::CreateBHEs()
{
    if (Size().width == 0 && Size().height == 0) return false;
    if (!FTarget || !FTarget->Model()) return false;
    TThermModel& model = *FTarget->Model();
    if (model.RunActive())
        throw EKPError(QStringLiteral("Während einer Simulation können keine Sonden gesetzt werden."));
    const TGrid g = Grid();
    if (!g.Valid) throw EKPError(QStringLiteral("Der Sondenabstand muss eine Zahl größer als 0 sein."));
    if (g.Count() > MaxCount)
        throw EKPError(QStringLiteral("Das Sondenfeld hätte %1 Sonden; höchstens %2 können auf einmal gesetzt "
                                      "werden. Bitte den Sondenabstand vergrößern.")
                           .arg(g.Count())
                           .arg(MaxCount));
    if (g.Count() > AskAboveCount &&
        !FTarget->Host().AskYesNo(QStringLiteral("Es werden %1 Sonden gesetzt. Fortfahren?").arg(g.Count())))
        return false;
    for (long long i = 0; i < g.nx; ++i)
        for (long long j = 0; j < g.ny; ++j) {
            TBHE* bhe = model.AddBHE();
            const QPointF w = FTarget->PlanToWorld(Transform.map(GridPoint(g, i, j)));
            bhe->SetX(w.x());
            bhe->SetY(w.y());
            if (FBHEType) bhe->AssignType(*FBHEType);
            bhe->SetName(FPrefix + QString::number(model.BHEs().Count()));
            bhe->SetLoadProfilIndex(FLoadProfilIndex);
            FTarget->Host().BHEAdded(bhe);
            model.SetNumModelDirty(true);
        }
    FTarget->BuildBHEItems();
    FTarget->Host().MeshOutOfDate();
    return true;
}
