#include "tests/app/AppTestSupport.h"

#include "widgets/ControlId.h"

#include <QAbstractButton>
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

QLineEdit& Edit(const QWidget& root, int id) {
    auto* edit = ControlId::Find<QLineEdit>(root, id);
    if (edit == nullptr) {
        throw std::runtime_error("no edit box " + std::to_string(id));
    }
    return *edit;
}

QString TextOf(const QWidget& root, int id) {
    QWidget* control = ControlId::Find(root, id);
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    auto* label = qobject_cast<QLabel*>(control);
    return label != nullptr ? label->text() : QString();
}

void Type(QLineEdit& box, const QString& text) {
    FocusTo(box);
    box.selectAll();
    QTest::keyClicks(&box, text);
}

void FocusTo(QWidget& next) {
    next.setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

} // namespace AppTest
