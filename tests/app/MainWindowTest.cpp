// The main window's own controls and commands: gains, Enter, chain buttons, channel box, Link,
// mode boxes, Save, Cancel, Reset, closing, the About box and the serial dialog.
#include "app/CAboutDlg.h"
#include "app/CChainPanel.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "device/CComSet.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/app/AppProgramDir.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using AppTest::Leave;
using AppTest::Open;
using AppTest::TextOf;
using AppTest::Type;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndMenuAsTheResourceHasThem();
    void gainBoxStoresWhenLeftForAnotherControl();
    void enterChecksGain1BeforeClosing();
    void enterOutsideTheWindowsOwnBoxesDoesNothing();
    void chainButtonShowsBlockOfItsChannel();
    void channelBoxShowsThatChannelsGains();
    void linkTogglesTheChannelBox();
    void modeBoxSetsItsSwitchAtOnce();
    void saveStoresEveryPageAndTheGains();
    void saveReportsAConfigurationThatCannotBeWritten();
    void cancelReloadsWithoutSaving();
    void resetLaysOutTheBandsWithoutSaving();
    void resetRefusesAnUnusableSampleRate();
    void escapeAndCloseBoxEndWithoutSaving();
    void menuOpensAboutBoxAndSerialDialog();
};

void MainWindowTest::controlsAndMenuAsTheResourceHasThem() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;

    // The pages have buttons of these identifiers too: look in the window's own parts.
    const QList<QPair<int, QString>> chain{{1001, "10EQ"}, {1002, "DRC"}, {1083, "8EQ"},
                                           {1004, "10EQ"}, {1005, "DRC"}, {1003, "8EQ"}};
    const QList<QPair<int, QString>> commands{
        {1061, "Set"}, {1084, "Reset"}, {1062, "Read"}, {1054, "Save"}, {1055, "Cancel"}};
    QList<QPushButton*> buttons;
    for (const auto& [id, text] : chain) {
        auto* button = ControlId::Find<QPushButton>(w.Chain(), id);
        QVERIFY2(button != nullptr, qPrintable(QString::number(id)));
        QCOMPARE(button->text(), text);
        buttons << button;
    }
    for (const auto& [id, text] : commands) {
        QPushButton& button = w.CommandButton(id);
        QCOMPARE(ControlId::Of(button), id);
        QCOMPARE(button.text(), text);
        QVERIFY(!w.Tabs().isAncestorOf(&button));
        buttons << &button;
    }
    for (QPushButton* button : buttons) {
        // Enter must never click one of them.
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->isDefault());
    }
    QCOMPARE(&w.Chain().Button(1, CChainPanel::DrcTab), ControlId::Find<QPushButton>(w, 1005));
    QCOMPARE(TextOf(w.Chain(), 2101), QString("L"));
    QCOMPARE(TextOf(w.Chain(), 2106), QString("OUT"));
    QCOMPARE(TextOf(w.Chain(), 2107), QString("R"));
    QCOMPARE(TextOf(w.Chain(), 2112), QString("OUT"));
    QCOMPARE(TextOf(w.Modes(), 2115), QString("DRC Mode"));
    QCOMPARE(TextOf(w.Modes(), 2118), QString("Gain1"));
    QCOMPARE(TextOf(w.Modes(), 1058), QString("Link"));

    for (int id : {1064, 1065, 1066, 1067}) {
        auto* box = ControlId::Find<QComboBox>(w.Modes(), id);
        QVERIFY(box != nullptr);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QString("OFF"));
        QCOMPARE(box->itemText(1), QString("ON"));
    }
    auto* channel = ControlId::Find<QComboBox>(w.Modes(), 1059);
    QCOMPARE(channel->itemText(0), QString("channel0"));
    QCOMPARE(channel->itemText(1), QString("channel1"));

    auto* status = ControlId::Find<QLabel>(w, 1063);
    QCOMPARE(status->text(), QString("Not Found bootusb"));
    QVERIFY(!status->isVisible());

    QTabWidget& tabs = w.Tabs();
    QCOMPARE(ControlId::Of(tabs), 1006);
    const QStringList tabTexts{"Public Param", "10EQ", "DRC", "8EQ", "Limiter"};
    QCOMPARE(tabs.count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(tabs.tabText(i), tabTexts[i]);
    }
    QCOMPARE(tabs.widget(0), static_cast<QWidget*>(&w.PublicPage()));
    QCOMPARE(tabs.widget(1), static_cast<QWidget*>(&w.TenBandPage()));
    QCOMPARE(tabs.widget(2), static_cast<QWidget*>(&w.DrcPage()));
    QCOMPARE(tabs.widget(3), static_cast<QWidget*>(&w.EightBandPage()));
    QCOMPARE(tabs.currentIndex(), 0);
    QCOMPARE(w.CurrentTab(), 0);
    tabs.setCurrentIndex(4);
    QCOMPARE(w.CurrentTab(), 4);

    // The menu by position, as the language file's MENU_ keys address it.
    const QList<QAction*> bar = w.MenuBar().actions();
    QCOMPARE(bar.size(), 5);
    const QStringList barTexts{"File", "COM Port", "View", "Device", "About"};
    const QList<QList<QPair<QString, int>>> items{{{"Load", 32772}, {"Save As", 32773}},
                                                  {{"Setting", 32775}},
                                                  {},
                                                  {{"MX5210", 32777}},
                                                  {{"Version", 32779}}};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(bar[i]->text(), barTexts[i]);
        QMenu* menu = bar[i]->menu();
        QCOMPARE(menu == nullptr, items[i].isEmpty());
        if (menu == nullptr) {
            QCOMPARE(ControlId::Of(*bar[i]), 32780);
            continue;
        }
        const QList<QAction*> entries = menu->actions();
        QCOMPARE(entries.size(), items[i].size());
        for (int j = 0; j < entries.size(); ++j) {
            QCOMPARE(entries[j]->text(), items[i][j].first);
            QCOMPARE(ControlId::Of(*entries[j]), items[i][j].second);
        }
    }
}

void MainWindowTest::gainBoxStoresWhenLeftForAnotherControl() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR1", "-4");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    ParameterSet& p = w.Settings().Params;
    CPageEdit& gain1 = w.Modes().Gain1Box();
    CPageEdit& gain2 = w.Modes().Gain2Box();

    // Channel 0, no link: 7.9 reaches Gain1 of L as 7 and config.ini is written at once.
    dir.MarkConfig();
    Type(gain1, "7.9");
    Leave(gain1, gain2);
    QCOMPARE(p.SCTRGAINL1, 7);
    QCOMPARE(p.SCTRGAINR1, -4);
    QVERIFY(!dir.ConfigMarked());
    QVERIFY(dir.ConfigText().find("SCTRGAINL1=7\r\n") != std::string::npos);

    // Gain2 likewise; with Link both channels receive the value.
    p.Link = true;
    Type(gain2, "-2.5");
    Leave(gain2, gain1);
    QCOMPARE(p.SCTRGAINL2, -2);
    QCOMPARE(p.SCTRGAINR2, -2);
    Type(gain1, "7.9");
    Leave(gain1, gain2);
    QCOMPARE(p.SCTRGAINL1, 7);
    QCOMPARE(p.SCTRGAINR1, 7);

    // A message box taking the activation is no reason to store: the box keeps its text and
    // neither the parameter set nor config.ini changes.
    p.Link = false;
    Type(gain1, "5");
    dir.MarkConfig();
    w.OnReset();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("重置成功")});
    QCoreApplication::processEvents();
    QCOMPARE(p.SCTRGAINL1, 7);
    QCOMPARE(gain1.text(), QString("5"));
    QVERIFY(dir.ConfigMarked());
}

void MainWindowTest::enterChecksGain1BeforeClosing() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    CPageEdit& gain1 = w.Modes().Gain1Box();
    CPageEdit& gain2 = w.Modes().Gain2Box();

    // 20 is stored when the box is left (no range check there) ...
    Type(gain1, "20");
    Leave(gain1, gain2);
    QCOMPARE(w.Settings().Params.SCTRGAINL1, 20);
    QVERIFY(catcher.Texts().isEmpty());

    // ... but Enter refuses it, from any of the window's own boxes, and puts the focus back.
    for (QWidget* from : {static_cast<QWidget*>(&gain1), static_cast<QWidget*>(&gain2),
                          static_cast<QWidget*>(&w.Modes().ChannelBox())}) {
        catcher.Clear();
        from->setFocus(Qt::TabFocusReason);
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(catcher.Texts(),
                 QStringList{QString::fromUtf8("请输入一个在 -12 和 12 之间的整数。")});
        QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(&gain1));
        // Back in the window (the offscreen platform has no window manager to do it).
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&gain1));
    }

    for (const QString& text :
         {QString("7.9"), QString("abc"), QString(""), QString("+"), QString("1 2")}) {
        catcher.Clear();
        gain1.setText(text);
        QTest::keyClick(&gain1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("请输入一个整数。")});
        QVERIFY(w.isVisible());
    }
    catcher.Clear();
    gain1.setText("-13");
    QTest::keyClick(&gain1, Qt::Key_Return);
    QCOMPARE(catcher.Texts().size(), 1);

    // A whole number from -12 to 12, blanks aside: the window closes and nothing is saved.
    dir.MarkConfig();
    catcher.Clear();
    gain1.setText(" -12 ");
    QTest::keyClick(&gain1, Qt::Key_Return);
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCoreApplication::processEvents();
    QVERIFY(dir.ConfigMarked());
    QCOMPARE(w.Settings().Params.SCTRGAINL1, 20);
}

void MainWindowTest::enterOutsideTheWindowsOwnBoxesDoesNothing() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    w.Modes().Gain1Box().setText("99");

    w.Tabs().setCurrentIndex(CSonvexDlg::TenBandTab);
    QLineEdit& bandGain = w.TenBandPage().GainBox(9);
    bandGain.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&bandGain, Qt::Key_Return);
    QPushButton& set = w.CommandButton(CSonvexDlg::SetId);
    set.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&set, Qt::Key_Return);

    QVERIFY(w.isVisible());
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(dir.AdbLog().empty());
}

void MainWindowTest::chainButtonShowsBlockOfItsChannel() {
    AppProgramDir dir;
    dir.SetConfig("DIVFREQ_L", "1000");
    dir.SetConfig("DIVFREQ_R", "1234");
    dir.SetConfig("SCTRGAINL1", "3");
    dir.SetConfig("SCTRGAINR1", "-4");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    QCOMPARE(w.Modes().Gain1Box().text(), QString("3"));
    QCOMPARE(AppTest::Edit(w.DrcPage(), 1055).text(), QString("1000"));

    QTest::mouseClick(&w.Chain().Button(1, CChainPanel::DrcTab), Qt::LeftButton);
    QCOMPARE(w.Tabs().currentIndex(), CSonvexDlg::DrcTab);
    QCOMPARE(w.CurrentTab(), CSonvexDlg::DrcTab);
    QCOMPARE(w.Settings().Params.Channel, 1);
    QCOMPARE(w.Modes().ChannelBox().currentIndex(), 1);
    QCOMPARE(w.DrcPage().ChannelBoxIndex(), 1);
    QCOMPARE(w.Settings().Params.DrcChannel, 1);
    QCOMPARE(AppTest::Edit(w.DrcPage(), 1055).text(), QString("1234"));
    // The gain boxes keep what they showed.
    QCOMPARE(w.Modes().Gain1Box().text(), QString("3"));

    // The L row's eight-band button: tab 3, channel 0 everywhere.
    QTest::mouseClick(&w.Chain().Button(0, CChainPanel::EightBandTab), Qt::LeftButton);
    QCOMPARE(w.Tabs().currentIndex(), CSonvexDlg::EightBandTab);
    QCOMPARE(w.Settings().Params.Channel, 0);
    QCOMPARE(w.Modes().ChannelBox().currentIndex(), 0);
    QCOMPARE(w.EightBandPage().ChannelBoxIndex(), 0);
    QCOMPARE(w.Settings().Params.EQ1Channel, 0);
    QCOMPARE(w.Settings().Params.DrcChannel, 1);
    QVERIFY(catcher.Texts().isEmpty());
}

void MainWindowTest::channelBoxShowsThatChannelsGains() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINL1", "3");
    dir.SetConfig("SCTRGAINL2", "1");
    dir.SetConfig("SCTRGAINR1", "-4");
    dir.SetConfig("SCTRGAINR2", "6");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    QComboBox& channel = w.Modes().ChannelBox();
    dir.MarkConfig();

    QTest::keyClick(&channel, Qt::Key_Down);
    QCOMPARE(channel.currentIndex(), 1);
    QCOMPARE(w.Settings().Params.Channel, 1);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("-4"));
    QCOMPARE(w.Modes().Gain2Box().text(), QString("6"));
    QVERIFY(!dir.ConfigMarked());
    QVERIFY(dir.ConfigText().find("Channel=1\r\n") != std::string::npos);

    QTest::keyClick(&channel, Qt::Key_Up);
    QCOMPARE(w.Settings().Params.Channel, 0);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("3"));
    QCOMPARE(w.Modes().Gain2Box().text(), QString("1"));
}

void MainWindowTest::linkTogglesTheChannelBox() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    QCheckBox& link = w.Modes().LinkBox();
    QVERIFY(w.Modes().ChannelBox().isEnabled());

    dir.MarkConfig();
    QTest::mouseClick(&link, Qt::LeftButton);
    QVERIFY(w.Settings().Params.Link);
    QVERIFY(link.isChecked());
    QVERIFY(!w.Modes().ChannelBox().isEnabled());
    QVERIFY(!dir.ConfigMarked());
    QVERIFY(dir.ConfigText().find("\r\nLink=1\r\n") != std::string::npos);

    dir.MarkConfig();
    QTest::mouseClick(&link, Qt::LeftButton);
    QVERIFY(!w.Settings().Params.Link);
    QVERIFY(w.Modes().ChannelBox().isEnabled());
    QVERIFY(!dir.ConfigMarked());
}

void MainWindowTest::modeBoxSetsItsSwitchAtOnce() {
    AppProgramDir dir;
    dir.SetConfig("EQSwtch", "0");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    ParameterSet& p = w.Settings().Params;
    // Shipped: every switch on but the one set off above.
    QCOMPARE(w.Modes().ModeBox(0).currentIndex(), 0);
    QCOMPARE(w.Modes().ModeBox(1).currentIndex(), 1);

    dir.MarkConfig();
    QComboBox& drcMode = *ControlId::Find<QComboBox>(w.Modes(), 1065);
    QTest::keyClick(&drcMode, Qt::Key_Up);
    QCOMPARE(drcMode.currentText(), QString("OFF"));
    QVERIFY(!p.DrcSwtch);
    QVERIFY(p.LimitSwtch && p.EQSwtch1 && !p.EQSwtch);
    QVERIFY(!dir.ConfigMarked());
    QVERIFY(dir.ConfigText().find("DrcSwtch=0\r\n") != std::string::npos);

    QTest::keyClick(ControlId::Find<QComboBox>(w.Modes(), 1064), Qt::Key_Down);
    QVERIFY(p.EQSwtch);
    QTest::keyClick(ControlId::Find<QComboBox>(w.Modes(), 1067), Qt::Key_Up);
    QVERIFY(!p.LimitSwtch);
    QTest::keyClick(ControlId::Find<QComboBox>(w.Modes(), 1066), Qt::Key_Up);
    QVERIFY(!p.EQSwtch1);
}

void MainWindowTest::saveStoresEveryPageAndTheGains() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR1", "-4");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    ParameterSet& p = w.Settings().Params;

    w.Modes().Gain1Box().setText("4.8");
    w.Modes().Gain2Box().setText("-3");
    w.PublicPage().SampleRateBox().setText("44100");
    w.TenBandPage().GainBox(2).setText("5");
    w.EightBandPage().FrequencyBox(0).setText("60");
    AppTest::Edit(w.DrcPage(), 1055).setText("1500");
    AppTest::Edit(w.LimiterPage(), 1068).setText("-2.5");
    dir.MarkConfig();
    QTest::mouseClick(&w.CommandButton(CSonvexDlg::SaveId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("保存成功")});
    QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
    QCOMPARE(p.SCTRGAINL1, 4); // without Link read as integer text
    QCOMPARE(p.SCTRGAINR1, -4);
    QCOMPARE(p.SCTRGAINL2, -3);
    QCOMPARE(p.SWFS, 44100);
    QCOMPARE(p.EQGAINLEFT[2], 5);
    QCOMPARE(p.EQCFLEFT1[0], 60);
    QCOMPARE(p.DIVFREQ_L, 1500);
    QCOMPARE(p.LLMT_THRESHOLD, -2.5f);
    QVERIFY(!dir.ConfigMarked());
    const std::string config = dir.ConfigText();
    QVERIFY(config.find("SWFS=44100\r\n") != std::string::npos);
    QVERIFY(config.find("EQGAINLEFT=0,0,5,0,0,0,0,0,0,0\r\n") != std::string::npos);

    // With Link the gains go to both channels.
    p.Link = true;
    w.Modes().Gain1Box().setText("-7.9");
    catcher.Clear();
    QTest::mouseClick(&w.CommandButton(CSonvexDlg::SaveId), Qt::LeftButton);
    QCOMPARE(p.SCTRGAINL1, -7);
    QCOMPARE(p.SCTRGAINR1, -7);
    QCOMPARE(p.SCTRGAINR2, -3);
}

void MainWindowTest::saveReportsAConfigurationThatCannotBeWritten() {
    AppProgramDir dir(AppProgramDir::Contents{.config = false});
    auto window = Open(dir);
    MessageBoxCatcher catcher;
    QTest::mouseClick(&window->CommandButton(CSonvexDlg::SaveId), Qt::LeftButton);
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Texts().front().startsWith(QString::fromUtf8("保存失败")));
    QVERIFY(catcher.Texts().front().contains("config.ini"));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(dir.File("config.ini"))));
}

void MainWindowTest::cancelReloadsWithoutSaving() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINL1", "3");
    dir.SetConfig("SCTRGAINR1", "-4");
    dir.SetConfig("OFFSET_LL", "2");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    QCOMPARE(w.Modes().Gain1Box().text(), QString("3"));

    w.TenBandPage().GainBox(0).setText("7");
    AppTest::Edit(w.DrcPage(), 1024).setText("9");
    w.EightBandPage().GainBox(0).setText("8");
    w.Modes().Gain2Box().setText("11");
    dir.MarkConfig();
    QTest::mouseClick(&w.CommandButton(CSonvexDlg::CancelId), Qt::LeftButton);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("3.0"));
    QCOMPARE(w.TenBandPage().GainBox(0).text(), QString("0"));
    QCOMPARE(AppTest::Edit(w.DrcPage(), 1024).text(), QString("2"));
    // The eight-band and limiter pages and Gain2 are left as they are.
    QCOMPARE(w.EightBandPage().GainBox(0).text(), QString("8"));
    QCOMPARE(w.Modes().Gain2Box().text(), QString("11"));

    // Channel R: Gain1 as an integer.
    QTest::keyClick(&w.Modes().ChannelBox(), Qt::Key_Down);
    dir.MarkConfig();
    QTest::mouseClick(&w.CommandButton(CSonvexDlg::CancelId), Qt::LeftButton);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("-4"));
    QVERIFY(dir.ConfigMarked());
    QVERIFY(catcher.Texts().isEmpty());
}

void MainWindowTest::resetLaysOutTheBandsWithoutSaving() {
    AppProgramDir dir;
    dir.SetConfig("EQCFLEFT", "100,200,300,400,500,600,700,800,900,1000");
    dir.SetConfig("EQGAINLEFT", "1,1,1,1,1,1,1,1,1,1");
    dir.SetConfig("SWFS", "44100");
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    ParameterSet& p = w.Settings().Params;

    w.PublicPage().SampleRateBox().setText("48000");
    w.PublicPage().ChannelCountBox().setText("2");
    dir.MarkConfig();
    QTest::mouseClick(&w.CommandButton(CSonvexDlg::ResetId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("重置成功")});
    QCOMPARE(p.SWFS, 48000);
    const QStringList tenBand{"50",   "90",   "170",  "350",   "700",
                              "1410", "2870", "5820", "11820", "23500"};
    const QStringList eightBand{"50", "120", "290", "700", "1690", "4080", "9900", "23000"};
    for (int band = 0; band < 10; ++band) {
        QCOMPARE(w.TenBandPage().FrequencyBox(band).text(), tenBand[band]);
        // The high shelf keeps its gain.
        QCOMPARE(w.TenBandPage().GainBox(band).text(), QString(band < 9 ? "0" : "1"));
    }
    for (int band = 0; band < 8; ++band) {
        QCOMPARE(w.EightBandPage().FrequencyBox(band).text(), eightBand[band]);
    }
    QCOMPARE(w.TenBandPage().QBox(1).text(), QString("2.5"));
    QCOMPARE(p.EQCFRIGHT[9], 23000);
    QVERIFY(dir.ConfigMarked());
}

void MainWindowTest::resetRefusesAnUnusableSampleRate() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    const auto before = w.Settings().Params.EQCFLEFT;
    w.PublicPage().SampleRateBox().setText("40");
    w.OnReset();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("不支持该采样率 ")});
    QVERIFY(w.Settings().Params.EQCFLEFT == before);
}

void MainWindowTest::escapeAndCloseBoxEndWithoutSaving() {
    AppProgramDir dir;
    {
        auto window = Open(dir);
        Type(window->Modes().Gain1Box(), "9");
        dir.MarkConfig();
        QTest::keyClick(&window->Modes().Gain1Box(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCoreApplication::processEvents();
        QVERIFY(dir.ConfigMarked());
    }
    {
        auto window = Open(dir);
        Type(window->Modes().Gain2Box(), "9");
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCoreApplication::processEvents();
        QVERIFY(dir.ConfigMarked());
    }
}

void MainWindowTest::menuOpensAboutBoxAndSerialDialog() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;

    QString title;
    QStringList texts;
    bool hasIcon = false;
    AppTest::ModalAnswer<CAboutDlg> about([&](CAboutDlg& box) {
        title = box.windowTitle();
        texts << TextOf(box, CAboutDlg::TextId) << TextOf(box, CAboutDlg::OkId);
        auto* icon = ControlId::Find<QLabel>(box, CAboutDlg::IconId);
        hasIcon = icon != nullptr && !icon->pixmap().isNull();
    });
    w.MenuCommand(CSonvexDlg::VersionCommandId)->trigger();
    QCOMPARE(about.Count(), 1);
    QCOMPARE(title, QString::fromUtf8("关于 Sonvex"));
    QCOMPARE(texts, (QStringList{QString::fromUtf8("Sonvex，1.0 版"), QString::fromUtf8("确定")}));
    QVERIFY(hasIcon);
    QVERIFY(!w.windowIcon().isNull());

    CMscomm_eq* lent = nullptr;
    AppTest::ModalAnswer<CComSet> serial([&](CComSet& dialog) {
        lent = &w.SerialControl();
        QCOMPARE(dialog.parentWidget(), static_cast<QWidget*>(&w));
    });
    w.MenuCommand(CSonvexDlg::ComSettingCommandId)->trigger();
    QCOMPARE(serial.Count(), 1);
    QVERIFY(lent != nullptr);

    // View and MX5210 do nothing.
    MessageBoxCatcher catcher;
    w.MenuCommand(CSonvexDlg::ViewCommandId)->trigger();
    w.MenuCommand(CSonvexDlg::DeviceCommandId)->trigger();
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(w.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
