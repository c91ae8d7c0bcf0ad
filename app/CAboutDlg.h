#pragma once

#include <QDialog>

// The About box (dialog 100): the application icon, "Sonvex，1.0 版" and the button "确定",
// titled "关于 Sonvex". It opens from the menu About > Version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int DialogId = 100;
    // Control identifiers (the "controlId" property): the icon, the text and the OK button.
    static constexpr int IconId = 2200;
    static constexpr int TextId = 2201;
    static constexpr int OkId = 1;

    explicit CAboutDlg(QWidget* parent = nullptr);
};
