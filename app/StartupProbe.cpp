#include "app/StartupProbe.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

QString Variable(const char* name) {
    return qEnvironmentVariable(name);
}

} // namespace

bool StartupProbe::Requested() {
    return !Variable("SONVEX_SCREENSHOT").isEmpty() || !Variable("SONVEX_STARTUP_REPORT").isEmpty();
}

StartupProbe::StartupProbe(QWidget& window)
    : QObject(&window), window_(window), screenshotPath_(Variable("SONVEX_SCREENSHOT")),
      report_(!Variable("SONVEX_STARTUP_REPORT").isEmpty()) {
    window_.installEventFilter(this);
}

long StartupProbe::ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // After this paint has been drawn and flushed.
        QTimer::singleShot(0, this, &StartupProbe::Act);
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::SavePicture(const QString& path) {
    const bool saved = window_.grab().save(path, "PNG");
    std::fprintf(stderr, "sonvex: %s %s\n",
                 saved ? "saved a picture of the main window to" : "could not save",
                 path.toLocal8Bit().constData());
}

void StartupProbe::Act() {
    if (report_) {
        std::printf("sonvex: first paint, resident memory %ld kB\n", ResidentKilobytes());
        std::fflush(stdout);
    }
    if (!screenshotPath_.isEmpty()) {
        SavePicture(screenshotPath_);
        // Each further tab as <name>-tab<index>.png, so the pages can be seen too.
        if (auto* tabs = window_.findChild<QTabWidget*>()) {
            const QFileInfo file(screenshotPath_);
            for (int tab = 1; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                SavePicture(file.dir().filePath(
                    QStringLiteral("%1-tab%2.png").arg(file.completeBaseName()).arg(tab)));
            }
            tabs->setCurrentIndex(0);
        }
    }
    window_.close();
}
