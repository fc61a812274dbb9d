// The node commands of the mesh group: boundary conditions on the plan's
// selected nodes, and the groundwater log on the clipboard.

#include <QClipboard>
#include <QGuiApplication>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumNodes.h"
#include "model/model/MainModelObj.h"
#include "model/run/MainLoopObj.h"
#include "plan/PlanView.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MeshCommands.h"

QString GWLogText(const QStringList& Lines)
{
    QStringList all{QStringLiteral("Datum\tAbstrom (MJ)\tZustrom (MJ)\tBilanz (kWh)\t"
                                   "Transferbilanz innerhalb des Modells (kWh)")};
    all << Lines;
    // Spreadsheets on every system take CR LF; the last line ends too.
    return all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void TMeshCommands::Fixedtemperature1Click(int Tag)
{
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Setzen von Randbedingungen"));
    TPlanView* plan = FWindow.PlanView();
    const std::vector<TD2Node*>& nodes = plan->D2SelectedNodes();
    if (nodes.empty()) {
        Prompter().MessageDlg(QStringLiteral("Please select the nodes first."), TMsgDlgType::mtInformation,
                              QMessageBox::Ok);
        return;
    }
    QString prompt;
    switch (Tag) {
    case btNone: break;
    case btFixedTemperature: prompt = QStringLiteral("Temperatur [°C]"); break;
    case btFixedFlow: prompt = QStringLiteral("Leistung [W]"); break;
    default: return;
    }
    double value = 0;
    if (Tag != btNone) {
        QString text;
        if (!Prompter().InputQuery(QStringLiteral("Bekannten Wert eintragen"), prompt, text)) return;
        // Raises for a text that is no number, before any node changes.
        value = StrToFloat(text);
    }
    for (TD2Node* item : nodes) {
        TNode* n = item->Node();
        if (!n) continue;
        switch (Tag) {
        case btNone: n->SetBorderCondition(bc0None); break;
        case btFixedTemperature:
            n->SetBorderCondition(bc1FixedValue);
            n->SetF(value);
            n->SetFA(value);
            break;
        case btFixedFlow:
            n->SetBorderCondition(bc2FixedFlow);
            n->SetQ(value);
            break;
        default: break;
        }
    }
    FWindow.RefreshAndChanged();
}

void TMeshCommands::GrundwasserLogkopieren1Click()
{
    const TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    QGuiApplication::clipboard()->setText(GWLogText(m->MainLoop()->GWlog()));
}
