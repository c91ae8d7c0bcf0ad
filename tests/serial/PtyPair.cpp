#include "PtyPair.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int kStartMilliseconds = 5000;

} // namespace

PtyPair::~PtyPair() {
    if (socat_.state() != QProcess::NotRunning) {
        socat_.terminate();
        if (!socat_.waitForFinished(2000)) {
            socat_.kill();
            socat_.waitForFinished(2000);
        }
    }
}

bool PtyPair::SocatAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

bool PtyPair::Start(QString* error) {
    if (!dir_.isValid()) {
        *error = QStringLiteral("no temporary folder: ") + dir_.errorString();
        return false;
    }
    const auto end = [](const QString& link) {
        return QStringLiteral("pty,raw,echo=0,link=") + link;
    };
    socat_.setStandardOutputFile(QProcess::nullDevice());
    socat_.setStandardErrorFile(QProcess::nullDevice());
    socat_.start(QStringLiteral("socat"),
                 {QStringLiteral("-d"), QStringLiteral("-d"), end(PathA()), end(PathB())});
    if (!socat_.waitForStarted(kStartMilliseconds)) {
        *error = QStringLiteral("socat did not start: ") + socat_.errorString();
        return false;
    }
    const QDeadlineTimer deadline(kStartMilliseconds);
    while (!QFileInfo::exists(PathA()) || !QFileInfo::exists(PathB())) {
        if (deadline.hasExpired() || socat_.state() == QProcess::NotRunning) {
            *error = QStringLiteral("socat made no pseudo-terminals");
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}
