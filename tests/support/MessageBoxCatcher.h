#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers the message boxes that code under test shows, and records them.
//
// Widget code shows its messages with QMessageBox::exec() (or a static QMessageBox function),
// which blocks in a nested event loop until the box is answered. While a catcher exists, a
// timer polls every few milliseconds for visible QMessageBox windows; each one found is recorded
// (title, text, icon) and answered by clicking a button, so the call that showed it returns and
// the test goes on. Boxes are recorded in the order they appeared.
//
// Link with sonvex_test_widgets and include "tests/support/MessageBoxCatcher.h".
//
// Usage (one QApplication for the run, e.g. QTEST_MAIN):
//
//     MessageBoxCatcher catcher;                 // starts answering at once
//     QTest::mouseClick(okButton, Qt::LeftButton);
//     QCOMPARE(catcher.Texts(), QStringList{"串口打开成功"});
//     QCOMPARE(catcher.Messages().front().title, QString("Sonvex"));
//     catcher.Clear();                           // before the next step
//
//     catcher.SetAnswer(QMessageBox::No);        // answer Yes/No questions with No
//
// The click happens inside the nested loop, so by the time the call that showed the box returns,
// the message is already recorded: no waiting is needed. To show a box yourself from a timer
// (e.g. inside QDialog::exec()), keep the catcher alive for the whole test function. Boxes that
// are not QMessageBox (file dialogs, your own dialogs) are left alone.
class MessageBoxCatcher : public QObject {
    Q_OBJECT

public:
    struct Message {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // The standard buttons the box offered.
        QMessageBox::StandardButtons buttons;
        // What the box says below its text, and behind its "Show Details" button.
        QString informative;
        QString detailed;
    };

    explicit MessageBoxCatcher(QObject* parent = nullptr);

    // The button to click. When the box lacks it: its default button, else its escape button,
    // else its first button. Default: QMessageBox::Ok.
    void SetAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }

    const QList<Message>& Messages() const { return messages_; }
    // The texts of the recorded boxes, in order.
    QStringList Texts() const;
    void Clear() { messages_.clear(); }

    // Answers the boxes visible now at once, without waiting for the timer; returns how many.
    int AnswerVisibleBoxes();

private:
    QTimer timer_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;
    QList<Message> messages_;
};
