#include "PageFixture.h"

#include "pages/CPageEdit.h"
#include "settings/ControlId.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

PageFixture::PageFixture() {
    TempDir::WriteBytes(dir.File("config.ini"),
                        TempDir::ReadBytes(std::string(SONVEX_SOURCE_DIR) + "/data/config.ini"));
    settings.LoadFromProgramDirectory(dir.Directory16());
}

std::string PageFixture::ConfigBytes() const {
    return TempDir::ReadBytes(dir.File("config.ini"));
}

bool PageFixture::ConfigHasLine(const std::string& line) const {
    const std::string bytes = "\r\n" + ConfigBytes();
    return bytes.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::u16string PageFixture::ToolDirectory() {
    const std::string bin = std::string(SONVEX_BIN_DIR) + "/";
    return std::u16string(bin.begin(), bin.end());
}

bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void TypeAndLeave(CPageEdit& box, const QString& text, QWidget& next) {
    box.setFocus(Qt::TabFocusReason);
    box.setText(text);
    next.setFocus(Qt::TabFocusReason);
    // The check runs from the event loop; a message box it shows is answered inside it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

int FocusedId() {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? ControlId::Of(*focused) : 0;
}
