#include "PageFixture.h"

#include "pages/CDlgDrc.h"
#include "pages/CPageEdit.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QApplication>
#include <QTest>

namespace {

const QString kRate = QStringLiteral(u"不支持该采样率 ");
const QString kChannels = QStringLiteral(u"不支持该声道数");
const QString kGain = QStringLiteral(u"数值不在-12~12范围!");
const QString kCf = QStringLiteral(u"调节范围：0 < CF < 采样率/2");
const QString kQ = QStringLiteral(u"数值必须大于0.5!");
const QString kDivision = QStringLiteral(u"调节范围：0 < Division Frequency < 采样率/2!");
const QString kPositive = QStringLiteral(u"数值必须大于0!");
const QString kThreshold =
    QStringLiteral(u"调节范围：-90.3087dB < Threshold L < Threshold H < 0dB");

} // namespace

// The checks that run when an edit box loses the focus to another control.
class EntryCheckTest : public QObject {
    Q_OBJECT

private slots:
    void Checks_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("partner"); // a second box read by the check, with its text
        QTest::addColumn<QString>("partnerText");
        QTest::addColumn<int>("next");        // where the focus goes
        QTest::addColumn<QString>("message"); // empty: the entry passes
        QTest::addColumn<int>("focus");       // where a failed check puts the focus
        const QString ok;
        int n = 0;
        auto row = [&n](int dialog, int rate, int box, const char* text, int partner,
                        const char* partnerText, int next, const QString& message, int focus) {
            QTest::addRow("%d: %d %d '%s'", n++, dialog, box, text)
                << dialog << rate << box << QString(text) << partner << QString(partnerText) << next
                << message << focus;
        };
        // Public page: the eight sample rates, channel count 1 or 2 ("2ch" reads as 2).
        row(136, 48000, 1078, "96000", 0, "", 1080, kRate, 1078);
        row(136, 48000, 1078, "44100", 0, "", 1080, ok, 0);
        row(136, 48000, 1078, " 8000Hz", 0, "", 1080, ok, 0);
        row(136, 48000, 1078, "", 0, "", 1080, kRate, 1078);
        row(136, 48000, 1080, "2ch", 0, "", 1078, ok, 0);
        row(136, 48000, 1080, "", 0, "", 1078, kChannels, 1080);
        row(136, 48000, 1080, "3", 0, "", 1078, kChannels, 1080);
        // Ten-band page: gains -12..12, frequencies 0 < f < SWFS / 2, Q above 0.5, for the
        // bands 0 to 7 (Q 1 to 7); bands 8 and 9 are not checked.
        row(132, 48000, 1041, "-12", 0, "", 1038, ok, 0);
        row(132, 48000, 1042, "12", 0, "", 1038, ok, 0);
        row(132, 48000, 1043, "-13", 0, "", 1038, kGain, 1043);
        row(132, 48000, 1032, "13", 0, "", 1038, kGain, 1032);
        row(132, 48000, 1023, "12.9", 0, "", 1038, ok, 0);
        row(132, 48000, 1026, "", 0, "", 1038, ok, 0);
        row(132, 48000, 1035, "40", 0, "", 1038, ok, 0);
        row(132, 48000, 1044, "23999", 0, "", 1038, ok, 0);
        row(132, 48000, 1033, "24000", 0, "", 1038, kCf, 1033);
        row(132, 44100, 1018, "22049", 0, "", 1038, ok, 0);
        row(132, 44100, 1021, "22050", 0, "", 1038, kCf, 1021);
        row(132, 48000, 1024, "-5", 0, "", 1038, kCf, 1024);
        row(132, 48000, 1030, "", 0, "", 1038, kCf, 1030);
        row(132, 48000, 1036, "99999", 0, "", 1038, ok, 0);
        // A value beyond the 32-bit range is refused (it could not be stored as typed).
        row(132, 48000, 1045, "4294968296", 0, "", 1038, kCf, 1045);
        row(132, 48000, 1045, "-4294966296", 0, "", 1038, kCf, 1045);
        row(132, 48000, 1045, "99999999999999999999", 0, "", 1038, kCf, 1045);
        row(132, 48000, 1045, "4294967296", 0, "", 1038, kCf, 1045);
        row(132, 48000, 1047, "0.5", 0, "", 1038, kQ, 1047);
        row(132, 48000, 1019, "0.51", 0, "", 1038, ok, 0);
        row(132, 48000, 1022, "abc", 0, "", 1038, kQ, 1022);
        row(132, 48000, 1028, "0.50000001", 0, "", 1038, kQ, 1028); // 0.5 in single precision
        row(132, 48000, 1034, "0.2", 0, "", 1038, kQ, 1034);
        row(132, 48000, 1037, "0.1", 0, "", 1038, ok, 0);
        // Eight-band and limiter pages check nothing.
        row(134, 48000, 1041, "40", 0, "", 1032, ok, 0);
        row(134, 48000, 1044, "0", 0, "", 1032, ok, 0);
        row(134, 48000, 1047, "0.1", 0, "", 1032, ok, 0);
        row(135, 48000, 1023, "-5", 0, "", 1070, ok, 0);
        row(135, 48000, 1068, "abc", 0, "", 1070, ok, 0);
        // DRC page: division frequency 0 < f < SWFS / 2.
        row(131, 48000, 1055, "23999", 0, "", 1017, ok, 0);
        row(131, 48000, 1055, "24000", 0, "", 1017, kDivision, 1055);
        row(131, 44100, 1055, "22049", 0, "", 1017, ok, 0);
        row(131, 44100, 1055, "22050", 0, "", 1017, kDivision, 1055);
        row(131, 48000, 1055, "abc", 0, "", 1017, kDivision, 1055);
        // Static, release and smooth times above 0; attack, makeup and ratios unchecked.
        row(131, 48000, 1023, "0", 0, "", 1017, kPositive, 1023);
        row(131, 48000, 1025, "-3", 0, "", 1017, kPositive, 1025);
        row(131, 48000, 1022, "0", 0, "", 1017, kPositive, 1022);
        row(131, 48000, 1016, "", 0, "", 1017, kPositive, 1016);
        row(131, 48000, 1012, "-1", 0, "", 1017, kPositive, 1012);
        row(131, 48000, 1031, "0", 0, "", 1017, kPositive, 1031);
        row(131, 48000, 1031, "1", 0, "", 1017, ok, 0);
        row(131, 48000, 1026, "0", 0, "", 1017, ok, 0);
        row(131, 48000, 1024, "-5", 0, "", 1017, ok, 0);
        row(131, 48000, 1035, "0", 0, "", 1017, ok, 0);
        // Thresholds: -90 <= L < H, the box left below 0 (only L is tested when leaving L).
        row(131, 48000, 1018, "-90", 1020, "-10", 1017, ok, 0);
        row(131, 48000, 1018, "-91", 1020, "-10", 1017, kThreshold, 1018);
        row(131, 48000, 1018, "-10", 1020, "-10", 1017, kThreshold, 1018);
        row(131, 48000, 1018, "-20", 1020, "5", 1017, ok, 0);
        row(131, 48000, 1020, "0", 1018, "-20", 1017, kThreshold, 1020);
        row(131, 48000, 1020, "-1", 1018, "-20", 1017, ok, 0);
        row(131, 48000, 1020, "-10", 1018, "abc", 1017, kThreshold, 1020);
        // High band: the focus goes to threshold H whichever box was left.
        row(131, 48000, 1011, "-91", 1013, "-10", 1017, kThreshold, 1013);
        row(131, 48000, 1011, "-20", 1013, "5", 1017, ok, 0);
        row(131, 48000, 1013, "0", 1011, "-20", 1017, kThreshold, 1013);
    }

    void Checks() {
        QFETCH(int, dialog);
        QFETCH(int, rate);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, partner);
        QFETCH(QString, partnerText);
        QFETCH(int, next);
        QFETCH(QString, message);
        QFETCH(int, focus);
        PageFixture fixture;
        fixture.Params().SWFS = rate;
        auto page = fixture.MakePage(dialog);
        QVERIFY(ShowActive(*page));
        if (partner != 0) {
            Box(*page, partner).setText(partnerText);
        }
        const ParameterSet before = fixture.Params();
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(*page, box), text, Box(*page, next));
        if (message.isEmpty()) {
            QCOMPARE(catcher.Texts(), QStringList());
            QCOMPARE(FocusedId(), next);
        } else {
            QCOMPARE(catcher.Texts(), QStringList{message});
            QCOMPARE(catcher.Messages().front().title, QStringLiteral(u"错误"));
            QCOMPARE(catcher.Messages().front().buttons,
                     QMessageBox::StandardButtons(QMessageBox::Ok));
            QTRY_COMPARE(FocusedId(), focus);
        }
        // A check changes neither the box nor the parameter set.
        QCOMPARE(Box(*page, box).text(), text);
        QVERIFY(fixture.Params() == before);
    }

    // The Tab key itself runs the check, every time the box is left.
    void TabKeyRunsTheCheckEveryTime() {
        PageFixture fixture;
        auto page = fixture.MakePage(136);
        QVERIFY(ShowActive(*page));
        MessageBoxCatcher catcher;
        Box(*page, 1078).setFocus();
        Box(*page, 1078).setText("96000");
        QTest::keyClick(&Box(*page, 1078), Qt::Key_Tab);
        QTRY_COMPARE(catcher.Texts(), QStringList{kRate});
        QTRY_COMPARE(FocusedId(), 1078);
        QTest::keyClick(&Box(*page, 1078), Qt::Key_Tab);
        QTRY_COMPARE(catcher.Texts(), (QStringList{kRate, kRate}));
    }

    // From one failing box to another: the message box takes the activation and the focus
    // comes back to the first box, neither of which sets off the second box's check.
    void FailedCheckDoesNotSetOffTheNextBox() {
        PageFixture fixture;
        auto page = fixture.MakePage(131);
        QVERIFY(ShowActive(*page));
        Box(*page, 1016).setText("0");
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(*page, 1023), "0", Box(*page, 1016));
        QTRY_COMPARE(FocusedId(), 1023);
        QTest::qWait(50);
        QCOMPARE(catcher.Texts(), QStringList{kPositive});
    }

    // Giving the focus back moves it away from the box that had it: no check for that box.
    void ReturningTheFocusRunsNoCheck() {
        PageFixture fixture;
        auto page = fixture.MakePage(131);
        QVERIFY(ShowActive(*page));
        Box(*page, 1012).setFocus(Qt::TabFocusReason);
        Box(*page, 1012).setText("0");
        MessageBoxCatcher catcher;
        CPageEdit::ReturnFocus(Box(*page, 1023));
        QCOMPARE(FocusedId(), 1023);
        QTest::qWait(30);
        QCOMPARE(catcher.Texts(), QStringList());
        Box(*page, 1012).setFocus(Qt::TabFocusReason);
        Box(*page, 1023).setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(catcher.Texts(), QStringList{kPositive});
    }

    // Tab walks along each row of the equaliser grids (gains, then frequencies, then Q; the
    // shelves' Q boxes are disabled) and row by row through each DRC group.
    void TabOrderFollowsTheScreen_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QList<int>>("order");
        QTest::addRow("ten-band") << 132 << QList<int>{1041, 1042, 1043, 1020, 1023, 1026, 1029,
                                                       1032, 1035, 1038, 1044, 1045, 1018, 1021,
                                                       1024, 1027, 1030, 1033, 1036, 1039, 1047,
                                                       1019, 1022, 1025, 1028, 1031, 1034, 1037};
        QTest::addRow("eight-band")
            << 134 << QList<int>{1041, 1042, 1043, 1020, 1023, 1026, 1029, 1032, 1044, 1045, 1018,
                                 1021, 1024, 1027, 1030, 1033, 1047, 1019, 1022, 1025, 1028, 1031};
        QTest::addRow("DRC") << 131
                             << QList<int>{1055, 1058, 1072, 1023, 1024, 1022, 1018, 1019, 1027,
                                           1025, 1020, 1021, 1029, 1026, 1016, 1017, 1012, 1011,
                                           1032, 1034, 1031, 1013, 1033, 1035, 1014};
    }

    void TabOrderFollowsTheScreen() {
        QFETCH(int, dialog);
        QFETCH(QList<int>, order);
        PageFixture fixture;
        auto page = fixture.MakePage(dialog);
        QVERIFY(ShowActive(*page));
        MessageBoxCatcher catcher;
        Box(*page, order.front()).setFocus(Qt::TabFocusReason);
        QList<int> visited{FocusedId()};
        while (visited.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCoreApplication::processEvents();
            visited << FocusedId();
        }
        QCOMPARE(visited, order);
        QVERIFY(catcher.Texts().isEmpty());
    }

    // Another window taking the activation is no reason to check the box.
    void DeactivationRunsNoCheck() {
        PageFixture fixture;
        auto page = fixture.MakePage(132);
        QVERIFY(ShowActive(*page));
        Box(*page, 1041).setFocus(Qt::TabFocusReason);
        Box(*page, 1041).setText("99");
        MessageBoxCatcher catcher;
        QWidget other;
        QVERIFY(ShowActive(other));
        QTest::qWait(50);
        QCOMPARE(catcher.Texts(), QStringList());
    }
};

QTEST_MAIN(EntryCheckTest)
#include "EntryCheckTest.moc"
