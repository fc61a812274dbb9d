#pragma once

// The parameter-set window of the probes page and its three commands: a new
// set, the selected set applied to the selected elements of the plan, and
// deleting a set. The window is not modal; it is refilled (or emptied)
// whenever the project is bound or closed, so its rows never outlive the
// sets they show.

#include <QObject>
#include <QString>

class TFormLoad;
class TFormParamsSet;
class TParameterSet;

class TParamSetCommands : public QObject
{
    Q_OBJECT
public:
    TParamSetCommands(TFormLoad& Window, QObject* Parent);

    TFormParamsSet* FormParamsSet() const { return FForm; }

    // The name proposed for a new set when the model has Count sets.
    static QString ProposedName(int Count);

    // Fills and shows the window.
    void Parameterstze1Click();
    // One row per set of the current model; empty without one.
    void Refill();
    void AddParamset();
    void ApplyParamset();
    void DeleteParamset();
    // The buttons follow the project and the run.
    void UpdateActions();

private:
    void Changed();
    // The selected set when it still belongs to the model; nullptr otherwise.
    TParameterSet* SelectedSet() const;

    TFormLoad& FWindow;
    TFormParamsSet* FForm = nullptr;
};
