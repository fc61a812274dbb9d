// Boundary conditions on the plan's selected nodes, and the groundwater log
// on the clipboard.
#include "MeshCommandsFixture.h"

#include <QClipboard>
#include <QGuiApplication>

#include "model/fe/NumNodes.h"
#include "ui/mainwindow/MainActions.h"

namespace {

using Kind = TScriptedPrompter::TKind;

// Selects every node of the plan with a rectangle around the whole control.
void SelectAllNodes(TPlanView& Plan)
{
    Plan.ActionSelectNodesExecute();
    Plan.MVPaintBoxD2MouseDown(mbLeft, TShiftState(), -5000, -5000);
    Plan.MVPaintBoxD2MouseUp(mbLeft, TShiftState(), 5000, 5000);
}

} // namespace

using BoundaryCommands = MeshCommandsFixture;

TEST_F(BoundaryCommands, SetOnTheSelectedNodesAsTheMenuItemSays)
{
    struct TCase {
        const char* Name;
        QAction* TMeshCommands::*Item;
        bool Answer;         // the input query confirmed
        QString Text;        // typed into it
        bool Changed;        // the nodes got the condition
        TBorderCondition Condition;
        double F, Q;         // expected values when changed
    };
    const TCase cases[] = {
        {"none", &TMeshCommands::None1, false, QString(), true, bc0None, 7, 0},
        {"temperature 12,5", &TMeshCommands::Fixedtemperature1, true, QStringLiteral("12,5"), true, bc1FixedValue,
         12.5, 0},
        {"flow -300", &TMeshCommands::FixedFlow1, true, QStringLiteral("-300"), true, bc2FixedFlow, 7, -300},
        {"no number", &TMeshCommands::Fixedtemperature1, true, QStringLiteral("abc"), false, bc0None, 0, 0},
        {"cancelled", &TMeshCommands::FixedFlow1, false, QString(), false, bc0None, 0, 0},
    };
    TFormLoad& w = MeshedProject();
    TPlanView& plan = *w.PlanView();
    SelectAllNodes(plan);
    ASSERT_EQ(plan.D2SelectedNodes().size(), 4u);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        // A known state: no condition, temperature 7, no flow.
        for (TD2Node* n : plan.D2SelectedNodes()) {
            n->Node()->SetBorderCondition(bc3SemiPervious);
            n->Node()->SetF(7);
            n->Node()->SetFA(7);
            n->Node()->SetQ(0);
        }
        w.SetIsChanged(false);
        ScriptedPrompter().Reset();
        if (c.Answer) ScriptedPrompter().QueueText(c.Text);
        else if (c.Item != &TMeshCommands::None1) ScriptedPrompter().Queue({});
        (w.MeshCommands()->*c.Item)->trigger();
        const bool asked = !ScriptedPrompter().Asked().empty() &&
                           ScriptedPrompter().Asked().front().Kind == Kind::InputQuery;
        EXPECT_EQ(asked, c.Item != &TMeshCommands::None1);
        if (asked) {
            EXPECT_EQ(ScriptedPrompter().Asked().front().Caption, QStringLiteral("Bekannten Wert eintragen"));
        }
        for (TD2Node* n : plan.D2SelectedNodes()) {
            const TNode& node = *n->Node();
            EXPECT_EQ(node.BorderCondition(), c.Changed ? c.Condition : bc3SemiPervious);
            EXPECT_DOUBLE_EQ(node.F(), c.Changed ? c.F : 7);
            EXPECT_DOUBLE_EQ(node.FA(), c.Changed ? c.F : 7);
            EXPECT_DOUBLE_EQ(node.StoredQ(), c.Changed ? c.Q : 0);
        }
        EXPECT_EQ(w.IsChanged(), c.Changed);
    }
}

TEST_F(BoundaryCommands, WithoutSelectionTheUserIsAskedToSelect)
{
    TFormLoad& w = MeshedProject();
    w.MeshCommands()->Fixedtemperature1->trigger();
    ASSERT_EQ(ScriptedPrompter().Asked().size(), 1u);
    EXPECT_EQ(ScriptedPrompter().Asked().front().Kind, Kind::MessageDlg);
    EXPECT_EQ(ScriptedPrompter().Asked().front().Text, QStringLiteral("Please select the nodes first."));
    EXPECT_FALSE(w.IsChanged());
}

TEST_F(BoundaryCommands, TheGroundwaterLogGoesToTheClipboardWithCRLF)
{
    const QString header = QStringLiteral(
        "Datum\tAbstrom (MJ)\tZustrom (MJ)\tBilanz (kWh)\tTransferbilanz innerhalb des Modells (kWh)\r\n");
    EXPECT_EQ(GWLogText({}), header);
    EXPECT_EQ(GWLogText({QStringLiteral("a\t1"), QStringLiteral("b\t2")}),
              header + QStringLiteral("a\t1\r\nb\t2\r\n"));

    TFormLoad& w = ProjectWithProbes();
    QGuiApplication::clipboard()->setText(QStringLiteral("alt"));
    w.Actions()->UpdateActions();
    w.MeshCommands()->GrundwasserLogkopieren1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), header);
}
