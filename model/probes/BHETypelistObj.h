#pragma once

#include "model/base/MVStreamList.h"
#include "model/probes/BHEObj.h"

#include <QString>
#include <pugixml.hpp>

// The program-wide list of probe types, kept in its own XML file
// ("bhetypes.xml"); its items are TBHE templates, owned by the list.
class TBHETypelist : public TMVObjectList {
    KP_CLASS(TBHETypelist)
public:
    TBHETypelist();
    explicit TBHETypelist(TBlank);

    TBHE* Items(int Index) const { return ItemAs<TBHE>(Index); }

    // Where the list lives: the file the setting BHETypesFile names at the
    // time of the call, unless SetFileName chose another one.
    QString FileName() const;
    void SetFileName(const QString& V) { FFileName = V; }

    // Appends the two built-in types "STD 2U" and "STD 1U".
    virtual void CreateDummy();
    // Replaces the content by the "BHE" children of Node.
    virtual bool ReadXML(pugi::xml_node Node);
    // Every type as a "BHE" child of Node, in list order.
    virtual bool WriteXML(pugi::xml_node Node) const;
    // Written atomically into a folder created first.
    virtual bool SaveXML(const QString& AFilename) const;
    // A missing or malformed file raises and leaves the list unchanged.
    virtual bool LoadXML(const QString& AFilename);
    // A new type made in the probe-type dialog, appended; nullptr when the
    // user cancelled.
    virtual TBHE* AddNewType();
    static QString XMLName() { return QStringLiteral("BHETypes"); }

    // Loads FileName() when it exists; otherwise the list becomes the two
    // built-in types and is saved there, so that no user of the list meets
    // an empty one on a fresh installation.
    void LoadOrCreate();

private:
    QString FFileName;
};

// The file the setting BHETypesFile names; "bhetypes.xml" in the list-file
// folder while the settings are not yet read.
QString DefaultBHETypesFile();
