// The model's XML form: the probes, the fluid and the simulation period.

#include "model/model/MainModelObj.h"

#include "model/base/KPError.h"
#include "model/model/XmlDateTime.h"
#include "model/probes/ProbeXml.h"
#include "model/probes/ThermUtil.h"

bool TThermModel::WriteXML(pugi::xml_node Node) const
{
    if (!Node) return false;
    pugi::xml_node model = Node.append_child(XMLName().toUtf8().constData());
    pugi::xml_node list = model.append_child("BHElist");
    for (int i = 0; i < FBHEs->Count(); ++i) BHE(i)->WriteXML(list);
    const TTimeEngine& engine = FMainLoop->TimeEngine();
    WriteXmlFloat(model, "Flux", FFluxFluid);
    WriteXmlString(model, "Fluid", FluidXMLName(FFluid));
    WriteXmlDateTime(model, "StartTime", engine.RealStartTime());
    WriteXmlFloat(model, "Duration", engine.Endtime());
    WriteXmlFloat(model, "TimeStep", engine.TimeStep());
    return true;
}

bool TThermModel::ReadXML(pugi::xml_node Node)
{
    CheckNoRun("Das Einlesen des Modells");
    FFluxFluid = ReadXmlFloat(Node, "Flux", 0);
    try {
        FFluid = FluidFromName(ReadXmlString(Node, "Fluid"));
    } catch (const EKPError&) {
        FFluid = flWasser;
    }
    TTimeEngine& engine = FMainLoop->TimeEngine();
    engine.SetRealStartTime(ReadXmlDateTime(Node, "StartTime", 0));
    engine.SetStartTime(0);
    engine.SetEndtime(ReadXmlFloat(Node, "Duration", 0));
    engine.SetTimeStep(ReadXmlFloat(Node, "TimeStep", 0));

    const pugi::xml_node list = Node.child("BHElist");
    if (!list) return false;
    // The probes are read completely before the old ones go.
    TMVObjectList probes(true);
    const QByteArray name = TBHE::XMLName().toUtf8();
    for (pugi::xml_node child : list.children(name.constData())) {
        TBHE* bhe = probes.Add(std::make_unique<TBHE>());
        bhe->ReadXML(child);
    }
    // Run data and monitoring items refer to the old probes.
    FBHEDataList->Clear();
    for (int i = 0; i < FBHEs->Count(); ++i) FMonitoringList->DeleteItemsOf(BHE(i));
    FBHEs->Clear();
    while (probes.Count() > 0) FBHEs->Add(probes.Extract(probes.Items(0)));
    // The mesh was built around the old probes.
    FNumModelDirty = true;
    return true;
}

bool TThermModel::SaveXML(const QString& AFilename) const
{
    pugi::xml_document doc;
    WriteXML(NewXmlDocument(doc, XMLName().toUtf8().constData()));
    SaveXmlDocument(doc, AFilename);
    return true;
}

bool TThermModel::LoadXML(const QString& AFilename)
{
    pugi::xml_document doc;
    LoadXmlDocument(doc, AFilename);
    pugi::xml_node root = doc.document_element();
    // SaveXML nests the model's element inside a root of the same name; a
    // file written so is read from the inner element.
    const pugi::xml_node inner = root.child(XMLName().toUtf8().constData());
    ReadXML(inner ? inner : root);
    return true;
}
