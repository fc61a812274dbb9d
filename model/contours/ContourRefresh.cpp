#include "model/contours/ContourRefresh.h"

namespace {

double SkipValueOf(const TContourRefreshSettings& Settings)
{
    return Settings.ShowDelta ? 0.0 : Settings.InitialTemperature;
}

void RefreshFromTriangles(TMVContourMap& Map, T2DTriangleModel& FieldModel, const TContourRefreshSettings& Settings)
{
    Map.TheLines.Clear();
    double lowest = 0, highest = 0, minx = 0, maxx = 0, miny = 0, maxy = 0;
    if (FieldModel.GetFMinMax(lowest, highest, Settings.ShowDelta, true) &&
        FieldModel.GetModelExtend(minx, maxx, miny, maxy)) {
        Map.SetLevels(lowest, highest, FeAutoLevelDist, SkipValueOf(Settings));
        std::vector<TFEContourLine> lines;
        for (Eigen::Index k = 0; k < Map.Z().size(); ++k)
            FieldModel.GenerateContourDataTriangle(Map.Z()[k], &lines, Map.ConvertFunction(), true, Settings.ShowDelta,
                                                   minx, maxx, miny, maxy);
        AddFELines(Map, lines);
    }
    Map.TransferSettingsToLines();
}

void RefreshFromGrid(TMVContourMap& Map, T2DTriangleModel& FieldModel, const TContourRefreshSettings& Settings)
{
    if (Settings.Cols < 1 || Settings.Rows < 1) {
        // No grid to sample: no values, so no lines, instead of a stale grid.
        Map.Data().resize(0, 0);
    } else {
        FieldModel.GenerateContourGrid(&Map.X(), &Map.Y(), &Map.Data(), Settings.Cols, Settings.Rows);
        if (Settings.ShowDelta) {
            TVec x, y;
            TMtx initial;
            FieldModel.GenerateContourGridatT0(&x, &y, &initial, Settings.Cols, Settings.Rows);
            if (initial.rows() == Map.Data().rows() && initial.cols() == Map.Data().cols()) Map.Data() -= initial;
        }
    }
    if (Map.Data().size() > 0)
        Map.SetLevels(Map.Data().minCoeff(), Map.Data().maxCoeff(), GridAutoLevelDist, SkipValueOf(Settings));
    else
        Map.Z().resize(0);
    TRect dest;
    Map.PrepareMap(nullptr, dest);
}

}  // namespace

void AddFELines(TMVContourMap& Map, std::vector<TFEContourLine>& Lines)
{
    for (TFEContourLine& fe : Lines) {
        auto line = std::make_unique<TContourLine>(Map.ConvertFunction());
        line->SetZLevel(fe.ZLevel);
        line->SetPlanPoints(std::move(fe.DPIPoints), fe.IsOpenLine);
        Map.TheLines.Add(std::move(line));
    }
    Lines.clear();
}

void RefreshContourLines(TMVContourMap& Map, T2DTriangleModel& FieldModel, const TContourRefreshSettings& Settings)
{
    Map.SetShowContours(true);
    switch (Settings.Method) {
    case lcFe:
        RefreshFromTriangles(Map, FieldModel, Settings);
        break;
    case lcGrid:
        RefreshFromGrid(Map, FieldModel, Settings);
        break;
    }
}
