#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A connected pair of pseudo-terminals made by socat, reachable as <dir>/ttyA and <dir>/ttyB:
// bytes written to one arrive at the other. socat runs as long as the object lives.
class PtyPair {
public:
    PtyPair() = default;
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    static bool SocatAvailable();

    // Starts socat and waits until both links exist; false (with the reason) when they do not
    // appear within a few seconds.
    bool Start(QString* error);

    QString PathA() const { return dir_.filePath(QStringLiteral("ttyA")); }
    QString PathB() const { return dir_.filePath(QStringLiteral("ttyB")); }
    // A path in the same folder where no device exists.
    QString MissingPath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QProcess socat_;
};
