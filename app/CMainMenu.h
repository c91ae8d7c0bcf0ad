#pragma once

class CSonvexDlg;
class CViewMenu;
class CIniSettingBase;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's menu bar: "File", "COM Port", "View" (the display options, CViewMenu),
// "Device" and "About", each item carrying its command id (the window's k...CommandId constants,
// the edit history's and the View menu's). The language files address the items by position
// (MENU_n_m, separators counted), so items are only ever added at the end of a menu.
//
// A command item first commits the box that has the focus (a menu item leaves the focus where
// it is) and runs its command only when that commit's check passed. The edit history's items
// are created here (so that they are localized with the menu) and connected by the history.
class CMainMenu {
public:
    CMainMenu(CSonvexDlg& window, CIniSettingBase& settings);

    QMenuBar& Bar() const { return *bar_; }
    CViewMenu& View() const { return *view_; }
    // The Device menu, to which CDeviceMenu adds the attached devices.
    QMenu& Device() const { return *device_; }
    // The action of a command id, null for an unknown id.
    QAction* Command(int id) const;

private:
    using Handler = void (CSonvexDlg::*)();
    void Add(QWidget& menu, const char* text, int id, Handler handler);

    CSonvexDlg& window_;
    QMenuBar* bar_ = nullptr;
    CViewMenu* view_ = nullptr;
    QMenu* device_ = nullptr;
};
