#include "ui/common/UIUtilities.h"

#include "ui/common/CommonNonVisuals.h"

#include <QDate>
#include <QStringList>
#include <QToolBar>
#include <QToolButton>

void DropDownToolButton(QToolButton* AButton)
{
    if (!AButton || !AButton->menu()) return;
    AButton->showMenu();
}

bool ParseDataFileDate(const QString& AFileName, int& Year, int& Month, int& Day, int& Hour, int& Minute)
{
    if (AFileName.size() < 4) return false;
    const QStringList parts = AFileName.left(AFileName.size() - 4).split(QLatin1Char('_'));
    if (parts.size() < 5) return false;
    int v[5];  // year, month, day, hour, minute
    for (int k = 0; k < 5; ++k) {
        bool ok = false;
        v[k] = parts.at(parts.size() - 5 + k).toInt(&ok, 10);
        if (!ok) return false;
    }
    if (!QDate::isValid(v[0], v[1], v[2]) || v[0] < 1 || v[3] < 0 || v[3] > 23 || v[4] < 0 || v[4] > 59)
        return false;
    Year = v[0];
    Month = v[1];
    Day = v[2];
    Hour = v[3];
    Minute = v[4];
    return true;
}

QToolButton* AddCaptionedToolButton(QToolBar* Bar, const QString& Caption, TImageIndex Image)
{
    auto* b = new QToolButton(Bar);
    b->setText(Caption);
    b->setIcon(KPIcon(Image));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Bar->addWidget(b);
    return b;
}
