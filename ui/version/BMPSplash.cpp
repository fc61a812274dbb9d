#include "ui/version/BMPSplash.h"

#include <QLabel>

#include "ui/version/BMPAbout.h"

TBmpSplashForm::TBmpSplashForm(QWidget* Parent)
    : QWidget(Parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("BmpSplashForm"));
    setFixedSize(350, 250);
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 350, 250);
    Image1->setScaledContents(true);
    Label3 = MakeInfoLabel(this, QStringLiteral("Label3"), Qt::AlignLeft);
    Label3->setGeometry(8, 250 - 24, 220, 16);
    LblAppName = MakeInfoLabel(this, QStringLiteral("LblAppName"), Qt::AlignRight);
    LblAppName->setGeometry(250 - 8, 250 - 24, 100, 16);
    CentreOn(this, nullptr);
}

void TBmpSplashForm::SetContents(const QPixmap& Picture, const QString& Publisher, const QString& VersionText,
                                 const QColor& LabelsColor)
{
    Image1->setPixmap(Picture);
    Label3->setText(Publisher);
    LblAppName->setText(VersionText);
    for (QLabel* l : {Label3, LblAppName}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, LabelsColor);
        l->setPalette(p);
    }
}
