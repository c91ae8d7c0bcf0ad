#include "pages/CPageEdit.h"

#include "base/NumberText.h"
#include "widgets/ControlId.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QWheelEvent>

bool CPageEdit::returningFocus_ = false;
bool CPageEdit::reporting_ = false;
bool CPageEdit::checkFailed_ = false;
QList<QPointer<CPageEdit>> CPageEdit::pending_;

CPageEdit::CPageEdit(int controlId, QWidget* parent) : QLineEdit(parent) {
    ControlId::Set(*this, controlId);
}

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

int32_t CPageEdit::IntValue() const {
    return NumberText::ParseInt(View(text()));
}

int64_t CPageEdit::Int64Value() const {
    return NumberText::ParseInt64(View(text()));
}

float CPageEdit::FloatValue() const {
    return NumberText::ParseFloat(View(text()));
}

void CPageEdit::ShowInt(int64_t value) {
    setText(QString::fromStdString(NumberText::FormatInt(value)));
}

void CPageEdit::ShowOneDecimal(double value) {
    setText(QString::fromStdString(NumberText::FormatFixed(value, 1)));
}

bool CPageEdit::LeavesForAnotherControl(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default: // the window lost its activation, a popup or the menu bar took the keyboard
        return false;
    }
}

void CPageEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (returningFocus_ || !LeavesForAnotherControl(event->reason())) {
        return;
    }
    pending_.append(QPointer<CPageEdit>(this));
    // A command of the same click may already have run the report; then this finds none.
    QMetaObject::invokeMethod(
        this, [] { ReportPending(); }, Qt::QueuedConnection);
}

void CPageEdit::keyPressEvent(QKeyEvent* event) {
    const bool step = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (!stepping_ || !step || isReadOnly() ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    emit Stepped(event->key() == Qt::Key_Up ? 1 : -1);
}

void CPageEdit::wheelEvent(QWheelEvent* event) {
    if (!stepping_ || isReadOnly() || event->angleDelta().y() == 0) {
        QLineEdit::wheelEvent(event);
        return;
    }
    event->accept();
    constexpr int kNotch = 120;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kNotch;
    wheelRemainder_ -= notches * kNotch;
    if (notches != 0) {
        emit Stepped(notches);
    }
}

bool CPageEdit::ReportPending() {
    if (reporting_) {
        return false;
    }
    QList<QPointer<CPageEdit>> boxes;
    boxes.swap(pending_);
    for (const QPointer<CPageEdit>& box : boxes) {
        if (box != nullptr && !box->ReportNow()) {
            return false;
        }
    }
    return true;
}

bool CPageEdit::ReportNow() {
    if (reporting_) {
        return false;
    }
    const QScopedValueRollback<bool> reporting(reporting_, true);
    checkFailed_ = false;
    emit FocusLeft();
    if (checkFailed_) {
        // The focus is back in this box: the focus changes after it no longer stand.
        pending_.clear();
        return false;
    }
    emit Committed();
    return true;
}

void CPageEdit::ReturnFocus(CPageEdit& box) {
    const QScopedValueRollback<bool> quiet(returningFocus_, true);
    box.setFocus(Qt::OtherFocusReason);
}

void CPageEdit::ShowPageOf(QWidget& box) {
    // A page of a tab control sits in the control's stack, so the tab control is an ancestor.
    for (QWidget* page = &box; page != nullptr; page = page->parentWidget()) {
        for (QWidget* outer = page->parentWidget(); outer != nullptr;
             outer = outer->parentWidget()) {
            auto* tabs = qobject_cast<QTabWidget*>(outer);
            if (tabs == nullptr) {
                continue;
            }
            const int index = tabs->indexOf(page);
            if (index >= 0 && tabs->currentIndex() != index) {
                tabs->setCurrentIndex(index);
            }
            break;
        }
    }
}

void CPageEdit::ReportFailedCheck(QWidget& owner, const QString& message, CPageEdit& focusBox) {
    checkFailed_ = true;
    {
        // Switching pages moves the focus; no box reports that.
        const QScopedValueRollback<bool> quiet(returningFocus_, true);
        ShowPageOf(focusBox);
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral(u"错误"), message, QMessageBox::Ok,
                    &owner);
    box.exec();
    // The box's window takes the activation back from the message box, as the owner of a
    // modal message box does.
    if (QWidget* window = focusBox.window(); !window->isActiveWindow()) {
        window->activateWindow();
    }
    ReturnFocus(focusBox);
}
