#pragma once

#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <cstdint>

// The edit box of the parameter pages: a single-line edit that reports when the keyboard focus
// leaves it for another control, so that the page can check the entry (or the main window can
// store its gain).
//
// A focus change that only comes from the window losing its activation (a message box opens,
// another window is clicked, a popup opens) is not reported, and neither is a focus change made
// while a failed check shows its page and gives the focus back (see ReportFailedCheck): so one
// check's message box never sets off the check of another box.
//
// The report is queued, so the focus change that caused it has finished when the check runs.
// A click whose press and release arrive together (automation, a remote desktop, a quick tap)
// would run its command before that queued report; so every command first calls ReportPending,
// which runs the reports still waiting, and does not run when a check among them failed.
class CPageEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CPageEdit(int controlId, QWidget* parent = nullptr);

    // The text read as integer text (blanks, sign, digits up to the first other character; 0
    // without digits), saturated at the int32 or int64 range.
    int32_t IntValue() const;
    int64_t Int64Value() const;
    // The text read as decimal text, rounded to single precision (0 without a number).
    float FloatValue() const;
    // Shows a plain decimal integer.
    void ShowInt(int64_t value);
    // Shows a value in fixed notation with one decimal, rounded to the nearest tenth.
    void ShowOneDecimal(double value);

    // Puts the keyboard focus into box without any box reporting that it lost the focus.
    static void ReturnFocus(CPageEdit& box);

    // A failed entry check: when focusBox lies on a page of a tab control that is not shown, that
    // page is shown again; then a modal message box owned by owner, titled "错误", with message
    // and one OK button; then the focus goes back to focusBox. Nothing else changes. The report
    // that called it counts as failed.
    static void ReportFailedCheck(QWidget& owner, const QString& message, CPageEdit& focusBox);

    // Runs now, oldest first, the reports of boxes that lost the focus and whose queued report
    // has not run yet. False when a check among them failed or while another report is running;
    // a command that gets false does not run.
    static bool ReportPending();
    // Runs the box's report now (for a command that reaches the window while the box still has
    // the focus, such as a menu item, too); false when its check failed or another report is
    // running. A failed check drops the reports still waiting: the focus is back in its box.
    bool ReportNow();

    // Whether a focus change with this reason leaves the box for another control.
    static bool LeavesForAnotherControl(Qt::FocusReason reason);

    // While one exists, no box reports that it lost the focus: for code that sets the editor's
    // boxes and pages itself (restoring an earlier state), which must not run checks or commits.
    class Quiet {
    public:
        Quiet() : previous_(returningFocus_) { returningFocus_ = true; }
        ~Quiet() { returningFocus_ = previous_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        bool previous_;
    };

    // With stepping on, Up and Down and each notch of the wheel over the box are reported as
    // Stepped (+1 for Up or a notch away from the user, -1 for Down or a notch towards), and the
    // owner writes the stepped value; a read-only box does not step. Off (the default), the keys
    // and the wheel do what they do in any edit box.
    void SetStepping(bool on) { stepping_ = on; }

signals:
    // The entry is to be committed (checked, or stored by the main window): the focus left the
    // box for another control, or ReportNow ran.
    void FocusLeft();
    // After FocusLeft, when no check failed: the box's value counts as committed.
    void Committed();
    // Up, Down or the wheel, with stepping on: +1 or -1 per press or notch.
    void Stepped(int steps);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Shows the page that holds box in every tab control round it.
    static void ShowPageOf(QWidget& box);

    bool stepping_ = false;
    int wheelRemainder_ = 0;

    static bool returningFocus_;
    static bool reporting_;
    static bool checkFailed_;
    static QList<QPointer<CPageEdit>> pending_;
};
