#include "PageFixture.h"

#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "widgets/ControlId.h"

#include <QApplication>
#include <QTest>

PageFixture::PageFixture() {
    TempDir::WriteBytes(dir.File("config.ini"),
                        TempDir::ReadBytes(std::string(SONVEX_SOURCE_DIR) + "/data/config.ini"));
    settings.LoadFromProgramDirectory(dir.Directory16());
}

bool PageFixture::ConfigHasLine(const std::string& line) const {
    const std::string bytes = "\r\n" + TempDir::ReadBytes(dir.File("config.ini"));
    return bytes.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::u16string PageFixture::ToolDirectory() {
    const std::string bin = std::string(SONVEX_BIN_DIR) + "/";
    return std::u16string(bin.begin(), bin.end());
}

std::unique_ptr<QWidget> PageFixture::MakePage(int dialogId, const std::u16string& toolDirectory) {
    if (dialogId == 136) {
        auto page = std::make_unique<CDlgPublic_Param>(settings);
        page->Fill();
        return page;
    }
    std::unique_ptr<CProcessingPage> page;
    if (dialogId == 131) {
        page = std::make_unique<CDlgDrc>(settings, language);
    } else if (dialogId == 132) {
        page = std::make_unique<CDlgEq>(settings, language, toolDirectory);
    } else if (dialogId == 134) {
        page = std::make_unique<CDlgEQ1>(settings, language, toolDirectory);
    } else {
        page = std::make_unique<CDlgLimit>(settings, language);
    }
    page->Initialise();
    return page;
}

CPageEdit& Box(const QWidget& page, int id) {
    CPageEdit* box = ControlId::Find<CPageEdit>(page, id);
    if (box == nullptr) {
        qFatal("no edit box %d", id);
    }
    return *box;
}

bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

int FocusedId() {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? ControlId::Of(*focused) : 0;
}

void TypeAndLeave(CPageEdit& box, const QString& text, QWidget& next) {
    box.setFocus(Qt::TabFocusReason);
    box.setText(text);
    next.setFocus(Qt::TabFocusReason);
    // The check runs from the event loop; a message box it shows is answered inside it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
