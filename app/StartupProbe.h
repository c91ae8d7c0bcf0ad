#pragma once

#include <QObject>
#include <QString>

class QWidget;

// What a script or a benchmark can ask of a started program, through the environment. Both act
// once the main window has been painted for the first time, and then close it (so the program
// ends):
//   SONVEX_SCREENSHOT=<file.png>   saves a picture of the painted main window to the file, and
//                                  one of each further tab as <file>-tab1.png ... -tab4.png;
//   SONVEX_STARTUP_REPORT=1        prints "sonvex: first paint, resident memory <kB> kB" on
//                                  standard output.
// Without either variable nothing is watched.
class StartupProbe : public QObject {
    Q_OBJECT

public:
    static bool Requested();

    explicit StartupProbe(QWidget& window);

    // The resident memory of this process in kB (VmRSS), -1 when it cannot be read.
    static long ResidentKilobytes();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Act();
    void SavePicture(const QString& path);

    QWidget& window_;
    QString screenshotPath_;
    bool report_ = false;
    bool painted_ = false;
};
