#include "app/StartupProbe.h"

#include <QEvent>
#include <QPixmap>
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

void StartupProbe::Act() {
    if (report_) {
        std::printf("sonvex: first paint, resident memory %ld kB\n", ResidentKilobytes());
        std::fflush(stdout);
    }
    if (!screenshotPath_.isEmpty()) {
        const bool saved = window_.grab().save(screenshotPath_, "PNG");
        std::fprintf(stderr, "sonvex: %s %s\n",
                     saved ? "saved the main window to" : "could not save",
                     screenshotPath_.toLocal8Bit().constData());
    }
    window_.close();
}
