#include "ui/version/ApplicationInfo.h"

#include "KPVersion.h"
#include "ui/common/Prompter.h"
#include "ui/version/ApplicationVersionHelper.h"
#include "ui/version/BMPAbout.h"
#include "ui/version/BMPSplash.h"
#include "ui/version/VersionInfo.h"

TMVAppInfo::TMVAppInfo(QObject* Owner)
    : QObject(Owner),
      Version(QStringLiteral("1.0")),
      Publisher(QStringLiteral("Mirvatek")),
      Website(QStringLiteral("www.mirvatek.de · info@mirvatek.de")),
      LabelsColor(Qt::white)
{
}

TMVAppInfo::~TMVAppInfo()
{
    delete FSplash.data();
}

QString TMVAppInfo::GetVersionText() const
{
    const TVersionInfo& v = GetApplicationVersionInfo();
    if (v.Valid()) return QStringLiteral("V. ") + TVersionInfo::VersionToString(v.FileVersion());
    return QStringLiteral("V. %1").arg(Version);
}

void TMVAppInfo::AboutDlg(QWidget* Parent)
{
    TBmpAboutForm form(Parent ? Parent : TPrompter::DialogParent());
    form.SetContents(ScreenPicture, Publisher, Website, GetVersionText(), LabelsColor);
    Prompter().ExecDialog(form);
}

void TMVAppInfo::SetDisplaySplash(bool Value)
{
    if (Value) {
        if (!FSplash) {
            FSplash = new TBmpSplashForm(nullptr);
            FSplash->SetContents(ScreenPicture, Publisher, GetVersionText(), LabelsColor);
        }
        FSplash->show();
    } else if (FSplash) {
        FSplash->hide();
        delete FSplash.data();
    }
}

void SetMainWindowAppInfo(TMVAppInfo& Info)
{
    Info.Version = QStringLiteral("2.0");
    Info.Publisher = QStringLiteral("© Mirvatek " KP_BUILD_YEAR);
    Info.Website = QStringLiteral("www.mirvatek.de · info@mirvatek.de");
    Info.LabelsColor = Qt::black;
    Info.ScreenPicture = QPixmap(QStringLiteral(":/images/about.png"));
}
