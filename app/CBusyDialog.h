#pragma once

#include "base/TextCatalog.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class QLabel;
class QCloseEvent;
class QKeyEvent;

// The modal dialog shown while adb runs: it says what is happening (the step, which the work
// may change as it goes) and how many seconds have passed, has no close button and ignores
// Escape and close requests, so nothing else can start and the window keeps repainting until the
// work is done. Work that ends within kQuietMs shows no dialog at all.
class CBusyDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kQuietMs = 250;

    explicit CBusyDialog(TextCatalog texts = {}, QWidget* parent = nullptr,
                         TextId step = TextId::BusyExchanging);

    // Runs work on a worker thread and shows the dialog modally until it has ended. work must
    // not touch widgets or anything the user-interface thread uses meanwhile.
    void Run(std::function<void()> work);
    // Shows another step; may be called from the worker thread.
    void ShowStep(TextId step);
    QString StepText() const;

    // The text of the elapsed-time line for a number of whole seconds.
    QString ElapsedText(qint64 seconds) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    // Escape and the window system's close request end the dialog only once the work is done.
    void reject() override;

private:
    void WorkFinished();
    void ShowElapsed();

    TextCatalog texts_;
    QLabel* step_ = nullptr;
    QLabel* elapsed_ = nullptr;
    QElapsedTimer clock_;
    QTimer ticker_;
    bool finished_ = true;
};
