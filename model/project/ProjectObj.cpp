#include "model/project/ProjectObj.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/probes/ProbeXml.h"

namespace {

template <typename T>
void CheckItems(const TMVObjectList& List, const char* What)
{
    for (int i = 0; i < List.Count(); ++i)
        if (!dynamic_cast<const T*>(List.Items(i)))
            throw EReadError(QStringLiteral("Die Liste der %1 enthält ein Objekt der Klasse \"%2\".")
                                 .arg(QString::fromUtf8(What), List.Items(i)->ClassName()));
}

// The signature as a stream string; anything else (also a length that does
// not fit) is no project file.
bool ReadSignature(TStream& S)
{
    if (S.Remaining() < 4) return false;
    const std::int32_t count = S.ReadInt32();
    if (count != TProject::Signature().size() || S.Remaining() < 2 * qint64(count)) return false;
    S.SetPosition(S.Position() - 4);
    return ReadStringFromStream(S) == TProject::Signature();
}

void CheckVersion(std::int32_t Major, std::int32_t Minor)
{
    if (Major > ProgramVersionMajor)
        throw EKPError(Format(QStringLiteral("Programmversion ist %d, die Datei ist aber Version %d"),
                              {std::int64_t(ProgramVersionMajor), std::int64_t(Major)}));
    if (Major == ProgramVersionMajor && Minor > ProgramVersionMinor)
        throw EKPError(Format(QStringLiteral("Programmversion ist %d.%d, die Datei ist aber Version %d.%d"),
                              {std::int64_t(ProgramVersionMajor), std::int64_t(ProgramVersionMinor),
                               std::int64_t(Major), std::int64_t(Minor)}));
    if (Major < 1 || Minor < 0)
        throw EReadError(Format(QStringLiteral("Die Versionsnummer %d.%d der Projektdatei ist ungültig."),
                                {std::int64_t(Major), std::int64_t(Minor)}));
}

}  // namespace

TProject::TProject()
{
    FLoadProfils = std::make_unique<TMVObjectList>(true);
    FLoadProfile = FLoadProfils->Add(std::make_unique<TLoadObj>());
    FModels = std::make_unique<TMVObjectList>(true);
    FModel = AddModel();
    MapImage = std::make_unique<TBackgroundPict>();
}

// The models go first: their main loops refer to the load profiles.
TProject::~TProject()
{
    FModels.reset();
    FLoadProfils.reset();
    MapImage.reset();
}

TThermModel* TProject::AddModel()
{
    auto model = std::make_unique<TThermModel>();
    model->MainLoop()->SetLoadProfile(FLoadProfile);
    model->MainLoop()->SetLoadProfils(FLoadProfils.get());
    return FModels->Add(std::move(model));
}

void TProject::BindModelsToProfiles()
{
    for (int i = 0; i < FModels->Count(); ++i) {
        TMainLoop* loop = FModels->ItemAs<TThermModel>(i)->MainLoop();
        loop->SetLoadProfils(FLoadProfils.get());
        loop->SetLoadProfile(FLoadProfile);
    }
}

void TProject::Save(const QString& AFilename)
{
    WriteFileStream(AFilename, [this](TStream& S) {
        WriteStringToStream(S, Signature());
        S.WriteInt32(ProgramVersionMajor);
        S.WriteInt32(ProgramVersionMinor);
        WriteStringToStream(S, FName);
        WriteStringToStream(S, FClient);
        WriteStringToStream(S, FUser);
        MapImage->Store(S);
        FLoadProfils->WriteData(S);
        FModels->WriteData(S);
    });
}

void TProject::ReadBody(TStream& S, std::int32_t Major)
{
    FName = ReadStringFromStream(S);
    FClient = ReadStringFromStream(S);
    FUser = ReadStringFromStream(S);
    MapImage = std::make_unique<TBackgroundPict>();
    MapImage->Load(S);
    if (Major == 1) {
        // Version 1 held exactly one profile, without list framing.
        LoadProfile()->ReadData(S);
    } else {
        auto profiles = std::make_unique<TMVObjectList>(true);
        profiles->ReadData(S);
        profiles->SetOwnsObjects(true);
        CheckItems<TLoadObj>(*profiles, "Lastprofile");
        if (profiles->Count() == 0) throw EReadError(QStringLiteral("Die Projektdatei enthält kein Lastprofil."));
        FLoadProfils = std::move(profiles);
        FLoadProfile = LoadProfil(0);
    }
    auto models = std::make_unique<TMVObjectList>(true);
    models->ReadData(S);
    models->SetOwnsObjects(true);
    CheckItems<TThermModel>(*models, "thermischen Modelle");
    if (models->Count() == 0) throw EReadError(QStringLiteral("Die Projektdatei enthält kein thermisches Modell."));
    FModels = std::move(models);
    FModel = FModels->ItemAs<TThermModel>(0);
    BindModelsToProfiles();
}

void TProject::Load(const QString& AFilename)
{
    TProject fresh;
    std::int32_t major = 0, minor = 0;
    ReadFileStream(AFilename, [&](TStream& S) {
        if (!ReadSignature(S))
            throw EReadError(QStringLiteral("Die Datei \"%1\" ist keine Projektdatei (die Kennung \"%2\" fehlt).")
                                 .arg(AFilename, Signature()));
        major = S.ReadInt32();
        minor = S.ReadInt32();
        CheckVersion(major, minor);
        const TFileVersionScope version(major, minor);
        fresh.ReadBody(S, major);
    });
    TakeContentOf(fresh);
    // The stored classes consult these while the user works on the project
    // (the version it came from), as after every project file read.
    FileVersionMajor = major;
    FileVersionMinor = minor;
}

void TProject::TakeContentOf(TProject& Other)
{
    // Lists move with their objects, so the models' references to the
    // profile list stay valid.
    std::swap(FName, Other.FName);
    std::swap(FClient, Other.FClient);
    std::swap(FUser, Other.FUser);
    std::swap(MapImage, Other.MapImage);
    std::swap(FLoadProfils, Other.FLoadProfils);
    std::swap(FLoadProfile, Other.FLoadProfile);
    std::swap(FModels, Other.FModels);
    std::swap(FModel, Other.FModel);
}

bool TProject::WriteXML(pugi::xml_node Node) const
{
    pugi::xml_node models = Node.append_child("Models");
    for (int i = 0; i < FModels->Count(); ++i) FModels->ItemAs<TThermModel>(i)->WriteXML(models);
    return true;
}

bool TProject::ReadXML(pugi::xml_node Node)
{
    const pugi::xml_node models = Node.child("Models");
    if (!models) return false;
    const QByteArray name = TThermModel::XMLName().toUtf8();
    if (!models.child(name.constData())) return false;
    for (int i = 0; i < FModels->Count(); ++i)
        if (FModels->ItemAs<TThermModel>(i)->RunActive())
            throw EKPError(QStringLiteral("Das Einlesen der Modelle ist während einer laufenden Simulation nicht "
                                          "möglich."));
    // Read aside: the current models go only when all new ones were read.
    auto old = std::move(FModels);
    FModels = std::make_unique<TMVObjectList>(true);
    try {
        for (pugi::xml_node child : models.children(name.constData())) AddModel()->ReadXML(child);
    } catch (...) {
        FModels = std::move(old);
        throw;
    }
    FModel = FModels->ItemAs<TThermModel>(0);
    return true;
}

bool TProject::SaveXML(const QString& AFilename) const
{
    pugi::xml_document doc;
    WriteXML(NewXmlDocument(doc, XMLName().toUtf8().constData()));
    SaveXmlDocument(doc, AFilename);
    return true;
}

bool TProject::LoadXML(const QString& AFilename)
{
    pugi::xml_document doc;
    LoadXmlDocument(doc, AFilename);
    ReadXML(doc.document_element());
    return true;
}
