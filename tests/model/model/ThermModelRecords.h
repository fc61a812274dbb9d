#pragma once

// Thermal-model records as files of older versions hold them, built from the
// parts' own writers where their record did not change and by hand where it
// did. The model must have no probes and no mesh nodes: their records differ
// between versions as well, which their own tests cover.

#include "model/base/Stream.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/model/MainModelObj.h"

#include <QByteArray>
#include <vector>

inline bool VersionAtLeast(int Major, int Minor, int AtLeastMajor, int AtLeastMinor)
{
    return Major > AtLeastMajor || (Major == AtLeastMajor && Minor >= AtLeastMinor);
}

inline void WriteOldContourMap(TMVContourMap& Map, TStream& S, int Major, int Minor)
{
    S.WriteBoolean(Map.ShowContours());
    S.WriteInt32(static_cast<std::int32_t>(Map.LineColor()));
    S.WriteSingle(Map.LineWidth());
    S.WriteBoolean(Map.LineLabels());
    S.WriteInt32(Map.LineLabelDist());
    WriteStringToStream(S, Map.LineLabelFormat());
    Map.LineLabelFont().Store(S);
    S.WriteBoolean(Map.ZAutoMin());
    S.WriteBoolean(Map.ZAutoMax());
    S.WriteBoolean(Map.ZAutoDist());
    S.WriteDouble(Map.ZMin());
    S.WriteDouble(Map.ZMax());
    S.WriteDouble(Map.ZDist());
    S.WriteBoolean(Map.AxisLabels());
    S.WriteBoolean(Map.LineLabelDeleteBackground());
    if (VersionAtLeast(Major, Minor, 1, 3)) Map.LineStyles.WriteData(S);
    if (VersionAtLeast(Major, Minor, 2, 1)) S.WriteBoolean(Map.SkipZeroLine());
    Map.TContourMap::WriteData(S);
}

// Marks, when given, receives the stream position after every field.
inline void WriteOldModelRecord(TThermModel& M, TStream& S, int Major, int Minor,
                                std::vector<qint64>* Marks = nullptr)
{
    auto mark = [&] {
        if (Marks) Marks->push_back(S.Position());
    };
    WriteStringToStream(S, M.Name());
    mark();
    for (double v : {M.DefLambda(), M.DefRhoCP(), M.DefAirTemperature(), M.DefAlphaSurface(), M.DefQEarth(),
                     M.DefThickness(), M.DefFA(), M.GridInnerArea(), M.GridOuterArea(), M.GridScaleFactor(),
                     M.GridDeltaBorder()}) {
        S.WriteDouble(v);
        mark();
    }
    M.BHEs().WriteData(S);
    mark();
    M.BHEDataList().WriteData(S);
    mark();
    M.MonitoringList()->SetContainersIndex(M.BHEs(), M.FieldModel()->NodesList());
    M.MonitoringList()->WriteData(S);
    mark();
    M.Paramsets().WriteData(S);
    mark();
    if (VersionAtLeast(Major, Minor, 1, 1)) S.WriteBoolean(M.MainLoop()->UseGW());
    mark();
    M.MainLoop()->TimeEngine().Write(S);
    mark();
    S.WriteDouble(M.FluxFluid());
    mark();
    S.WriteByte(M.Fluid());
    mark();
    S.WriteDouble(M.InitalFluidTemperature());
    mark();
    THeatpump& hp = *M.HeatPump();
    WriteStringToStream(S, hp.Name());
    S.WriteDouble(hp.WaterTemperature());
    hp.COP()->Write(S);
    hp.HeatPower()->Write(S);
    if (VersionAtLeast(Major, Minor, 1, 2)) {
        S.WriteDouble(hp.CoolWaterTemperature());
        hp.CoolCOP()->Write(S);
        hp.CoolPower()->Write(S);
    }
    mark();
    M.FieldModel()->Write(S);
    mark();
    if (VersionAtLeast(Major, Minor, 1, 1)) M.GW()->WriteData(S);
    mark();
    if (VersionAtLeast(Major, Minor, 1, 2)) {
        S.WriteInt32(M.ContourMapCols());
        mark();
        S.WriteInt32(M.ContourMapRows());
        mark();
        S.WriteBoolean(M.ShowDeltaInContour());
        mark();
        WriteOldContourMap(*M.ContourMap(), S, Major, Minor);
        mark();
    }
    if (VersionAtLeast(Major, Minor, 1, 3)) {
        S.WriteByte(M.ContourMethod());
        mark();
        WriteStringToStream(S, M.DataFileDir());
        mark();
        WriteStringToStream(S, M.DataFilePrefix());
        mark();
    }
}

// A model with a value in every field whose presence depends on the version.
inline void FillVersionedFields(TThermModel& M)
{
    M.SetName(QStringLiteral("Versionen"));
    M.SetDefLambda(3.1);
    M.SetGridDeltaBorder(44);
    M.MainLoop()->SetUseGW(true);
    M.MainLoop()->TimeEngine().SetTimeStep(600);
    M.HeatPump()->SetName(QStringLiteral("WP 12"));
    M.HeatPump()->SetCoolWaterTemperature(22);
    M.HeatPump()->CoolCOP()->SetA(-0.3);
    M.HeatPump()->CoolCOP()->SetB(7.5);
    M.GW()->SetPorosity(0.3);
    M.GW()->SetKF(2e-4);
    M.GW()->SetTimeForGrid(86400 * 3);
    M.SetContourMapCols(33);
    M.SetContourMapRows(44);
    M.SetShowDeltaInContour(false);
    M.ContourMap()->SetLineLabelDist(999);
    M.ContourMap()->LineStyles.Add(std::make_unique<TMVContourLineStyle>(2.0, 0x00FF00, 3.0f));
    M.ContourMap()->SetSkipZeroLine(false);
    M.SetContourMethod(lcGrid);
    M.SetDataFileDir(QStringLiteral("/daten"));
    M.SetDataFilePrefix(QStringLiteral("feld"));
}
