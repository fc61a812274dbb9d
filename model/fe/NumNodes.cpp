#include "model/fe/NumNodes.h"

#include "model/base/NumberText.h"
#include "model/base/Versions.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

namespace {

std::atomic<std::uint64_t> GMatrixStamp{1};
std::atomic<std::uint64_t> GNodeStepInputStamp{1};
std::uint64_t GStepResultGeneration = 0;

}  // namespace

TStepResult* GPendingStepResult = nullptr;

void WritePendingStepResult()
{
    if (TStepResult* result = std::exchange(GPendingStepResult, nullptr)) result->WriteIntoNodes();
}

std::uint64_t NewStepResultGeneration()
{
    return ++GStepResultGeneration;
}

std::uint64_t FEMatrixStamp()
{
    return GMatrixStamp.load(std::memory_order_relaxed);
}

void TouchFEMatrix()
{
    GMatrixStamp.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t NodeStepInputStamp()
{
    return GNodeStepInputStamp.load(std::memory_order_relaxed);
}

void TouchNodeStepInput()
{
    GNodeStepInputStamp.fetch_add(1, std::memory_order_relaxed);
}

QString FloatToDumpText(double X)
{
    // The user's general format without group separators; only the decimal
    // separator differs from the file form.
    QString s = FloatToStr(X);
    const QString point = UserLocale().decimalPoint();
    if (point != QLatin1String(".")) s.replace(point, QStringLiteral("."));
    return s;
}

// ---------------------------------------------------------------------------

TNode::TNode(double AX, double AY) : FX(AX), FY(AY)
{
    TouchFEMatrix();
}

TNode::~TNode()
{
    // The other nodes of the pending result are alive still: any node's end
    // writes it first.
    OwnValues();
}

std::unique_ptr<TNode> TNode::Create1BC(double AX, double AY, double AF)
{
    auto node = std::make_unique<TNode>(AX, AY);
    node->FBorderCondition = bc1FixedValue;
    node->FF = AF;
    node->FFA = AF;
    TouchNodeStepInput();
    return node;
}

std::unique_ptr<TNode> TNode::Create2BC(double AX, double AY, double AQ)
{
    auto node = std::make_unique<TNode>(AX, AY);
    node->FBorderCondition = bc2FixedFlow;
    node->FQ = AQ;
    return node;
}

std::unique_ptr<TNode> TNode::Create3BC(double AX, double AY, double AAlpha, double AFN)
{
    auto node = std::make_unique<TNode>(AX, AY);
    node->FBorderCondition = bc3SemiPervious;
    node->FAlpha = AAlpha;
    node->FFN = AFN;
    return node;
}

void TNode::SetBorderCondition(TBorderCondition V)
{
    if (V != FBorderCondition) TouchFEMatrix();
    FBorderCondition = V;
}

void TNode::SetAlpha(double V)
{
    TouchFEMatrix();
    FAlpha = V;
}

double TNode::Q() const
{
    if (FBorderCondition == bc3SemiPervious) return (FFN - F()) * FAlpha;
    return FQ;
}

double TNode::GetDistance(const TNode* ANode) const
{
    if (!ANode) return 0;
    return std::hypot(ANode->FX - FX, ANode->FY - FY);
}

QString TNode::GetTextLine() const
{
    const QChar tab(QLatin1Char('\t'));
    return FloatToDumpText(FX) + tab + FloatToDumpText(FY) + tab + FloatToDumpText(F());
}

bool TNode::ReadFCustomFromTextLine(const QString& ATestline)
{
    const QStringList fields = ATestline.split(QLatin1Char('\t'));
    if (fields.size() < 3) return false;
    double values[3];
    for (int i = 0; i < 3; ++i)
        if (!TryStrToFloatC(fields[i], values[i])) return false;
    FFCustom = values[2];
    return true;
}

void TNode::Read(TStream& S)
{
    OwnValues();
    FF = S.ReadDouble();
    FX = S.ReadDouble();
    FY = S.ReadDouble();
    FQ = S.ReadDouble();
    FFN = S.ReadDouble();
    FAlpha = S.ReadDouble();
    FFA = S.ReadDouble();
    FBorderCondition = S.ReadEnum<TBorderCondition>(bc3SemiPervious, "Randbedingung des Knotens");
    // The initial temperature is stored from file version 1.2 on.
    FFatT0 = FileVersionAtLeast(1, 2) ? S.ReadDouble() : FF;
    FFCustom = FF;
    FEdgeOfMesh = false;
    FQGW = 0;
    TouchFEMatrix();
    TouchNodeStepInput();
}

void TNode::SetFA(double V)
{
    OwnValues();
    FFA = V;
    TouchNodeStepInput();
}

void TNode::SetQGW(double V)
{
    FQGW = V;
    TouchNodeStepInput();
}

void TNode::Write(TStream& S) const
{
    S.WriteDouble(F());
    S.WriteDouble(FX);
    S.WriteDouble(FY);
    S.WriteDouble(FQ);
    S.WriteDouble(FFN);
    S.WriteDouble(FAlpha);
    S.WriteDouble(FA());
    S.WriteEnum(FBorderCondition);
    S.WriteDouble(FFatT0);
}

// ---------------------------------------------------------------------------

bool PointInPolygon(std::span<const D2D_POINT_2F> Poly, D2D_POINT_2F P)
{
    const size_t n = Poly.size();
    if (n < 3) return false;
    const double px = P.x, py = P.y;
    bool inside = false;
    for (size_t i = 1; i <= n; ++i) {
        const double x1 = Poly[i - 1].x, y1 = Poly[i - 1].y;
        const double x2 = Poly[i % n].x, y2 = Poly[i % n].y;
        if (py > std::min(y1, y2) && py <= std::max(y1, y2) && px <= std::max(x1, x2) && y1 != y2) {
            const double xcross = (py - y1) * (x2 - x1) / (y2 - y1) + x1;
            if (x1 == x2 || px <= xcross) inside = !inside;
        }
    }
    return inside;
}
