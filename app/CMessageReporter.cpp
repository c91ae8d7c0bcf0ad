#include "app/CMessageReporter.h"

#include "base/SonvexVersion.h"

#include <QWidget>

void CMessageReporter::Report(const std::u16string& message) {
    Show(owner_, QString::fromStdU16String(message), QMessageBox::Warning);
}

void CMessageReporter::ReportFailure(const std::u16string& message, const std::u16string& detail) {
    Show(owner_, QString::fromStdU16String(message), QMessageBox::Warning,
         QString::fromStdU16String(detail));
}

QString CMessageReporter::Title() {
    return QString::fromUtf16(SonvexVersion::kName16);
}

void CMessageReporter::Show(QWidget& owner, const QString& text, QMessageBox::Icon icon) {
    Show(owner, text, icon, QString());
}

void CMessageReporter::Show(QWidget& owner, const QString& text, QMessageBox::Icon icon,
                            const QString& informative, const QString& detailed) {
    QMessageBox box(icon, Title(), text, QMessageBox::Ok, &owner);
    if (!informative.isEmpty()) {
        box.setInformativeText(informative);
    }
    if (!detailed.isEmpty()) {
        box.setDetailedText(detailed);
    }
    box.exec();
}

bool CMessageReporter::AskYesNo(QWidget& owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::Yes | QMessageBox::No,
                    &owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
