// The transient model's parameters, record and mesh hand-over.

#include "model/fe/NumModel.h"

#include "model/base/KPError.h"

namespace {

[[noreturn]] void InvalidCast()
{
    throw EKPError(QStringLiteral("Ungültige Typumwandlung"));
}

}  // namespace

bool T2DTriangleTransient::AcceptsElement(const TElement* AElement) const
{
    return dynamic_cast<const TTransientTriangle*>(AElement) != nullptr;
}

std::unique_ptr<TElement> T2DTriangleTransient::MakeMeshElement(TNode* N1, TNode* N2, TNode* N3) const
{
    // Defaults until the caller's InitElementParams.
    return std::make_unique<TTransientTriangle>(N1, N2, N3, 100.0, 0.001, 10000.0, 0.4);
}

void T2DTriangleTransient::CommitMesh(TMeshParts& Parts)
{
    InvalidateFactorization();
    T2DTriangleModel::CommitMesh(Parts);
}

void T2DTriangleTransient::Read(TStream& S)
{
    TMeshParts parts;
    ReadMesh(S, parts);
    const double deltaTime = S.ReadDouble();
    CommitMesh(parts);
    FDeltaTime = deltaTime;
}

void T2DTriangleTransient::Write(TStream& S)
{
    T2DTriangleModel::Write(S);
    S.WriteDouble(FDeltaTime);
}

void T2DTriangleTransient::InitElementParams(double AT, double AInfiltration, double ALeakage, double AStorage,
                                             double AThickness)
{
    std::vector<TTransientTriangle*> elements(static_cast<size_t>(ElementCount()));
    for (int e = 0; e < ElementCount(); ++e) {
        elements[static_cast<size_t>(e)] = dynamic_cast<TTransientTriangle*>(GetElement(e));
        if (!elements[static_cast<size_t>(e)]) InvalidCast();
    }
    for (TTransientTriangle* element : elements) {
        element->SetT(AT);
        element->SetInfiltration(AInfiltration);
        element->SetLeakage(ALeakage);
        element->SetStorage(AStorage);
        element->SetThickness(AThickness);
        element->MakeMtx();
    }
}

void T2DTriangleTransient::InitNodeParams(double ATemperature, double AAirtemperature)
{
    InitTemperature(ATemperature);
    for (int k = 0; k < NodeCount(); ++k) GetNodes(k)->SetFN(AAirtemperature);
}

void T2DTriangleTransient::UpdateAirtemperature(double AAirTemperature)
{
    std::vector<TLeakyTriElement*> elements(static_cast<size_t>(ElementCount()));
    for (int e = 0; e < ElementCount(); ++e) {
        elements[static_cast<size_t>(e)] = dynamic_cast<TLeakyTriElement*>(GetElement(e));
        if (!elements[static_cast<size_t>(e)]) InvalidCast();
    }
    for (TLeakyTriElement* element : elements) element->UpdateAirtemperature(AAirTemperature);
}
