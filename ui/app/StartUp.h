#pragma once

class QApplication;

// The start-up of the program in its fixed order, shared by main and the
// widget tests:
// 1. settings read (built-in defaults, then the stored values);
// 2. stream classes registered;
// 3. Qt's own German texts loaded when the translation is installed;
// 4. LC_NUMERIC reset to "C" (files never follow the user's locale);
// 5. the user-interface hooks installed: the Qt prompter, the model's
//    messages, the options and font dialogs;
// 6. the picture module made.
void StartUp(QApplication& App);

// The user-interface hooks of the program, installed by StartUp; tests
// install a scripted prompter afterwards.
void InstallUIHooks();
