#pragma once

// The windows the project fills, shows and reads back: the load-profile
// window and the georeference dialog. Plain data only; the user interface
// installs the real windows, headless both are cancelled.

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

// The load-profile window's list box: one entry per profile of the project,
// in list order, and the selected entry (-1 for none).
struct TLoadProfilsEditData {
    QStringList Entries;
    int Selected = -1;
};

// The georeference dialog's label, edits and preview.
struct TGeoreferenceEditData {
    QString ImageSize;  // LblImageSize
    QString LLX;        // edtllx
    QString LLY;        // edtlly
    QString URX;        // edturx
    QString URY;        // edtury
    QImage Image;       // a copy of the map's picture
};

class TProjectDialogs {
public:
    // The handlers of the window's "Neu" and "Löschen" buttons: they change
    // the project and update Data (entries and selection) to match.
    using TLoadProfilsHandler = std::function<void(TLoadProfilsEditData&)>;

    virtual ~TProjectDialogs() = default;
    // True when the window was closed with OK ("Auswählen").
    virtual bool EditLoadProfils(TLoadProfilsEditData& Data, const TLoadProfilsHandler& NewClick,
                                 const TLoadProfilsHandler& DeleteClick)
    {
        (void)Data;
        (void)NewClick;
        (void)DeleteClick;
        return false;
    }
    // True when the dialog was closed with OK.
    virtual bool GeoreferenceMap(TGeoreferenceEditData& Data)
    {
        (void)Data;
        return false;
    }
};
