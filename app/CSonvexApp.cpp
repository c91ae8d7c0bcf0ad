#include "app/CSonvexApp.h"

#include "app/AppIcon.h"
#include "app/CSonvexDlg.h"
#include "app/StartupProbe.h"

#include <memory>

CSonvexApp::CSonvexApp(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Sonvex"));
    QApplication::setApplicationVersion(QStringLiteral("1.21"));
    QApplication::setWindowIcon(AppIcon::Icon());
}

int CSonvexApp::Run() {
    CSonvexDlg window;
    if (StartupProbe::Requested()) {
        new StartupProbe(window); // owned by the window
    }
    window.exec();
    return 0;
}
