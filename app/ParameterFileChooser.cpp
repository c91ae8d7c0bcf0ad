#include "app/ParameterFileChooser.h"

#include "params/ParameterFile.h"

#include <QFileDialog>
#include <QStringList>

QString ParameterFileChooser::AskPath(QWidget& parent, Purpose purpose) {
    QFileDialog dialog(&parent);
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

QString ParameterFileChooser::LengthQuestion(const QString& path, int64_t length) {
    const auto expected = static_cast<qint64>(kParameterFileBytes);
    QString text = QStringLiteral(u"文件“%1”长 %2 字节，参数文件应为 %3 字节。\n")
                       .arg(path)
                       .arg(static_cast<qint64>(length))
                       .arg(expected);
    if (length < expected) {
        text += QStringLiteral(u"文件中缺少的数值将读为 0，下一次保存配置时这些 0 也会写入 "
                               u"config.ini。\n");
    } else {
        text += QStringLiteral(u"只读取前 %1 字节，其余部分将被忽略。\n").arg(expected);
    }
    return text + QStringLiteral(u"仍要加载吗？");
}

QString ParameterFileChooser::WrittenMessage(const QString& path) {
    return QStringLiteral("The parameter file \"%1\" was written.").arg(path);
}
