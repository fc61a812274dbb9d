// The georeference dialog: four numbers and an upper-right corner right of
// and above the lower-left one before OK; the project takes them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/project/ProjectDialogs.h"
#include "model/project/ProjectObj.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/loads/ProjectDialogsUI.h"
#include "ui/map/GeoRefDlg.h"

namespace {

struct TCase {
    const char16_t* Texts[4];
    int BadField;                // -1: accepted; else the field index focused
    const char16_t* MessagePart; // in the error message
};

QLineEdit* Field(TGeoRefDlg& D, int I)
{
    QLineEdit* f[] = {D.edtllx, D.edtlly, D.edturx, D.edtury};
    return f[I];
}

} // namespace

TEST(GeoRefDlg, ValidatesBeforeOK)
{
    const TCase cases[] = {
        {{u"3500000", u"5400000,5", u"3500100", u"5400080"}, -1, u""},
        {{u"0", u"0", u"1.5", u"2"}, -1, u""},
        {{u"abc", u"0", u"10", u"10"}, 0, u"„abc“ ist keine gültige Zahl für X links unten"},
        {{u"0", u"", u"10", u"10"}, 1, u"Y links unten"},
        {{u"0", u"0", u"10", u"inf"}, 3, u"Y rechts oben"},
        {{u"10", u"0", u"10", u"10"}, 2, u"X rechts oben muss größer sein als X links unten"},
        {{u"0", u"10", u"10", u"5"}, 3, u"Y rechts oben muss größer sein als Y links unten"},
    };
    for (const TCase& c : cases) {
        ScriptedPrompter().Reset();
        TGeoRefDlg dlg;
        dlg.show();
        for (int i = 0; i < 4; ++i) Field(dlg, i)->setText(QString::fromUtf16(c.Texts[i]));
        dlg.FrameOKCancel1->BtnOK->click();
        SCOPED_TRACE(QString::fromUtf16(c.Texts[0]).toStdString());
        if (c.BadField < 0) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
            continue;
        }
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), Field(dlg, c.BadField));
        ASSERT_EQ(ScriptedPrompter().Messages().size(), 1);
        EXPECT_TRUE(ScriptedPrompter().Messages()[0].contains(QString::fromUtf16(c.MessagePart)))
            << ScriptedPrompter().Messages()[0].toStdString();
    }
}

TEST(GeoRefDlg, TheProjectTakesTheCornersOnOKOnly)
{
    TProjectDialogsUI dialogs;
    TModelUIScope<TProjectDialogs> scope(&dialogs);
    TProject project;
    project.MapImage->Bitmap = std::make_unique<QImage>(40, 20, QImage::Format_RGB32);
    project.MapImage->Bitmap->fill(Qt::darkGreen);
    project.MapImage->SetExtent(0, 0, 40, 20);
    QString sizeText;
    bool hasPreview = false;
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueDialog([&](QDialog& d) {
        auto& dlg = dynamic_cast<TGeoRefDlg&>(d);
        sizeText = dlg.LblImageSize->text();
        hasPreview = !dlg.Image1->pixmap().isNull();
        dlg.edtllx->setText(QStringLiteral("100,5"));
        dlg.edturx->setText(QStringLiteral("140,5"));
        dlg.FrameOKCancel1->BtnOK->click();
        return dlg.result();
    });
    ASSERT_TRUE(project.GeoreferenceMap());
    EXPECT_EQ(sizeText, QStringLiteral("Die Bildgröße beträgt 40 x 20 Pixel"));
    EXPECT_TRUE(hasPreview);
    EXPECT_DOUBLE_EQ(project.MapImage->X1(), 100.5);
    EXPECT_DOUBLE_EQ(project.MapImage->X2(), 140.5);

    ScriptedPrompter().QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<TGeoRefDlg&>(d);
        dlg.edtllx->setText(QStringLiteral("0"));
        dlg.FrameOKCancel1->BtnCancel->click();
        return dlg.result();
    });
    EXPECT_FALSE(project.GeoreferenceMap());
    EXPECT_DOUBLE_EQ(project.MapImage->X1(), 100.5);
}
