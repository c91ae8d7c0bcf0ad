#include "app/CSonvexApp.h"

#include "app/AppIcon.h"
#include "app/CSonvexDlg.h"
#include "app/StartupProbe.h"
#include "base/SonvexVersion.h"

#include <memory>

CSonvexApp::CSonvexApp(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName(QString::fromLatin1(SonvexVersion::kName));
    QApplication::setApplicationVersion(QString::fromLatin1(SonvexVersion::kNumber));
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
