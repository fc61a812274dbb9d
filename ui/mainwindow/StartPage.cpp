#include "ui/mainwindow/StartPage.h"

#include <QCommandLinkButton>
#include <QLabel>

#include "model/settings/KPSettings.h"
#include "model/settings/MRUList.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/mainwindow/FileItemList.h"

#include <algorithm>

TStartPage::TStartPage(TFileInfolist& Recent, TExampleFilelist& Examples, QWidget* Parent)
    : QWidget(Parent), FRecent(Recent), FExamples(Examples)
{
    setObjectName(QStringLiteral("PanelWelcome"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);
    CreateLeftColumn();
    FilesPolyList = new TFileItemList(QStringLiteral("Zuletzt verwendete Dateien"), this);
    FilesPolyList->setObjectName(QStringLiteral("FilesPolyList"));
    ExamplesPolyList = new TFileItemList(QStringLiteral("Beispieldateien"), this);
    ExamplesPolyList->setObjectName(QStringLiteral("ExamplesPolyList"));
    for (TFileItemList* l : {FilesPolyList, ExamplesPolyList})
        l->OnFileDblClick = [this](const QString& Name) {
            if (OnFileItemDblClick) OnFileItemDblClick(Name);
        };
    LblExampleslist = new QLabel(this);
    LblExampleslist->setObjectName(QStringLiteral("LblExampleslist"));
    LblExampleslist->setCursor(Qt::PointingHandCursor);
    LblExampleslist->setTextFormat(Qt::RichText);
    connect(LblExampleslist, &QLabel::linkActivated, this, Guarded([this] { LblExampleslistClick(); }));
    ExamplesPolyList->setVisible(ShowExampleList);
    LayoutWelcomePanel();
}

void TStartPage::CreateLeftColumn()
{
    AdvReflectionImage1 = new QLabel(this);
    AdvReflectionImage1->setObjectName(QStringLiteral("AdvReflectionImage1"));
    const QPixmap picture(QStringLiteral(":/images/about.png"));
    if (!picture.isNull()) AdvReflectionImage1->setPixmap(picture.scaledToWidth(340, Qt::SmoothTransformation));
    AdvReflectionImage1->setGeometry(24, 24, 340, std::min(picture.isNull() ? 0 : AdvReflectionImage1->pixmap().height(), 150));
    AdvReflectionImage1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    int y = AdvReflectionImage1->geometry().bottom() + 12;
    LblWelcome = new QLabel(QStringLiteral("Willkommen zu Mirvatek KP"), this);
    LblWelcome->setObjectName(QStringLiteral("LblWelcome"));
    QFont f = LblWelcome->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    LblWelcome->setFont(f);
    LblWelcome->setGeometry(24, y, 340, 30);
    y += 30;
    LblVersion = new QLabel(this);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    LblVersion->setGeometry(24, y, 340, 20);
    y += 32;
    auto button = [&](const QString& Name, const QString& Text, const QString& Note, TImageIndex Image) {
        auto* b = new QCommandLinkButton(Text, Note, this);
        b->setObjectName(Name);
        b->setIcon(KPIcon(Image));
        b->setIconSize(QSize(48, 48));
        b->setGeometry(24, y, 350, 72);
        y += 80;
        return b;
    };
    BtnCreateNewProject = button(QStringLiteral("BtnCreateNewProject"), QStringLiteral("Ein neues Projekt erstellen"),
                                 QStringLiteral("Ein neues Projekt zur Modellierung anlegen"), iiNew);
    BtnOpenOtherProject = button(QStringLiteral("BtnOpenOtherProject"), QStringLiteral("Ein anderes Projekt öffnen..."),
                                 QStringLiteral("Eine bestehende Datei auf dem PC suchen und öffnen"), iiOpen);
    BtnVisitWebsite = button(QStringLiteral("BtnVisitWebsite"), QStringLiteral("Mirvatek KP Website besuchen"),
                             QStringLiteral("Die Website von Mirvatek KP im Internet besuchen"), iiInfo);
    connect(BtnCreateNewProject, &QAbstractButton::clicked, this, Guarded([this] {
                if (OnNewProject) OnNewProject();
            }));
    connect(BtnOpenOtherProject, &QAbstractButton::clicked, this, Guarded([this] {
                if (OnOpenOtherProject) OnOpenOtherProject();
            }));
    connect(BtnVisitWebsite, &QAbstractButton::clicked, this, Guarded([this] {
                if (OnVisitWebsite) OnVisitWebsite();
            }));
}

void TStartPage::SetVersionText(const QString& Text)
{
    LblVersion->setText(Text);
}

void TStartPage::RefreshRecentFilesList()
{
    FRecent.CreateFromRegistry();
    FilesPolyList->Fill(FRecent, true, true, RecentItemHeight);
}

void TStartPage::FillExamplesList()
{
    FExamples.CreateFromRegistry();
    ExamplesPolyList->Fill(FExamples, false, false, ExampleItemHeight);
}

void TStartPage::LayoutWelcomePanel()
{
    const int listsWidth = std::max(width() - ListsLeft - 28, 200);
    int filesHeight;
    if (!ExamplesPolyList->isHidden()) {
        ExamplesPolyList->setGeometry(ListsLeft, height() - ExamplesHeight - 30, listsWidth, ExamplesHeight);
        LblExampleslist->setText(QStringLiteral("<a href=\"#\" style=\"color: navy\">Beispielprojekte ausblenden</a>"));
        filesHeight = height() - ListsTop - 43 - ExamplesHeight;
    } else {
        LblExampleslist->setText(QStringLiteral("<a href=\"#\" style=\"color: navy\">Beispielprojekte anzeigen</a>"));
        filesHeight = height() - ListsTop - 30;
    }
    FilesPolyList->setGeometry(ListsLeft, ListsTop, listsWidth, std::max(filesHeight, 60));
    LblExampleslist->adjustSize();
    LblExampleslist->move(ListsLeft + listsWidth - LblExampleslist->width(), height() - 24);
}

void TStartPage::LblExampleslistClick()
{
    ExamplesPolyList->setVisible(ExamplesPolyList->isHidden());
    LayoutWelcomePanel();
    ShowExampleList = !ExamplesPolyList->isHidden();
}

void TStartPage::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    LayoutWelcomePanel();
}
