#pragma once

// The load page: the current load profile's name, kind and values. The page
// shows the profile here; editing, the value grid, the chart and the import
// are the page's own commands.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TProject;

class TLoadCard : public QWidget
{
    Q_OBJECT
public:
    explicit TLoadCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    // Name and kind of the current profile, under signal blockers.
    void RefreshLoadPage();

    QLineEdit* EdtLoadProfilName = nullptr;
    QLabel* LblEditLoadProfils = nullptr;
    QRadioButton* RBLoadConstant = nullptr;
    QLineEdit* EdtConstantLoad = nullptr;
    QRadioButton* RBLoadYearly = nullptr;
    QRadioButton* RBLoadMonthPower = nullptr;
    QRadioButton* RBloadVariable = nullptr;
    QLineEdit* EdtCoolingTemp = nullptr;
    QTableWidget* GridLoad = nullptr;
    QPushButton* BtnImportLoadProfil = nullptr;

private:
    TProject* FProject = nullptr;
};
