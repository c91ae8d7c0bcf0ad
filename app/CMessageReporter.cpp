#include "app/CMessageReporter.h"

#include "base/SonvexVersion.h"

#include <QWidget>

void CMessageReporter::Report(const std::u16string& message) {
    Show(owner_, QString::fromStdU16String(message), QMessageBox::Warning);
}

QString CMessageReporter::Title() {
    return QString::fromUtf16(SonvexVersion::kName16);
}

void CMessageReporter::Show(QWidget& owner, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, Title(), text, QMessageBox::Ok, &owner);
    box.exec();
}

bool CMessageReporter::AskYesNo(QWidget& owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::Yes | QMessageBox::No,
                    &owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
