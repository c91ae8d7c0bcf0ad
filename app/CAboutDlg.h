#pragma once

#include <QDialog>

// The About box (dialog 100): the application icon, SonvexVersion::kAboutLine and the button
// "确定", titled SonvexVersion::kAboutTitle. It opens from the menu About > Version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 100;
    // Control identifiers (the "controlId" property): the icon, the text and the OK button.
    static constexpr int kIconId = 2200;
    static constexpr int kTextId = 2201;
    static constexpr int kOkId = 1;

    explicit CAboutDlg(QWidget* parent = nullptr);
};
