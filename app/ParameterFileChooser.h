#pragma once

#include "base/TextCatalog.h"

#include <QString>

#include <cstdint>

class QWidget;

// The file dialogs of File > Load, File > Save As and File > Compare with file: Qt's own, with
// the filters "文本文件(*.bin)" and "所有文件(*.*)" and the default suffix "bin"; Save As proposes
// "Para" and asks before it replaces an existing file.
class ParameterFileChooser {
public:
    // Measurement and TargetFile open a response file, EqImport an EQ file (text files, or any
    // file); EqExport names the EQ file to write (suffix "txt").
    enum class Purpose { Load, SaveAs, Compare, Measurement, TargetFile, EqImport, EqExport };

    // The chosen path, or an empty text when the user cancelled.
    static QString AskPath(QWidget& parent, Purpose purpose);

    // The question Load asks before it reads a file whose length is not that of a parameter
    // file (2456 bytes): what will be missing (read as 0) or ignored.
    static QString LengthQuestion(const TextCatalog& texts, const QString& path, int64_t length);
    // What Save As says once it has written the file.
    static QString WrittenMessage(const TextCatalog& texts, const QString& path);
};
