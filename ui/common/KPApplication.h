#pragma once

#include <QApplication>

// The application object of the program (and of the widget tests). Its
// notify is the backstop behind the command guard: an exception that escapes
// an event handler is caught before it can cross the event loop, and its
// message is shown through the prompter once the event has unwound.
class TKPApplication : public QApplication {
    Q_OBJECT

public:
    TKPApplication(int& argc, char** argv);

    bool notify(QObject* Receiver, QEvent* Event) override;
};
