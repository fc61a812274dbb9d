// Sampling the mesh: values at points, grids, min/max, contour lines through
// the triangles, and the text files built from them.

#include "model/fe/NumModel.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/meshfiles/Nodes.h"

#include <cmath>

namespace {

// Crossing points this close are the same point of a contour line.
constexpr double PointTolerance = 1e-10;

struct TGridFrame {
    double X0, Y0, DX, DY;
};

// The model's extent shrunk by 1 m on every side, divided into cells; an
// empty model counts as extent 0.
TGridFrame GridFrame(const TNumModel& Model, int NumCols, int NumRows)
{
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    Model.GetModelExtend(minX, maxX, minY, maxY);
    return TGridFrame{minX + 1, minY + 1, (maxX - 1 - (minX + 1)) / NumCols, (maxY - 1 - (minY + 1)) / NumRows};
}

bool Near(const TCharacteristicPoint* A, double X, double Y)
{
    return A && std::fabs(A->X() - X) <= PointTolerance && std::fabs(A->Y() - Y) <= PointTolerance;
}

// Removes and returns the first element with a crossing point at (X, Y);
// Next is its other crossing point.
TTriangleElement* TakeMatch(std::vector<TTriangleElement*>& Work, double X, double Y,
                            const TCharacteristicPoint*& Next)
{
    for (size_t i = 0; i < Work.size(); ++i) {
        TTriangleElement* element = Work[i];
        const bool atFirst = Near(element->CP1(), X, Y);
        if (!atFirst && !Near(element->CP2(), X, Y)) continue;
        Work.erase(Work.begin() + static_cast<std::ptrdiff_t>(i));
        Next = atFirst && element->CP2() ? element->CP2() : element->CP1();
        return element;
    }
    return nullptr;
}

bool OnEdge(const TCharacteristicPoint* P)
{
    return P && P->EdgeOfMesh();
}

TFEContourLine MakeLine(double ZLevel, bool IsOpenLine, const std::vector<const TCharacteristicPoint*>& Points,
                        const TConvertFunction& Convert)
{
    TFEContourLine line;
    line.ZLevel = ZLevel;
    line.IsOpenLine = IsOpenLine;
    line.DPIPoints.reserve(Points.size());
    for (const TCharacteristicPoint* p : Points)
        line.DPIPoints.push_back(FromQPointF(Convert(QPointF(p->X(), p->Y()))));
    return line;
}

// Lines that begin and end on the border of the mesh.
bool TraceOpenLine(std::vector<TTriangleElement*>& Work, std::vector<const TCharacteristicPoint*>& Points)
{
    TTriangleElement* start = nullptr;
    for (size_t i = 0; i < Work.size() && !start; ++i)
        if (OnEdge(Work[i]->CP1()) || OnEdge(Work[i]->CP2())) {
            start = Work[i];
            Work.erase(Work.begin() + static_cast<std::ptrdiff_t>(i));
        }
    if (!start) return false;
    Points.clear();
    if (OnEdge(start->CP1())) {
        Points.push_back(start->CP1());
        if (!start->CP2()) return true;
        Points.push_back(start->CP2());
        if (OnEdge(start->CP2())) return true;
    } else {
        Points.push_back(start->CP2());
        Points.push_back(start->CP1());
    }
    for (;;) {
        const TCharacteristicPoint* last = Points.back();
        const TCharacteristicPoint* next = nullptr;
        if (!TakeMatch(Work, last->X(), last->Y(), next)) return true;
        Points.push_back(next);
        if (OnEdge(next)) return true;
    }
}

// Lines that close on themselves inside the mesh.
void TraceClosedLine(std::vector<TTriangleElement*>& Work, std::vector<const TCharacteristicPoint*>& Points)
{
    TTriangleElement* start = Work.front();
    Work.erase(Work.begin());
    Points.clear();
    Points.push_back(start->CP1());
    if (start->CP2()) Points.push_back(start->CP2());
    const TCharacteristicPoint* first = start->CP1();
    for (;;) {
        const TCharacteristicPoint* last = Points.back();
        const TCharacteristicPoint* next = nullptr;
        if (!TakeMatch(Work, last->X(), last->Y(), next)) return;
        Points.push_back(next);
        if (next->X() == first->X() && next->Y() == first->Y()) return;
    }
}

}  // namespace

bool T2DTriangleModel::GetFValueAt(double x, double y, bool UseFCustom, double& f) const
{
    for (int e = 0; e < ElementCount(); ++e) {
        const TTriangleElement* triangle = GetElement(e)->AsTriangle();
        if (!triangle || !triangle->PointInElement(x, y)) continue;
        f = UseFCustom ? triangle->ShapeValueFCustom(x, y) : triangle->ShapeValue(x, y);
        return true;
    }
    return false;
}

bool T2DTriangleModel::GetFatT0ValueAt(double x, double y, double& f) const
{
    for (int e = 0; e < ElementCount(); ++e) {
        const TTriangleElement* triangle = GetElement(e)->AsTriangle();
        if (!triangle || !triangle->PointInElement(x, y)) continue;
        f = triangle->ShapeValueAtT0(x, y);
        return true;
    }
    return false;
}

void T2DTriangleModel::SaveRegularGrid(const QString& AFilename, int NumCols, int NumRows) const
{
    if (NumCols < 1 || NumRows < 1)
        throw EKPError(QStringLiteral("Das Raster braucht mindestens eine Spalte und eine Zeile (%1 × %2).")
                           .arg(NumCols)
                           .arg(NumRows));
    const TGridFrame g = GridFrame(*this, NumCols, NumRows);
    const QString pattern = QStringLiteral("0.###");
    const QChar tab(QLatin1Char('\t'));
    QStringList lines;
    for (int i = 0; i <= NumRows; ++i) {
        const double y = g.Y0 + i * g.DY;
        for (int j = 0; j <= NumCols; ++j) {
            const double x = g.X0 + j * g.DX;
            double f = 0;
            const QString value = GetFValueAt(x, y, false, f) ? FormatFloat(pattern, f) : QStringLiteral("unresolved");
            lines.append(FormatFloat(pattern, x) + tab + FormatFloat(pattern, y) + tab + value);
        }
    }
    Nodes::SaveLinesToFile(lines, AFilename);
}

template <typename Value>
void T2DTriangleModel::SampleGrid(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows, Value ValueAt) const
{
    if (!X || !Y || !F || NumCols < 1 || NumRows < 1) return;
    const TGridFrame g = GridFrame(*this, NumCols, NumRows);
    X->resize(NumCols + 1);
    Y->resize(NumRows + 1);
    for (int j = 0; j <= NumCols; ++j) (*X)[j] = g.X0 + j * g.DX;
    for (int i = 0; i <= NumRows; ++i) (*Y)[i] = g.Y0 + i * g.DY;
    *F = TMtx::Zero(NumRows + 1, NumCols + 1);
    for (int i = 0; i <= NumRows; ++i)
        for (int j = 0; j <= NumCols; ++j) {
            double f = 0;
            if (ValueAt((*X)[j], (*Y)[i], f)) (*F)(i, j) = f;
        }
}

void T2DTriangleModel::GenerateContourGrid(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const
{
    SampleGrid(X, Y, F, NumCols, NumRows, [this](double x, double y, double& f) { return GetFValueAt(x, y, true, f); });
}

void T2DTriangleModel::GenerateContourGridatT0(TVec* X, TVec* Y, TMtx* F, int NumCols, int NumRows) const
{
    SampleGrid(X, Y, F, NumCols, NumRows, [this](double x, double y, double& f) { return GetFatT0ValueAt(x, y, f); });
}

bool T2DTriangleModel::GetFMinMax(double& fmin, double& fmax, bool DeltaT0, bool UseCustom) const
{
    if (NodeCount() == 0) return false;
    for (int k = 0; k < NodeCount(); ++k) {
        const TNode* node = GetNodes(k);
        const double v = (UseCustom ? node->FCustom() : node->F()) - (DeltaT0 ? node->FatT0() : 0.0);
        if (k == 0 || v < fmin) fmin = v;
        if (k == 0 || v > fmax) fmax = v;
    }
    return true;
}

bool T2DTriangleModel::ReadFCustomFromFile(const QString& AFilename)
{
    const QStringList lines = Nodes::LoadLinesFromFile(AFilename);
    if (lines.size() != NodeCount()) return false;
    // Every line is checked before any node takes a value.
    std::vector<double> values(static_cast<size_t>(NodeCount()));
    TNode scratch(Blank);
    for (int k = 0; k < NodeCount(); ++k) {
        if (!scratch.ReadFCustomFromTextLine(lines[k])) return false;
        values[static_cast<size_t>(k)] = scratch.FCustom();
    }
    for (int k = 0; k < NodeCount(); ++k) GetNodes(k)->SetFCustom(values[static_cast<size_t>(k)]);
    return true;
}

void T2DTriangleModel::SaveVectorField(QStringList* AStringlist) const
{
    if (!AStringlist) return;
    for (int e = 0; e < ElementCount(); ++e)
        if (const TTriangleElement* triangle = GetElement(e)->AsTriangle()) AStringlist->append(triangle->GetVectorTextLine());
}

bool T2DTriangleModel::GenerateContourDataTriangle(double ZLevel, std::vector<TFEContourLine>* Dest,
                                                   const TConvertFunction& TheConvertFunction, bool UseCustom,
                                                   bool UseDelta, double minx, double maxx, double miny, double maxy)
{
    if (!Dest || !TheConvertFunction) return false;
    std::vector<TTriangleElement*> work;
    for (int e = 0; e < ElementCount(); ++e) {
        TTriangleElement* triangle = GetElement(e)->AsTriangle();
        if (triangle && triangle->BuildCharacteristicPoints(ZLevel, UseCustom, UseDelta, minx, maxx, miny, maxy))
            work.push_back(triangle);
    }
    const bool result = !work.empty();
    std::vector<const TCharacteristicPoint*> points;
    while (TraceOpenLine(work, points)) Dest->push_back(MakeLine(ZLevel, true, points, TheConvertFunction));
    while (work.size() >= 2) {
        TraceClosedLine(work, points);
        Dest->push_back(MakeLine(ZLevel, false, points, TheConvertFunction));
    }
    return result;
}
