// The main window's controls and commands: gains, Enter, chain buttons, the channel, Link and
// mode boxes, Save, Cancel, Reset, closing, and the dialogs of the menu.
#include "app/CAboutDlg.h"
#include "app/CViewMenu.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "chart/CChartLogAxis.h"
#include "chart/CChartReadoutBox.h"
#include "pages/CTuningView.h"
#include "params/ParameterFile.h"
#include "serial/CComSet.h"
#include "tests/app/AppTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using namespace AppTest;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsTabsAndMenu();
    void gainBoxStoresWhenLeftForAnotherControl();
    void enterChecksGain1BeforeClosing();
    void chainButtonShowsTheBlockOfItsChannel();
    void clickRunsTheCommitsOfItsFocusChangeFirst();
    void failedCheckShowsItsPageAgain();
    void channelLinkAndModeBoxesSaveAtOnce();
    void saveStoresEveryPageAndTheGains();
    void cancelAndResetDoNotSave();
    void escapeAndCloseBoxEndWithoutSaving();
    void menuOpensAboutBoxAndSerialDialog();
    void viewMenuSavesAtOnceAndIsRestored();
};

void MainWindowTest::controlsTabsAndMenu() {
    AppProgramDir dir;
    auto w = Open(dir);
    for (int id : {1061, 1084, 1062, 1054, 1055}) {
        QVERIFY(!w->CommandButton(id).autoDefault()); // Enter never clicks a button
        QCOMPARE(ControlId::Of(w->CommandButton(id)), id);
    }
    QCOMPARE(ControlId::Of(w->Chain().Button(1, CChainPanel::kDrcTab)), 1005);
    QCOMPARE(ControlId::Of(w->Chain().Button(0, CChainPanel::kEightBandTab)), 1083);
    QCOMPARE(w->Modes().ModeBox(2).itemText(0) + w->Modes().ModeBox(2).itemText(1), "OFFON");
    QVERIFY(!w->StatusLabel().isVisible());
    const QList<QWidget*> pages{&w->PublicPage(), &w->TenBandPage(), &w->DrcPage(),
                                &w->EightBandPage(), &w->LimiterPage()};
    QStringList tabs;
    for (int i = 0; i < pages.size(); ++i) {
        QCOMPARE(w->Tabs().widget(i), pages[i]);
        tabs << w->Tabs().tabText(i);
    }
    QCOMPARE(tabs, (QStringList{"Public Param", "10EQ", "DRC", "8EQ", "Limiter"}));
    QCOMPARE(w->CurrentTab(), 0);
    w->Tabs().setCurrentIndex(4);
    QCOMPARE(w->CurrentTab(), 4);
    QStringList commands; // by menu position, as the MENU_ keys address them
    for (QAction* item : w->MenuBar().actions()) {
        for (QAction* entry : item->menu() ? item->menu()->actions() : QList{item}) {
            commands << QString::number(ControlId::Of(*entry));
        }
    }
    // Separators (0) take their positions too.
    QCOMPARE(commands.join(' '),
             QString("32772 32773 0 32810 0 32790 32791 0 32792 32793 32794 "
                     "32795 32796 0 32812 32813 32814 32775 32850 32851 32852 32853 32854 32855 "
                     "32777 32811 0 32779"));
    QCOMPARE(ControlId::Of(*w->MenuBar().actions().at(2)), CSonvexDlg::kViewCommandId);
}

void MainWindowTest::gainBoxStoresWhenLeftForAnotherControl() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR1", "-4");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    ParameterSet& p = w->Settings().Params;
    CPageEdit& gain1 = w->Modes().Gain1Box();
    CPageEdit& gain2 = w->Modes().Gain2Box();

    dir.MarkConfig();
    Type(gain1, "7.9");
    FocusTo(gain2);
    QCOMPARE(p.SCTRGAINL1, 7); // channel 0 only, and config.ini written at once
    QCOMPARE(p.SCTRGAINR1, -4);
    QVERIFY(!dir.Marked() && dir.ConfigHas("SCTRGAINL1=7"));

    p.Link = true;
    Type(gain2, "-2.5");
    Type(gain1, "7.9");
    FocusTo(gain2);
    QCOMPARE(p.SCTRGAINL1, 7);
    QCOMPARE(p.SCTRGAINR1, 7);
    QCOMPARE(p.SCTRGAINL2, -2);
    QCOMPARE(p.SCTRGAINR2, -2);

    // A message box taking the activation is no reason to store.
    Type(gain1, "5");
    dir.MarkConfig();
    w->OnReset();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("重置成功")});
    QCoreApplication::processEvents();
    QCOMPARE(p.SCTRGAINL1, 7);
    QVERIFY(dir.Marked());
}

void MainWindowTest::enterChecksGain1BeforeClosing() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    CPageEdit& gain1 = w->Modes().Gain1Box();

    Type(gain1, "20");
    FocusTo(w->Modes().Gain2Box());
    QCOMPARE(w->Settings().Params.SCTRGAINL1, 20); // no check on leaving the box
    QTest::keyClick(&w->Modes().Gain2Box(), Qt::Key_Return);
    QCOMPARE(catcher.Texts(),
             QStringList{QString::fromUtf8("请输入一个在 -12 和 12 之间的整数。")});
    QCOMPARE(catcher.Messages().front().title, QString("Sonvex"));
    QVERIFY(w->isVisible());
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(&gain1));

    for (const char* text : {"7.9", "abc", "", "+", "1 2"}) {
        catcher.Clear();
        gain1.setText(text);
        QTest::keyClick(&w->Modes().ChannelBox(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("请输入一个整数。")});
    }
    // Enter in a page's box is not the window's default command.
    catcher.Clear();
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    w->activateWindow(); // the offscreen platform has no window manager to give it back
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    FocusTo(w->TenBandPage().GainBox(9));
    QTest::keyClick(&w->TenBandPage().GainBox(9), Qt::Key_Return);
    QVERIFY(catcher.Texts().isEmpty() && w->isVisible());

    // A whole number from -12 to 12, blanks aside: the window closes, nothing is saved. The
    // typed value was never stored, so the window asks first; Cancel keeps it open.
    dir.MarkConfig();
    Type(gain1, " -12 ");
    QTest::keyClick(&gain1, Qt::Key_Return);
    QCOMPARE(catcher.Texts(), QStringList{"Discard unsaved changes?"});
    QVERIFY(w->isVisible());
    catcher.Clear();
    catcher.SetAnswer(QMessageBox::Discard);
    QTest::keyClick(&gain1, Qt::Key_Return);
    QCOMPARE(catcher.Texts(), QStringList{"Discard unsaved changes?"});
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
    QCoreApplication::processEvents();
    QVERIFY(dir.Marked());
}

void MainWindowTest::chainButtonShowsTheBlockOfItsChannel() {
    AppProgramDir dir;
    dir.SetConfig("DIVFREQ_R", "1234");
    dir.SetConfig("SCTRGAINL1", "3");
    dir.SetConfig("SCTRGAINR1", "-4");
    dir.SetConfig("SCTRGAINR2", "6");
    auto w = Open(dir);
    const ParameterSet& p = w->Settings().Params;
    QCOMPARE(Edit(w->DrcPage(), 1055).text(), QString("1000"));

    QTest::mouseClick(&w->Chain().Button(1, CChainPanel::kDrcTab), Qt::LeftButton);
    QCOMPARE(w->Tabs().currentIndex(), CSonvexDlg::kDrcTab);
    QCOMPARE(w->CurrentTab(), CSonvexDlg::kDrcTab);
    QCOMPARE(p.Channel, 1);
    QCOMPARE(w->Modes().ChannelBox().currentIndex(), 1);
    QCOMPARE(w->DrcPage().ChannelBoxIndex(), 1);
    QCOMPARE(p.DrcChannel, 1);
    QCOMPARE(Edit(w->DrcPage(), 1055).text(), QString("1234"));
    // The gain boxes show the new channel's gains, so leaving them stores nothing else.
    QCOMPARE(w->Modes().Gain1Box().text(), QString("-4"));
    QCOMPARE(w->Modes().Gain2Box().text(), QString("6"));
    FocusTo(w->Modes().Gain1Box());
    FocusTo(w->Modes().Gain2Box());
    FocusTo(w->Modes().LinkBox());
    QCOMPARE(p.SCTRGAINR1, -4);
    QCOMPARE(p.SCTRGAINR2, 6);
    QCOMPARE(p.SCTRGAINL1, 3);
    QCOMPARE(p.EQChannel, 0);
}

// QTest::mouseClick delivers press and release at once, as automation and quick taps do: the
// commit that the press's focus change causes runs before the clicked command, and a failed
// entry check stops the command.
void MainWindowTest::clickRunsTheCommitsOfItsFocusChangeFirst() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR2", "-4");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    const ParameterSet& p = w->Settings().Params;

    // Gain2 then Link: the typed gain goes to the channel shown, before the link is set.
    Type(w->Modes().Gain2Box(), "5");
    QTest::mouseClick(&w->Modes().LinkBox(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(p.Link);
    QCOMPARE(p.SCTRGAINL2, 5);
    QCOMPARE(p.SCTRGAINR2, -4);

    // Sample rate 40 then Reset: the check's message alone; Reset does not run.
    catcher.Clear();
    dir.MarkConfig();
    Type(w->PublicPage().SampleRateBox(), "40");
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kResetId), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("不支持该采样率 ")});
    QCOMPARE(catcher.Messages().front().title, QString::fromUtf8("错误"));
    QCOMPARE(p.SWFS, 48000);
    QCOMPARE(QApplication::focusWidget(), &w->PublicPage().SampleRateBox());
    w->PublicPage().SampleRateBox().setText("48000");

    // A ten-band gain of 13 then the R row's DRC button: the chain button does not run either.
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    catcher.Clear();
    Type(w->TenBandPage().GainBox(2), "13");
    QTest::mouseClick(&w->Chain().Button(1, CChainPanel::kDrcTab), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("数值不在-12~12范围!")});
    QCOMPARE(w->CurrentTab(), CSonvexDlg::kTenBandTab);
    QCOMPARE(p.Channel, 0);
    QCOMPARE(QApplication::focusWidget(), &w->TenBandPage().GainBox(2));
    QVERIFY(dir.Marked());
    w->TenBandPage().GainBox(2).setText("0");

    // Gain1 then Set: the pushed file holds the typed gain (Gain1 of L is float 16).
    catcher.Clear();
    Type(w->Modes().Gain1Box(), "7");
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kSetId), Qt::LeftButton);
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置成功")});
    QCOMPARE(ParameterFile::Decode(dir.Read("EQPara.bin"))[6 + 10], 7.0f);
}

// A check that fails after its page was hidden (another tab clicked) shows that page again and
// gives the box the focus.
void MainWindowTest::failedCheckShowsItsPageAgain() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    Type(w->TenBandPage().GainBox(0), "13");
    QTabBar& bar = *w->Tabs().tabBar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(CSonvexDlg::kDrcTab).center());
    QCoreApplication::processEvents();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("数值不在-12~12范围!")});
    QCOMPARE(w->Tabs().currentIndex(), CSonvexDlg::kTenBandTab);
    QCOMPARE(w->CurrentTab(), CSonvexDlg::kTenBandTab);
    QTRY_COMPARE(QApplication::focusWidget(), &w->TenBandPage().GainBox(0));
    QCOMPARE(w->TenBandPage().GainBox(0).text(), QString("13"));

    // Mended, the box lets the tab change go through.
    catcher.Clear();
    w->TenBandPage().GainBox(0).setText("12");
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(CSonvexDlg::kDrcTab).center());
    QCoreApplication::processEvents();
    QVERIFY(catcher.Texts().isEmpty());
    QCOMPARE(w->CurrentTab(), CSonvexDlg::kDrcTab);
}

void MainWindowTest::channelLinkAndModeBoxesSaveAtOnce() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR1", "-4");
    dir.SetConfig("SCTRGAINR2", "6");
    auto w = Open(dir);
    ParameterSet& p = w->Settings().Params;

    dir.MarkConfig();
    QTest::keyClick(&w->Modes().ChannelBox(), Qt::Key_Down);
    QCOMPARE(p.Channel, 1);
    QCOMPARE(w->Modes().Gain1Box().text(), QString("-4"));
    QCOMPARE(w->Modes().Gain2Box().text(), QString("6"));
    QVERIFY(!dir.Marked() && dir.ConfigHas("Channel=1"));

    for (bool linked : {true, false}) {
        dir.MarkConfig();
        QTest::mouseClick(&w->Modes().LinkBox(), Qt::LeftButton);
        QCOMPARE(p.Link, linked);
        QCOMPARE(w->Modes().ChannelBox().isEnabled(), !linked);
        QVERIFY(!dir.Marked());
    }

    // "DRC Mode" (1065) to OFF: DrcSwtch cleared and saved; the others follow their boxes.
    dir.MarkConfig();
    QTest::keyClick(ControlId::Find<QComboBox>(w->Modes(), 1065), Qt::Key_Up);
    QVERIFY(!p.DrcSwtch && p.EQSwtch && p.EQSwtch1 && p.LimitSwtch);
    QVERIFY(!dir.Marked() && dir.ConfigHas("DrcSwtch=0"));
    QTest::keyClick(ControlId::Find<QComboBox>(w->Modes(), 1067), Qt::Key_Up);
    QTest::keyClick(ControlId::Find<QComboBox>(w->Modes(), 1065), Qt::Key_Down);
    QVERIFY(!p.LimitSwtch && p.DrcSwtch && p.EQSwtch);
}

void MainWindowTest::saveStoresEveryPageAndTheGains() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINR1", "-4");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    ParameterSet& p = w->Settings().Params;
    w->Modes().Gain1Box().setText("4.8");
    w->PublicPage().SampleRateBox().setText("44100");
    w->TenBandPage().GainBox(2).setText("5");
    w->EightBandPage().FrequencyBox(0).setText("60");
    Edit(w->DrcPage(), 1055).setText("1500");
    Edit(w->LimiterPage(), 1068).setText("-2.5");
    dir.MarkConfig();
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kSaveId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("保存成功")});
    QCOMPARE(p.SCTRGAINL1, 4);
    QCOMPARE(p.SCTRGAINR1, -4);
    QCOMPARE(p.SWFS, 44100);
    QCOMPARE(p.EQCFLEFT1[0], 60);
    QCOMPARE(p.DIVFREQ_L, 1500);
    QCOMPARE(p.LLMT_THRESHOLD, -2.5f);
    QVERIFY(dir.ConfigHas("SWFS=44100") && dir.ConfigHas("EQGAINLEFT=0,0,5,0,0,0,0,0,0,0"));

    p.Link = true; // the gains go to both channels
    w->Modes().Gain1Box().setText("-7.9");
    w->OnSave();
    QCOMPARE(p.SCTRGAINL1, -7);
    QCOMPARE(p.SCTRGAINR1, -7);

    // Without a config.ini nothing can be saved, and Save says so.
    AppProgramDir bare(AppProgramDir::Contents{.config = false});
    auto unsaved = Open(bare);
    catcher.Clear();
    unsaved->OnSave();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Texts().front().startsWith("Saving failed: \"" +
                                               QString::fromStdU16String(bare.Directory())));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(bare.File("config.ini"))));
}

void MainWindowTest::cancelAndResetDoNotSave() {
    AppProgramDir dir;
    dir.SetConfig("SCTRGAINL1", "3");
    dir.SetConfig("SCTRGAINR1", "-4");
    dir.SetConfig("EQGAINLEFT", "1,1,1,1,1,1,1,1,1,1");
    dir.SetConfig("SWFS", "44100");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    dir.MarkConfig();

    // Cancel: ten-band and DRC pages and Gain1 reload, L with one decimal, R as an integer.
    w->TenBandPage().GainBox(0).setText("7");
    Edit(w->DrcPage(), 1024).setText("9");
    w->EightBandPage().GainBox(0).setText("8");
    w->OnCancel();
    QCOMPARE(w->Modes().Gain1Box().text(), QString("3.0"));
    QCOMPARE(w->TenBandPage().GainBox(0).text(), QString("1"));
    QCOMPARE(Edit(w->DrcPage(), 1024).text(), QString("0"));
    QCOMPARE(w->EightBandPage().GainBox(0).text(), QString("8"));
    w->Settings().Params.Channel = 1;
    w->OnCancel();
    QCOMPARE(w->Modes().Gain1Box().text(), QString("-4"));

    // Reset at 48000 Hz, taken from the public page.
    w->PublicPage().SampleRateBox().setText("48000");
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kResetId), Qt::LeftButton);
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("重置成功")});
    const QStringList tenBand{"50",   "90",   "170",  "350",   "700",
                              "1410", "2870", "5820", "11820", "23500"};
    const QStringList eightBand{"50", "120", "290", "700", "1690", "4080", "9900", "23000"};
    for (int band = 0; band < 10; ++band) {
        QCOMPARE(w->TenBandPage().FrequencyBox(band).text(), tenBand[band]);
        QCOMPARE(w->TenBandPage().GainBox(band).text(), QString(band < 9 ? "0" : "1"));
    }
    for (int band = 0; band < 8; ++band) {
        QCOMPARE(w->EightBandPage().FrequencyBox(band).text(), eightBand[band]);
    }
    QCOMPARE(w->Settings().Params.EQCFRIGHT[9], 23000);

    catcher.Clear();
    w->PublicPage().SampleRateBox().setText("40");
    w->OnReset();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("不支持该采样率 ")});
    QCOMPARE(w->Settings().Params.EQCFLEFT[0], 50);
    QVERIFY(dir.Marked());
}

// Esc and the close box save nothing on the way out, once the question that the typed,
// unstored value raises is answered with Discard.
void MainWindowTest::escapeAndCloseBoxEndWithoutSaving() {
    AppProgramDir dir;
    MessageBoxCatcher catcher;
    catcher.SetAnswer(QMessageBox::Discard);
    auto w = Open(dir);
    Type(w->Modes().Gain1Box(), "9");
    dir.MarkConfig();
    QTest::keyClick(&w->Modes().Gain1Box(), Qt::Key_Escape);
    QCOMPARE(catcher.Texts(), QStringList{"Discard unsaved changes?"});
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Rejected));

    w = Open(dir);
    Type(w->Modes().Gain2Box(), "9");
    QVERIFY(w->close());
    QCoreApplication::processEvents();
    QVERIFY(dir.Marked());
    QCOMPARE(w->Settings().Params.SCTRGAINL2, 0);
}

void MainWindowTest::menuOpensAboutBoxAndSerialDialog() {
    AppProgramDir dir;
    auto w = Open(dir);
    QStringList about;
    ModalAnswer<CAboutDlg> aboutBox([&](CAboutDlg& box) {
        about << box.windowTitle() << TextOf(box, CAboutDlg::kTextId)
              << TextOf(box, CAboutDlg::kOkId);
        about << QString::number(
            !ControlId::Find<QLabel>(box, CAboutDlg::kIconId)->pixmap().isNull());
    });
    w->MenuCommand(CSonvexDlg::kVersionCommandId)->trigger();
    QCOMPARE(about,
             (QStringList{QString::fromUtf8("关于 Sonvex"), QString::fromUtf8("Sonvex，1.0 版"),
                          QString::fromUtf8("确定"), "1"}));

    // The serial dialog opens on the window; a port that does not exist is reported by name and
    // the dialog stays usable.
    MessageBoxCatcher portMessages;
    bool stayedOpen = false;
    ModalAnswer<CComSet> serial([&](CComSet& dialog) {
        QCOMPARE(dialog.parentWidget(), static_cast<QWidget*>(w.get()));
        ControlId::Find<QLineEdit>(dialog, CComSet::kPortEditId)->setText("32000");
        ControlId::Find<QPushButton>(dialog, CComSet::kOkId)->click();
        stayedOpen = dialog.isVisible();
    });
    w->MenuCommand(CSonvexDlg::kComSettingCommandId)->trigger();
    QCOMPARE(serial.Count(), 1);
    QVERIFY(stayedOpen);
    QCOMPARE(portMessages.Texts().size(), 1);
    QVERIFY(portMessages.Texts().front().contains("/dev/ttyS31999"));
    QCOMPARE(portMessages.Messages().front().title, QString("Sonvex"));

    MessageBoxCatcher catcher; // the View menu's own item and MX5210 do nothing
    w->MenuCommand(CSonvexDlg::kViewCommandId)->trigger();
    w->MenuCommand(CSonvexDlg::kDeviceCommandId)->trigger();
    QVERIFY(catcher.Texts().isEmpty() && w->isVisible());
}

// The shipped configuration opens on the tuning view; each View item is written into [View] at
// once, and only that; the next start restores it; without [View] the chart is the classic one.
void MainWindowTest::viewMenuSavesAtOnceAndIsRestored() {
    AppProgramDir dir;
    {
        auto w = Open(dir);
        QStringList checked;
        for (int id = CViewMenu::kFirstCommandId; id < CViewMenu::kFirstCommandId + 6; ++id) {
            checked << QString::number(w->MenuCommand(id)->isChecked());
        }
        QCOMPARE(checked.join(' '), QString("1 1 0 0 1 0"));
        for (CEqualiserPage* page :
             std::initializer_list<CEqualiserPage*>{&w->TenBandPage(), &w->EightBandPage()}) {
            QVERIFY(dynamic_cast<CChartLogAxis*>(page->Chart().GetBottomAxis()) != nullptr);
            QCOMPARE(page->Tuning()->Handles()->Handles().size(),
                     static_cast<std::size_t>(page->BandCount()));
        }
        w->Settings().Params.SCTRGAINL1 = 9; // not committed: no View item may save it
        w->MenuCommand(CViewMenu::kFirstCommandId + 3)->trigger(); // "Whole chain"
        QVERIFY(dir.ConfigHas("WholeChain=1"));
        QVERIFY(dir.ConfigHas("SCTRGAINL1=0"));
        QVERIFY(w->EightBandPage().Options().Get(ViewOption::WholeChain));
        QVERIFY(w->EightBandPage()
                    .Tuning()
                    ->Readouts()
                    ->Line(CTuningView::kPeakReadout)
                    .startsWith("peak "));
    }
    {
        auto w = Open(dir);
        QVERIFY(w->MenuCommand(CViewMenu::kFirstCommandId + 3)->isChecked());
        QVERIFY(w->TenBandPage().Options().Get(ViewOption::WholeChain));
    }
    std::string config = dir.Config();
    config.erase(config.find("[View]"));
    dir.Write("config.ini", config);
    auto w = Open(dir);
    QVERIFY(!w->MenuCommand(CViewMenu::kFirstCommandId)->isChecked());
    QCOMPARE(w->TenBandPage().Chart().GetSeriesCount(), std::size_t{1});
    QVERIFY(dynamic_cast<CChartLogAxis*>(w->TenBandPage().Chart().GetBottomAxis()) == nullptr);
    QVERIFY(w->TenBandPage().Tuning()->Handles() == nullptr);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
