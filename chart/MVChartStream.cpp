// The chart's stored record: the -2 marker, layout, legend, the four axes, the Q diagram.
#include "chart/MVChart.h"

#include "model/base/Stream.h"
#include "model/settings/Streamft.h"

namespace {

constexpr std::int32_t FormatMarker = -2;

} // namespace

// Everything a load reads, held apart until the whole record has been read.
class TChartRecord {
public:
    std::int32_t ChartWidth = 0, ChartHeight = 0;
    bool ChartWidthAuto = false, ChartHeightAuto = false;
    std::int32_t MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
    TColor ChartColor = 0;
    bool LegendVisible = false;
    std::int32_t LegendCols = 0, LegendRows = 0;
    TAnchorKind LegendPosition = akBottom;
    Streamft::TStreamFont LegendFont;
    TMVHorzAxis TopAxis, BottomAxis;
    TMVVertAxis LeftAxis, QAxis;
    bool HasQ = false;
    bool QDiagram = false;
    double SplitRatio = 0;

    void Read(TStream& S, bool Legacy)
    {
        const std::int32_t first = S.ReadInt32();
        HasQ = first < -1;
        ChartWidth = HasQ ? S.ReadInt32() : first;
        ChartWidthAuto = S.ReadBoolean();
        ChartHeight = S.ReadInt32();
        ChartHeightAuto = S.ReadBoolean();
        MarginLeft = S.ReadInt32();
        MarginTop = S.ReadInt32();
        MarginRight = S.ReadInt32();
        MarginBottom = S.ReadInt32();
        ChartColor = static_cast<TColor>(S.ReadInt32());
        LegendVisible = S.ReadBoolean();
        // The legend divides by both counts; no setter ever lets them below 1.
        LegendCols = S.ReadInt32();
        if (LegendCols <= 0) S.FailCorrupt("Spaltenzahl der Legende", LegendCols);
        LegendRows = S.ReadInt32();
        if (LegendRows <= 0) S.FailCorrupt("Zeilenzahl der Legende", LegendRows);
        LegendPosition = S.ReadEnum<TAnchorKind>(akBottom, "Position der Legende");
        if (Legacy) {
            LegendFont.LoadShortString(S);
            TopAxis.LoadLegacy(S);
            LeftAxis.LoadLegacy(S);
            BottomAxis.LoadLegacy(S);
        } else {
            LegendFont.Load(S);
            TopAxis.LoadFromStream(S);
            LeftAxis.LoadFromStream(S);
            BottomAxis.LoadFromStream(S);
        }
        if (!HasQ) return;
        if (Legacy)
            QAxis.LoadLegacy(S);
        else
            QAxis.LoadFromStream(S);
        QDiagram = S.ReadBoolean();
        SplitRatio = S.ReadDouble();
    }

    void ApplyTo(TMVChart& C) const
    {
        C.FChartWidth = ChartWidth;
        C.FChartWidthAuto = ChartWidthAuto;
        C.FChartHeight = ChartHeight;
        C.FChartHeightAuto = ChartHeightAuto;
        C.FMarginLeft = MarginLeft;
        C.FMarginTop = MarginTop;
        C.FMarginRight = MarginRight;
        C.FMarginBottom = MarginBottom;
        C.FChartColor = ChartColor;
        C.FLegendVisible = LegendVisible;
        C.FLegendCols = LegendCols;
        C.FLegendRows = LegendRows;
        C.FLegendPosition = LegendPosition;
        C.FLegendFont->Assign(LegendFont);
        // Into the existing axes: the lines and the owner keep pointing at them.
        C.FTopAxis->AssignStored(TopAxis);
        C.FLeftAxis->AssignStored(LeftAxis);
        C.FBottomAxis->AssignStored(BottomAxis);
        if (HasQ) {
            C.FQAxis->AssignStored(QAxis);
            C.FQDiagram = QDiagram;
            C.FSplitRatio = SplitRatio;
        }
        C.ResizePaintBox();
    }
};

void TMVChart::WriteToStream(TStream& S) const
{
    S.WriteInt32(FormatMarker);
    S.WriteInt32(FChartWidth);
    S.WriteBoolean(FChartWidthAuto);
    S.WriteInt32(FChartHeight);
    S.WriteBoolean(FChartHeightAuto);
    S.WriteInt32(FMarginLeft);
    S.WriteInt32(FMarginTop);
    S.WriteInt32(FMarginRight);
    S.WriteInt32(FMarginBottom);
    S.WriteInt32(static_cast<std::int32_t>(FChartColor));
    S.WriteBoolean(FLegendVisible);
    S.WriteInt32(FLegendCols);
    S.WriteInt32(FLegendRows);
    S.WriteEnum(FLegendPosition);
    FLegendFont->Store(S);
    FTopAxis->WriteToStream(S);
    FLeftAxis->WriteToStream(S);
    FBottomAxis->WriteToStream(S);
    FQAxis->WriteToStream(S);
    S.WriteBoolean(FQDiagram);
    S.WriteDouble(FSplitRatio);
}

void TMVChart::LoadFromStream(TStream& S)
{
    TChartRecord record;
    record.Read(S, false);
    record.ApplyTo(*this);
}

void TMVChart::LoadLegacy(TStream& S)
{
    TChartRecord record;
    record.Read(S, true);
    record.ApplyTo(*this);
}
