#include "ScriptedPrompter.h"

#include <QDialog>

void TScriptedPrompter::Reset()
{
    FAsked.clear();
    FAnswers.clear();
}

void TScriptedPrompter::QueueButton(QMessageBox::StandardButton B)
{
    TAnswer a;
    a.Button = B;
    Queue(a);
}

void TScriptedPrompter::QueueTaskButton(int Index)
{
    TAnswer a;
    a.TaskButton = Index;
    Queue(a);
}

void TScriptedPrompter::QueueText(const QString& Text)
{
    TAnswer a;
    a.Ok = true;
    a.Text = Text;
    Queue(a);
}

void TScriptedPrompter::QueueDialog(std::function<int(QDialog&)> Work)
{
    TAnswer a;
    a.Dialog = std::move(Work);
    Queue(a);
}

QStringList TScriptedPrompter::Messages() const
{
    QStringList l;
    for (const TRequest& r : FAsked)
        if (r.Kind == TKind::Message || r.Kind == TKind::Error || r.Kind == TKind::MessageDlg) l << r.Text;
    return l;
}

int TScriptedPrompter::Unanswered() const
{
    int n = 0;
    for (const TRequest& r : FAsked)
        if (!r.Answered && r.Kind != TKind::Message && r.Kind != TKind::Error) ++n;
    return n;
}

const TScriptedPrompter::TAnswer* TScriptedPrompter::Next(TRequest R)
{
    R.Answered = !FAnswers.empty();
    FAsked.push_back(R);
    if (FAnswers.empty()) return nullptr;
    FCurrent = FAnswers.front();
    FAnswers.pop_front();
    return &FCurrent;
}

void TScriptedPrompter::ShowMessage(const QString& Text)
{
    FAsked.push_back({TKind::Message, QString(), Text, QMessageBox::Ok, {}, {}, true});
}

void TScriptedPrompter::ShowError(const QString& Text)
{
    FAsked.push_back({TKind::Error, QString(), Text, QMessageBox::Ok, {}, {}, true});
}

QMessageBox::StandardButton TScriptedPrompter::MessageDlg(const QString& Text, TMsgDlgType Kind,
                                                          QMessageBox::StandardButtons Buttons,
                                                          QMessageBox::StandardButton Default)
{
    (void)Kind;
    (void)Default;
    const TAnswer* a = Next({TKind::MessageDlg, QString(), Text, Buttons, {}, {}, false});
    return a ? a->Button : QMessageBox::Cancel;
}

int TScriptedPrompter::TaskDialog(TTaskDialogSpec& Spec)
{
    const TAnswer* a = Next({TKind::TaskDialog, Spec.Caption, Spec.Instruction, {}, Spec.Buttons, {}, false});
    return a ? a->TaskButton : -1;
}

bool TScriptedPrompter::InputQuery(const QString& Caption, const QString& Prompt, QString& Value)
{
    const TAnswer* a = Next({TKind::InputQuery, Caption, Prompt, {}, {}, {}, false});
    if (!a || !a->Ok) return false;
    Value = a->Text;
    return true;
}

QString TScriptedPrompter::OpenFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    const TAnswer* a = Next({TKind::OpenFile, Caption, FileName, {}, {}, Filter, false});
    return a ? a->Text : QString();
}

QString TScriptedPrompter::SaveFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    const TAnswer* a = Next({TKind::SaveFile, Caption, FileName, {}, {}, Filter, false});
    return a ? a->Text : QString();
}

QString TScriptedPrompter::ExistingDirectory(const QString& Caption, const QString& Folder)
{
    const TAnswer* a = Next({TKind::Directory, Caption, Folder, {}, {}, {}, false});
    return a ? a->Text : QString();
}

bool TScriptedPrompter::ChooseFont(QFont& Font)
{
    const TAnswer* a = Next({TKind::Font, QString(), Font.family(), {}, {}, {}, false});
    if (!a || !a->Ok) return false;
    Font = a->Font;
    return true;
}

int TScriptedPrompter::ExecDialog(QDialog& Dialog)
{
    const TAnswer* a = Next({TKind::Dialog, Dialog.windowTitle(), QString(), {}, {}, Dialog.objectName(), false});
    if (!a || !a->Dialog) return QDialog::Rejected;
    const auto work = a->Dialog;  // the answer slot may be reused by a nested request
    return work(Dialog);
}

TScriptedPrompter& ScriptedPrompter()
{
    static TScriptedPrompter p;
    return p;
}
