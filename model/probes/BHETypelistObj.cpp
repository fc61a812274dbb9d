#include "model/probes/BHETypelistObj.h"

#include "model/probes/ProbeXml.h"
#include "model/settings/ModelDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

QString DefaultBHETypesFile()
{
    // The setting, read once it is settled; before that the default folder
    // of the list files.
    if (!BHETypesFile.isEmpty()) return BHETypesFile;
    return QDir(DefaultListFileFolder()).filePath(QStringLiteral("bhetypes.xml"));
}

TBHETypelist::TBHETypelist() = default;

QString TBHETypelist::FileName() const { return FFileName.isEmpty() ? DefaultBHETypesFile() : FFileName; }

TBHETypelist::TBHETypelist(TBlank) : TMVObjectList(Blank) {}

void TBHETypelist::CreateDummy()
{
    struct TBuiltIn {
        const char* Name;
        TTubeType Tube;
    };
    for (const TBuiltIn& b : {TBuiltIn{"STD 2U", ttDoubleU}, TBuiltIn{"STD 1U", ttSingleU}}) {
        auto t = std::make_unique<TBHE>();
        t->SetName(QString::fromUtf8(b.Name));
        t->SetTubeType(b.Tube);
        t->SetCasingLength(100);
        t->SetBoringRadius(0.075);
        t->SetCasingRadius(0.0125);
        t->SetTubeX(0.035);
        t->SetTubeY(0.025);
        Add(std::move(t));
    }
}

bool TBHETypelist::ReadXML(pugi::xml_node Node)
{
    // Everything is read before the old content goes.
    std::vector<std::unique_ptr<TBHE>> read;
    for (pugi::xml_node e : Node.children("BHE")) {
        auto t = std::make_unique<TBHE>();
        t->ReadXML(e);
        read.push_back(std::move(t));
    }
    Clear();
    for (auto& t : read) Add(std::move(t));
    return true;
}

bool TBHETypelist::WriteXML(pugi::xml_node Node) const
{
    for (int i = 0; i < Count(); ++i) Items(i)->WriteXML(Node);
    return true;
}

bool TBHETypelist::SaveXML(const QString& AFilename) const
{
    pugi::xml_document doc;
    WriteXML(NewXmlDocument(doc, XMLName().toUtf8().constData()));
    SaveXmlDocument(doc, AFilename);
    return true;
}

bool TBHETypelist::LoadXML(const QString& AFilename)
{
    pugi::xml_document doc;
    LoadXmlDocument(doc, AFilename);
    return ReadXML(doc.document_element());
}

TBHE* TBHETypelist::AddNewType()
{
    auto t = std::make_unique<TBHE>();
    if (!t->EditType()) return nullptr;
    return Add(std::move(t));
}

void TBHETypelist::LoadOrCreate()
{
    const QString file = FileName();
    if (QFileInfo::exists(file)) {
        LoadXML(file);
        return;
    }
    Clear();
    CreateDummy();
    SaveXML(file);
}
