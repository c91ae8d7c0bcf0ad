#pragma once

#include "app/CSonvexDlg.h"
#include "tests/app/AppProgramDir.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;

// Helpers of the main window tests.
namespace AppTest {

// A main window on dir, shown and active (the focus tests need an active window).
std::unique_ptr<CSonvexDlg> Open(const AppProgramDir& dir);

// The text of the control with this identifier under root (any depth); a null string when there
// is none.
QString TextOf(const QWidget& root, int id);
QLineEdit& Edit(const QWidget& root, int id);

// Moves the keyboard focus from box to next as the Tab key does, and lets the queued
// notification of the box run.
void Leave(QWidget& box, QWidget& next);
// Gives box the focus and replaces its text as typing would.
void Type(QLineEdit& box, const QString& text);

// While it exists, polls for a modal widget of type T; when one is active, runs check on it and
// closes it (reject). Count() tells how many it has handled.
template <typename T>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> check) : check_(std::move(check)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
                if (modal != last_) {
                    last_ = modal;
                    ++count_;
                    check_(*modal);
                    modal->reject();
                }
            }
        });
        timer_.start(10);
    }
    int Count() const { return count_; }

private:
    std::function<void(T&)> check_;
    QTimer timer_;
    T* last_ = nullptr;
    int count_ = 0;
};

} // namespace AppTest
