#pragma once

// The document the user opens and saves: a named project for a client with
// its load profiles, its thermal models (in practice one, the current model)
// and a geo-referenced background map, stored in the ".kpm" project file.

#include "model/base/MVStreamList.h"
#include "model/base/Utilities.h"
#include "model/loads/LoadObject.h"
#include "model/map/BackgroundObject.h"
#include "model/model/MainModelObj.h"

#include <QImage>
#include <QString>
#include <memory>
#include <pugixml.hpp>
#include <vector>

class TCanvas;
class TCheckGrid;
struct TLoadProfilsEditData;

class TProject : public TObject {
    KP_CLASS(TProject)
public:
    // One load profile (the current one), one thermal model (the current
    // one), an empty background map.
    TProject();
    ~TProject() override;
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    // The current load profile, an item of LoadProfils.
    TLoadObj* LoadProfile() const { return FLoadProfile; }
    void SetLoadProfile(TLoadObj* V) { FLoadProfile = V; }
    TMVObjectList& Models() const { return *FModels; }
    // The current model, an item of Models.
    TThermModel* Model() const { return FModel; }
    void SetModel(TThermModel* V) { FModel = V; }
    const QString& User() const { return FUser; }
    void SetUser(const QString& V) { FUser = V; }
    const QString& Client() const { return FClient; }
    void SetClient(const QString& V) { FClient = V; }
    const TConvertFunction& ConvertFunction() const { return FConvertFunction; }
    void SetConvertFunction(TConvertFunction V) { FConvertFunction = std::move(V); }
    TMVObjectList& LoadProfils() const { return *FLoadProfils; }
    TLoadObj* LoadProfil(int Index) const { return FLoadProfils->ItemAs<TLoadObj>(Index); }

    // Creates a model bound to the project's load profiles and appends it;
    // the current model stays.
    virtual TThermModel* AddModel();
    // The demonstration project; an empty (or missing) probe-type list gives
    // the built-in types.
    virtual void MakeDummy(const TBHETypelist* BHETypelist);
    // The map's extent in the georeference dialog; bounds that are no numbers
    // or not ascending (X2 <= X1, Y2 <= Y1) raise and change nothing.
    virtual bool GeoreferenceMap();
    // Replaces the models by the "ThermalModel" elements below "Models";
    // False, with nothing changed, when there is none.
    virtual bool ReadXML(pugi::xml_node Node);
    virtual bool WriteXML(pugi::xml_node Node) const;
    virtual bool SaveXML(const QString& AFilename) const;
    virtual bool LoadXML(const QString& AFilename);
    // Written through a temporary file: a failed save keeps the old file.
    virtual void Save(const QString& AFilename);
    // Reads the whole file into a fresh project, which replaces this one's
    // content only when everything was read. A file that is no project file,
    // is of a newer version, is damaged or short, or holds no load profile or
    // no model raises EKPError (EReadError for the damage) and changes
    // nothing; the file version globals then keep their values too.
    virtual void Load(const QString& AFilename);
    // Transient groundwater check on the mesh in TempDir/Pumptest.1.node.
    virtual void RunPumptestExample(TCheckGrid& Grid);
    // A single probe in a field without surface transfer, for comparison with
    // the infinite line source.
    virtual void RunValidationExample(TCheckGrid& Grid);
    // Draws the project GDI-style; nothing without a canvas. PxPerWorld is
    // not used. Markers are the probe symbols by image index.
    virtual void Draw(TCanvas* Canvas, bool ShowMap, bool ShowContours, bool ShowBHEs, bool ShowGrid,
                      std::uint8_t MapOpacity, double PxPerWorld, const TWorldRect& World, const TRect& Pict,
                      const std::vector<QImage>* Markers);

    // The load-profile window. Afterwards, whatever the result, the project
    // has at least one profile and a current profile from its list.
    bool EditLoadProfils();
    // The window's "Neu": a new profile "Neues Lastprofil", appended and selected.
    void NewLoadProfilClick(TLoadProfilsEditData& Data);
    // The window's "Löschen": the selected profile goes, probes of every
    // model are re-indexed, the entry at its place (or the last) is selected
    // and becomes the current profile when the deleted one was current.
    void DeleteLoadProfilClick(TLoadProfilsEditData& Data);
    // Removes profile Index and re-indexes the probes of every model: those
    // of the profile get -1, those of later profiles move down by one.
    void DeleteLoadProfil(int Index);

    static QString XMLName() { return QStringLiteral("BHEModelingProject"); }
    static QString Signature() { return QStringLiteral("Mirvatek KP"); }

    // The background map, owned.
    std::unique_ptr<TBackgroundPict> MapImage;

private:
    // Every model's main loop gets the project's profiles and current profile.
    void BindModelsToProfiles();
    void ReadBody(TStream& S, std::int32_t Major);
    void TakeContentOf(TProject& Other);
    void DrawGrid(TCanvas& Canvas) const;
    void DrawBHEs(TCanvas& Canvas, const std::vector<QImage>* Markers) const;

    QString FName;
    TLoadObj* FLoadProfile = nullptr;
    std::unique_ptr<TMVObjectList> FModels;
    TThermModel* FModel = nullptr;
    QString FUser;
    QString FClient;
    TConvertFunction FConvertFunction;
    std::unique_ptr<TMVObjectList> FLoadProfils;
};
