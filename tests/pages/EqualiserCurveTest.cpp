#include "PageFixture.h"

#include "chart/CChartAxis.h"
#include "chart/CChartAxisLabel.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "pages/CEqualiserPage.h"
#include "pages/CPageEdit.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

// Flat equalisers at the 48000 Hz layout on both channels.
void FlatBands(ParameterSet& p) {
    p.SWFS = 48000;
    p.EQGAINLEFT = {};
    p.EQCFLEFT = {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500};
    p.EQQLEFT = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    p.EQGAINRIGHT = p.EQGAINLEFT;
    p.EQCFRIGHT = p.EQCFLEFT;
    p.EQQRIGHT = p.EQQLEFT;
    p.EQGAINLEFT1 = {};
    p.EQCFLEFT1 = {50, 120, 290, 700, 1690, 4080, 9900, 23000};
    p.EQQLEFT1 = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    p.EQGAINRIGHT1 = p.EQGAINLEFT1;
    p.EQCFRIGHT1 = p.EQCFLEFT1;
    p.EQQRIGHT1 = p.EQQLEFT1;
}

CEqualiserPage& Eq(const std::unique_ptr<QWidget>& page) {
    return *static_cast<CEqualiserPage*>(page.get());
}

// The y value of the curve point nearest to a frequency.
double At(const CChartLineSerie& curve, double frequency) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < curve.GetPointsCount(); ++i) {
        if (std::abs(curve.GetPoint(i).x - frequency) <
            std::abs(curve.GetPoint(best).x - frequency)) {
            best = i;
        }
    }
    return curve.GetPoint(best).y;
}

double MaxY(const CChartLineSerie& curve) {
    double max = -1000.0;
    for (std::size_t i = 0; i < curve.GetPointsCount(); ++i) {
        max = std::max(max, curve.GetPoint(i).y);
    }
    return max;
}

} // namespace

class EqualiserCurveTest : public QObject {
    Q_OBJECT

private slots:
    void FlatCurveAndAxes() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        auto page = fixture.MakePage(132);
        CChartCtrl& chart = Eq(page).Chart();
        const CChartLineSerie* curve = Eq(page).Curve();
        QCOMPARE(chart.GetSeriesCount(), std::size_t{1});
        QCOMPARE(curve->GetPointsCount(), std::size_t{1000});
        QCOMPARE(curve->GetColor(), QColor(255, 0, 0));
        QCOMPARE(curve->GetWidth(), 2);
        QCOMPARE(curve->GetPoint(0).x, 20.0);
        // Geometric towards 24000 Hz with step log2(1200) / 1000 octaves, ending below it.
        const double ratio = std::pow(2.0, std::log2(1200.0) / 1000.0);
        QVERIFY(std::abs(curve->GetPoint(500).x / curve->GetPoint(499).x - ratio) < 1e-5);
        QVERIFY(curve->GetPoint(999).x > 23800.0 && curve->GetPoint(999).x < 24000.0);
        for (std::size_t i = 0; i < 1000; ++i) {
            QVERIFY(std::abs(curve->GetPoint(i).y) < 0.01);
        }
        QCOMPARE(chart.GetBottomAxis()->GetMin(), 0.0);
        QCOMPARE(chart.GetBottomAxis()->GetMax(), 24000.0);
        QCOMPARE(chart.GetBottomAxis()->GetLabel()->GetText(), QString("CF"));
        QCOMPARE(chart.GetLeftAxis()->GetMin(), -30.0);
        QCOMPARE(chart.GetLeftAxis()->GetMax(), 30.0);
        QCOMPARE(chart.GetLeftAxis()->GetLabel()->GetText(), QString("GAIN"));

        // The bottom axis follows a new sample rate when the curve is redrawn, and a zoom
        // leaves both axes.
        chart.GetBottomAxis()->SetZoomRange(1000.0, 2000.0);
        chart.GetLeftAxis()->SetZoomRange(-3.0, 3.0);
        fixture.Params().SWFS = 11025;
        Eq(page).DrawCurve();
        QCOMPARE(chart.GetBottomAxis()->GetMax(), 5512.0);
        QCOMPARE(chart.GetLeftAxis()->GetMin(), -30.0);
        QCOMPARE(chart.GetLeftAxis()->GetMax(), 30.0);
        QVERIFY(Eq(page).Curve()->GetPoint(999).x < 5512.5);
        QCOMPARE(chart.GetSeriesCount(), std::size_t{1});
    }

    // Band 3 at +12 dB, 1000 Hz, Q 2.5 on the shown channel: +12 dB at 1000 Hz, about +6 dB
    // at 820 and 1220 Hz. The curve comes from the parameter set, not from the boxes.
    void PeakOfTheShownChannel() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        fixture.Params().EQChannel = 1;
        fixture.Params().EQGAINRIGHT[3] = 12;
        fixture.Params().EQCFRIGHT[3] = 1000;
        auto page = fixture.MakePage(132);
        const CChartLineSerie* curve = Eq(page).Curve();
        QVERIFY2(std::abs(MaxY(*curve) - 12.0) < 0.05, qPrintable(QString::number(MaxY(*curve))));
        QVERIFY(std::abs(At(*curve, 1000.0) - 12.0) < 0.05);
        QVERIFY(std::abs(At(*curve, 820.0) - 6.0) < 1.0);
        QVERIFY(std::abs(At(*curve, 1220.0) - 6.0) < 1.0);

        Eq(page).GainBox(3).setText("0");
        Eq(page).DrawCurve();
        QVERIFY(At(*Eq(page).Curve(), 1000.0) > 11.9);
        Eq(page).SetChannelBoxIndex(0);
        Eq(page).ChannelChange();
        QVERIFY(MaxY(*Eq(page).Curve()) < 0.01);
    }

    // Eight-band: a +7 dB high shelf rises from about 0 dB to about +7 dB near half the rate.
    void EightBandHighShelf() {
        for (const int channel : {0, 1}) {
            PageFixture fixture;
            FlatBands(fixture.Params());
            fixture.Params().EQ1Channel = channel;
            (channel == 0 ? fixture.Params().EQGAINLEFT1 : fixture.Params().EQGAINRIGHT1)[7] = 7;
            auto page = fixture.MakePage(134);
            const CChartLineSerie* curve = Eq(page).Curve();
            QCOMPARE(curve->GetColor(), QColor(255, 0, 0));
            QVERIFY(std::abs(curve->GetPoint(0).y) < 0.1);
            QVERIFY2(std::abs(curve->GetPoint(999).y - 7.0) < 1.0,
                     qPrintable(QString::number(curve->GetPoint(999).y)));
            QVERIFY(MaxY(*curve) < 7.5);
        }
    }

    // Without the library the page says so once, titled with the application's name, and
    // goes on without a curve.
    void WithoutTheLibrary() {
        PageFixture fixture;
        FlatBands(fixture.Params());
        TempDir empty;
        MessageBoxCatcher catcher;
        auto page = fixture.MakePage(134, empty.Directory16());
        QCOMPARE(catcher.Texts(), QStringList{"load libTool.so fail!"});
        QCOMPARE(catcher.Messages().front().title, QString("Sonvex"));
        QCOMPARE(Eq(page).FrequencyBox(7).text(), QString("23000"));
        Eq(page).DrawCurve();
        QCOMPARE(Eq(page).Chart().GetSeriesCount(), std::size_t{0});
        QCOMPARE(catcher.Texts().size(), 1);
    }

    // Without a configuration the sample rate is 0: no curve, no crash.
    void NoSampleRate() {
        PageFixture fixture;
        fixture.Params() = ParameterSet{};
        auto page = fixture.MakePage(132);
        QVERIFY(Eq(page).Curve() == nullptr);
        QCOMPARE(Eq(page).Chart().GetBottomAxis()->GetMax(), 0.0);
    }
};

QTEST_MAIN(EqualiserCurveTest)
#include "EqualiserCurveTest.moc"
