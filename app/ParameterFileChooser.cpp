#include "app/ParameterFileChooser.h"

#include "base/NumberText.h"
#include "params/ParameterFile.h"

#include <QFileDialog>
#include <QStringList>

QString ParameterFileChooser::AskPath(QWidget& parent, Purpose purpose) {
    QFileDialog dialog(&parent);
    if (purpose != Purpose::Load && purpose != Purpose::SaveAs && purpose != Purpose::Compare) {
        dialog.setNameFilters({QStringLiteral("*.txt *.csv *.frd"), QStringLiteral("*")});
        const bool save = purpose == Purpose::EqExport;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (save) {
            dialog.setDefaultSuffix(QStringLiteral("txt"));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().front();
    }
    dialog.setNameFilters({QStringLiteral(u"文本文件(*.bin)"), QStringLiteral(u"所有文件(*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    if (purpose == Purpose::SaveAs) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(QStringLiteral("Para"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

QString ParameterFileChooser::LengthQuestion(const TextCatalog& texts, const QString& path,
                                             int64_t length) {
    const auto expected = static_cast<int64_t>(kParameterFileBytes);
    const std::u16string expectedText = NumberText::Widen(NumberText::FormatInt(expected));
    std::u16string text = texts.Format(
        TextId::LoadLength,
        {path.toStdU16String(), NumberText::Widen(NumberText::FormatInt(length)), expectedText});
    text += u'\n';
    text += length < expected ? texts.Text(TextId::LoadMissingValues)
                              : texts.Format(TextId::LoadExtraBytes, {expectedText});
    text += u'\n';
    text += texts.Text(TextId::LoadAnyway);
    return QString::fromStdU16String(text);
}

QString ParameterFileChooser::WrittenMessage(const TextCatalog& texts, const QString& path) {
    return QString::fromStdU16String(texts.Format(TextId::FileWritten, {path.toStdU16String()}));
}
