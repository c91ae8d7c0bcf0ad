#include "app/CMainMenu.h"

#include "app/CEditHistory.h"
#include "app/CSonvexDlg.h"
#include "app/CViewMenu.h"
#include "widgets/ControlId.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

CMainMenu::CMainMenu(CSonvexDlg& window, CIniSettingBase& settings) : window_(window) {
    bar_ = new QMenuBar(&window);
    QMenu* file = bar_->addMenu(QStringLiteral("File"));
    Add(*file, "Load", CSonvexDlg::kLoadCommandId, &CSonvexDlg::OnLoad);
    Add(*file, "Save As", CSonvexDlg::kSaveAsCommandId, &CSonvexDlg::OnSaveAs);
    file->addSeparator();
    Add(*file, "Compare with file\u2026", CSonvexDlg::kCompareFileCommandId,
        &CSonvexDlg::OnCompareWithFile);
    // The edit history connects its items itself.
    file->addSeparator();
    for (const CEditHistory::MenuItem& item : CEditHistory::kMenuItems) {
        if (item.text == nullptr) {
            file->addSeparator();
        } else {
            Add(*file, item.text, item.id, nullptr);
        }
    }
    // The measurements and the EQ files of other tools.
    file->addSeparator();
    Add(*file, "Import measurement\u2026", CSonvexDlg::kImportMeasurementCommandId,
        &CSonvexDlg::OnImportMeasurement);
    Add(*file, "Import EQ\u2026", CSonvexDlg::kImportEqCommandId, &CSonvexDlg::OnImportEq);
    Add(*file, "Export EQ\u2026", CSonvexDlg::kExportEqCommandId, &CSonvexDlg::OnExportEq);
    QMenu* port = bar_->addMenu(QStringLiteral("COM Port"));
    Add(*port, "Setting", CSonvexDlg::kComSettingCommandId, &CSonvexDlg::OnComSetting);
    // View: the display options of the equaliser pages' chart.
    QMenu* view = bar_->addMenu(QStringLiteral("View"));
    ControlId::Set(*view->menuAction(), CSonvexDlg::kViewCommandId);
    view_ = new CViewMenu(*view, settings, &window);
    device_ = bar_->addMenu(QStringLiteral("Device"));
    Add(*device_, "MX5210", CSonvexDlg::kDeviceCommandId, nullptr);
    Add(*device_, "Compare with device", CSonvexDlg::kCompareDeviceCommandId,
        &CSonvexDlg::OnCompareWithDevice);
    QMenu* about = bar_->addMenu(QStringLiteral("About"));
    Add(*about, "Version", CSonvexDlg::kVersionCommandId, &CSonvexDlg::OnAbout);
}

void CMainMenu::Add(QWidget& menu, const char* text, int id, Handler handler) {
    auto* action = new QAction(QString::fromUtf8(text), &menu);
    ControlId::Set(*action, id);
    menu.addAction(action);
    if (handler != nullptr) {
        CSonvexDlg* window = &window_;
        QObject::connect(action, &QAction::triggered, window, [window, handler] {
            if (window->CommitBeforeCommand(true)) {
                (window->*handler)();
            }
        });
    }
}

QAction* CMainMenu::Command(int id) const {
    const QList<QAction*> actions = bar_->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (ControlId::Of(*action) == id) {
            return action;
        }
    }
    return nullptr;
}
