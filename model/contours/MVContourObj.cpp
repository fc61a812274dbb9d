#include "model/contours/MVContourObj.h"

#include "model/base/KPError.h"
#include "model/base/Rounding.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/contours/SegmentJoiner.h"

#include <algorithm>
#include <cmath>

TMVContourMap::TMVContourMap()
{
    FLineLabelFont.SetName(QStringLiteral("Arial"));
    FLineLabelFont.SetSize(10);
    LineStyles.Add(std::make_unique<TMVContourLineStyle>(-1, 0xFF0000, 5.0f));
    LineStyles.Add(std::make_unique<TMVContourLineStyle>(1, 0x0000FF, 5.0f));
}

TMVContourMap::~TMVContourMap() = default;

void TMVContourMap::SetLabelFactor(double Value)
{
    FLabelFactor = Value;
    for (int i = 0; i < TheLines.Count(); ++i) Lines(i)->SetLabelFactor(Value);
}

void TMVContourMap::SetConvertFunction(TConvertFunction Value)
{
    FConvertFunction = std::move(Value);
    for (int i = 0; i < TheLines.Count(); ++i) Lines(i)->SetConvertFunction(FConvertFunction);
}

void TMVContourMap::BuildContourLines()
{
    TheLines.Clear();
    const Eigen::Index levels = Z().size();
    std::vector<TContourLine*> perLevel;
    perLevel.reserve(static_cast<size_t>(levels));
    for (Eigen::Index k = 0; k < levels; ++k) {
        TContourLine* line = TheLines.Add(std::make_unique<TContourLine>(FConvertFunction));
        line->SetZLevel(Z()[k]);
        perLevel.push_back(line);
    }
    std::vector<std::vector<TSegmentJoiner::TSegment>> segments(static_cast<size_t>(levels));
    if (Data().rows() >= 1 && Data().cols() >= 1 && DataMatchesAxes())
        ContourGrid([&segments](int k, double ax, double ay, double bx, double by) {
            segments[static_cast<size_t>(k)].push_back(TSegmentJoiner::TSegment{ax, ay, bx, by});
        });
    // Joining a level's segments line after line as MakePolyline does, but
    // over one index of end points for the whole level.
    std::vector<std::unique_ptr<TContourLine>> further;
    for (size_t k = 0; k < perLevel.size(); ++k) {
        TSegmentJoiner joiner(std::move(segments[k]));
        perLevel[k]->SetWorldPoints(joiner.Next());
        while (!joiner.Empty()) {
            auto line = std::make_unique<TContourLine>(FConvertFunction);
            line->SetZLevel(perLevel[k]->ZLevel());
            line->SetWorldPoints(joiner.Next());
            further.push_back(std::move(line));
        }
    }
    for (auto& line : further) TheLines.Add(std::move(line));
    TransferSettingsToLines();
}

void TMVContourMap::PrepareMap(QImage* /*AMapBMP*/, TRect& /*Dest*/)
{
    BuildContourLines();
}

void TMVContourMap::TransferSettingsToLines()
{
    for (int i = 0; i < TheLines.Count(); ++i) {
        TContourLine* line = Lines(i);
        line->SetFont(FLineLabelFont);
        line->SetLabelMask(FLineLabelFormat);
        line->SetLabelDistance(FLineLabelDist);
        line->SetShowLabels(FLineLabels);
        line->SetColor(FLineColor);
        line->SetWidth(FLineWidth);
        for (int s = 0; s < LineStyles.Count(); ++s) {
            const TMVContourLineStyle* style = Styles(s);
            if (style->ZValue() != line->ZLevel()) continue;
            line->SetColor(style->Color());
            line->SetWidth(style->Width());
            break;
        }
        line->SetDeleteBackground(FLineLabelDeleteBackground);
    }
}

void TMVContourMap::Draw(TCustomCanvas* ACanvas)
{
    if (!ACanvas || !FShowContours) return;
    for (int i = 0; i < TheLines.Count(); ++i) Lines(i)->Draw(*ACanvas);
}

void TMVContourMap::D2Draw(TDirect2DCanvas& ACanvas)
{
    TD2RenderTarget& target = ACanvas.RenderTarget();
    for (int i = 0; i < TheLines.Count(); ++i) {
        TContourLine* line = Lines(i);
        const TD2BrushPtr brush = ACanvas.CreateBrush(line->Color());
        if (line->D2Path) target.DrawGeometry(line->D2Path, brush, line->Width());
        if (FLineLabels) line->D2DrawLabels(ACanvas);
    }
}

void TMVContourMap::DrawGrid(TCustomCanvas& ACanvas)
{
    for (Eigen::Index r = 0; r < Y().size(); ++r)
        for (Eigen::Index c = 0; c < X().size(); ++c) {
            const int x = RoundEven(X()[c]);
            const int y = RoundEven(Y()[r]);
            ACanvas.Ellipse(x - 3, y - 3, x + 3, y + 3);
        }
}

void TMVContourMap::WriteData(TStream& S)
{
    S.WriteBoolean(FShowContours);
    S.WriteInt32(static_cast<std::int32_t>(FLineColor));
    S.WriteSingle(FLineWidth);
    S.WriteBoolean(FLineLabels);
    S.WriteInt32(FLineLabelDist);
    WriteStringToStream(S, FLineLabelFormat);
    FLineLabelFont.Store(S);
    S.WriteBoolean(FZAutoMin);
    S.WriteBoolean(FZAutoMax);
    S.WriteBoolean(FZAutoDist);
    S.WriteDouble(FZMin);
    S.WriteDouble(FZMax);
    S.WriteDouble(FZDist);
    S.WriteBoolean(FAxisLabels);
    S.WriteBoolean(FLineLabelDeleteBackground);
    LineStyles.WriteData(S);
    S.WriteBoolean(FSkipZeroLine);
    TContourMap::WriteData(S);
}

void TMVContourMap::ReadData(TStream& S)
{
    const bool showContours = S.ReadBoolean();
    const TColor lineColor = static_cast<TColor>(S.ReadInt32());
    const float lineWidth = S.ReadSingle();
    const bool lineLabels = S.ReadBoolean();
    const std::int32_t labelDist = S.ReadInt32();
    const QString labelFormat = ReadStringFromStream(S);
    KPStreamFt::TStreamFont font;
    font.Load(S);
    const bool autoMin = S.ReadBoolean();
    const bool autoMax = S.ReadBoolean();
    const bool autoDist = S.ReadBoolean();
    const double zMin = S.ReadDouble();
    const double zMax = S.ReadDouble();
    const double zDist = S.ReadDouble();
    const bool axisLabels = S.ReadBoolean();
    const bool deleteBackground = S.ReadBoolean();
    TMVObjectList styles;
    if (FileVersionAtLeast(1, 3)) {
        styles.ReadData(S);
        for (int i = 0; i < styles.Count(); ++i)
            if (!dynamic_cast<TMVContourLineStyle*>(styles.Items(i)))
                throw EReadError(QStringLiteral("Unerwartete Klasse %1 in den Linienstilen der Isothermenkarte")
                                     .arg(styles.Items(i)->ClassName()));
    }
    const bool skipZeroLine = FileVersionAtLeast(2, 1) ? S.ReadBoolean() : true;
    std::int32_t cols = 0, rows = 0;
    ReadGridSize(S, cols, rows);

    FShowContours = showContours;
    FLineColor = lineColor;
    FLineWidth = lineWidth;
    FLineLabels = lineLabels;
    FLineLabelDist = labelDist;
    FLineLabelFormat = labelFormat;
    FLineLabelFont = font;
    FZAutoMin = autoMin;
    FZAutoMax = autoMax;
    FZAutoDist = autoDist;
    FZMin = zMin;
    FZMax = zMax;
    FZDist = zDist;
    FAxisLabels = axisLabels;
    FLineLabelDeleteBackground = deleteBackground;
    LineStyles.Clear();
    for (int i = 0; i < styles.Count(); ++i) LineStyles.Add(styles.Items(i));
    styles.SetOwnsObjects(false);
    FSkipZeroLine = skipZeroLine;
    ApplyGridSize(cols, rows);
}

void TMVContourMap::SetLevels(double Lowest, double Highest, double AutoDist, double SkipValue)
{
    const double zmin = FZAutoMin ? std::ceil(10 * Lowest) / 10 : FZMin;
    const double zmax = FZAutoMax ? std::floor(10 * Highest) / 10 : FZMax;
    const double dz = FZAutoDist ? AutoDist : FZDist;
    std::vector<double> levels = ContourLevelValues(zmin, zmax, dz, AutoDist);
    if (FSkipZeroLine && zmin <= SkipValue && SkipValue <= zmax)
        levels.erase(std::remove(levels.begin(), levels.end(), SkipValue), levels.end());
    Z() = Eigen::Map<const TVec>(levels.data(), static_cast<Eigen::Index>(levels.size()));
}

std::vector<double> ContourLevelValues(double Zmin, double Zmax, double Dz, double AutoDz)
{
    std::vector<double> levels;
    if (!(Dz > 0) || !std::isfinite(Dz)) Dz = AutoDz;
    const double range = Zmax - Zmin;
    if (!(Dz > 0) || !std::isfinite(Dz) || !std::isfinite(Zmin) || !std::isfinite(range) || range < 0) return levels;
    double ratio = range / Dz;
    if (!(ratio <= MaxContourLevels - 1)) {
        // Too fine: a whole multiple of the spacing keeps the levels on its steps.
        const double factor = std::ceil(ratio / (MaxContourLevels - 1));
        Dz = std::isfinite(factor) ? Dz * factor : range / (MaxContourLevels - 1);
        ratio = range / Dz;
    }
    const int n = std::min(FloorInt(ratio) + 1, MaxContourLevels);
    levels.reserve(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) levels.push_back(Zmin + k * Dz);
    return levels;
}

void RegisterContourStreamClasses()
{
    RegisterStreamClass<TMVContourLineStyle>();
}
