#include "ui/mainwindow/ParamSetCommands.h"

#include <QToolButton>
#include <QTreeWidget>

#include "model/control/ProjectControl.h"
#include "model/fe/NumElements.h"
#include "model/fe/NumModel.h"
#include "model/fe/ParameterSet.h"
#include "model/model/MainModelObj.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/params/FormParamsSet.h"

#include <memory>
#include <vector>

TParamSetCommands::TParamSetCommands(TFormLoad& Window, QObject* Parent) : QObject(Parent), FWindow(Window)
{
    FForm = new TFormParamsSet(&FWindow);
    FForm->OnInsertRecordClick = [this](QObject*) { AddParamset(); };
    FForm->OnApplyClick = [this](QObject*) { ApplyParamset(); };
    FForm->OnDeleteClick = [this](QObject*) { DeleteParamset(); };
    FForm->ItemChanged = [this](QObject*) { Changed(); };
}

QString TParamSetCommands::ProposedName(int Count)
{
    return QStringLiteral("Satz ") + QString::number(Count + 1);
}

void TParamSetCommands::Parameterstze1Click()
{
    Refill();
    FForm->show();
    FForm->raise();
}

void TParamSetCommands::Refill()
{
    std::vector<TParameterSet*> sets;
    if (TThermModel* m = FWindow.Control().Model())
        for (int i = 0; i < m->Paramsets().Count(); ++i) sets.push_back(m->Paramsets().ItemAs<TParameterSet>(i));
    FForm->Fill(sets);
}

void TParamSetCommands::UpdateActions()
{
    const bool usable = FWindow.Project() && !FWindow.Control().IsRunActive();
    FForm->BtnInsertRecord->setEnabled(usable);
    FForm->BtnDelete->setEnabled(usable);
    FForm->BtnApply->setEnabled(usable);
}

void TParamSetCommands::Changed()
{
    FWindow.RefreshAndChanged();
}

TParameterSet* TParamSetCommands::SelectedSet() const
{
    TThermModel* m = FWindow.Control().Model();
    TParameterSet* set = FForm->SelectedSet();
    return m && set && m->Paramsets().IndexOf(set) >= 0 ? set : nullptr;
}

void TParamSetCommands::AddParamset()
{
    TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Anlegen eines Parametersatzes"));
    // Red, as $0000FF.
    auto set = std::make_unique<TParameterSet>(ProposedName(m->Paramsets().Count()), TColor(0x0000FF));
    if (!set->Edit()) return;
    TParameterSet* added = set.release();
    m->Paramsets().Add(added);
    FForm->ListViewItems->setCurrentItem(FForm->AddParamSet(added));
    Changed();
}

void TParamSetCommands::ApplyParamset()
{
    TParameterSet* set = SelectedSet();
    if (!set) return;
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Zuweisen eines Parametersatzes"));
    for (TD2Element* item : FWindow.PlanView()->D2SelectedElements())
        if (item->Element()) item->Element()->Assign(set);
    Changed();
}

void TParamSetCommands::DeleteParamset()
{
    TThermModel* m = FWindow.Control().Model();
    TParameterSet* set = SelectedSet();
    if (!m || !set) return;
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Löschen eines Parametersatzes"));
    // No element may keep drawing with a set that is gone.
    if (TNumModel* fe = m->FieldModel())
        for (int i = 0; i < fe->ElementCount(); ++i)
            if (fe->GetElement(i)->Tag() == set) fe->GetElement(i)->SetTag(nullptr);
    delete FForm->ListViewItems->selectedItems().first();
    m->Paramsets().Remove(set);
    Changed();
}
