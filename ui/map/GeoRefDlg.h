#pragma once

#include <QDialog>
#include <QImage>

class QGroupBox;
class QLabel;
class QLineEdit;
class TFrameOKCancel;
struct TGeoreferenceEditData;

// The world coordinates (m) of the background map's lower-left and
// upper-right corners, beside a preview of the picture. OK only with four
// numbers and the upper-right corner right of and above the lower-left one,
// so the project never gets a map of no or negative extent.
class TGeoRefDlg : public QDialog {
    Q_OBJECT

public:
    explicit TGeoRefDlg(QWidget* Parent = nullptr);

    void SetData(const TGeoreferenceEditData& Data);
    // The four texts as typed; the picture and its size stay the caller's.
    void GetData(TGeoreferenceEditData& Data) const;

    // Empty when the four texts form a valid extent, else the German message;
    // Field is then the edit to correct.
    QString CheckExtent(QLineEdit*& Field) const;

    QGroupBox* GroupImage = nullptr;
    QLabel* LblImageSize = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* edtllx = nullptr;
    QLineEdit* edtlly = nullptr;
    QLineEdit* edturx = nullptr;
    QLineEdit* edtury = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

public slots:
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    QGroupBox* CornerGroup(const QString& Caption, QLineEdit*& EdtX, QLineEdit*& EdtY);
    void ShowPreview();

    QImage FImage;
};
