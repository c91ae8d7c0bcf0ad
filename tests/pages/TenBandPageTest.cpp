#include "PageFixture.h"
#include "PagesTests.h"

#include "chart/CChartAxis.h"
#include "chart/CChartAxisLabel.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "pages/CDlgEq.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

const QString kGainMessage = QStringLiteral(u"数值不在-12~12范围!");
const QString kFrequencyMessage = QStringLiteral(u"调节范围：0 < CF < 采样率/2");
const QString kQMessage = QStringLiteral(u"数值必须大于0.5!");

CPageEdit& Box(const QWidget& page, int id) {
    CPageEdit* box = ControlId::Find<CPageEdit>(page, id);
    if (box == nullptr) {
        qFatal("no edit box %d", id);
    }
    return *box;
}

// Gain, frequency and Q box of each band.
const int kGainIds[10] = {1041, 1042, 1043, 1020, 1023, 1026, 1029, 1032, 1035, 1038};
const int kFrequencyIds[10] = {1044, 1045, 1018, 1021, 1024, 1027, 1030, 1033, 1036, 1039};
const int kQIds[10] = {1046, 1047, 1019, 1022, 1025, 1028, 1031, 1034, 1037, 1040};

// Flat bands at the 48000 Hz layout on both channels.
void FlatBands(ParameterSet& p) {
    p.SWFS = 48000;
    p.EQGAINLEFT = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    p.EQCFLEFT = {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500};
    p.EQQLEFT = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    p.EQGAINRIGHT = p.EQGAINLEFT;
    p.EQCFRIGHT = p.EQCFLEFT;
    p.EQQRIGHT = p.EQQLEFT;
}

struct Page {
    explicit Page(PageFixture& fixture, std::u16string tool = PageFixture::ToolDirectory())
        : page(fixture.settings, fixture.language, std::move(tool)) {
        page.Initialise();
    }
    CDlgEq page;
};

// The y value of the curve point nearest to a frequency.
double CurveAt(const CChartLineSerie& curve, double frequency) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < curve.GetPointsCount(); ++i) {
        if (std::abs(curve.GetPoint(i).X - frequency) <
            std::abs(curve.GetPoint(best).X - frequency)) {
            best = i;
        }
    }
    return curve.GetPoint(best).Y;
}

} // namespace

class TenBandPageTest : public QObject {
    Q_OBJECT

private slots:
    void Controls() {
        PageFixture fixture;
        Page eq(fixture);
        QCOMPARE(ControlId::Find<QLabel>(eq.page, 2000)->text(), QString("Gain"));
        QCOMPARE(ControlId::Find<QLabel>(eq.page, 2001)->text(), QString("GF(HZ)"));
        QCOMPARE(ControlId::Find<QLabel>(eq.page, 2002)->text(), QString("Q"));
        QCOMPARE(ControlId::Find<QCheckBox>(eq.page, 1058)->text(), QString("Link"));
        QVERIFY(ControlId::Find<QComboBox>(eq.page, 1072) != nullptr);
        QVERIFY(ControlId::Find<CChartCtrl>(eq.page, 1010) == &eq.page.Chart());
        auto* save = ControlId::Find<QPushButton>(eq.page, 1054);
        auto* cancel = ControlId::Find<QPushButton>(eq.page, 1055);
        QCOMPARE(save->text(), QString("save"));
        QCOMPARE(cancel->text(), QString("cancel"));
        QVERIFY(save->isHidden() && cancel->isHidden());
        for (int band = 0; band < 10; ++band) {
            QCOMPARE(&Box(eq.page, kGainIds[band]), &eq.page.GainBox(band));
            QCOMPARE(&Box(eq.page, kFrequencyIds[band]), &eq.page.FrequencyBox(band));
            QCOMPARE(&Box(eq.page, kQIds[band]), &eq.page.QBox(band));
        }
    }

    void EntryChecks_data() {
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString none;
        auto row = [](const char* name, int rate, int box, const char* text, QString message) {
            QTest::newRow(name) << rate << box << QString(text) << message;
        };
        row("gain -12", 48000, 1041, "-12", none);
        row("gain 12", 48000, 1042, "12", none);
        row("gain -13", 48000, 1043, "-13", kGainMessage);
        row("gain 13", 48000, 1020, "13", kGainMessage);
        row("gain 12.9", 48000, 1023, "12.9", none);
        row("gain empty", 48000, 1026, "", none);
        row("gain band 7", 48000, 1032, "13", kGainMessage);
        row("gain band 8 unchecked", 48000, 1035, "40", none);
        row("gain band 9 unchecked", 48000, 1038, "-40", none);
        row("frequency 23999 at 48000", 48000, 1044, "23999", none);
        row("frequency 24000 at 48000", 48000, 1045, "24000", kFrequencyMessage);
        row("frequency 22049 at 44100", 44100, 1018, "22049", none);
        row("frequency 22050 at 44100", 44100, 1021, "22050", kFrequencyMessage);
        row("frequency 0", 48000, 1024, "0", kFrequencyMessage);
        row("frequency -5", 48000, 1027, "-5", kFrequencyMessage);
        row("frequency empty", 48000, 1030, "", kFrequencyMessage);
        row("frequency band 7", 48000, 1033, "24000", kFrequencyMessage);
        row("frequency band 8 unchecked", 48000, 1036, "99999", none);
        row("frequency band 9 unchecked", 48000, 1039, "0", none);
        // Read as a 64-bit integer and taken as 32-bit: 2^32 + 1000 is 1000, 2^32 is 0.
        row("frequency 2^32+1000", 48000, 1044, "4294968296", none);
        row("frequency 2^32", 48000, 1044, "4294967296", kFrequencyMessage);
        row("frequency 2^31", 48000, 1044, "2147483648", kFrequencyMessage);
        row("q 0.5", 48000, 1047, "0.5", kQMessage);
        row("q 0.51", 48000, 1019, "0.51", none);
        row("q abc", 48000, 1022, "abc", kQMessage);
        row("q empty", 48000, 1025, "", kQMessage);
        row("q single precision", 48000, 1028, "0.50000001", kQMessage);
        row("q band 7", 48000, 1034, "0.2", kQMessage);
        row("q band 8 unchecked", 48000, 1037, "0.1", none);
    }

    void EntryChecks() {
        QFETCH(int, sampleRate);
        QFETCH(int, boxId);
        QFETCH(QString, text);
        QFETCH(QString, message);
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().SWFS = sampleRate;
        Page eq(fixture);
        QVERIFY(ShowActive(eq.page));
        const ParameterSet before = fixture.Params();
        // Band 9's gain box has no check of its own.
        CPageEdit& next = Box(eq.page, 1038);
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(eq.page, boxId), text, next);
        if (message.isEmpty()) {
            QCOMPARE(catcher.Texts(), QStringList());
            QCOMPARE(FocusedId(), 1038);
        } else {
            QCOMPARE(catcher.Texts(), QStringList{message});
            QCOMPARE(catcher.Messages().front().Title, QStringLiteral(u"错误"));
            QCOMPARE(catcher.Messages().front().Buttons,
                     QMessageBox::StandardButtons(QMessageBox::Ok));
            QTRY_COMPARE(FocusedId(), boxId);
        }
        QCOMPARE(Box(eq.page, boxId).text(), text);
        QVERIFY(fixture.Params() == before);
    }

    void LoadAndStoreBothChannels() {
        PageFixture fixture;
        ParameterSet& p = fixture.Params();
        FlatBands(p);
        p.EQGAINLEFT = {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10};
        p.EQCFLEFT = {31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
        p.EQQLEFT = {0.707f, 1.0f, 1.25f, 2.5f, 3.04f, 4.96f, 6.0f, 10.55f};
        p.EQGAINRIGHT = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        p.EQCFRIGHT = {41, 42, 43, 44, 45, 46, 47, 48, 49, 50};
        p.EQQRIGHT = {0.6f, 0.8f, 0.9f, 1.1f, 1.2f, 1.3f, 1.4f, 1.5f};
        Page eq(fixture);

        const char* gainsL[10] = {"-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8", "-9", "-10"};
        const char* qL[10] = {"", "0.7", "1.0", "1.2", "2.5", "3.0", "5.0", "6.0", "10.6", ""};
        for (int band = 0; band < 10; ++band) {
            QCOMPARE(Box(eq.page, kGainIds[band]).text(), QString(gainsL[band]));
            QCOMPARE(Box(eq.page, kFrequencyIds[band]).text(), QString::number(31 + band));
            QCOMPARE(Box(eq.page, kQIds[band]).text(), QString(qL[band]));
        }
        QVERIFY(!Box(eq.page, 1046).isEnabled());
        QVERIFY(!Box(eq.page, 1040).isEnabled());

        eq.page.LoadChannel(3);
        const char* qR[10] = {"", "0.6", "0.8", "0.9", "1.1", "1.2", "1.3", "1.4", "1.5", ""};
        for (int band = 0; band < 10; ++band) {
            QCOMPARE(Box(eq.page, kGainIds[band]).text(), QString::number(band + 1));
            QCOMPARE(Box(eq.page, kFrequencyIds[band]).text(), QString::number(41 + band));
            QCOMPARE(Box(eq.page, kQIds[band]).text(), QString(qR[band]));
        }
        QVERIFY(!Box(eq.page, 1046).isEnabled());
        QVERIFY(!Box(eq.page, 1040).isEnabled());

        // Storing channel 0's boxes back rounds its Q values to one decimal and touches nothing
        // else; text put into the disabled boxes is not read.
        eq.page.LoadChannel(0);
        Box(eq.page, 1046).setText("9.9");
        Box(eq.page, 1040).setText("9.9");
        ParameterSet expected = p;
        expected.EQQLEFT = {0.7f, 1.0f, 1.2f, 2.5f, 3.0f, 5.0f, 6.0f, 10.6f};
        eq.page.StoreChannel(0);
        QVERIFY(p == expected);

        // Channel 0's boxes stored into channel 1.
        Box(eq.page, 1041).setText("12.9");
        Box(eq.page, 1039).setText(" 20000Hz");
        Box(eq.page, 1047).setText("2.55");
        eq.page.StoreChannel(1);
        QCOMPARE(p.EQGAINRIGHT[0], 12);
        QCOMPARE(p.EQGAINRIGHT[9], -10);
        QCOMPARE(p.EQCFRIGHT[9], 20000);
        QCOMPARE(p.EQQRIGHT[0], 2.55f);
        QCOMPARE(p.EQQRIGHT[7], 10.6f);
        QCOMPARE(p.EQGAINLEFT[0], -1);
    }

    void LinkStoresBothChannels() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().EQLink = true;
        fixture.Params().EQChannel = 1;
        Page eq(fixture);
        QVERIFY(eq.page.LinkBox().isChecked());
        QVERIFY(!eq.page.ChannelBox().isEnabled());
        QCOMPARE(eq.page.ChannelBoxIndex(), 1);
        Box(eq.page, 1029).setText("7");
        eq.page.StoreForCommit();
        QCOMPARE(fixture.Params().EQGAINLEFT[6], 7);
        QCOMPARE(fixture.Params().EQGAINRIGHT[6], 7);

        QVERIFY(ShowActive(eq.page));
        QTest::mouseClick(&eq.page.LinkBox(), Qt::LeftButton);
        QVERIFY(!fixture.Params().EQLink);
        QVERIFY(eq.page.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine("EQLink=0"));
        Box(eq.page, 1029).setText("-7");
        eq.page.StoreForCommit();
        QCOMPARE(fixture.Params().EQGAINLEFT[6], 7);
        QCOMPARE(fixture.Params().EQGAINRIGHT[6], -7);
    }

    void ChannelChangeShowsTheOtherChannelAndItsCurve() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().EQChannel = 1;
        fixture.Params().EQGAINRIGHT[3] = 12;
        fixture.Params().EQCFRIGHT[3] = 1000;
        Page eq(fixture);
        QVERIFY(eq.page.Curve() != nullptr);
        QVERIFY(CurveAt(*eq.page.Curve(), 1000.0) > 11.5);

        Box(eq.page, 1020).setText("5");
        eq.page.SetChannelBoxIndex(0);
        eq.page.ChannelChange();
        QCOMPARE(fixture.Params().EQChannel, 0);
        QCOMPARE(Box(eq.page, 1020).text(), QString("0"));
        QCOMPARE(fixture.Params().EQGAINRIGHT[3], 12);
        QVERIFY(std::abs(CurveAt(*eq.page.Curve(), 1000.0)) < 0.01);
        QVERIFY(fixture.ConfigHasLine("EQChannel=0"));
    }

    void FlatCurve() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        Page eq(fixture);
        CChartCtrl& chart = eq.page.Chart();
        QCOMPARE(chart.GetSeriesCount(), std::size_t{1});
        const CChartLineSerie* curve = eq.page.Curve();
        QVERIFY(curve != nullptr);
        QCOMPARE(curve->GetPointsCount(), std::size_t{1000});
        QCOMPARE(curve->GetColor(), QColor(255, 0, 0));
        QCOMPARE(curve->GetWidth(), 2);
        QCOMPARE(curve->GetPoint(0).X, 20.0);
        // The grid climbs towards 24000 Hz without reaching it (about 23830 Hz at the end).
        QVERIFY(curve->GetPoint(999).X > 23800.0 && curve->GetPoint(999).X < 24000.0);
        for (std::size_t i = 0; i < curve->GetPointsCount(); ++i) {
            QVERIFY(std::abs(curve->GetPoint(i).Y) < 0.01);
        }
        QCOMPARE(chart.GetBottomAxis()->GetMin(), 0.0);
        QCOMPARE(chart.GetBottomAxis()->GetMax(), 24000.0);
        QCOMPARE(chart.GetBottomAxis()->GetLabel()->GetText(), QString("CF"));
        QCOMPARE(chart.GetLeftAxis()->GetMin(), -30.0);
        QCOMPARE(chart.GetLeftAxis()->GetMax(), 30.0);
        QCOMPARE(chart.GetLeftAxis()->GetLabel()->GetText(), QString("GAIN"));
    }

    // Band 3 at +12 dB, 1000 Hz, Q 2.5: the curve peaks at +12 dB near 1000 Hz and is at
    // about +6 dB near 820 and 1220 Hz.
    void PeakCurveComesFromTheParameterSet() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().EQGAINLEFT[3] = 12;
        fixture.Params().EQCFLEFT[3] = 1000;
        Page eq(fixture);
        const CChartLineSerie* curve = eq.page.Curve();
        double peak = -100.0;
        double peakX = 0.0;
        for (std::size_t i = 0; i < curve->GetPointsCount(); ++i) {
            if (curve->GetPoint(i).Y > peak) {
                peak = curve->GetPoint(i).Y;
                peakX = curve->GetPoint(i).X;
            }
        }
        QVERIFY2(std::abs(peak - 12.0) < 0.05, qPrintable(QString::number(peak)));
        QVERIFY2(std::abs(peakX - 1000.0) < 10.0, qPrintable(QString::number(peakX)));
        QVERIFY(std::abs(CurveAt(*curve, 820.0) - 6.0) < 1.0);
        QVERIFY(std::abs(CurveAt(*curve, 1220.0) - 6.0) < 1.0);

        // Editing a box does not redraw; draw curve uses the parameter set, not the boxes.
        Box(eq.page, 1020).setText("0");
        eq.page.DrawCurve();
        QVERIFY(CurveAt(*eq.page.Curve(), 1000.0) > 11.5);
        QCOMPARE(eq.page.Chart().GetSeriesCount(), std::size_t{1});
    }

    void BottomAxisFollowsTheSampleRate() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        Page eq(fixture);
        fixture.Params().SWFS = 44100;
        eq.page.DrawCurve();
        QCOMPARE(eq.page.Chart().GetBottomAxis()->GetMax(), 22050.0);
        QVERIFY(eq.page.Curve()->GetPoint(999).X < 22050.0);
        QVERIFY(eq.page.Curve()->GetPoint(999).X > 21800.0);
        fixture.Params().SWFS = 11025;
        eq.page.DrawCurve();
        QCOMPARE(eq.page.Chart().GetBottomAxis()->GetMax(), 5512.0);
        QCOMPARE(eq.page.Chart().GetBottomAxis()->GetLabel()->GetText(), QString("CF"));
    }

    void CurveFrequenciesAreTheLibraryGrid() {
        const std::vector<double> x = CEqualiserPage::CurveFrequencies(48000);
        QCOMPARE(x.size(), std::size_t{1000});
        QCOMPARE(x[0], 20.0);
        // step = log2(1200) / 1000 octaves.
        const double step = std::log2(1200.0) / 1000.0;
        QVERIFY(std::abs(x[500] - 20.0 * std::pow(2.0, 500 * step)) < 0.01);
        QVERIFY(std::abs(x[999] / x[998] - std::pow(2.0, step)) < 1e-5);
    }

    // No sample rate (no configuration): no curve, no crash.
    void NoSampleRateDrawsNothing() {
        PageFixture fixture;
        fixture.Params() = ParameterSet{};
        Page eq(fixture);
        QCOMPARE(eq.page.Chart().GetSeriesCount(), std::size_t{0});
        QVERIFY(eq.page.Curve() == nullptr);
        QCOMPARE(eq.page.Chart().GetBottomAxis()->GetMax(), 0.0);
    }

    void WithoutTheLibrary() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        TempDir empty;
        MessageBoxCatcher catcher;
        Page eq(fixture, empty.Directory16());
        QCOMPARE(catcher.Texts(), QStringList{QStringLiteral("load libTool.so fail!")});
        QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
        QCOMPARE(eq.page.ToolResult(), ToolLoadResult::NotLoaded);
        QCOMPARE(eq.page.Chart().GetSeriesCount(), std::size_t{0});
        // The page goes on: boxes, store and checks work.
        QCOMPARE(Box(eq.page, 1039).text(), QString("23500"));
        eq.page.DrawCurve();
        QCOMPARE(eq.page.Chart().GetSeriesCount(), std::size_t{0});
        QVERIFY(ShowActive(eq.page));
        TypeAndLeave(Box(eq.page, 1041), "20", Box(eq.page, 1038));
        QCOMPARE(catcher.Texts().size(), 2);
        QCOMPARE(catcher.Texts().back(), kGainMessage);
    }
};

int RunTenBandPageTest(int argc, char** argv) {
    TenBandPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TenBandPageTest.moc"
