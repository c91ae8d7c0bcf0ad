#include "PageFixture.h"

#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "pages/CProcessingPage.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

using Int = int32_t ParameterSet::*;

// The DRC boxes and their fields, channel 0 and channel 1.
struct DrcBox {
    int id;
    Int left;
    Int right;
};
const DrcBox kDrc[23] = {
    {1055, &ParameterSet::DIVFREQ_L, &ParameterSet::DIVFREQ_R},
    {1024, &ParameterSet::OFFSET_LL, &ParameterSet::OFFSET_RL},
    {1018, &ParameterSet::THREL_LL, &ParameterSet::THREL_RL},
    {1020, &ParameterSet::THREH_LL, &ParameterSet::THREH_RL},
    {1023, &ParameterSet::ECALTIME_LL, &ParameterSet::ECALTIME_RL},
    {1019, &ParameterSet::RATLNOM_LL, &ParameterSet::RATLNOM_RL},
    {1027, &ParameterSet::RATLDEN_LL, &ParameterSet::RATLDEN_RL},
    {1021, &ParameterSet::RATHNOM_LL, &ParameterSet::RATHNOM_RL},
    {1029, &ParameterSet::RATHDEN_LL, &ParameterSet::RATHDEN_RL},
    {1025, &ParameterSet::RSLTIME_LL, &ParameterSet::RSLTIME_RL},
    {1022, &ParameterSet::SMTHTIME_LL, &ParameterSet::SMTHTIME_RL},
    {1026, &ParameterSet::ATTATIME_LL, &ParameterSet::ATTATIME_RL},
    {1017, &ParameterSet::OFFSET_LH, &ParameterSet::OFFSET_RH},
    {1011, &ParameterSet::THREL_LH, &ParameterSet::THREL_RH},
    {1013, &ParameterSet::THREH_LH, &ParameterSet::THREH_RH},
    {1016, &ParameterSet::ECALTIME_LH, &ParameterSet::ECALTIME_RH},
    {1032, &ParameterSet::RATLNOM_LH, &ParameterSet::RATLNOM_RH},
    {1034, &ParameterSet::RATLDEN_LH, &ParameterSet::RATLDEN_RH},
    {1033, &ParameterSet::RATHNOM_LH, &ParameterSet::RATHNOM_RH},
    {1035, &ParameterSet::RATHDEN_LH, &ParameterSet::RATHDEN_RH},
    {1031, &ParameterSet::RSLTIME_LH, &ParameterSet::RSLTIME_RH},
    {1012, &ParameterSet::SMTHTIME_LH, &ParameterSet::SMTHTIME_RH},
    {1014, &ParameterSet::ATTATIME_LH, &ParameterSet::ATTATIME_RH},
};

CProcessingPage& Processing(const std::unique_ptr<QWidget>& page) {
    return *static_cast<CProcessingPage*>(page.get());
}

} // namespace

class PageValuesTest : public QObject {
    Q_OBJECT

private slots:
    void DrcLoadAndStore() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        for (int i = 0; i < 23; ++i) {
            p.*kDrc[i].left = 101 + i;
            p.*kDrc[i].right = -201 - i;
        }
        auto page = fixture.MakePage(131);
        for (int i = 0; i < 23; ++i) {
            QCOMPARE(Box(*page, kDrc[i].id).text(), QString::number(101 + i));
        }
        Processing(page).LoadChannel(5); // any non-zero index is channel 1
        for (int i = 0; i < 23; ++i) {
            QCOMPARE(Box(*page, kDrc[i].id).text(), QString::number(-201 - i));
            Box(*page, kDrc[i].id).setText(QString::number(301 + i));
        }
        ParameterSet expected = p;
        for (int i = 0; i < 23; ++i) {
            expected.*kDrc[i].left = 301 + i;
        }
        Processing(page).StoreChannel(0);
        QVERIFY(p == expected);
        // Integer text: 2.5 reads as 2, text without digits as 0.
        Box(*page, 1055).setText("2.5");
        Box(*page, 1024).setText("abc");
        Box(*page, 1018).setText("  -12dB");
        Processing(page).StoreChannel(1);
        QCOMPARE(p.DIVFREQ_R, 2);
        QCOMPARE(p.OFFSET_RL, 0);
        QCOMPARE(p.THREL_RL, -12);
        // The template's "Save" and "Cancel" are never seen.
        for (const auto& [id, text] : {std::pair{1054, "Save"}, std::pair{1001, "Cancel"}}) {
            auto* button = ControlId::Find<QPushButton>(*page, id);
            QCOMPARE(button->text(), QString(text));
            QVERIFY(button->isHidden());
        }
    }

    // Q values pass through their boxes with one decimal; the shelves' Q boxes stay empty,
    // disabled and unread.
    void EqualiserLoadAndStore() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        p.EQGAINLEFT = {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10};
        p.EQCFLEFT = {31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
        p.EQQLEFT = {0.707f, 1.0f, 1.25f, 2.5f, 3.04f, 4.96f, 6.0f, 10.55f};
        p.EQQRIGHT = {0.6f, 0.8f, 0.9f, 1.1f, 1.2f, 1.3f, 1.4f, 1.5f};
        auto page = fixture.MakePage(132);
        const int gains[10] = {1041, 1042, 1043, 1020, 1023, 1026, 1029, 1032, 1035, 1038};
        const int cfs[10] = {1044, 1045, 1018, 1021, 1024, 1027, 1030, 1033, 1036, 1039};
        const int qs[10] = {1046, 1047, 1019, 1022, 1025, 1028, 1031, 1034, 1037, 1040};
        const char* qL[10] = {"", "0.7", "1.0", "1.2", "2.5", "3.0", "5.0", "6.0", "10.6", ""};
        for (int band = 0; band < 10; ++band) {
            QCOMPARE(Box(*page, gains[band]).text(), QString::number(-1 - band));
            QCOMPARE(Box(*page, cfs[band]).text(), QString::number(31 + band));
            QCOMPARE(Box(*page, qs[band]).text(), QString(qL[band]));
        }
        Processing(page).LoadChannel(1);
        QCOMPARE(Box(*page, 1040).text(), QString());
        QCOMPARE(Box(*page, 1037).text(), QString("1.5"));
        QVERIFY(!Box(*page, 1046).isEnabled() && !Box(*page, 1040).isEnabled());

        Processing(page).LoadChannel(0);
        Box(*page, 1046).setText("9.9");
        ParameterSet expected = p;
        expected.EQQLEFT = {0.7f, 1.0f, 1.2f, 2.5f, 3.0f, 5.0f, 6.0f, 10.6f};
        Processing(page).StoreChannel(0);
        QVERIFY(p == expected);

        // The eight-band page: 1046 and 1034 are its shelves; exactly six Q values are stored.
        p.EQQRIGHT1 = {0.707f, 1.04f, 1.5f, 2.0f, 2.25f, 2.44f};
        auto eight = fixture.MakePage(134);
        Processing(eight).LoadChannel(1);
        QCOMPARE(Box(*eight, 1034).text(), QString());
        QVERIFY(!Box(*eight, 1034).isEnabled());
        QCOMPARE(Box(*eight, 1031).text(), QString("2.4"));
        Box(*eight, 1034).setText("3.3");
        expected = p;
        expected.EQQRIGHT1 = {0.7f, 1.0f, 1.5f, 2.0f, 2.2f, 2.4f};
        Processing(eight).StoreChannel(1);
        QVERIFY(p == expected);
    }

    // One decimal, rounded, in the order static time, threshold, smooth time, attack time.
    void LimiterValues() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        p.LLMT_ECALTIME = 12.34f;
        p.LLMT_THRESHOLD = -0.35f;
        p.LLMT_SMOOTHTIME = -3.0f;
        p.LLMT_ATTACKTIME = 7.96f;
        auto page = fixture.MakePage(135);
        QCOMPARE(Box(*page, 1023).text(), QString("12.3"));
        QCOMPARE(Box(*page, 1068).text(), QString("-0.3"));
        QCOMPARE(Box(*page, 1069).text(), QString("-3.0"));
        QCOMPARE(Box(*page, 1070).text(), QString("8.0"));
        Box(*page, 1069).setText("1e2");
        Box(*page, 1070).setText("5ms");
        Processing(page).StoreChannel(0);
        QCOMPARE(p.LLMT_THRESHOLD, -0.3f);
        QCOMPARE(p.LLMT_SMOOTHTIME, 100.0f);
        QCOMPARE(p.LLMT_ATTACKTIME, 5.0f);
        QCOMPARE(p.LLMT_ECALTIME, 12.3f);
        Box(*page, 1023).setText("abc");
        Box(*page, 1068).setText(" -2.25");
        Box(*page, 1069).setText("3,7");
        Box(*page, 1070).setText("");
        Processing(page).StoreChannel(1);
        QCOMPARE(p.RLMT_ECALTIME, 0.0f);
        QCOMPARE(p.RLMT_THRESHOLD, -2.25f);
        QCOMPARE(p.RLMT_SMOOTHTIME, 3.0f);
        QCOMPARE(p.RLMT_ATTACKTIME, 0.0f);
    }

    void PublicFillAndStore() {
        PageFixture fixture;
        fixture.Params().SWFS = 44100;
        fixture.Params().CHANUM = 1;
        CDlgPublic_Param page(fixture.settings);
        page.Fill();
        QCOMPARE(Box(page, 1078).text(), QString("44100"));
        QCOMPARE(Box(page, 1080).text(), QString("1"));
        Box(page, 1078).setText("96000");
        Box(page, 1080).setText("2ch");
        QCOMPARE(fixture.Params().SWFS, 44100);
        page.Store(); // unchecked
        QCOMPARE(fixture.Params().SWFS, 96000);
        QCOMPARE(fixture.Params().CHANUM, 2);
    }

    // Each processing page: a channel change discards typed values and saves config.ini; Link
    // stores into both channels, disables the channel box and is saved.
    void ChannelAndLink_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("linkKey");
        QTest::addColumn<QString>("channelKey");
        QTest::newRow("ten-band") << 132 << 1043 << "EQLink"
                                  << "EQChannel";
        QTest::newRow("eight-band") << 134 << 1043 << "EQLink1"
                                    << "EQ1Channel";
        QTest::newRow("DRC") << 131 << 1024 << "DRCLink"
                             << "DrcChannel";
        QTest::newRow("limiter") << 135 << 1068 << "LimitLink"
                                 << "LimitChannel";
    }

    void ChannelAndLink() {
        QFETCH(int, dialog);
        QFETCH(int, box);
        QFETCH(QString, linkKey);
        QFETCH(QString, channelKey);
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        // The field behind the box, channel 0 and 1: band 2's gain, the low makeup gain, the
        // limiter threshold.
        auto value = [&p, dialog](int channel) -> double {
            switch (dialog) {
            case 132:
                return (channel ? p.EQGAINRIGHT : p.EQGAINLEFT)[2];
            case 134:
                return (channel ? p.EQGAINRIGHT1 : p.EQGAINLEFT1)[2];
            case 131:
                return channel ? p.OFFSET_RL : p.OFFSET_LL;
            default:
                return channel ? p.RLMT_THRESHOLD : p.LLMT_THRESHOLD;
            }
        };
        p.EQGAINLEFT[2] = p.EQGAINLEFT1[2] = p.OFFSET_LL = 0;
        p.EQGAINRIGHT[2] = p.EQGAINRIGHT1[2] = p.OFFSET_RL = 4;
        p.LLMT_THRESHOLD = 0.0f;
        p.RLMT_THRESHOLD = 4.0f;
        auto page = fixture.MakePage(dialog);
        CProcessingPage& processing = Processing(page);
        QVERIFY(ShowActive(*page));
        QCOMPARE(processing.ChannelBox().count(), 2);
        QCOMPARE(processing.ChannelBox().itemText(1), QString("channel1"));
        QVERIFY(!processing.LinkBox().isChecked() && processing.ChannelBox().isEnabled());

        Box(*page, box).setText("9");
        processing.ChannelBox().setFocus();
        QTest::keyClick(&processing.ChannelBox(), Qt::Key_Down); // the user picks channel1
        QCOMPARE(processing.SelectedChannel(), 1);
        QCOMPARE(Box(*page, box).text().toDouble(), 4.0);
        QCOMPARE(value(0), 0.0);
        QVERIFY(fixture.ConfigHasLine(channelKey.toStdString() + "=1"));

        QTest::mouseClick(&processing.LinkBox(), Qt::LeftButton);
        QVERIFY(processing.LinkFlag() && processing.LinkBox().isChecked());
        QVERIFY(!processing.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine(linkKey.toStdString() + "=1"));
        Box(*page, box).setText("5");
        processing.StoreForCommit();
        QCOMPARE(value(0), 5.0);
        QCOMPARE(value(1), 5.0);

        processing.LinkClick();
        QVERIFY(!processing.LinkFlag() && processing.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine(linkKey.toStdString() + "=0"));
        Box(*page, box).setText("6");
        processing.StoreForCommit();
        QCOMPARE(value(0), 5.0);
        QCOMPARE(value(1), 6.0);

        // As the chain buttons do: set the box, then run the change.
        processing.SetChannelBoxIndex(0);
        QCOMPARE(processing.SelectedChannel(), 1);
        processing.ChannelChange();
        QCOMPARE(processing.SelectedChannel(), 0);
        QCOMPARE(Box(*page, box).text().toDouble(), 5.0);
        QVERIFY(fixture.ConfigHasLine(channelKey.toStdString() + "=0"));
    }
};

QTEST_MAIN(PageValuesTest)
#include "PageValuesTest.moc"
