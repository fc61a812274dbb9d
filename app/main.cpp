// The program: start-up in its fixed order, then the main window and the
// event loop until the main window closes.
#include "ui/app/StartUp.h"
#include "ui/common/KPApplication.h"
#include "ui/mainwindow/FormLoad.h"

int main(int argc, char** argv)
{
    TKPApplication app(argc, argv);
    StartUp(app);
    // The main window is the first window; closing it ends the program.
    TFormLoad window;
    window.show();
    return app.exec();
}
