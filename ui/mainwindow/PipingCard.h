#pragma once

// The piping page: the pipe between the heat pump and the probe field and the
// circulating fluid. The page's commands fill it from the current model.

#include <QWidget>

class QComboBox;
class QLineEdit;
class TProject;

class TPipingCard : public QWidget
{
    Q_OBJECT
public:
    explicit TPipingCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    void RefreshPipingPage();

    QComboBox* ComboFluid = nullptr;
    QLineEdit* EdtPipeLength = nullptr;
    QLineEdit* EdtPipeDiameter = nullptr;

private:
    TProject* FProject = nullptr;
};
