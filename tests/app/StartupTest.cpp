// Start-up with and without config.ini, the language files and libTool.so; the title; the
// shipped language files on every window; collect mode.
#include "tests/app/AppTestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>

#include <cstdio>
#include <iostream>
#include <map>

#include <fcntl.h>
#include <unistd.h>

using namespace AppTest;

namespace {

const QString kTitle = QStringLiteral(" Sonvex V1.21");
// Separators aside.
const QStringList kMenu{"File",
                        "Load",
                        "Save As",
                        "Compare with file\u2026",
                        "Undo",
                        "Redo",
                        "Store A",
                        "Store B",
                        "Recall A",
                        "Recall B",
                        "Toggle A/B",
                        "Import measurement\u2026",
                        "Import EQ\u2026",
                        "Export EQ\u2026",
                        "COM Port",
                        "Setting",
                        "View",
                        "Logarithmic frequency axis",
                        "Live curve",
                        "Both channels",
                        "Whole chain",
                        "Band curves",
                        "Device response",
                        "Device",
                        "MX5210",
                        "Compare with device",
                        "About",
                        "Version"};

// Texts of the buttons, frames and labels, keyed by their window (102, else the tab index) and
// identifier.
std::map<std::pair<int, int>, QString> ControlTexts(const CSonvexDlg& w) {
    std::map<std::pair<int, int>, QString> texts;
    for (QWidget* control : w.findChildren<QWidget*>()) {
        int scope = CSonvexDlg::kDialogId;
        for (int tab = 0; tab < w.Tabs().count(); ++tab) {
            scope = w.Tabs().widget(tab)->isAncestorOf(control) ? tab : scope;
        }
        const int id = ControlId::Of(*control);
        if (id != 0 && (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control) ||
                        qobject_cast<QGroupBox*>(control))) {
            texts[{scope, id}] = TextOf(*control->parentWidget(), id);
        }
    }
    return texts;
}

QStringList MenuTexts(const CSonvexDlg& w) {
    QStringList texts;
    for (QAction* item : w.MenuBar().actions()) {
        texts << item->text();
        for (QAction* entry : item->menu() ? item->menu()->actions() : QList<QAction*>()) {
            if (entry->isSeparator()) {
                continue;
            }
            texts << entry->text();
        }
    }
    return texts;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void withoutLanguageFilesTheControlsShowTheConfiguration();
    void withoutConfigNothingIsLoadedOrWritten();
    void titleAndTextsComeFromTheSelectedFile();
    void shippedLanguageFilesLeaveNoTextBlank_data();
    void shippedLanguageFilesLeaveNoTextBlank();
    void collectModeWritesEveryLocalizedWindow();
    void collectModeKeepsTheTranslationItWritesOver();
    void withoutToolLibraryItReportsAndGoesOn();
};

void StartupTest::withoutLanguageFilesTheControlsShowTheConfiguration() {
    AppProgramDir dir(AppProgramDir::Contents{.languages = false});
    dir.SetConfig("SCTRGAINL1", "5");
    dir.SetConfig("SCTRGAINL2", "-2");
    dir.SetConfig("Link", "1");
    dir.SetConfig("LimitSwtch", "0");
    MessageBoxCatcher catcher;
    auto w = Open(dir);

    QVERIFY(w->ConfigLoaded());
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(MenuTexts(*w), kMenu);
    QCOMPARE(w->Modes().Gain1Box().text(), QString("5"));
    QCOMPARE(w->Modes().Gain2Box().text(), QString("-2"));
    QVERIFY(w->Modes().LinkBox().isChecked() && !w->Modes().ChannelBox().isEnabled());
    QCOMPARE(w->Modes().ModeBox(3).currentText(), QString("OFF"));
    QCOMPARE(w->Modes().ModeBox(0).currentText(), QString("ON"));
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("48000"));
    QCOMPARE(w->TenBandPage().FrequencyBox(9).text(), QString("23500"));
    QCOMPARE(w->Tabs().currentWidget(), &w->PublicPage());
    // The log directory beside the program becomes the configured one.
    QVERIFY(QDir(QString::fromStdString(dir.File("Log"))).exists());
    QCOMPARE(QString::fromStdU16String(w->Settings().LogPath),
             QString::fromStdString(dir.File("Log/")));
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::withoutConfigNothingIsLoadedOrWritten() {
    AppProgramDir dir(AppProgramDir::Contents{.config = false});
    MessageBoxCatcher catcher;
    auto w = Open(dir);
    QVERIFY(!w->ConfigLoaded());
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(MenuTexts(*w), kMenu);
    QCOMPARE(w->Modes().Gain1Box().text(), QString("0"));
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("0"));

    QTest::mouseClick(&w->Modes().LinkBox(), Qt::LeftButton);
    QTest::keyClick(&w->Modes().ModeBox(1), Qt::Key_Down);
    QVERIFY(w->Settings().Params.Link && w->Settings().Params.DrcSwtch);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.File("config.ini"))));
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::titleAndTextsComeFromTheSelectedFile() {
    {
        // Only the application's name: the caption is name + version, every localized text of
        // the windows is empty, combo boxes and tabs keep theirs.
        AppProgramDir dir;
        dir.Write("lang/English.ini", "[LANG]\r\nIDS_TEXT_APPNAME=Tuner\r\n");
        auto w = Open(dir);
        QCOMPARE(w->windowTitle(), "Tuner" + kTitle);
        QCOMPARE(w->CommandButton(CSonvexDlg::kSetId).text(), QString());
        QCOMPARE(TextOf(w->Modes(), 2118), QString());
        QCOMPARE(MenuTexts(*w), QStringList(28, QString()));
        QCOMPARE(w->Modes().ChannelBox().itemText(1), QString("channel1"));
        QCOMPARE(w->Tabs().tabText(1), QString("10EQ"));
    }
    {
        AppProgramDir dir;
        dir.Write("lang/English.ini", "");
        QCOMPARE(Open(dir)->windowTitle(), kTitle); // the leading blank stays
    }
}

void StartupTest::shippedLanguageFilesLeaveNoTextBlank_data() {
    QTest::addColumn<QString>("selected");
    QTest::newRow("English.ini") << "1";
    QTest::newRow("Chinese.ini") << "2";
}

void StartupTest::shippedLanguageFilesLeaveNoTextBlank() {
    QFETCH(QString, selected);
    AppProgramDir plain(AppProgramDir::Contents{.languages = false});
    const auto builtIn = ControlTexts(*Open(plain));
    AppProgramDir dir;
    dir.SetConfig("Selected", selected.toStdString());
    MessageBoxCatcher catcher;
    auto w = Open(dir);
    const auto localized = ControlTexts(*w);

    QVERIFY(builtIn.size() > 100);
    QCOMPARE(localized.size(), builtIn.size());
    for (const auto& [key, text] : builtIn) {
        const QString now = localized.at(key);
        const QString where = QString("window %1, control %2").arg(key.first).arg(key.second);
        QVERIFY2(text.isEmpty() || !now.isEmpty(), qPrintable(where + " went blank"));
        // English keeps the program's own texts.
        QVERIFY2(selected == "2" || key.first != CSonvexDlg::kDialogId || now == text,
                 qPrintable(where + ": " + now));
    }
    const QStringList menu = MenuTexts(*w);
    QVERIFY(!menu.contains(QString()));
    QCOMPARE(menu == kMenu, selected == "1");
    QCOMPARE(w->CommandButton(CSonvexDlg::kSetId).text() == "Set", selected == "1");
    QVERIFY(w->windowTitle().endsWith(kTitle) && w->windowTitle() != kTitle);
    QVERIFY(catcher.Texts().isEmpty());
}

void StartupTest::collectModeWritesEveryLocalizedWindow() {
    AppProgramDir dir;
    dir.SetConfig("Debug", "1");
    dir.Write("lang/English.ini", "");
    auto w = Open(dir);
    QCOMPARE(w->CommandButton(CSonvexDlg::kSetId).text(), QString("Set")); // texts unchanged
    QCOMPARE(MenuTexts(*w), kMenu);

    const std::string file = dir.Read("lang/English.ini");
    for (const char* section :
         {"[DIALOG_102]", "[DIALOG_131]", "[DIALOG_132]", "[DIALOG_134]", "[DIALOG_135]"}) {
        QVERIFY2(file.find(section) != std::string::npos, section);
    }
    std::string main = file.substr(file.find("[DIALOG_102]\r\n") + 14);
    main = main.substr(0, main.find("\r\n[") + 2);
    for (const char* line : {"DIALOG_TITLE= Sonvex V1.21", "BUTTON_1061=Set", "BUTTON_1003=8EQ",
                             "BUTTON_1058=Link", "LABEL_1063=Not Found bootusb", "LABEL_2106=OUT",
                             "LABEL_2117=Limit Mode", "BUTTON_2100="}) {
        QVERIFY2(main.find(std::string(line) + "\r\n") != std::string::npos, line);
    }
    // Neither edit or combo boxes, nor page controls, nor the menu.
    for (const char* absent : {"1041", "1059", "1064", "LABEL_2000=", "MENU_"}) {
        QVERIFY2(main.find(absent) == std::string::npos, absent);
    }
    QVERIFY(file.find("MENU_") == std::string::npos);
}

void StartupTest::collectModeKeepsTheTranslationItWritesOver() {
    AppProgramDir dir;
    dir.SetConfig("Selected", "2");
    dir.SetConfig("Debug", "1");
    const std::string translation = dir.Read("lang/Chinese.ini");
    dir.Write("lang/Chinese.ini.bak", "a copy from an earlier start");
    const std::string errors = dir.File("stderr.txt");
    {
        // Standard error goes to a file while the window starts.
        std::fflush(stderr);
        const int saved = ::dup(STDERR_FILENO);
        const int file = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(file, STDERR_FILENO);
        ::close(file);
        auto w = Open(dir);
        std::cerr.flush();
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }
    QVERIFY(dir.Read("lang/Chinese.ini") != translation); // collected over
    QVERIFY(dir.Read("lang/Chinese.ini").find("BUTTON_1061=Set\r\n") != std::string::npos);
    QVERIFY(dir.Read("lang/Chinese.ini.bak") == translation);
    const QString said = QString::fromStdString(dir.Read("stderr.txt"));
    QVERIFY2(said.contains("Chinese.ini.bak") && said.contains("Collect mode"), qPrintable(said));
}

void StartupTest::withoutToolLibraryItReportsAndGoesOn() {
    AppProgramDir dir(AppProgramDir::Contents{.tool = false});
    MessageBoxCatcher catcher;
    auto w = Open(dir);
    QVERIFY(!catcher.Texts().isEmpty());
    QCOMPARE(catcher.Texts().front(), QString("load libTool.so fail!"));
    QCOMPARE(catcher.Messages().front().title, QString("Sonvex"));
    QCOMPARE(w->TenBandPage().FrequencyBox(0).text(), QString("50"));

    // Set: the writer's reason, then the failure; nothing reaches adb.
    catcher.Clear();
    w->OnSet();
    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].contains("libTool.so"));
    QCOMPARE(catcher.Texts()[1], QString::fromUtf8("设置失败"));
    QVERIFY(dir.Read("adb.log").empty());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
