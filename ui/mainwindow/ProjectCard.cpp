#include "ui/mainwindow/ProjectCard.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/project/ProjectObj.h"
#include "ui/common/CommandGuard.h"

TProjectCard::TProjectCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardProject"));
    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Allgemeine Projekteinstellungen"), this);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    outer->addWidget(title);
    auto* form = new QFormLayout;
    auto makeEdit = [&](const QString& Name, const QString& Label) {
        auto* e = new QLineEdit(this);
        e->setObjectName(Name);
        e->setMinimumWidth(360);
        form->addRow(Label, e);
        return e;
    };
    EdtProjectname = makeEdit(QStringLiteral("EdtProjectname"), QStringLiteral("Projektbezeichnung"));
    EdtClient = makeEdit(QStringLiteral("EdtClient"), QStringLiteral("Auftraggeber"));
    EdtUser = makeEdit(QStringLiteral("EdtUser"), QStringLiteral("Bearbeiter"));
    outer->addLayout(form);
    outer->addStretch(1);
    // Only the user's typing writes back: a refresh never counts as a change.
    connect(EdtProjectname, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtProjectnameChange(T); }));
    connect(EdtClient, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtClientChange(T); }));
    connect(EdtUser, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtUserChange(T); }));
}

void TProjectCard::RefreshProjectPage()
{
    if (!FProject) return;
    const QSignalBlocker b1(EdtProjectname);
    const QSignalBlocker b2(EdtClient);
    const QSignalBlocker b3(EdtUser);
    EdtProjectname->setText(FProject->Name());
    EdtClient->setText(FProject->Client());
    EdtUser->setText(FProject->User());
}

void TProjectCard::EdtProjectnameChange(const QString& Text)
{
    if (!FProject) return;
    FProject->SetName(Text);
    Changed();
}

void TProjectCard::EdtClientChange(const QString& Text)
{
    if (!FProject) return;
    FProject->SetClient(Text);
    Changed();
}

void TProjectCard::EdtUserChange(const QString& Text)
{
    if (!FProject) return;
    FProject->SetUser(Text);
    Changed();
}

void TProjectCard::Changed()
{
    if (OnChanged) OnChanged();
}
