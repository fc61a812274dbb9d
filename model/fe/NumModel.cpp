#include "model/fe/NumModel.h"

#include "model/base/KPError.h"

#include <algorithm>
#include <typeinfo>

TNumModel::TNumModel() : FNodesList(std::make_unique<TMVObjectList>()), FElementsList(std::make_unique<TMVObjectList>())
{
}

TNumModel::~TNumModel()
{
    // Elements refer to the nodes: they go first.
    FElementsList.reset();
    FNodesList.reset();
}

TNode* TNumModel::GetNodes(int Index) const
{
    TObject* item = FNodesList->Items(Index);
    // The nodes are plain TNode objects: comparing the type is much cheaper
    // than the checked cast, which stays for anything else.
    if (item && typeid(*item) == typeid(TNode)) return static_cast<TNode*>(item);
    TNode* node = dynamic_cast<TNode*>(item);
    if (!node) throw EKPError(QStringLiteral("Ungültige Typumwandlung"));
    return node;
}

TElement* TNumModel::GetElement(int Index) const
{
    TElement* element = dynamic_cast<TElement*>(FElementsList->Items(Index));
    if (!element) throw EKPError(QStringLiteral("Ungültige Typumwandlung"));
    return element;
}

bool TNumModel::GetModelExtend(double& MinX, double& MaxX, double& MinY, double& MaxY) const
{
    if (NodeCount() == 0) return false;
    const TNode* first = GetNodes(0);
    double minX = first->X(), maxX = first->X(), minY = first->Y(), maxY = first->Y();
    for (int k = 1; k < NodeCount(); ++k) {
        const TNode* node = GetNodes(k);
        minX = std::min(minX, node->X());
        maxX = std::max(maxX, node->X());
        minY = std::min(minY, node->Y());
        maxY = std::max(maxY, node->Y());
    }
    MinX = minX;
    MaxX = maxX;
    MinY = minY;
    MaxY = maxY;
    return true;
}

int TNumModel::FindNode(double AXValue, double AYValue) const
{
    for (int k = 0; k < NodeCount(); ++k) {
        const TNode* node = GetNodes(k);
        if (std::fabs(node->X() - AXValue) <= 0.001 && std::fabs(node->Y() - AYValue) <= 0.001) return k;
    }
    return -1;
}

double TNumModel::Quantity() const
{
    double sum = 0;
    for (int e = 0; e < ElementCount(); ++e) sum += GetElement(e)->Quantity();
    return sum;
}

void TNumModel::RefreshMtx()
{
    for (int e = 0; e < ElementCount(); ++e) GetElement(e)->MakeMtx();
}

void TNumModel::Write(TStream& S)
{
    FNodesList->WriteData(S);
    // The elements write their nodes as positions in this list.
    for (int e = 0; e < ElementCount(); ++e) GetElement(e)->SetNodeslist(FNodesList.get());
    FElementsList->WriteData(S);
}

bool TNumModel::AcceptsElement(const TElement* AElement) const
{
    return AElement != nullptr;
}

void TNumModel::ReadMesh(TStream& S, TMeshParts& Parts) const
{
    Parts.Nodes->ReadData(S);
    for (int k = 0; k < Parts.Nodes->Count(); ++k)
        if (!dynamic_cast<TNode*>(Parts.Nodes->Items(k)))
            throw EReadError(QStringLiteral("Die Knotenliste des Modells enthält ein Objekt der Klasse %1.")
                                 .arg(Parts.Nodes->Items(k)->ClassName()));
    Parts.Elements->ReadData(S);
    for (int e = 0; e < Parts.Elements->Count(); ++e) {
        TElement* element = dynamic_cast<TElement*>(Parts.Elements->Items(e));
        if (!AcceptsElement(element))
            throw EReadError(QStringLiteral("Die Elementliste des Modells enthält ein Objekt der Klasse %1.")
                                 .arg(Parts.Elements->Items(e)->ClassName()));
        try {
            element->InitNodeList(Parts.Nodes.get());
            element->MakeMtx();
        } catch (const EKPError& error) {
            throw EReadError(QStringLiteral("Element %1 des Modells: %2").arg(e + 1).arg(error.Message()));
        }
    }
}

void TNumModel::CommitMesh(TMeshParts& Parts)
{
    std::swap(FNodesList, Parts.Nodes);
    std::swap(FElementsList, Parts.Elements);
    // The old mesh goes with Parts, elements before nodes.
    Parts.Elements->Clear();
    Parts.Nodes->Clear();
    FlushResults();
    FLoadVector.resize(0);
    FTemperature.resize(0);
}

void TNumModel::Read(TStream& S)
{
    TMeshParts parts;
    ReadMesh(S, parts);
    CommitMesh(parts);
}

void TNumModel::WriteTemperatures(TStream& S) const
{
    for (int k = 0; k < NodeCount(); ++k) S.WriteDouble(GetNodes(k)->F());
}

void TNumModel::ReadTemperatures(TStream& S)
{
    const int n = NodeCount();
    // The file has no header: only its length tells whether it fits the mesh.
    if (S.Remaining() != qint64(8) * n)
        throw EReadError(QStringLiteral("Die Temperaturdatei passt nicht zum Netz: sie hat %1 Bytes, für %2 Knoten "
                                        "werden %3 Bytes erwartet.")
                             .arg(S.Remaining())
                             .arg(n)
                             .arg(qint64(8) * n));
    TVec values(n);
    for (int k = 0; k < n; ++k) values[k] = S.ReadDouble();
    FlushResults();
    FTemperature = values;
    for (int k = 0; k < n; ++k) {
        TNode* node = GetNodes(k);
        node->SetF(values[k]);
        node->SetFA(values[k]);
    }
}

void TNumModel::SaveNodes(QStringList* AStringlist) const
{
    if (!AStringlist) return;
    for (int k = 0; k < NodeCount(); ++k) AStringlist->append(GetNodes(k)->GetTextLine());
}

void TNumModel::InitTemperature(double AValue)
{
    FlushResults();
    FTemperature.resize(NodeCount());
    for (int k = 0; k < NodeCount(); ++k) {
        TNode* node = GetNodes(k);
        // Fixed-value nodes keep their temperature and take it as the initial one.
        if (node->BorderCondition() != bc1FixedValue) {
            node->SetF(AValue);
            node->SetFA(AValue);
        }
        FTemperature[k] = node->F();
        node->SetFatT0(node->F());
    }
}

void TNumModel::ResetQGWload()
{
    for (int k = 0; k < NodeCount(); ++k) GetNodes(k)->SetQGW(0);
}

double TNumModel::SumOfQGWload() const
{
    double sum = 0;
    for (int k = 0; k < NodeCount(); ++k) sum += GetNodes(k)->QGW();
    return sum;
}

void TNumModel::CheckSystem() const
{
    const int n = NodeCount();
    std::vector<char> used(static_cast<size_t>(n), 0);
    for (int e = 0; e < ElementCount(); ++e) {
        const TElement* element = GetElement(e);
        for (int i = 0; i < element->NodeCount(); ++i) {
            const int index = element->NodeIndices(i);
            if (index < 0 || index >= n || element->Nodes(i) != FNodesList->Items(index))
                throw EKPError(QStringLiteral("Das Element %1 verweist auf einen Knoten, der nicht zum Modell gehört.")
                                   .arg(e + 1));
            used[static_cast<size_t>(index)] = 1;
        }
    }
    for (int k = 0; k < n; ++k)
        if (!used[static_cast<size_t>(k)] && GetNodes(k)->BorderCondition() != bc1FixedValue)
            throw EKPError(QStringLiteral("Der Knoten %1 gehört zu keinem Element und hat keine feste Temperatur; "
                                          "das Gleichungssystem ist singulär.")
                               .arg(k + 1));
}
