#include "tests/app/AppTestSupport.h"

#include "settings/ControlId.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <stdexcept>

namespace AppTest {

std::unique_ptr<CSonvexDlg> Open(const AppProgramDir& dir) {
    auto window = std::make_unique<CSonvexDlg>(dir.Directory());
    window->show();
    if (!QTest::qWaitForWindowActive(window.get())) {
        throw std::runtime_error("the main window did not become active");
    }
    return window;
}

QString TextOf(const QWidget& root, int id) {
    QWidget* control = ControlId::Find(root, id);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    return {};
}

QLineEdit& Edit(const QWidget& root, int id) {
    auto* edit = ControlId::Find<QLineEdit>(root, id);
    if (edit == nullptr) {
        throw std::runtime_error("no edit box " + std::to_string(id));
    }
    return *edit;
}

void Leave(QWidget& box, QWidget& next) {
    box.setFocus(Qt::TabFocusReason);
    next.setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void Type(QLineEdit& box, const QString& text) {
    box.setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents(); // the notification of the box that lost the focus
    box.selectAll();
    QTest::keyClicks(&box, text);
}

} // namespace AppTest
