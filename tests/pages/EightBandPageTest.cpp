#include "PageFixture.h"
#include "PagesTests.h"

#include "chart/CChartAxis.h"
#include "chart/CChartAxisLabel.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "pages/CDlgEQ1.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <cmath>

namespace {

CPageEdit& Box(const QWidget& page, int id) {
    CPageEdit* box = ControlId::Find<CPageEdit>(page, id);
    if (box == nullptr) {
        qFatal("no edit box %d", id);
    }
    return *box;
}

const int kGainIds[8] = {1041, 1042, 1043, 1020, 1023, 1026, 1029, 1032};
const int kFrequencyIds[8] = {1044, 1045, 1018, 1021, 1024, 1027, 1030, 1033};
const int kQIds[8] = {1046, 1047, 1019, 1022, 1025, 1028, 1031, 1034};

// The 48000 Hz layout, all gains 0, on both channels.
void FlatBands(ParameterSet& p) {
    p.SWFS = 48000;
    p.EQGAINLEFT1 = {0, 0, 0, 0, 0, 0, 0, 0};
    p.EQCFLEFT1 = {50, 120, 290, 700, 1690, 4080, 9900, 23000};
    p.EQQLEFT1 = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    p.EQGAINRIGHT1 = p.EQGAINLEFT1;
    p.EQCFRIGHT1 = p.EQCFLEFT1;
    p.EQQRIGHT1 = p.EQQLEFT1;
}

double MaxY(const CChartLineSerie& curve) {
    double max = -1000.0;
    for (std::size_t i = 0; i < curve.GetPointsCount(); ++i) {
        max = std::max(max, curve.GetPoint(i).Y);
    }
    return max;
}

} // namespace

class EightBandPageTest : public QObject {
    Q_OBJECT

private slots:
    void LoadLeavesTheShelfQBoxesEmpty() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        FlatBands(p);
        p.EQGAINLEFT1 = {1, 2, 3, 4, 5, 6, 7, 8};
        p.EQQLEFT1 = {0.707f, 1.0f, 1.5f, 2.0f, 2.25f, 2.44f};
        p.EQGAINRIGHT1 = {-1, -2, -3, -4, -5, -6, -7, -8};
        p.EQCFRIGHT1 = {60, 130, 300, 710, 1700, 4090, 9910, 22000};
        p.EQQRIGHT1 = {0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f};
        CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
        page.Initialise();
        QCOMPARE(page.BandCount(), 8);
        const char* qL[8] = {"", "0.7", "1.0", "1.5", "2.0", "2.2", "2.4", ""};
        for (int band = 0; band < 8; ++band) {
            QCOMPARE(Box(page, kGainIds[band]).text(), QString::number(band + 1));
            QCOMPARE(Box(page, kQIds[band]).text(), QString(qL[band]));
        }
        QCOMPARE(Box(page, 1033).text(), QString("23000"));
        page.LoadChannel(1);
        const char* qR[8] = {"", "0.6", "0.7", "0.8", "0.9", "1.0", "1.1", ""};
        for (int band = 0; band < 8; ++band) {
            QCOMPARE(Box(page, kGainIds[band]).text(), QString::number(-band - 1));
            QCOMPARE(Box(page, kQIds[band]).text(), QString(qR[band]));
        }
        QCOMPARE(Box(page, 1033).text(), QString("22000"));
        QVERIFY(!Box(page, 1046).isEnabled());
        QVERIFY(!Box(page, 1034).isEnabled());
        QVERIFY(ControlId::Find<QPushButton>(page, 1054)->isHidden());
        QVERIFY(ControlId::Find<QPushButton>(page, 1055)->isHidden());
    }

    // Store changes exactly the six Q values when only they were rounded, and nothing else.
    void StoreChangesOnlyTheChannelsFields() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        FlatBands(p);
        p.EQQRIGHT1 = {0.707f, 1.04f, 1.5f, 2.0f, 2.25f, 2.44f};
        p.EQChannel = 1;
        CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
        page.Initialise();
        page.LoadChannel(1);
        Box(page, 1034).setText("3.3");
        ParameterSet expected = p;
        expected.EQQRIGHT1 = {0.7f, 1.0f, 1.5f, 2.0f, 2.2f, 2.4f};
        page.StoreChannel(1);
        QVERIFY(p == expected);

        Box(page, 1032).setText("40");
        Box(page, 1030).setText("abc");
        page.StoreChannel(0);
        QCOMPARE(p.EQGAINLEFT1[7], 40);
        QCOMPARE(p.EQCFLEFT1[6], 0);
        QCOMPARE(p.EQQLEFT1[5], 2.4f);
        QCOMPARE(p.EQGAINRIGHT1[7], 0);
    }

    void NoEntryChecks() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
        page.Initialise();
        QVERIFY(ShowActive(page));
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(page, 1041), "40", Box(page, 1044));
        TypeAndLeave(Box(page, 1044), "0", Box(page, 1047));
        TypeAndLeave(Box(page, 1047), "0.1", Box(page, 1041));
        QTest::qWait(30);
        QCOMPARE(catcher.Texts(), QStringList());
    }

    // A high shelf of +7 dB: about 0 dB well below the shelf, about +7 dB near half the rate.
    void HighShelfCurveOnEitherChannel() {
        for (const int channel : {0, 1}) {
            PageFixture fixture;
            ParameterSet& p = fixture.Params();
            FlatBands(p);
            p.EQ1Channel = channel;
            (channel == 0 ? p.EQGAINLEFT1 : p.EQGAINRIGHT1)[7] = 7;
            CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
            page.Initialise();
            const CChartLineSerie* curve = page.Curve();
            QVERIFY(curve != nullptr);
            QCOMPARE(curve->GetColor(), QColor(255, 0, 0));
            QCOMPARE(curve->GetWidth(), 2);
            QVERIFY(std::abs(curve->GetPoint(0).Y) < 0.1);
            QVERIFY2(std::abs(curve->GetPoint(999).Y - 7.0) < 1.0,
                     qPrintable(QString::number(curve->GetPoint(999).Y)));
            QVERIFY(MaxY(*curve) < 7.5);
        }
    }

    // A gain of 40 is stored as typed, and drawn beyond the top of the gain axis.
    void LargeGainIsDrawnAsComputed() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
        page.Initialise();
        QVERIFY(MaxY(*page.Curve()) < 0.01);
        Box(page, 1023).setText("40");
        page.StoreChannel(0);
        page.DrawCurve();
        QVERIFY(MaxY(*page.Curve()) > 30.0);
        QCOMPARE(page.Chart().GetLeftAxis()->GetMax(), 30.0);
    }

    void LinkAndAxis() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().EQLink1 = true;
        CDlgEQ1 page(fixture.settings, fixture.language, PageFixture::ToolDirectory());
        page.Initialise();
        QVERIFY(!page.ChannelBox().isEnabled());
        Box(page, 1026).setText("-4");
        page.StoreForCommit();
        QCOMPARE(fixture.Params().EQGAINLEFT1[5], -4);
        QCOMPARE(fixture.Params().EQGAINRIGHT1[5], -4);
        page.LinkClick();
        QVERIFY(!fixture.Params().EQLink1);
        QVERIFY(page.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine("EQLink1=0"));

        QCOMPARE(page.Chart().GetBottomAxis()->GetMax(), 24000.0);
        QCOMPARE(page.Chart().GetLeftAxis()->GetLabel()->GetText(), QString("GAIN"));
        fixture.Params().SWFS = 32000;
        page.DrawCurve();
        QCOMPARE(page.Chart().GetBottomAxis()->GetMax(), 16000.0);
        QVERIFY(page.Curve()->GetPoint(999).X < 16000.0);

        page.SetChannelBoxIndex(1);
        page.ChannelChange();
        QCOMPARE(fixture.Params().EQ1Channel, 1);
        QVERIFY(fixture.ConfigHasLine("EQ1Channel=1"));
    }
};

int RunEightBandPageTest(int argc, char** argv) {
    EightBandPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EightBandPageTest.moc"
