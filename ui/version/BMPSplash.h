#pragma once

#include <QWidget>

class QLabel;

// The splash form: the product picture with the publisher and the version,
// frameless, centred on the screen. The program never shows it.
class TBmpSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TBmpSplashForm(QWidget* Parent);

    void SetContents(const QPixmap& Picture, const QString& Publisher, const QString& VersionText,
                     const QColor& LabelsColor);

    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;      // publisher
    QLabel* LblAppName = nullptr;  // version text
};
