// The demonstration project and the two built-in checks of the transient
// solver. The checks change the current model (mesh, defaults, node
// conditions) and are meant for a scratch project.

#include "model/project/ProjectObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/project/CheckGrid.h"
#include "model/settings/KPSettings.h"

#include <QDir>

namespace {

// The probe nodes follow the four corners of the outer box.
constexpr int FirstProbeNode = 4;

TNode* NodeAt(const T2DTriangleTransient& FE, double X, double Y)
{
    const int index = FE.FindNode(X, Y);
    if (index < 0) throw EKPError(QStringLiteral("Im FE-Netz gibt es keinen Knoten bei (%1; %2).").arg(X).arg(Y));
    return FE.GetNodes(index);
}

// Runs Steps time steps and writes the values of Nodes after each into the
// grid's row of the step, into the columns 1, 3, 5, ...
void RunAndRecord(T2DTriangleTransient& FE, TCheckGrid& Grid, int Steps, const std::vector<TNode*>& Nodes)
{
    Grid.BeginUpdate();
    for (int s = 1; s <= Steps; ++s) {
        FE.Solve();
        for (size_t k = 0; k < Nodes.size(); ++k)
            Grid.SetCell(static_cast<int>(2 * k + 1), s, Format(QStringLiteral("%.3f"), {Nodes[k]->F()}));
    }
    Grid.AutoSizeColumns(4);
    Grid.EndUpdate();
}

}  // namespace

void TProject::MakeDummy(const TBHETypelist* BHETypelist)
{
    FName = QStringLiteral("Dummy-Projekt mit Beispieldaten");
    FModel->MakeDummy(BHETypelist);
    T2DTriangleTransient& fe = *FModel->FieldModel();
    for (int i = FirstProbeNode; i < FirstProbeNode + 5 && i < fe.NodeCount(); ++i)
        fe.GetNodes(i)->SetBorderCondition(bc2FixedFlow);
    fe.RefreshMtx();
}

void TProject::RunPumptestExample(TCheckGrid& Grid)
{
    T2DTriangleTransient& fe = *FModel->FieldModel();
    const QString meshFile = QDir(TempDir).filePath(QStringLiteral("Pumptest.1.node"));
    // The check is a leaky aquifer whose outside head is what the mesh file gives
    // its nodes (0 except at semi-pervious nodes). The model's air temperature,
    // which an import gives every node, would pull the aquifer towards it through
    // the leakage and swamp the drawdown, so the nodes get back the file's values.
    std::vector<double> outside;
    {
        T2DTriangleTransient asRead;
        asRead.GenerateGridFromTriangle(meshFile);
        outside.reserve(static_cast<size_t>(asRead.NodeCount()));
        for (int k = 0; k < asRead.NodeCount(); ++k) outside.push_back(asRead.GetNodes(k)->FN());
    }
    FModel->ImportMesh(meshFile);
    if (fe.NodeCount() < FirstProbeNode + 5)
        throw EKPError(QStringLiteral("Das Netz des Pumpversuchs hat %1 Knoten; es braucht mindestens %2.")
                           .arg(fe.NodeCount())
                           .arg(FirstProbeNode + 5));
    if (static_cast<size_t>(fe.NodeCount()) != outside.size())
        throw EKPError(QStringLiteral("Die Knoten-Datei <%1> hat sich während des Pumpversuchs geändert.")
                           .arg(QDir::toNativeSeparators(meshFile)));
    for (int k = 0; k < fe.NodeCount(); ++k) fe.GetNodes(k)->SetFN(outside[static_cast<size_t>(k)]);
    fe.InitTemperature(0);
    TNode* well = fe.GetNodes(FirstProbeNode);
    well->SetBorderCondition(bc2FixedFlow);
    well->SetQ(761);

    Grid.Clear();
    Grid.SetSize(11, 33);
    for (int k = 0; k < 5; ++k)
        Grid.SetCell(2 * k + 1, 0, Format(QStringLiteral("r=%d [m]"), {std::int64_t(30 * k)}));
    for (int r = 1; r <= 32; ++r) Grid.SetCell(0, r, Format(QStringLiteral("%d [min]"), {std::int64_t(15 * r)}));

    for (int e = 0; e < fe.ElementCount(); ++e) {
        auto* element = dynamic_cast<TLeakyTriElement*>(fe.GetElement(e));
        if (!element) continue;
        element->SetT(1731);
        element->SetInfiltration(0);
        element->SetLeakage(468);
        element->SetStorage(0.1);
        element->MakeMtx();
    }
    fe.SetDeltaTime(1.0 / 96);
    std::vector<TNode*> nodes;
    for (int i = FirstProbeNode; i < FirstProbeNode + 5; ++i) nodes.push_back(fe.GetNodes(i));
    RunAndRecord(fe, Grid, 32, nodes);
}

void TProject::RunValidationExample(TCheckGrid& Grid)
{
    TThermModel& model = *FModel;
    if (model.BHEs().Count() != 1) {
        ModelUI<TPrompts>().ShowError(QStringLiteral("Die Anzahl der Sonden muss 1 sein"));
        return;
    }
    const TBHE* probe = model.BHE(0);
    TBHE* aux = model.AddBHE();
    aux->SetX(probe->X() + 1.5);
    aux->SetY(probe->Y());

    model.SetDefThickness(100);
    model.SetDefLambda(2.375);
    model.SetDefRhoCP(3);
    // No heat passes the surface, as the line source assumes.
    model.SetDefAlphaSurface(0);
    model.SetDefAirTemperature(0);
    model.SetDefQEarth(0);
    try {
        model.GridGenerate(nullptr, false);
    } catch (...) {
        model.RemoveBHE(aux);
        throw;
    }
    T2DTriangleTransient& fe = *model.FieldModel();
    fe.InitTemperature(0);
    TNode* probeNode = NodeAt(fe, probe->X(), probe->Y());
    TNode* auxNode = NodeAt(fe, aux->X(), aux->Y());
    probeNode->SetBorderCondition(bc2FixedFlow);
    probeNode->SetQ(6660);
    auxNode->SetBorderCondition(bc0None);
    auxNode->SetQ(0);
    model.RemoveBHE(aux);

    Grid.Clear();
    Grid.SetSize(11, 1201);
    Grid.SetCell(1, 0, Format(QStringLiteral("r=%d [m]"), {std::int64_t(0)}));
    Grid.SetCell(3, 0, Format(QStringLiteral("r=%d [m]"), {std::int64_t(1)}));
    for (int r = 1; r <= 1200; ++r) Grid.SetCell(0, r, Format(QStringLiteral("%g [d]"), {r / 24.0}));
    fe.SetDeltaTime(3600);
    RunAndRecord(fe, Grid, 1200, {probeNode, auxNode});
}
