#pragma once

#include <QLineEdit>
#include <cstdint>

// The edit box of the parameter pages: a single-line edit that reports when the keyboard focus
// leaves it for another control, so that the page can check the entry.
//
// A focus change that only comes from the window losing its activation (a message box opens,
// another window is clicked, a popup opens) is not reported, and neither is the focus change a
// page makes while it gives the focus back after a failed check (see ReturnFocus): so one
// check's message box never sets off the check of another box. The report is queued, so the
// focus change that caused it has finished when the check runs.
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

    // A failed entry check: a modal message box owned by owner, titled "错误", with message and
    // one OK button; then the focus goes back to focusBox. Nothing else changes.
    static void ReportFailedCheck(QWidget& owner, const QString& message, CPageEdit& focusBox);

    // Whether a focus change with this reason leaves the box for another control.
    static bool LeavesForAnotherControl(Qt::FocusReason reason);

signals:
    void FocusLeft();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    static bool returningFocus_;
};
