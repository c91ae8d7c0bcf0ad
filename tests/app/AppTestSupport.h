#pragma once

#include "app/CChainPanel.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "tests/app/AppProgramDir.h"
#include "tests/support/MessageBoxCatcher.h"
#include "widgets/ControlId.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Helpers of the main window tests, and what they all include.
namespace AppTest {

// A main window on dir, shown and active (focus changes need an active window).
std::unique_ptr<CSonvexDlg> Open(const AppProgramDir& dir);
// The edit box with this identifier under root.
QLineEdit& Edit(const QWidget& root, int id);
// The text of a button, frame or label with this identifier under root.
QString TextOf(const QWidget& root, int id);
// Types text into box as a user would (the box gets the focus first).
void Type(QLineEdit& box, const QString& text);
// Moves the focus on as the Tab key does and lets the queued notifications run.
void FocusTo(QWidget& next);

// While it exists, answers each modal dialog of type T: runs check on it, then rejects it.
template <typename T>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> check) : check_(std::move(check)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ++count_;
                check_(*modal);
                modal->reject();
            }
        });
        timer_.start(10);
    }
    int Count() const { return count_; }

private:
    std::function<void(T&)> check_;
    QTimer timer_;
    int count_ = 0;
};

} // namespace AppTest
