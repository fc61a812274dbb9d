#include "ui/mesh/MeshProgress.h"

#include <QApplication>
#include <QProgressDialog>

#include "ui/common/Prompter.h"

TMeshProgress::TMeshProgress(QObject* Parent) : QObject(Parent) {}

TMeshProgress::~TMeshProgress()
{
    Finish();
}

QProgressDialog* TMeshProgress::Dialog() const
{
    return FDialog;
}

void TMeshProgress::Start()
{
    Finish();
    FCancelled = false;
    // Without a running event loop (a command line run) there is nothing to show.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    FDialog = new QProgressDialog(QStringLiteral("Triangle erstellt das FE-Netz …"), QStringLiteral("Abbrechen"), 0,
                                  0, TPrompter::DialogParent());
    FDialog->setObjectName(QStringLiteral("MeshProgress"));
    FDialog->setWindowTitle(QStringLiteral("FE-Netz erstellen"));
    // Application-modal: no other command can reach the model while the
    // generator works on its input.
    FDialog->setWindowModality(Qt::ApplicationModal);
    FDialog->setAutoClose(false);
    FDialog->setAutoReset(false);
    FDialog->setMinimumDuration(0);
    connect(FDialog, &QProgressDialog::canceled, this, [this] { FCancelled = true; });
    FDialog->show();
    QCoreApplication::processEvents();
}

bool TMeshProgress::Running()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // The Cancel button and Esc emit canceled(); cancel() itself only sets the flag.
    if (FDialog && FDialog->wasCanceled()) FCancelled = true;
    return !FCancelled;
}

void TMeshProgress::Finish()
{
    if (!FDialog) return;
    FDialog->hide();
    FDialog->deleteLater();
    FDialog = nullptr;
}
