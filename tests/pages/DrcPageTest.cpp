#include "PageFixture.h"
#include "PagesTests.h"

#include "pages/CDlgDrc.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

const QString kDivision = QStringLiteral(u"调节范围：0 < Division Frequency < 采样率/2!");
const QString kPositive = QStringLiteral(u"数值必须大于0!");
const QString kThreshold =
    QStringLiteral(u"调节范围：-90.3087dB < Threshold L < Threshold H < 0dB");

CPageEdit& Box(const QWidget& page, int id) {
    CPageEdit* box = ControlId::Find<CPageEdit>(page, id);
    if (box == nullptr) {
        qFatal("no edit box %d", id);
    }
    return *box;
}

// Gives every DRC field of both channels its own value: L fields 101..123, R fields 201..223,
// in the order of the parameter set.
void FillDistinct(ParameterSet& p) {
    p.DIVFREQ_L = 101, p.OFFSET_LL = 102, p.THREL_LL = 103, p.THREH_LL = 104;
    p.ECALTIME_LL = 105, p.RATLNOM_LL = 106, p.RATLDEN_LL = 107, p.RATHNOM_LL = 108;
    p.RATHDEN_LL = 109, p.RSLTIME_LL = 110, p.SMTHTIME_LL = 111, p.ATTATIME_LL = 112;
    p.OFFSET_LH = 113, p.THREL_LH = 114, p.THREH_LH = 115, p.ECALTIME_LH = 116;
    p.RATLNOM_LH = 117, p.RATLDEN_LH = 118, p.RATHNOM_LH = 119, p.RATHDEN_LH = 120;
    p.RSLTIME_LH = 121, p.SMTHTIME_LH = 122, p.ATTATIME_LH = 123;
    p.DIVFREQ_R = 201, p.OFFSET_RL = 202, p.THREL_RL = 203, p.THREH_RL = 204;
    p.ECALTIME_RL = 205, p.RATLNOM_RL = 206, p.RATLDEN_RL = 207, p.RATHNOM_RL = 208;
    p.RATHDEN_RL = 209, p.RSLTIME_RL = 210, p.SMTHTIME_RL = 211, p.ATTATIME_RL = 212;
    p.OFFSET_RH = 213, p.THREL_RH = 214, p.THREH_RH = 215, p.ECALTIME_RH = 216;
    p.RATLNOM_RH = 217, p.RATLDEN_RH = 218, p.RATHNOM_RH = 219, p.RATHDEN_RH = 220;
    p.RSLTIME_RH = 221, p.SMTHTIME_RH = 222, p.ATTATIME_RH = 223;
}

// The box of each field, in the order of the parameter set.
const int kIdsInFieldOrder[23] = {1055, 1024, 1018, 1020, 1023, 1019, 1027, 1021,
                                  1029, 1025, 1022, 1026, 1017, 1011, 1013, 1016,
                                  1032, 1034, 1033, 1035, 1031, 1012, 1014};

} // namespace

class DrcPageTest : public QObject {
    Q_OBJECT

private slots:
    void EntryChecks_data() {
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("partnerId");
        QTest::addColumn<QString>("partnerText");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusId");

        auto row = [](const char* name, int rate, int box, const char* text, int partner,
                      const char* partnerText, const QString& message, int focus) {
            QTest::newRow(name) << rate << box << QString::fromUtf8(text) << partner
                                << QString::fromUtf8(partnerText) << message << focus;
        };
        const QString none;
        // Division frequency: 0 < f < SWFS / 2.
        row("division 23999 at 48000", 48000, 1055, "23999", 0, "", none, 0);
        row("division 24000 at 48000", 48000, 1055, "24000", 0, "", kDivision, 1055);
        row("division 22049 at 44100", 44100, 1055, "22049", 0, "", none, 0);
        row("division 22050 at 44100", 44100, 1055, "22050", 0, "", kDivision, 1055);
        row("division 1", 48000, 1055, "1", 0, "", none, 0);
        row("division 0", 48000, 1055, "0", 0, "", kDivision, 1055);
        row("division empty", 48000, 1055, "", 0, "", kDivision, 1055);
        row("division abc", 48000, 1055, "abc", 0, "", kDivision, 1055);
        // Static, release and smooth times of both bands must be above 0.
        row("low static 0", 48000, 1023, "0", 0, "", kPositive, 1023);
        row("low static 1", 48000, 1023, "1", 0, "", none, 0);
        row("low release -3", 48000, 1025, "-3", 0, "", kPositive, 1025);
        row("low smooth 0", 48000, 1022, "0", 0, "", kPositive, 1022);
        row("high static 0", 48000, 1016, "0", 0, "", kPositive, 1016);
        row("high smooth -1", 48000, 1012, "-1", 0, "", kPositive, 1012);
        row("high release 0", 48000, 1031, "0", 0, "", kPositive, 1031);
        row("high release 2.5", 48000, 1031, "2.5", 0, "", none, 0);
        // Attack times, makeup gains and ratios take anything.
        row("low attack 0", 48000, 1026, "0", 0, "", none, 0);
        row("high attack -7", 48000, 1014, "-7", 0, "", none, 0);
        row("makeup -5", 48000, 1024, "-5", 0, "", none, 0);
        row("ratio 0", 48000, 1019, "0", 0, "", none, 0);
        row("ratio -2", 48000, 1035, "-2", 0, "", none, 0);
        // Low band thresholds: -90 <= L < H, and the box left below 0.
        row("low L -90 H -10", 48000, 1018, "-90", 1020, "-10", none, 0);
        row("low L -91 H -10", 48000, 1018, "-91", 1020, "-10", kThreshold, 1018);
        row("low L equal H", 48000, 1018, "-10", 1020, "-10", kThreshold, 1018);
        row("low L above H", 48000, 1018, "-5", 1020, "-10", kThreshold, 1018);
        row("low leaving L -20 with H 5", 48000, 1018, "-20", 1020, "5", none, 0);
        row("low leaving L 0 with H 5", 48000, 1018, "0", 1020, "5", kThreshold, 1018);
        row("low leaving H 0", 48000, 1020, "0", 1018, "-20", kThreshold, 1020);
        row("low leaving H -1", 48000, 1020, "-1", 1018, "-20", none, 0);
        row("low leaving H with L -91", 48000, 1020, "-10", 1018, "-91", kThreshold, 1020);
        row("low leaving H with L abc", 48000, 1020, "-10", 1018, "abc", kThreshold, 1020);
        // High band: the same conditions, the focus always goes to threshold H.
        row("high L -90 H -10", 48000, 1011, "-90", 1013, "-10", none, 0);
        row("high L -91", 48000, 1011, "-91", 1013, "-10", kThreshold, 1013);
        row("high L equal H", 48000, 1011, "-30", 1013, "-30", kThreshold, 1013);
        row("high leaving L -20 with H 5", 48000, 1011, "-20", 1013, "5", none, 0);
        row("high leaving H 0", 48000, 1013, "0", 1011, "-20", kThreshold, 1013);
        row("high leaving H -1", 48000, 1013, "-1", 1011, "-20", none, 0);
    }

    void EntryChecks() {
        QFETCH(int, sampleRate);
        QFETCH(int, boxId);
        QFETCH(QString, text);
        QFETCH(int, partnerId);
        QFETCH(QString, partnerText);
        QFETCH(QString, message);
        QFETCH(int, focusId);

        PageFixture fixture;
        fixture.Params().SWFS = sampleRate;
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        if (partnerId != 0) {
            Box(page, partnerId).setText(partnerText);
        }
        const ParameterSet before = fixture.Params();
        // The focus moves on to the makeup gain of the high band, a box without a check.
        CPageEdit& next = Box(page, 1017);

        MessageBoxCatcher catcher;
        TypeAndLeave(Box(page, boxId), text, next);

        if (message.isEmpty()) {
            QCOMPARE(catcher.Texts(), QStringList());
            QCOMPARE(FocusedId(), 1017);
        } else {
            QCOMPARE(catcher.Texts(), QStringList{message});
            QCOMPARE(catcher.Messages().front().Title, QStringLiteral(u"错误"));
            QCOMPARE(catcher.Messages().front().Buttons,
                     QMessageBox::StandardButtons(QMessageBox::Ok));
            QTRY_COMPARE(FocusedId(), focusId);
        }
        QCOMPARE(Box(page, boxId).text(), text);
        QVERIFY(fixture.Params() == before);
    }

    // Leaving a box runs its check every time, whether or not its text changed.
    void CheckRunsAgainWithoutEdit() {
        PageFixture fixture;
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(page, 1025), "0", Box(page, 1017));
        TypeAndLeave(Box(page, 1025), "0", Box(page, 1017));
        QCOMPARE(catcher.Texts(), (QStringList{kPositive, kPositive}));
    }

    // The focus goes from one failing box to another: the message box of the first check takes
    // the activation and the focus comes back to the first box, neither of which sets off the
    // second box's check.
    void FailedCheckDoesNotSetOffTheNextBox() {
        PageFixture fixture;
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        Box(page, 1016).setText("0");
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(page, 1023), "0", Box(page, 1016));
        QTRY_COMPARE(FocusedId(), 1023);
        QTest::qWait(50);
        QCOMPARE(catcher.Texts(), QStringList{kPositive});
        QCOMPARE(FocusedId(), 1023);
    }

    // Another window taking the activation is no reason to check the box.
    void DeactivationRunsNoCheck() {
        PageFixture fixture;
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        CPageEdit& box = Box(page, 1022);
        box.setFocus(Qt::TabFocusReason);
        box.setText("0");
        MessageBoxCatcher catcher;
        QWidget other;
        QVERIFY(ShowActive(other));
        QTest::qWait(50);
        QCOMPARE(catcher.Texts(), QStringList());
    }

    void LoadShowsEveryFieldOfTheChannel() {
        PageFixture fixture;
        FillDistinct(fixture.Params());
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        for (int i = 0; i < 23; ++i) {
            QCOMPARE(Box(page, kIdsInFieldOrder[i]).text(), QString::number(101 + i));
        }
        page.LoadChannel(1);
        for (int i = 0; i < 23; ++i) {
            QCOMPARE(Box(page, kIdsInFieldOrder[i]).text(), QString::number(201 + i));
        }
        // Any non-zero index is channel 1.
        page.LoadChannel(0);
        page.LoadChannel(5);
        QCOMPARE(Box(page, 1055).text(), QString("201"));
        // Negative values show with their sign.
        fixture.Params().THREL_LL = -40;
        page.LoadChannel(0);
        QCOMPARE(Box(page, 1018).text(), QString("-40"));
    }

    void StoreWritesOnlyTheGivenChannel() {
        PageFixture fixture;
        FillDistinct(fixture.Params());
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        for (int i = 0; i < 23; ++i) {
            Box(page, kIdsInFieldOrder[i]).setText(QString::number(301 + i));
        }
        ParameterSet expected = fixture.Params();
        expected.DIVFREQ_R = 301, expected.OFFSET_RL = 302, expected.THREL_RL = 303;
        expected.THREH_RL = 304, expected.ECALTIME_RL = 305, expected.RATLNOM_RL = 306;
        expected.RATLDEN_RL = 307, expected.RATHNOM_RL = 308, expected.RATHDEN_RL = 309;
        expected.RSLTIME_RL = 310, expected.SMTHTIME_RL = 311, expected.ATTATIME_RL = 312;
        expected.OFFSET_RH = 313, expected.THREL_RH = 314, expected.THREH_RH = 315;
        expected.ECALTIME_RH = 316, expected.RATLNOM_RH = 317, expected.RATLDEN_RH = 318;
        expected.RATHNOM_RH = 319, expected.RATHDEN_RH = 320, expected.RSLTIME_RH = 321;
        expected.SMTHTIME_RH = 322, expected.ATTATIME_RH = 323;
        page.StoreChannel(7);
        QVERIFY(fixture.Params() == expected);

        // Integer text: 2.5 reads as 2, text without digits as 0, blanks and sign are taken.
        Box(page, 1055).setText("2.5");
        Box(page, 1024).setText("abc");
        Box(page, 1018).setText("  -12dB");
        page.StoreChannel(0);
        QCOMPARE(fixture.Params().DIVFREQ_L, 2);
        QCOMPARE(fixture.Params().OFFSET_LL, 0);
        QCOMPARE(fixture.Params().THREL_LL, -12);
        QCOMPARE(fixture.Params().ATTATIME_LH, 323);
    }

    void LinkStoresBothChannelsAndIsSaved() {
        PageFixture fixture;
        fixture.Params().DRCLink = true;
        FillDistinct(fixture.Params());
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(page.LinkBox().isChecked());
        QVERIFY(!page.ChannelBox().isEnabled());

        Box(page, 1031).setText("77");
        page.StoreForCommit();
        QCOMPARE(fixture.Params().RSLTIME_LH, 77);
        QCOMPARE(fixture.Params().RSLTIME_RH, 77);
        QCOMPARE(fixture.Params().DIVFREQ_R, 101);

        QVERIFY(ShowActive(page));
        QTest::mouseClick(&page.LinkBox(), Qt::LeftButton);
        QCOMPARE(fixture.Params().DRCLink, false);
        QVERIFY(!page.LinkBox().isChecked());
        QVERIFY(page.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine("DRCLink=0"));

        // Without the link only the selected channel is stored.
        fixture.Params().DrcChannel = 1;
        Box(page, 1031).setText("88");
        page.StoreForCommit();
        QCOMPARE(fixture.Params().RSLTIME_LH, 77);
        QCOMPARE(fixture.Params().RSLTIME_RH, 88);

        page.LinkClick();
        QCOMPARE(fixture.Params().DRCLink, true);
        QVERIFY(page.LinkBox().isChecked());
        QVERIFY(!page.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine("DRCLink=1"));
    }

    void ChannelChangeDiscardsTypedValuesAndSaves() {
        PageFixture fixture;
        FillDistinct(fixture.Params());
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QCOMPARE(page.ChannelBoxIndex(), 0);
        QVERIFY(ShowActive(page));
        Box(page, 1055).setText("9999");

        page.ChannelBox().setFocus();
        QTest::keyClick(&page.ChannelBox(), Qt::Key_Down);
        QCOMPARE(fixture.Params().DrcChannel, 1);
        QCOMPARE(Box(page, 1055).text(), QString("201"));
        QCOMPARE(fixture.Params().DIVFREQ_L, 101);
        QCOMPARE(fixture.Params().DIVFREQ_R, 201);
        QVERIFY(fixture.ConfigHasLine("DrcChannel=1"));

        // As the chain buttons do: set the box, then run the change.
        page.SetChannelBoxIndex(0);
        QCOMPARE(fixture.Params().DrcChannel, 1);
        page.ChannelChange();
        QCOMPARE(fixture.Params().DrcChannel, 0);
        QCOMPARE(Box(page, 1055).text(), QString("101"));
        QVERIFY(fixture.ConfigHasLine("DrcChannel=0"));
    }

    void InitialiseShowsTheSavedChannelAndHidesTheButtons() {
        PageFixture fixture;
        FillDistinct(fixture.Params());
        fixture.Params().DrcChannel = 1;
        CDlgDrc page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        QCOMPARE(page.ChannelBox().currentText(), QString("channel1"));
        QCOMPARE(page.ChannelBox().count(), 2);
        QCOMPARE(page.ChannelBox().itemText(0), QString("channel0"));
        QCOMPARE(Box(page, 1014).text(), QString("223"));
        auto* save = ControlId::Find<QPushButton>(page, 1054);
        auto* cancel = ControlId::Find<QPushButton>(page, 1001);
        QVERIFY(save != nullptr && cancel != nullptr);
        QCOMPARE(save->text(), QString("Save"));
        QCOMPARE(cancel->text(), QString("Cancel"));
        QVERIFY(!save->isVisible());
        QVERIFY(!cancel->isVisible());
        // Nothing is written at initialisation.
        QVERIFY(fixture.ConfigHasLine("DrcChannel=0"));
    }
};

int RunDrcPageTest(int argc, char** argv) {
    DrcPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DrcPageTest.moc"
