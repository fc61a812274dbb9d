// The load-profile window: it cannot be left without a chosen profile, and
// the project always keeps a valid current profile, however it is left.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/control/ProjectControl.h"
#include "model/project/ProjectDialogs.h"
#include "model/project/ProjectObj.h"
#include "ui/loads/FormLoadProfils.h"
#include "ui/loads/ProjectDialogsUI.h"

#include <memory>

namespace {

enum class TClose { Select, Escape, CloseBox };

void CloseBy(TFormLoadProfils& Form, TClose Way)
{
    switch (Way) {
    case TClose::Select: Form.BtnSelect->click(); break;
    case TClose::Escape: Form.reject(); break;
    case TClose::CloseBox: Form.close(); break;
    }
}

} // namespace

TEST(LoadProfilesForm, CloseQueryTable)
{
    struct TCase {
        QStringList Entries;
        int Selected;
        TClose Way;
        const char16_t* Refusal;  // title of the message, empty when the window closes
    } cases[] = {
        {{}, -1, TClose::Select, u"Kein Lastprofil vorhanden"},
        {{}, -1, TClose::CloseBox, u"Kein Lastprofil vorhanden"},
        {{QStringLiteral("Wohnhaus")}, -1, TClose::Select, u"Kein Lastprofil ausgewählt"},
        {{QStringLiteral("Wohnhaus")}, -1, TClose::Escape, u"Kein Lastprofil ausgewählt"},
        {{QStringLiteral("Wohnhaus")}, -1, TClose::CloseBox, u"Kein Lastprofil ausgewählt"},
        {{QStringLiteral("Wohnhaus"), QStringLiteral("Büro")}, 1, TClose::Select, u""},
        {{QStringLiteral("Wohnhaus"), QStringLiteral("Büro")}, 0, TClose::CloseBox, u""},
    };
    for (const TCase& c : cases) {
        ScriptedPrompter().Reset();
        TFormLoadProfils form;
        TLoadProfilsEditData data;
        data.Entries = c.Entries;
        data.Selected = c.Selected;
        form.SetData(data);
        form.show();
        CloseBy(form, c.Way);
        const QString refusal = QString::fromUtf16(c.Refusal);
        const auto& asked = ScriptedPrompter().Asked();
        SCOPED_TRACE(c.Entries.size() * 10 + static_cast<int>(c.Way));
        EXPECT_EQ(form.isVisible(), !refusal.isEmpty());
        if (refusal.isEmpty()) {
            EXPECT_TRUE(asked.empty());
            continue;
        }
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].Kind, TScriptedPrompter::TKind::TaskDialog);
        EXPECT_EQ(asked[0].Caption, refusal);
        EXPECT_EQ(asked[0].Text, c.Entries.isEmpty()
                                     ? QStringLiteral("Legen Sie mit \"Neu\" mindestens ein Lastprofil an")
                                     : QStringLiteral("Wählen Sie ein Lastprofil aus der Liste aus"));
    }
}

class LoadProfilesWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedPrompter().Reset();
        FControl.NewProject();
        TProject& p = *FControl.Project();
        p.LoadProfil(0)->SetName(QStringLiteral("Wohnhaus"));
        for (const QString& name : {QStringLiteral("Büro"), QStringLiteral("Halle")}) {
            auto profile = std::make_unique<TLoadObj>();
            profile->SetName(name);
            p.LoadProfils().Add(std::move(profile));
        }
        p.SetLoadProfile(p.LoadProfil(1));
        FControl.SetIsChanged(false);
    }

    bool Edit(const std::function<void(TFormLoadProfils&)>& Work)
    {
        ScriptedPrompter().QueueDialog([Work](QDialog& d) {
            auto& form = dynamic_cast<TFormLoadProfils&>(d);
            form.show();
            Work(form);
            return form.result();
        });
        return FControl.Project()->EditLoadProfils();
    }

    TProjectControl FControl;
    TProjectDialogsUI FDialogs{&FControl};
    TModelUIScope<TProjectDialogs> FScope{&FDialogs};
};

TEST_F(LoadProfilesWindow, DeletingTheCurrentProfileAndUsingTheCloseBoxLeavesAValidOne)
{
    QStringList shown;
    int shownSelected = -1;
    EXPECT_TRUE(Edit([&](TFormLoadProfils& f) {
        for (int i = 0; i < f.LBLoadProfils->count(); ++i) shown << f.LBLoadProfils->item(i)->text();
        shownSelected = f.LBLoadProfils->currentRow();
        f.BtnDelete->click();  // deletes "Büro", the current profile
        f.close();
    }));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Wohnhaus"), QStringLiteral("Büro"), QStringLiteral("Halle")}));
    EXPECT_EQ(shownSelected, 1);
    TProject& p = *FControl.Project();
    ASSERT_EQ(p.LoadProfils().Count(), 2);
    ASSERT_NE(p.LoadProfile(), nullptr);
    EXPECT_EQ(p.LoadProfile()->Name(), QStringLiteral("Halle"));
    EXPECT_TRUE(FControl.IsChanged());
}

TEST_F(LoadProfilesWindow, NewMarksChangedAndAnyCloseAdoptsTheSelection)
{
    EXPECT_TRUE(Edit([](TFormLoadProfils& f) {
        f.BtnNew->click();
        EXPECT_EQ(f.LBLoadProfils->count(), 4);
        EXPECT_EQ(f.LBLoadProfils->currentRow(), 3);
        f.LBLoadProfils->setCurrentRow(2);
        f.reject();  // Escape
    }));
    TProject& p = *FControl.Project();
    EXPECT_EQ(p.LoadProfils().Count(), 4);
    EXPECT_EQ(p.LoadProfile(), p.LoadProfil(2));
    EXPECT_TRUE(FControl.IsChanged());
}

TEST_F(LoadProfilesWindow, DeletingEveryProfileKeepsTheWindowOpenUntilANewOne)
{
    EXPECT_TRUE(Edit([](TFormLoadProfils& f) {
        for (int i = 0; i < 3; ++i) f.BtnDelete->click();
        EXPECT_EQ(f.LBLoadProfils->count(), 0);
        f.BtnSelect->click();
        EXPECT_TRUE(f.isVisible());
        f.BtnNew->click();
        f.BtnSelect->click();
        EXPECT_FALSE(f.isVisible());
    }));
    TProject& p = *FControl.Project();
    ASSERT_EQ(p.LoadProfils().Count(), 1);
    EXPECT_EQ(p.LoadProfile(), p.LoadProfil(0));
    int refusals = 0;
    for (const auto& r : ScriptedPrompter().Asked()) refusals += r.Kind == TScriptedPrompter::TKind::TaskDialog;
    EXPECT_EQ(refusals, 1);
}
