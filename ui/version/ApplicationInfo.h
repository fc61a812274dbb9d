#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

class TBmpSplashForm;
class QWidget;

// The program's application information: version, publisher and web line
// with the product picture, shown by the about box (AboutDlg) and the splash
// form (DisplaySplash, never shown by the program).
class TMVAppInfo : public QObject {
    Q_OBJECT

public:
    explicit TMVAppInfo(QObject* Owner = nullptr);
    ~TMVAppInfo() override;

    QString Version;
    QString Publisher;
    QString Website;
    QColor LabelsColor;
    QPixmap ScreenPicture;

    // "V. " and the program's file version; "V. " and Version without one.
    QString GetVersionText() const;
    // Shows the about box modally (through the prompter) over Parent.
    void AboutDlg(QWidget* Parent = nullptr);
    bool DisplaySplash() const { return !FSplash.isNull(); }
    void SetDisplaySplash(bool Value);

private:
    QPointer<TBmpSplashForm> FSplash;
};

// The values the main window gives its application information.
void SetMainWindowAppInfo(TMVAppInfo& Info);
