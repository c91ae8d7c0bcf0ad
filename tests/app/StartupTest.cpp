// Start-up: with and without config.ini, the language files and libTool.so; the title; the
// shipped language files applied to every window; collect mode.
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "settings/TextCodec.h"
#include "tests/app/AppProgramDir.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <map>

using AppTest::Open;

namespace {

// The texts of the localizable controls (buttons, check boxes, frames, labels), keyed by the
// window they belong to (102 for the main window, else the tab index) and their identifier.
using Texts = std::map<std::pair<int, int>, QString>;

int ScopeOf(const CSonvexDlg& window, const QWidget& control) {
    for (int tab = 0; tab < window.Tabs().count(); ++tab) {
        if (window.Tabs().widget(tab)->isAncestorOf(&control)) {
            return tab;
        }
    }
    return CSonvexDlg::DialogId;
}

Texts ControlTexts(const CSonvexDlg& window) {
    Texts texts;
    const QList<QWidget*> all = window.findChildren<QWidget*>();
    for (QWidget* control : all) {
        const int id = ControlId::Of(*control);
        if (id == 0) {
            continue;
        }
        QString text;
        if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            text = frame->title();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            text = label->text();
        } else {
            continue;
        }
        texts[{ScopeOf(window, *control), id}] = text;
    }
    return texts;
}

QStringList MenuTexts(const CSonvexDlg& window) {
    QStringList texts;
    const QList<QAction*> bar = window.MenuBar().actions();
    for (QAction* item : bar) {
        texts << item->text();
        if (item->menu() != nullptr) {
            const QList<QAction*> entries = item->menu()->actions();
            for (QAction* entry : entries) {
                texts << entry->text();
            }
        }
    }
    return texts;
}

const QStringList kBuiltInMenu{"File", "Load",   "Save As", "COM Port", "Setting",
                               "View", "Device", "MX5210",  "About",    "Version"};

std::string Cp936(const QString& text) {
    return TextCodec::ToCp936(text.toStdU16String());
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void withoutLanguageFilesKeepsBuiltInTexts();
    void withoutConfigStartsWithZerosAndWritesNothing();
    void titleIsTheApplicationNameAndVersion();
    void shippedLanguageFilesLeaveNoTextBlank_data();
    void shippedLanguageFilesLeaveNoTextBlank();
    void collectModeWritesEveryLocalizedWindow();
    void withoutToolLibraryShowsTheLoadMessageAndGoesOn();
};

void StartupTest::withoutLanguageFilesKeepsBuiltInTexts() {
    AppProgramDir dir(AppProgramDir::Contents{.languages = false});
    dir.SetConfig("SCTRGAINL1", "5");
    dir.SetConfig("SCTRGAINL2", "-2");
    dir.SetConfig("Link", "1");
    MessageBoxCatcher catcher;
    auto window = Open(dir);
    CSonvexDlg& w = *window;

    QVERIFY(w.ConfigLoaded());
    QCOMPARE(w.windowTitle(), QString(" Sonvex V1.21"));
    QCOMPARE(MenuTexts(w), kBuiltInMenu);
    QCOMPARE(AppTest::TextOf(w, CSonvexDlg::SetId), QString("Set"));
    // The controls show the configuration.
    QCOMPARE(w.Modes().Gain1Box().text(), QString("5"));
    QCOMPARE(w.Modes().Gain2Box().text(), QString("-2"));
    QVERIFY(w.Modes().LinkBox().isChecked());
    QVERIFY(!w.Modes().ChannelBox().isEnabled());
    QCOMPARE(w.PublicPage().SampleRateBox().text(), QString("48000"));
    QCOMPARE(w.PublicPage().ChannelCountBox().text(), QString("2"));
    QCOMPARE(w.TenBandPage().FrequencyBox(9).text(), QString("23500"));
    QCOMPARE(w.Tabs().currentWidget(), static_cast<QWidget*>(&w.PublicPage()));
    // The log directory is made beside the program and becomes the configured one.
    QVERIFY(QDir(QString::fromStdString(dir.File("Log"))).exists());
    QCOMPARE(QString::fromStdU16String(w.Settings().LogPath),
             QString::fromStdString(dir.File("Log/")));
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::withoutConfigStartsWithZerosAndWritesNothing() {
    AppProgramDir dir(AppProgramDir::Contents{.config = false});
    MessageBoxCatcher catcher;
    auto window = Open(dir);
    CSonvexDlg& w = *window;

    QVERIFY(!w.ConfigLoaded());
    QCOMPARE(w.windowTitle(), QString(" Sonvex V1.21"));
    QCOMPARE(MenuTexts(w), kBuiltInMenu);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("0"));
    QCOMPARE(w.Modes().ModeBox(0).currentText(), QString("OFF"));
    QCOMPARE(w.PublicPage().SampleRateBox().text(), QString("0"));

    // Commits still work on the parameter set, but no config.ini appears.
    QTest::mouseClick(&w.Modes().LinkBox(), Qt::LeftButton);
    QTest::keyClick(&w.Modes().ModeBox(1), Qt::Key_Down);
    QVERIFY(w.Settings().Params.Link);
    QVERIFY(w.Settings().Params.DrcSwtch);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.File("config.ini"))));
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::titleIsTheApplicationNameAndVersion() {
    // A language file with nothing but the application's name: every localized text of the
    // windows becomes empty, the caption reads name + version.
    {
        AppProgramDir dir;
        dir.WriteFile("lang/English.ini", "[LANG]\r\nIDS_TEXT_APPNAME=Tuner\r\n");
        auto window = Open(dir);
        QCOMPARE(window->windowTitle(), QString("Tuner Sonvex V1.21"));
        QCOMPARE(AppTest::TextOf(*window, CSonvexDlg::SetId), QString());
        QCOMPARE(AppTest::TextOf(window->Modes(), 2118), QString());
        QCOMPARE(MenuTexts(*window), QStringList(10, QString()));
        // Combo boxes and edit boxes keep their texts.
        QCOMPARE(window->Modes().ChannelBox().itemText(1), QString("channel1"));
        QCOMPARE(window->Tabs().tabText(1), QString("10EQ"));
    }
    // Without the name the caption keeps its leading blank.
    {
        AppProgramDir dir;
        dir.WriteFile("lang/English.ini", "");
        auto window = Open(dir);
        QCOMPARE(window->windowTitle(), QString(" Sonvex V1.21"));
    }
    // Selected=2 reads the second file, in code page 936.
    {
        AppProgramDir dir;
        dir.SetConfig("Selected", "2");
        dir.WriteFile(
            "lang/Chinese.ini",
            Cp936(QString::fromUtf8("[LANG]\r\nIDS_TEXT_APPNAME=调音台\r\n[DIALOG_102]\r\n"
                                    "BUTTON_1061=设置\r\nMENU_0=文件\r\n")));
        auto window = Open(dir);
        QCOMPARE(window->windowTitle(), QString::fromUtf8("调音台 Sonvex V1.21"));
        QCOMPARE(AppTest::TextOf(*window, CSonvexDlg::SetId), QString::fromUtf8("设置"));
        QCOMPARE(MenuTexts(*window).front(), QString::fromUtf8("文件"));
    }
}

void StartupTest::shippedLanguageFilesLeaveNoTextBlank_data() {
    QTest::addColumn<QString>("selected");
    QTest::newRow("English.ini") << "1";
    QTest::newRow("Chinese.ini") << "2";
}

void StartupTest::shippedLanguageFilesLeaveNoTextBlank() {
    QFETCH(QString, selected);
    Texts builtIn;
    {
        AppProgramDir plain(AppProgramDir::Contents{.languages = false});
        builtIn = ControlTexts(*Open(plain));
    }
    AppProgramDir dir;
    dir.SetConfig("Selected", selected.toStdString());
    MessageBoxCatcher catcher;
    auto window = Open(dir);
    const Texts localized = ControlTexts(*window);

    QCOMPARE(localized.size(), builtIn.size());
    QVERIFY(builtIn.size() > 100);
    for (const auto& [key, text] : builtIn) {
        const QString now = localized.at(key);
        const QString where = QString("window %1, control %2").arg(key.first).arg(key.second);
        QVERIFY2(text.isEmpty() || !now.isEmpty(), qPrintable(where + " went blank"));
        if (selected == "1" && key.first == CSonvexDlg::DialogId) {
            QVERIFY2(now == text, qPrintable(where + ": " + now + " instead of " + text));
        }
    }
    const QStringList menu = MenuTexts(*window);
    for (const QString& text : menu) {
        QVERIFY(!text.isEmpty());
    }
    if (selected == "1") {
        QCOMPARE(menu, kBuiltInMenu);
    } else {
        QVERIFY(menu != kBuiltInMenu);
        QVERIFY(AppTest::TextOf(*window, CSonvexDlg::SetId) != "Set");
    }
    QVERIFY(window->windowTitle().endsWith(" Sonvex V1.21"));
    QVERIFY(window->windowTitle().size() > QString(" Sonvex V1.21").size());
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::collectModeWritesEveryLocalizedWindow() {
    AppProgramDir dir;
    dir.SetConfig("Debug", "1");
    dir.WriteFile("lang/English.ini", "");
    MessageBoxCatcher catcher;
    auto window = Open(dir);

    // The windows keep their own texts, menu included.
    QCOMPARE(AppTest::TextOf(*window, CSonvexDlg::SetId), QString("Set"));
    QCOMPARE(MenuTexts(*window), kBuiltInMenu);
    QCOMPARE(window->windowTitle(), QString(" Sonvex V1.21"));

    const std::string file = dir.ReadFile("lang/English.ini");
    for (const char* section :
         {"[DIALOG_102]", "[DIALOG_131]", "[DIALOG_132]", "[DIALOG_134]", "[DIALOG_135]"}) {
        QVERIFY2(file.find(section) != std::string::npos, section);
    }
    const std::string mainSection = file.substr(file.find("[DIALOG_102]"));
    const std::string main = mainSection.substr(0, mainSection.find("\r\n[", 1));
    for (const char* line :
         {"DIALOG_TITLE= Sonvex V1.21\r\n", "BUTTON_1061=Set\r\n", "BUTTON_1003=8EQ\r\n",
          "BUTTON_1058=Link\r\n", "LABEL_1063=Not Found bootusb\r\n", "LABEL_2106=OUT\r\n",
          "LABEL_2117=Limit Mode\r\n", "BUTTON_2100=\r\n"}) {
        QVERIFY2(main.find(line) != std::string::npos, line);
    }
    // No edit or combo box, no page control and no menu item is collected for the main window.
    QVERIFY(main.find("1041") == std::string::npos);
    QVERIFY(main.find("1059") == std::string::npos);
    QVERIFY(main.find("1072") == std::string::npos);
    QVERIFY(file.find("MENU_") == std::string::npos);
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::withoutToolLibraryShowsTheLoadMessageAndGoesOn() {
    AppProgramDir dir(AppProgramDir::Contents{.tool = false});
    MessageBoxCatcher catcher;
    auto window = Open(dir);
    QVERIFY(!catcher.Texts().isEmpty());
    QCOMPARE(catcher.Texts().front(), QString("load libTool.so fail!"));
    QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
    QCOMPARE(window->TenBandPage().FrequencyBox(0).text(), QString("50"));

    // Set refuses to write a file without the library: its reason, then the failure; nothing
    // reaches adb.
    catcher.Clear();
    window->OnSet();
    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].contains("libTool.so"));
    QCOMPARE(catcher.Texts()[1], QString::fromUtf8("设置失败"));
    QVERIFY(dir.AdbLog().empty());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
