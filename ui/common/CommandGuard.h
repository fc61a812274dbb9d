#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Every command slot runs inside the guard: an error thrown by the command is
// caught here and its German message shown once through the prompter, so no
// exception ever crosses the Qt event loop. QApplication::notify
// (TKPApplication) is only the backstop.
//
// Use:
//   connect(action, &QAction::triggered, this, Guarded([this] { FileSave(); }));
//   if (!GuardCommand([&] { Project.Load(Name); })) return;

// Runs Command; false (and the message shown) when it threw.
bool GuardCommand(const std::function<void()>& Command);

// The slot form of GuardCommand; the signal's arguments are passed on when
// the command takes them (clicked(bool) may call a command without arguments).
template <typename F>
auto Guarded(F Command)
{
    return [Command = std::move(Command)](auto&&... Args) {
        GuardCommand([&] {
            if constexpr (std::is_invocable_v<const F&, decltype(Args)...>)
                Command(std::forward<decltype(Args)>(Args)...);
            else
                Command();
        });
    };
}

// The German text of a caught exception: an EKPError's message, the
// std::exception's text, or a general message for anything else.
QString ErrorMessage(const std::exception_ptr& Error);
// Shows the message of Error through the prompter.
void ShowException(const std::exception_ptr& Error);
