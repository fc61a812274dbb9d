#pragma once

// What the plan needs from the window that embeds it. The plan sits below the user
// interface, so it never opens a dialog or touches a control itself; it calls these
// hooks, and the window answers. Every hook has a default that does nothing (and a
// question answers "no"), so the plan works and tests without a window.

#include <QPoint>
#include <QString>
#include <QStringList>

class TBHE;
class TElement;
class TNode;

class TPlanHost
{
public:
    virtual ~TPlanHost() = default;

    // The first panel of the status bar ("X: … m  Y:… m").
    virtual void SetStatusText(const QString& Text) { (void)Text; }
    // The property inspector shows the hovered element or node.
    virtual void ShowElementProperties(TElement* Element) { (void)Element; }
    virtual void ShowNodeProperties(TNode* Node) { (void)Node; }
    // The project was changed by the plan (probe moved, dropped or placed, isotherm
    // settings applied).
    virtual void ProjectChanged() {}
    // The probes changed so that the mesh no longer fits them; the model's own flag
    // is already set. The window shows its out-of-date mark.
    virtual void MeshOutOfDate() {}
    // The observe menu ("Node beobachten") at GlobalPos, for Node (null when the
    // click was not over a node but the node selection is not empty).
    virtual void PopupObserveMenu(TNode* Node, QPoint GlobalPos) { (void)Node, (void)GlobalPos; }
    // A probe was added to the model (probe overview: new row) or moved (its row's
    // position).
    virtual void BHEAdded(TBHE* BHE) { (void)BHE; }
    virtual void BHEMoved(TBHE* BHE) { (void)BHE; }
    // The message memo's lines (the hovered groundwater cell).
    virtual void SetMessageLines(const QStringList& Lines) { (void)Lines; }
    // An error of a plan command started by a key (the mouse commands' errors
    // reach the window's command guard).
    virtual void ShowError(const QString& Text) { (void)Text; }
    // A yes/no question; without a window the answer is no.
    virtual bool AskYesNo(const QString& Question)
    {
        (void)Question;
        return false;
    }
    // The probe type of the window's probe-type list at Index, for a dropped type;
    // null when there is none.
    virtual const TBHE* BHETypeAt(int Index)
    {
        (void)Index;
        return nullptr;
    }
};
