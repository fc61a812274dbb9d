#include "ui/common/KPApplication.h"

#include <QMetaObject>

#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"

TKPApplication::TKPApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TKPApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        // Queued: a modal message box inside notify would nest a loop in the
        // middle of the failed event's dispatch.
        const QString text = ErrorMessage(std::current_exception());
        QMetaObject::invokeMethod(
            this,
            [text] {
                try {
                    Prompter().ShowError(text);
                } catch (...) {
                }
            },
            Qt::QueuedConnection);
        return false;
    }
}
