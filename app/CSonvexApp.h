#pragma once

#include <QApplication>

// The application object: it creates the main window, runs it modally, and the program ends
// when the window closes.
class CSonvexApp {
public:
    CSonvexApp(int& argc, char** argv);

    // Runs the main window; the exit code of the program.
    int Run();

private:
    QApplication application_;
};
