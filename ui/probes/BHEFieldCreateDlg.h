#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class TBHE;
class TBHETypelist;
class TFrameOKCancel;

// "Sondenfeld erstellen": spacing, probe type, label prefix and load profile
// of a field of probes that the user then places on the plan. The types are
// grouped by tube layout; OK needs a positive spacing and a chosen type.
class TDlgCreateBHEField : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgCreateBHEField(QWidget* Parent = nullptr);

    // Spacing shown at the start (m).
    void SetSpacing(double Spacing);
    // One row per type, in list order, below the group of its tube layout;
    // the first row selected. The list must outlive the dialog.
    void SetBHETypes(const TBHETypelist& Types);
    void SetLoadProfiles(const QStringList& Names, int Current);

    // The spacing typed, or Previous when the text is no usable number.
    double Spacing(double Previous) const;
    // The type of the selected row; nullptr when none is selected.
    const TBHE* SelectedType() const;
    QString Prefix() const;
    // -1 when the project has no load profile.
    int LoadProfileIndex() const;

    // The checks of OK, each failing one with its message; true when the
    // values can be taken.
    bool CheckValues();

    void done(int R) override;

    QLabel* HeaderPanel = nullptr;
    QLineEdit* EdtBHEDist = nullptr;
    QLineEdit* EdtPrefix = nullptr;
    QTreeWidget* LV_BHETypes = nullptr;
    QComboBox* ComboLoadProfile = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;
};
