// The project's windows: load-profile management and georeferencing of the
// background map.

#include "model/project/ProjectObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/project/ProjectDialogs.h"

namespace {

QString EntryText(const TLoadObj* Profile)
{
    return Profile->Name().isEmpty() ? QStringLiteral("unbenanntes Lastprofil") : Profile->Name();
}

QString GeneralText12(double X)
{
    return Format(QStringLiteral("%.12g"), {X});
}

}  // namespace

bool TProject::EditLoadProfils()
{
    TLoadProfilsEditData d;
    for (int i = 0; i < FLoadProfils->Count(); ++i) d.Entries << EntryText(LoadProfil(i));
    d.Selected = FLoadProfils->IndexOf(FLoadProfile);
    const bool ok = ModelUI<TProjectDialogs>().EditLoadProfils(
        d, [this](TLoadProfilsEditData& Data) { NewLoadProfilClick(Data); },
        [this](TLoadProfilsEditData& Data) { DeleteLoadProfilClick(Data); });
    if (ok && d.Selected >= 0 && d.Selected < FLoadProfils->Count()) FLoadProfile = LoadProfil(d.Selected);
    // However the window was left, the project keeps a profile to compute with.
    if (FLoadProfils->Count() == 0) {
        auto profile = std::make_unique<TLoadObj>();
        profile->SetName(QStringLiteral("Neues Lastprofil"));
        FLoadProfils->Add(std::move(profile));
    }
    if (FLoadProfils->IndexOf(FLoadProfile) < 0) FLoadProfile = LoadProfil(0);
    BindModelsToProfiles();
    return ok;
}

void TProject::NewLoadProfilClick(TLoadProfilsEditData& Data)
{
    auto profile = std::make_unique<TLoadObj>();
    profile->SetName(QStringLiteral("Neues Lastprofil"));
    FLoadProfils->Add(std::move(profile));
    Data.Entries << EntryText(LoadProfil(FLoadProfils->Count() - 1));
    Data.Selected = static_cast<int>(Data.Entries.size()) - 1;
}

void TProject::DeleteLoadProfilClick(TLoadProfilsEditData& Data)
{
    const int d = Data.Selected;
    if (d < 0 || d >= FLoadProfils->Count() || d >= Data.Entries.size()) return;
    DeleteLoadProfil(d);
    Data.Entries.removeAt(d);
    const int n = static_cast<int>(Data.Entries.size());
    Data.Selected = n == 0 ? -1 : (d < n ? d : n - 1);
}

void TProject::DeleteLoadProfil(int Index)
{
    if (Index < 0 || Index >= FLoadProfils->Count()) return;
    const bool wasCurrent = LoadProfil(Index) == FLoadProfile;
    FLoadProfils->Delete(Index);
    // Every model's probes: a probe may belong to any model of the project.
    for (int m = 0; m < FModels->Count(); ++m) {
        const TThermModel* model = FModels->ItemAs<TThermModel>(m);
        for (int i = 0; i < model->BHEs().Count(); ++i) {
            TBHE* bhe = model->BHE(i);
            if (bhe->LoadProfilIndex() == Index)
                bhe->SetLoadProfilIndex(-1);
            else if (bhe->LoadProfilIndex() > Index)
                bhe->SetLoadProfilIndex(bhe->LoadProfilIndex() - 1);
        }
    }
    // The current profile must never be a freed one: the one that took the
    // deleted profile's place (or the last) follows it.
    if (wasCurrent) {
        const int n = FLoadProfils->Count();
        FLoadProfile = n == 0 ? nullptr : LoadProfil(Index < n ? Index : n - 1);
    }
    BindModelsToProfiles();
}

bool TProject::GeoreferenceMap()
{
    TBackgroundPict& map = *MapImage;
    TGeoreferenceEditData d;
    const int width = map.Bitmap ? map.Bitmap->width() : 0;
    const int height = map.Bitmap ? map.Bitmap->height() : 0;
    d.ImageSize = Format(QStringLiteral("Die Bildgröße beträgt %d x %d Pixel"),
                         {std::int64_t(width), std::int64_t(height)});
    d.LLX = GeneralText12(map.X1());
    d.LLY = GeneralText12(map.Y1());
    d.URX = GeneralText12(map.X2());
    d.URY = GeneralText12(map.Y2());
    if (map.Bitmap) d.Image = map.Bitmap->copy();
    if (!ModelUI<TProjectDialogs>().GeoreferenceMap(d)) return false;
    // All four are converted and checked before the map takes any.
    const double x1 = StrToFloat(d.LLX);
    const double y1 = StrToFloat(d.LLY);
    const double x2 = StrToFloat(d.URX);
    const double y2 = StrToFloat(d.URY);
    map.SetExtent(x1, y1, x2, y2);
    return true;
}
