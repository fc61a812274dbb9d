#include "model/contours/ContourObj.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

constexpr TCastArray CaseTable = {{
    {{{0, 0, 8}, {0, 2, 5}, {7, 6, 9}}},
    {{{0, 3, 4}, {1, 3, 1}, {4, 3, 0}}},
    {{{9, 6, 7}, {5, 2, 0}, {8, 0, 0}}},
}};

const QString ExportPattern = QStringLiteral(" 0.######;-0.#######");

int Sign(double H)
{
    return H > 0 ? 1 : (H < 0 ? -1 : 0);
}

// The corners 1..4 and the centre 0 of a cell for one level.
struct TCellPoints {
    double h[5];
    double xh[5];
    double yh[5];

    // Where the level crosses the edge p-q; in this form so that the result
    // does not depend on anything but the two ends.
    void Crossing(int p, int q, double& x, double& y) const
    {
        x = (h[q] * xh[p] - h[p] * xh[q]) / (h[q] - h[p]);
        y = (h[q] * yh[p] - h[p] * yh[q]) / (h[q] - h[p]);
    }
};

}  // namespace

TContourMap::TContourMap()
    : FY(TVec::Zero(100)), FX(TVec::Zero(100)), FZ(TVec::Zero(6)), casttab(CaseTable)
{
}

TContourMap::~TContourMap() = default;

bool TContourMap::DataMatchesAxes() const
{
    return FData.rows() == FY.size() && FData.cols() == FX.size();
}

void TContourMap::ContourGrid(const TSegmentProc& Segment) const
{
    const Eigen::Index nX = FX.size();
    const Eigen::Index nY = FY.size();
    if (nX < 2 || nY < 2 || FZ.size() < 1 || !DataMatchesAxes() || !Segment) return;
    for (Eigen::Index j = nY - 2; j >= 0; --j)
        for (Eigen::Index i = 0; i + 1 < nX; ++i) ContourCell(i, j, Segment);
}

void TContourMap::ContourCell(Eigen::Index i, Eigen::Index j, const TSegmentProc& Segment) const
{
    const double d[5] = {0, FData(j, i), FData(j, i + 1), FData(j + 1, i + 1), FData(j + 1, i)};
    TCellPoints c;
    c.xh[1] = FX[i], c.yh[1] = FY[j];
    c.xh[2] = FX[i + 1], c.yh[2] = FY[j];
    c.xh[3] = FX[i + 1], c.yh[3] = FY[j + 1];
    c.xh[4] = FX[i], c.yh[4] = FY[j + 1];
    c.xh[0] = (FX[i] + FX[i + 1]) / 2;
    c.yh[0] = (FY[j] + FY[j + 1]) / 2;
    for (int m = 0; m <= 4; ++m)
        if ((m > 0 && !std::isfinite(d[m])) || !std::isfinite(c.xh[m]) || !std::isfinite(c.yh[m])) return;
    const double dmin = std::min({d[1], d[2], d[3], d[4]});
    const double dmax = std::max({d[1], d[2], d[3], d[4]});
    const Eigen::Index nZ = FZ.size();
    if (dmax < FZ[0] || dmin > FZ[nZ - 1]) return;
    for (Eigen::Index k = 0; k < nZ; ++k) {
        const double z = FZ[k];
        if (!(z > dmin && z <= dmax)) continue;
        for (int m = 1; m <= 4; ++m) c.h[m] = d[m] - z;
        c.h[0] = (c.h[1] + c.h[2] + c.h[3] + c.h[4]) / 4;
        int s[5];
        for (int m = 0; m <= 4; ++m) s[m] = Sign(c.h[m]);
        for (int m = 1; m <= 4; ++m) {
            const int m1 = m, m2 = 0, m3 = m == 4 ? 1 : m + 1;
            double ax = 0, ay = 0, bx = 0, by = 0;
            switch (casttab[s[m1] + 1][s[m2] + 1][s[m3] + 1]) {
            case 1:
                ax = c.xh[m1], ay = c.yh[m1], bx = c.xh[m2], by = c.yh[m2];
                break;
            case 2:
                ax = c.xh[m2], ay = c.yh[m2], bx = c.xh[m3], by = c.yh[m3];
                break;
            case 3:
                ax = c.xh[m3], ay = c.yh[m3], bx = c.xh[m1], by = c.yh[m1];
                break;
            case 4:
                ax = c.xh[m1], ay = c.yh[m1];
                c.Crossing(m2, m3, bx, by);
                break;
            case 5:
                ax = c.xh[m2], ay = c.yh[m2];
                c.Crossing(m3, m1, bx, by);
                break;
            case 6:
                ax = c.xh[m3], ay = c.yh[m3];
                c.Crossing(m1, m2, bx, by);
                break;
            case 7:
                c.Crossing(m1, m2, ax, ay);
                c.Crossing(m2, m3, bx, by);
                break;
            case 8:
                c.Crossing(m2, m3, ax, ay);
                c.Crossing(m3, m1, bx, by);
                break;
            case 9:
                c.Crossing(m3, m1, ax, ay);
                c.Crossing(m1, m2, bx, by);
                break;
            default:
                continue;
            }
            Segment(static_cast<int>(k), ax, ay, bx, by);
        }
    }
}

void TContourMap::Draw(TCustomCanvas* ACanvas)
{
    if (!ACanvas) return;
    ContourGrid([ACanvas](int, double ax, double ay, double bx, double by) {
        ACanvas->MoveTo(RoundEven(ax), RoundEven(ay));
        ACanvas->LineTo(RoundEven(bx), RoundEven(by));
    });
}

void TContourMap::WriteData(TStream& S)
{
    S.WriteInt32(static_cast<std::int32_t>(FX.size()));
    S.WriteInt32(static_cast<std::int32_t>(FY.size()));
}

void TContourMap::ReadGridSize(TStream& S, std::int32_t& Cols, std::int32_t& Rows)
{
    Cols = S.ReadInt32();
    Rows = S.ReadInt32();
    if (Cols < 0 || Cols > MaxContourGridLength)
        throw EReadError(QStringLiteral("Ungültige Spaltenzahl des Isothermenrasters: %1").arg(Cols));
    if (Rows < 0 || Rows > MaxContourGridLength)
        throw EReadError(QStringLiteral("Ungültige Zeilenzahl des Isothermenrasters: %1").arg(Rows));
}

void TContourMap::ApplyGridSize(std::int32_t Cols, std::int32_t Rows)
{
    FX.setZero(Cols);
    FY.setZero(Rows);
}

void TContourMap::ReadData(TStream& S)
{
    std::int32_t cols = 0, rows = 0;
    ReadGridSize(S, cols, rows);
    ApplyGridSize(cols, rows);
}

void TContourMap::SaveToStrings(TConvType AUnitMap, TConvType AUnitWL, QStringList* TheStrings, double XOffset,
                                double YOffset, double MapScale)
{
    if (!TheStrings) return;
    const double mapFactor = MetersPerUnit(AUnitMap);
    const double valueFactor = MetersPerUnit(AUnitWL);
    if (!DataMatchesAxes())
        throw EKPError(QStringLiteral("Die Werte der Isothermenkarte passen nicht zu ihrem Raster (%1 × %2 Werte, "
                                      "%3 × %4 Punkte).")
                           .arg(FData.cols())
                           .arg(FData.rows())
                           .arg(FX.size())
                           .arg(FY.size()));
    const QChar tab(QLatin1Char('\t'));
    QStringList lines;
    lines.reserve(FX.size() * FY.size());
    for (Eigen::Index r = 0; r < FY.size(); ++r)
        for (Eigen::Index c = 0; c < FX.size(); ++c) {
            const double x = (FX[c] / 10000 * MapScale + XOffset) * mapFactor;
            const double y = (FY[r] / 10000 * MapScale + YOffset) * mapFactor;
            const double z = FData(r, c) * valueFactor;
            lines.append(FormatFloat(ExportPattern, x) + tab + FormatFloat(ExportPattern, y) + tab +
                         FormatFloat(ExportPattern, z));
        }
    TheStrings->append(lines);
}

void TContourMap::SaveToFile(TConvType AUnitMap, TConvType AUnitWL, const QString& AFilename, double XOffset,
                             double YOffset, double MapScale)
{
    QStringList lines;
    SaveToStrings(AUnitMap, AUnitWL, &lines, XOffset, YOffset, MapScale);
    QByteArray text;
    for (const QString& line : lines) text += line.toUtf8() + "\r\n";
    QSaveFile file(AFilename);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(AFilename), file.errorString()));
}
