#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class TFrameOKCancel;
struct TTriangleSettingsData;

// "Triangle - Einstellungen": the mesh generator's program and its
// command-line switches. The wrapper fills it, shows it through the prompter
// and reads it back on OK. The program is ours, so the file picker offers any
// file and takes only one the user may execute.
class TDlgTriangleSettings : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgTriangleSettings(QWidget* Parent = nullptr);

    void SetData(const TTriangleSettingsData& D);
    TTriangleSettingsData Data() const;

    // The folder button of EditExeName: picks the program.
    void EditExeNameRightButtonClick();

    QLabel* Label1 = nullptr;
    QLineEdit* EditExeName = nullptr;
    QAction* EditExeNameButton = nullptr;
    QLineEdit* EditParams = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;
};

// Pixel size of the folder picture at Dpi: the 16-pixel picture scaled by
// Dpi / 96 picks the list of 16, 24, 32 or 48 pixels.
int TriangleDlgImageSize(int Dpi);
