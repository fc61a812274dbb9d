#include "model/groundwater/GWGrid.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TGWGrid::TGWGrid()
    : TMVObjectList(true),
      FPorosity(0.15),
      FDirection(30.0 * std::numbers::pi / 180.0),
      FGradient(0.001),
      FKF(0.001),
      FFluid(flWasser),
      FThickness(80),
      FTimeForGrid(8640000)
{
}

TGWGrid::TGWGrid(TBlank) : TMVObjectList(true) {}

double TGWGrid::VDistance() const { return FKF * FGradient / FPorosity; }

double TGWGrid::Area() const { return FGridSize * FGridSize * FNumRows * FNumCols; }

double TGWGrid::IntersectionArea() const
{
    double sum = 0;
    for (int i = 0; i < Count(); ++i) sum += Cells(i)->Area();
    return sum;
}

double TGWGrid::IntersectionAreaOfRow(int ARow) const
{
    if (ARow < 0 || ARow >= FNumRows) return 0;
    double sum = 0;
    for (int c = 0; c < FNumCols; ++c) sum += Cell(ARow, c)->Area();
    return sum;
}

TPointD TGWGrid::GridToWorld(double X, double Y) const
{
    const QPointF p = FTransformation.map(QPointF(X, Y));
    return TPointD{p.x(), p.y()};
}

TPointD TGWGrid::WorldToGrid(double X, double Y) const
{
    const QPointF p = FInverse.map(QPointF(X, Y));
    return TPointD{p.x(), p.y()};
}

std::vector<TPointD> TGWGrid::CellPolygon(int Row, int Col) const
{
    const double g = FGridSize;
    return {GridToWorld(Col * g, Row * g), GridToWorld((Col + 1) * g, Row * g),
            GridToWorld((Col + 1) * g, (Row + 1) * g), GridToWorld(Col * g, (Row + 1) * g)};
}

void TGWGrid::InitTemperatures(double ATemperature)
{
    for (int i = 0; i < Count(); ++i) Cells(i)->SetTemperature(ATemperature);
}

void TGWGrid::DropCells()
{
    Clear();
    FNumCols = 0;
    FNumRows = 0;
}

bool TGWGrid::Generate(const TWorldRect& ThermRect)
{
    DropCells();
    FGridSize = VDistance() * FTimeForGrid;
    if (!FModel) return false;
    // A porosity, velocity or period of 0 gives no usable cell size; the
    // dialog accepts such numbers, so they are refused here.
    if (!std::isfinite(FGridSize) || FGridSize <= 0)
        throw EKPError(QStringLiteral("Die Zellgröße des Grundwassergitters ist ungültig (%1 m). "
                                      "Bitte Durchlässigkeit, Gradient, Porosität und Transportschritt prüfen.")
                           .arg(FloatToStr(FGridSize)));
    const double x0 = std::min(ThermRect.left, ThermRect.right), x1 = std::max(ThermRect.left, ThermRect.right);
    const double y0 = std::min(ThermRect.top, ThermRect.bottom), y1 = std::max(ThermRect.top, ThermRect.bottom);
    if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1))
        throw EKPError(QStringLiteral("Das Modellgebiet für das Grundwassergitter ist ungültig."));
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, w = x1 - x0, h = y1 - y0;
    const double cs = std::cos(FDirection), sn = std::sin(FDirection);
    const double bw = w * std::abs(cs) + h * std::abs(sn);
    const double bh = w * std::abs(sn) + h * std::abs(cs);
    const double cols = std::ceil(bw / FGridSize), rows = std::ceil(bh / FGridSize);
    if (!(cols * rows <= MaxCells))
        throw EKPError(QStringLiteral("Das Grundwassergitter hätte zu viele Zellen (%1 × %2). "
                                      "Bitte einen längeren Transportschritt wählen.")
                           .arg(FloatToStr(cols), FloatToStr(rows)));
    FNumCols = CeilInt(cols);
    FNumRows = CeilInt(rows);
    FGWBounds = TWorldRect{cx - bw / 2, cy - bh / 2, cx + bw / 2, cy + bh / 2};
    FExtensionX = FNumCols * FGridSize;
    FExtensionY = FNumRows * FGridSize;
    // Grid metres relative to the grid's centre, turned clockwise by
    // Direction (y up), then moved to the rectangle's centre.
    const double ox = FExtensionX / 2, oy = FExtensionY / 2;
    FTransformation = QTransform(cs, -sn, sn, cs, cx - (ox * cs + oy * sn), cy - (-ox * sn + oy * cs));
    FInverse = FTransformation.inverted();
    const int n = FNumRows * FNumCols;
    ReserveItems(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) Add(new TGWElement());
    return true;
}

double TGWGrid::CellWaterHeat(const TGWElement& ACell) const
{
    const double t = ACell.Temperature();
    return VolumetricHeatCapacity(FFluid, t) * FThickness * FPorosity * FGridSize * FGridSize * t / 1000000.0;
}

void TGWGrid::MoveCells()
{
    if (FNumRows <= 0 || Count() == 0) return;
    double removed = 0, obtained = 0;
    for (int c = 0; c < FNumCols; ++c) {
        removed += CellWaterHeat(*Cell(FNumRows - 1, c));
        obtained += CellWaterHeat(*Cell(0, c));
    }
    fEnergyRemoved = removed;
    fEnergyObtained = obtained;
    for (int r = FNumRows - 1; r >= 1; --r)
        for (int c = 0; c < FNumCols; ++c) Cell(r, c)->SetTemperature(Cell(r - 1, c)->Temperature());
}

void TGWGrid::CalculateHCapacity()
{
    for (int i = 0; i < Count(); ++i) Cells(i)->CalculateHCapacity();
}

void TGWGrid::UpdateTemperature()
{
    const double cellArea = FGridSize * FGridSize;
    for (int i = 0; i < Count(); ++i) Cells(i)->UpdateTemperature(cellArea);
}

void TGWGrid::TransferEnergy(bool DoGrap, double DeltaTime)
{
    (void)DoGrap;
    for (int i = 0; i < Count(); ++i) {
        TGWElement* cell = Cells(i);
        const double hc = VolumetricHeatCapacity(FFluid, cell->Temperature()) * FThickness * FPorosity;
        cell->TransferEnergy(hc, DeltaTime);
    }
}

QString TGWGrid::LogLine(TDateTime ADate) const
{
    const QChar tab = QLatin1Char('\t');
    return FormatDateTime(QStringLiteral("dd.mm.yyyy"), ADate) + tab + Format(QStringLiteral("%.3f"), {fEnergyRemoved}) +
           tab + Format(QStringLiteral("%.3f"), {fEnergyObtained}) + tab +
           Format(QStringLiteral("%.2f"), {(fEnergyObtained - fEnergyRemoved) / 3.6});
}

QStringList TGWGrid::ReportLines(TDateTime ADate) const
{
    return {FormatDateTime(QStringLiteral("dd.mm.yyyy"), ADate) + QLatin1Char(':'),
            Format(QStringLiteral("  Abstrom [MJ]: %f"), {fEnergyRemoved}),
            Format(QStringLiteral("  Zustrom [MJ]: %f"), {fEnergyObtained}),
            Format(QStringLiteral("  Bilanz [kWh]: %f"), {(fEnergyObtained - fEnergyRemoved) / 3.6})};
}

QString TGWGrid::TransferLogText(double SumOfQGWload, double TimeStep)
{
    return QLatin1Char('\t') + Format(QStringLiteral("%.2f"), {SumOfQGWload * TimeStep / 3600000.0});
}

void TGWGrid::ReadData(TStream& S)
{
    const double direction = S.ReadDouble();
    const double gradient = S.ReadDouble();
    const double porosity = S.ReadDouble();
    const double kf = S.ReadDouble();
    const double thickness = S.ReadDouble();
    const double timeForGrid = S.ReadDouble();
    const TFluid fluid = S.ReadEnum<TFluid>(FluidMaxOrdinal, "Fluid des Grundwassers");
    FDirection = direction;
    FGradient = gradient;
    FPorosity = porosity;
    FKF = kf;
    FThickness = thickness;
    FTimeForGrid = timeForGrid;
    FFluid = fluid;
    // Cells are not stored; the old ones would not fit the new settings.
    DropCells();
    SetOwnsObjects(true);
}

void TGWGrid::WriteData(TStream& S)
{
    S.WriteDouble(FDirection);
    S.WriteDouble(FGradient);
    S.WriteDouble(FPorosity);
    S.WriteDouble(FKF);
    S.WriteDouble(FThickness);
    S.WriteDouble(FTimeForGrid);
    S.WriteEnum(FFluid);
}
