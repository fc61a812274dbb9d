// The model's isotherms: recomputing the contour map from the nodes' custom
// values, and the contours dialog.

#include "model/model/MainModelObj.h"

#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/contours/ContourRefresh.h"
#include "model/model/ThermModelDialogs.h"

namespace {

const QString AutoText = QStringLiteral("Auto");

// A cell of the line-style grid as the grid reads numbers: empty or a lone
// "-" is 0, anything else must be a number (EConvertError otherwise).
double GridCellNumber(const QString& Text)
{
    const QString t = Text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("-")) return 0;
    return StrToFloat(t);
}

QString RangeText(bool Auto, double Value)
{
    return Auto ? AutoText : FloatToStr(Value);
}

// General format with 3 significant digits, as the grid shows widths.
QString WidthText(float Width)
{
    return Format(QStringLiteral("%.3g"), {static_cast<double>(Width)});
}

}  // namespace

void TThermModel::RefreshContourMap()
{
    TContourRefreshSettings settings;
    settings.Method = FContourMethod;
    settings.Cols = FContourMapCols;
    settings.Rows = FContourMapRows;
    settings.ShowDelta = FShowDeltaInContour;
    settings.InitialTemperature = FDefFA;
    RefreshContourLines(*fContourMap, *FFieldModel, settings);
    FMainLoop->SetIsDirty(false);
}

TContoursEditData TThermModel::ContourSettings() const
{
    const TMVContourMap& map = *fContourMap;
    TContoursEditData d;
    d.UseFE = FContourMethod == lcFe;
    d.NumCols = FContourMapCols;
    d.NumRows = FContourMapRows;
    d.Delta = FShowDeltaInContour;
    d.SkipZeroLine = map.SkipZeroLine();
    d.ValueFormat = map.LineLabelFormat();
    d.ShowLabels = map.LineLabels();
    d.Opak = map.LineLabelDeleteBackground();
    d.LabelFont = map.LineLabelFont();
    d.MinDistance = map.LineLabelDist() / 10;
    d.ZMin = RangeText(map.ZAutoMin(), map.ZMin());
    d.ZMax = RangeText(map.ZAutoMax(), map.ZMax());
    d.ZDelta = RangeText(map.ZAutoDist(), map.ZDist());
    d.Standard = TContourStyleRow{QStringLiteral("Standard"), map.LineColor(), WidthText(map.LineWidth())};
    for (int i = 0; i < map.LineStyles.Count(); ++i) {
        const TMVContourLineStyle* s = map.Styles(i);
        d.Styles.push_back(TContourStyleRow{FloatToStr(s->ZValue()), s->Color(), WidthText(s->Width())});
    }
    return d;
}

bool TThermModel::ContoursEdit()
{
    TContoursEditData d = ContourSettings();
    const bool ok = ModelUI<TThermModelDialogs>().EditContours(
        d, [this](const TContoursEditData& Data) { ApplyContourSettings(Data); });
    if (ok) ApplyContourSettings(d);
    return ok;
}

void TThermModel::ApplyContourSettings(const TContoursEditData& Data)
{
    // The grid's numbers are read before anything is taken over, so a cell
    // that is no number (EConvertError) changes no setting.
    const double standardWidth = GridCellNumber(Data.Standard.Width);
    std::vector<std::unique_ptr<TMVContourLineStyle>> styles;
    for (const TContourStyleRow& row : Data.Styles)
        styles.push_back(std::make_unique<TMVContourLineStyle>(GridCellNumber(row.Level), row.Color,
                                                               static_cast<float>(GridCellNumber(row.Width))));

    TMVContourMap& map = *fContourMap;
    FContourMethod = Data.UseFE ? lcFe : lcGrid;
    FContourMapCols = Data.NumCols;
    FContourMapRows = Data.NumRows;
    FShowDeltaInContour = Data.Delta;
    map.SetSkipZeroLine(Data.SkipZeroLine);
    map.SetLineWidth(static_cast<float>(standardWidth));
    map.SetLineColor(Data.Standard.Color);
    map.LineStyles.Clear();
    for (auto& s : styles) map.LineStyles.Add(std::move(s));
    map.SetLineLabels(Data.ShowLabels);
    map.SetLineLabelFormat(Data.ValueFormat);
    map.SetLineLabelDeleteBackground(Data.Opak);
    map.SetLineLabelFont(Data.LabelFont);
    map.SetLineLabelDist(Data.MinDistance * 10);
    double v = 0;
    if (TryStrToFloat(Data.ZMin, v)) {
        map.SetZMin(v);
        map.SetZAutoMin(false);
    } else {
        map.SetZAutoMin(true);
    }
    if (TryStrToFloat(Data.ZMax, v)) {
        map.SetZMax(v);
        map.SetZAutoMax(false);
    } else {
        map.SetZAutoMax(true);
    }
    if (TryStrToFloat(Data.ZDelta, v)) {
        map.SetZDist(v);
        map.SetZAutoDist(false);
    } else {
        map.SetZAutoDist(true);
    }
    RefreshContourMap();
    map.TransferSettingsToLines();
    if (FRedrawEvent) FRedrawEvent(nullptr);
}
