// The edit history of the main window: each kind of step undone and redone, config.ini after
// undoing a saving commit, Ctrl+Z while typing, the A/B snapshots, the title's markers and the
// question before closing.
#include "app/CEditHistory.h"
#include "base/TextCodec.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "pages/CTuningView.h"
#include "params/ParameterFile.h"
#include "tests/app/AppTestSupport.h"

#include <QLineEdit>
#include <QMessageBox>

#include <filesystem>
#include <functional>
#include <vector>

using namespace AppTest;

namespace {

using Snapshot = CEditHistory::Snapshot;

Snapshot Now(CSonvexDlg& w) {
    return w.History().State().Capture();
}

QAction& Command(CSonvexDlg& w, int id) {
    return *w.MenuCommand(id);
}

// A parameter file like the window's set, with other ten-band and DRC values of L.
void WriteOtherFile(CSonvexDlg& w, const std::string& path) {
    ParameterSet other = w.Settings().Params;
    other.EQGAINLEFT[3] = 6;
    other.DIVFREQ_L = 900;
    QVERIFY(
        ParameterFile::WriteParameterFile(TextCodec::FromUtf8(path), other, w.TenBandPage().Tool())
            .Ok());
}

const QString kDiscard = "Discard unsaved changes?";

// A drag of a band's handle on an equaliser page's chart (the page shown), 30 pixels up.
void DragHandle(CEqualiserPage& page, int band) {
    QCoreApplication::processEvents(); // the shown page's chart lays itself out
    QPoint from;
    QVERIFY(page.Tuning()->Handles()->HandlePixel(band, from));
    CChartCtrl& chart = page.Chart();
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from - QPoint(0, 30)),
                     QPointF(chart.mapToGlobal(from - QPoint(0, 30))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, from - QPoint(0, 30));
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void eachStepUndoesAndRedoesTheWholeEditor();
    void undoingASavingCommitSavesConfigAgain();
    void ctrlZWhileTypingTakesTheTypingBack();
    void stepNamesFollowTheLanguage();
    void toggleSwitchesEveryPageBetweenAAndB();
    void titleMarksWhatIsNotSaved();
    void closingAsksOnlyWhenSomethingWouldBeLost();
};

void HistoryTest::eachStepUndoesAndRedoesTheWholeEditor() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    WriteOtherFile(*w, dir.File("other.bin"));
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("other.bin")); });
    const Snapshot start = Now(*w);

    struct Case {
        QString undo;
        std::function<void()> edit;
    };
    const std::vector<Case> cases{
        {"Undo ten-band band 3 gain",
         [&] {
             w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
             Type(w->TenBandPage().GainBox(3), "5");
             FocusTo(w->TenBandPage().GainBox(4));
         }},
        {"Undo Gain1",
         [&] {
             Type(w->Modes().Gain1Box(), "4");
             FocusTo(w->Modes().Gain2Box());
         }},
        {"Undo DRC low band static time",
         [&] {
             w->Tabs().setCurrentIndex(CSonvexDlg::kDrcTab);
             Type(Edit(w->DrcPage(), 1023), "77");
             FocusTo(w->DrcPage().ChannelBox());
         }},
        {"Undo DRC channel", // the typed static time goes with the change, and comes back
         [&] { QTest::keyClick(&w->DrcPage().ChannelBox(), Qt::Key_Down); }},
        {"Undo eight-band mode",
         [&] {
             FocusTo(w->Modes().ModeBox(2));
             QTest::keyClick(&w->Modes().ModeBox(2), Qt::Key_Up);
         }},
        {"Undo limiter Link",
         [&] {
             w->Tabs().setCurrentIndex(CSonvexDlg::kLimiterTab);
             QTest::mouseClick(&w->LimiterPage().LinkBox(), Qt::LeftButton);
         }},
        {"Undo Reset",
         [&] {
             w->PublicPage().SampleRateBox().setText("44100");
             QTest::mouseClick(&w->CommandButton(CSonvexDlg::kResetId), Qt::LeftButton);
         }},
        {"Undo Load", [&] { Command(*w, CSonvexDlg::kLoadCommandId).trigger(); }},
        {"Undo ten-band band 0 gain",
         [&] {
             w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
             Type(w->TenBandPage().GainBox(0), "-9");
             FocusTo(w->CommandButton(CSonvexDlg::kCancelId));
         }},
        {"Undo Cancel",
         [&] { QTest::mouseClick(&w->CommandButton(CSonvexDlg::kCancelId), Qt::LeftButton); }},
        {"Undo eight-band band 2", // a drag on the chart, however many moves it took
         [&] {
             w->Tabs().setCurrentIndex(CSonvexDlg::kEightBandTab);
             DragHandle(w->EightBandPage(), 2);
         }},
        {"Undo fit", // what the window's other editing code records in one line
         [&] {
             w->EightBandPage().GainBox(2).setText("-3");
             w->EightBandPage().QBox(2).setText("1.4");
             w->History().Record(TextId::StepFit);
         }},
    };
    for (const Case& c : cases) {
        // A message box took the activation: without it no box reports leaving.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const Snapshot before = Now(*w);
        c.edit();
        QCoreApplication::processEvents();
        const Snapshot after = Now(*w);
        QVERIFY2(!after->SameEditor(*before), qPrintable(c.undo));
        QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(), c.undo);
        Command(*w, CEditHistory::kUndoCommandId).trigger();
        QVERIFY2(Now(*w)->SameEditor(*before), qPrintable(c.undo));
        // Undo shows the page where the step was made, not the one shown before it.
        QCOMPARE(w->Tabs().currentIndex(), after->tab);
        QCOMPARE(Command(*w, CEditHistory::kRedoCommandId).text(), "Redo" + c.undo.mid(4));
        Command(*w, CEditHistory::kRedoCommandId).trigger();
        QVERIFY2(Now(*w)->SameEditor(*after), qPrintable(c.undo));
    }
    QCOMPARE(w->Settings().Params.DrcChannel, 1);
    QCOMPARE(w->DrcPage().ChannelBoxIndex(), 1);
    QVERIFY(w->Settings().Params.LimitLink && !w->LimiterPage().ChannelBox().isEnabled());

    // All the way back, every page as at the start; then nothing left to undo.
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Command(*w, CEditHistory::kUndoCommandId).trigger();
    }
    QVERIFY(Now(*w)->SameEditor(*start));
    QCOMPARE(Edit(w->DrcPage(), 1023).text(), QString("10"));
    QVERIFY(!Command(*w, CEditHistory::kUndoCommandId).isEnabled());
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(), QString("Undo"));
    // A box left without a change, and Save, are no steps.
    FocusTo(w->TenBandPage().GainBox(3));
    FocusTo(w->TenBandPage().GainBox(4));
    w->OnSave();
    QVERIFY(!Command(*w, CEditHistory::kUndoCommandId).isEnabled());
    QCOMPARE(w->History().History().RedoCount(), cases.size());
}

void HistoryTest::undoingASavingCommitSavesConfigAgain() {
    AppProgramDir dir;
    auto w = Open(dir);
    Type(w->Modes().Gain1Box(), "4");
    FocusTo(w->Modes().Gain2Box());
    FocusTo(w->Modes().ModeBox(1));
    QTest::keyClick(&w->Modes().ModeBox(1), Qt::Key_Up); // "DRC Mode" to OFF
    QVERIFY(dir.ConfigHas("SCTRGAINL1=4") && dir.ConfigHas("DrcSwtch=0"));

    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QVERIFY(dir.ConfigHas("SCTRGAINL1=4") && dir.ConfigHas("DrcSwtch=1"));
    QCOMPARE(w->Modes().ModeBox(1).currentIndex(), 1);
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QVERIFY(dir.ConfigHas("SCTRGAINL1=0"));
    QCOMPARE(w->Modes().Gain1Box().text(), QString("0"));
    Command(*w, CEditHistory::kRedoCommandId).trigger();
    Command(*w, CEditHistory::kRedoCommandId).trigger();
    QVERIFY(dir.ConfigHas("SCTRGAINL1=4") && dir.ConfigHas("DrcSwtch=0"));

    // A step that saved nothing saves nothing when undone.
    Type(w->TenBandPage().GainBox(1), "3");
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kCancelId), Qt::LeftButton);
    dir.MarkConfig();
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QCOMPARE(w->TenBandPage().GainBox(1).text(), QString("3"));
    QVERIFY(dir.Marked());
}

// The box's own undo would take back one keystroke of a value that the history never saw; the
// window's Undo takes back the whole typing, without the check, and Redo brings it back.
void HistoryTest::ctrlZWhileTypingTakesTheTypingBack() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    CPageEdit& gain = w->TenBandPage().GainBox(2);
    Type(gain, "13"); // would fail its check
    QTest::keyClick(&gain, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(gain.text(), QString("0"));
    QTest::keyClick(&gain, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(gain.text(), QString("13"));
    QTest::keyClick(&gain, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&gain, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(gain.text(), QString("13"));
    QVERIFY(catcher.Texts().isEmpty());
    QCOMPARE(QApplication::focusWidget(), &gain);

    // Leaving it now runs the check as ever: the value stays, no step is taken.
    FocusTo(w->TenBandPage().GainBox(3));
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("数值不在-12~12范围!")});
    QCOMPARE(w->History().History().UndoCount(), std::size_t{1});
    // Enter commits a page's box as leaving it does.
    catcher.Clear();
    gain.setText("-4");
    QTest::keyClick(&gain, Qt::Key_Return);
    QVERIFY(catcher.Texts().isEmpty() && w->isVisible());
    QCOMPARE(w->History().History().UndoCount(), std::size_t{2});
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(),
             QString("Undo ten-band band 2 gain"));
}

void HistoryTest::stepNamesFollowTheLanguage() {
    AppProgramDir dir;
    dir.SetConfig("Selected", "2");
    auto w = Open(dir);
    Type(Edit(w->DrcPage(), 1016), "5");
    FocusTo(Edit(w->DrcPage(), 1012));
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(),
             QString::fromUtf8("撤销 DRC 高频段 静态时间"));
    Type(w->TenBandPage().FrequencyBox(3), "400");
    FocusTo(w->TenBandPage().QBox(3));
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(),
             QString::fromUtf8("撤销 十段均衡 第 3 段 频率"));
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QCOMPARE(Command(*w, CEditHistory::kRedoCommandId).text(),
             QString::fromUtf8("重做 十段均衡 第 3 段 频率"));
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    Command(*w, CEditHistory::kRedoCommandId).trigger();
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(),
             QString::fromUtf8("撤销 DRC 高频段 静态时间"));
    QCOMPARE(Command(*w, CEditHistory::kRedoCommandId).text(),
             QString::fromUtf8("重做 十段均衡 第 3 段 频率"));
    QCOMPARE(Command(*w, CEditHistory::kToggleCommandId).text(), QString::fromUtf8("切换 A/B"));
}

void HistoryTest::toggleSwitchesEveryPageBetweenAAndB() {
    AppProgramDir dir;
    auto w = Open(dir);
    const QString caption = w->windowTitle();
    Command(*w, CEditHistory::kStoreACommandId).trigger();
    QCOMPARE(w->windowTitle(), caption + " [A]");
    const Snapshot a = Now(*w);

    // B: values on every page, one of them typed and never stored.
    Type(w->Modes().Gain2Box(), "-3");
    Type(w->TenBandPage().GainBox(5), "4");
    Type(w->EightBandPage().FrequencyBox(7), "20000");
    Type(Edit(w->DrcPage(), 1024), "2");
    Type(Edit(w->LimiterPage(), 1068), "-6.5");
    FocusTo(w->Modes().ModeBox(0));
    QTest::keyClick(&w->Modes().ModeBox(0), Qt::Key_Up);
    Type(w->PublicPage().ChannelCountBox(), "1");
    Command(*w, CEditHistory::kStoreBCommandId).trigger(); // commits the box typed in
    const Snapshot b = Now(*w);
    QCOMPARE(w->windowTitle(), caption + " [B] *");

    w->Tabs().setCurrentIndex(CSonvexDlg::kDrcTab);
    QTest::keyClick(w.get(), Qt::Key_F6);
    QVERIFY(Now(*w)->SameEditor(*a));
    QCOMPARE(w->Tabs().currentIndex(), CSonvexDlg::kDrcTab);
    QCOMPARE(Edit(w->LimiterPage(), 1068).text(), QString("-1.0"));
    QCOMPARE(w->windowTitle(), caption + " [A] *"); // config.ini holds B's Gain2 and mode
    QTest::keyClick(w.get(), Qt::Key_F6);
    QVERIFY(Now(*w)->SameEditor(*b));
    QCOMPARE(w->Modes().ModeBox(0).currentIndex(), 0);
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(), QString("Undo Recall B"));
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QVERIFY(Now(*w)->SameEditor(*a));

    // The channel a page shows is no difference; a value is. (The channel change saves A.)
    FocusTo(w->TenBandPage().ChannelBox());
    QTest::keyClick(&w->TenBandPage().ChannelBox(), Qt::Key_Down);
    QCOMPARE(w->Settings().Params.EQChannel, 1);
    QCOMPARE(w->windowTitle(), caption + " [A]");
    Type(w->TenBandPage().GainBox(0), "1");
    QCoreApplication::processEvents();
    QCOMPARE(w->windowTitle(), caption + " *");
    Command(*w, CEditHistory::kRecallACommandId).trigger();
    QVERIFY(Now(*w)->SameEditor(*a));
}

void HistoryTest::titleMarksWhatIsNotSaved() {
    AppProgramDir dir;
    dir.SetConfig("EQQLEFT", "0.707,2.5,2.5,2.5,2.5,2.5,2.5,2.5");
    dir.SetConfig("LLMT_THRESHOLD", "-0.35");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    const QString caption = w->windowTitle();
    QVERIFY(!caption.endsWith("*")); // a Q shown as 0.7 is no unsaved value

    w->Tabs().setCurrentIndex(CSonvexDlg::kLimiterTab);
    Type(Edit(w->LimiterPage(), 1069), "20");
    QCoreApplication::processEvents();
    QCOMPARE(w->windowTitle(), caption + " *");
    Edit(w->LimiterPage(), 1069).setText("50.0");
    QCoreApplication::processEvents();
    QCOMPARE(w->windowTitle(), caption);

    Type(Edit(w->LimiterPage(), 1069), "20");
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kSaveId), Qt::LeftButton);
    QCOMPARE(w->windowTitle(), caption);
    Command(*w, CEditHistory::kUndoCommandId).trigger(); // the editor is back before the save
    QCOMPARE(w->windowTitle(), caption + " *");
    Command(*w, CEditHistory::kRedoCommandId).trigger();
    w->OnReset();
    QCOMPARE(w->windowTitle(), caption + " *");
    w->OnSave();
    QCOMPARE(w->windowTitle(), caption);
}

void HistoryTest::closingAsksOnlyWhenSomethingWouldBeLost() {
    AppProgramDir dir;
    dir.SetConfig("EQQRIGHT1", "0.75,1.26,2.5,2.5,2.5,2.5");
    dir.SetConfig("EQ1Channel", "1");
    MessageBoxCatcher catcher; // answers Cancel: the window stays
    auto w = Open(dir);
    QVERIFY(w->close()); // nothing unsaved: at once, as ever
    QVERIFY(catcher.Texts().isEmpty());

    w = Open(dir);
    Type(w->EightBandPage().QBox(2), "1.2"); // 1.26 shows as 1.3
    FocusTo(w->EightBandPage().QBox(3));
    QVERIFY(!w->close());
    QCOMPARE(catcher.Texts(), QStringList{kDiscard});
    QCOMPARE(catcher.Messages().front().buttons, QMessageBox::Discard | QMessageBox::Cancel);
    QVERIFY(w->isVisible());
    catcher.Clear();
    w->OnSave();
    catcher.Clear();
    QVERIFY(w->close());
    QVERIFY(catcher.Texts().isEmpty());

    // A loaded file that config.ini does not hold yet, and a config.ini that cannot be written.
    w = Open(dir);
    WriteOtherFile(*w, dir.File("other.bin"));
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("other.bin")); });
    w->OnLoad();
    QVERIFY(!w->close());
    QCOMPARE(catcher.Texts(), QStringList{kDiscard});
    catcher.Clear();
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QVERIFY(w->close());
    QVERIFY(catcher.Texts().isEmpty());

    w = Open(dir);
    std::filesystem::permissions(dir.File("config.ini"), std::filesystem::perms::owner_read);
    Type(w->Modes().Gain1Box(), "3");
    FocusTo(w->Modes().Gain2Box()); // stored, but config.ini refuses it
    QVERIFY(!w->close());
    QCOMPARE(catcher.Texts(), QStringList{kDiscard});
    std::filesystem::permissions(dir.File("config.ini"), std::filesystem::perms::owner_all);

    // Without config.ini: nothing to lose at first, a typed value asks.
    AppProgramDir bare(AppProgramDir::Contents{.config = false});
    w = Open(bare);
    QVERIFY(w->close());
    w = Open(bare);
    catcher.Clear();
    Type(w->TenBandPage().GainBox(1), "2");
    QVERIFY(!w->close());
    QCOMPARE(catcher.Texts(), QStringList{kDiscard});
    catcher.SetAnswer(QMessageBox::Discard);
    QVERIFY(w->close());
}

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
