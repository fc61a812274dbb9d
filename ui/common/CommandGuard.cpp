#include "ui/common/CommandGuard.h"

#include "model/base/KPError.h"
#include "ui/common/Prompter.h"

#include <new>

QString ErrorMessage(const std::exception_ptr& Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const EKPError& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Nicht genügend Arbeitsspeicher.");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler.");
    }
}

void ShowException(const std::exception_ptr& Error)
{
    const QString text = ErrorMessage(Error);
    // Showing the message must not throw again out of a guard.
    try {
        Prompter().ShowError(text);
    } catch (...) {
    }
}

bool GuardCommand(const std::function<void()>& Command)
{
    try {
        if (Command) Command();
        return true;
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}
