#include "tests/support/MessageBoxCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QWidget>

namespace {

constexpr int kPollMilliseconds = 10;

QAbstractButton* ButtonToClick(QMessageBox& box, QMessageBox::StandardButton answer) {
    if (QAbstractButton* wanted = box.button(answer)) {
        return wanted;
    }
    if (QAbstractButton* fallback = box.defaultButton()) {
        return fallback;
    }
    if (QAbstractButton* escape = box.escapeButton()) {
        return escape;
    }
    const QList<QAbstractButton*> buttons = box.buttons();
    return buttons.isEmpty() ? nullptr : buttons.front();
}

} // namespace

MessageBoxCatcher::MessageBoxCatcher(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &MessageBoxCatcher::AnswerVisibleBoxes);
    timer_.start(kPollMilliseconds);
}

QStringList MessageBoxCatcher::Texts() const {
    QStringList texts;
    for (const Message& message : messages_) {
        texts << message.text;
    }
    return texts;
}

int MessageBoxCatcher::AnswerVisibleBoxes() {
    int answered = 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        messages_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                          box->informativeText(), box->detailedText()});
        if (QAbstractButton* button = ButtonToClick(*box, answer_)) {
            button->click();
        } else {
            box->done(0);
        }
        ++answered;
    }
    return answered;
}
