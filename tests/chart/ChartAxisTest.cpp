// Tick placement, value/pixel mapping, zoom and pan of the linear axis. The chart is never shown
// here, so nothing redraws and the spans set by the tests stay as they are.
#include "chart/CChartCtrl.h"
#include "chart/CChartStandardAxis.h"

#include <QTest>
#include <cmath>
#include <limits>

class ChartAxisTest : public QObject {
    Q_OBJECT

private:
    CChartCtrl chart_;

    CChartStandardAxis* Axis(bool horizontal, double min, double max, int start, int end) {
        CChartStandardAxis* axis =
            chart_.AddAxis(horizontal ? ChartAxisPosition::Bottom : ChartAxisPosition::Left);
        axis->SetMinMax(min, max);
        axis->SetSpan(start, end);
        axis->RefreshTicks();
        return axis;
    }

    static QStringList Labels(const CChartAxis& axis) {
        QStringList labels;
        for (const double value : axis.GetTickValues()) {
            labels << axis.GetTickLabelText(value);
        }
        return labels;
    }

private slots:
    void tickIncrementAndLabels_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("length");
        QTest::addColumn<double>("increment");
        QTest::addColumn<QStringList>("labels");

        QTest::newRow("0..24000 over 560 px")
            << true << 0.0 << 24000.0 << 560 << 2000.0
            << QStringList{"0",     "2000",  "4000",  "6000",  "8000",  "10000", "12000",
                           "14000", "16000", "18000", "20000", "22000", "24000"};
        QTest::newRow("-30..30 over 200 px")
            << false << -30.0 << 30.0 << 200 << 10.0
            << QStringList{"-30", "-20", "-10", "0", "10", "20", "30"};
        QTest::newRow("0..1 over 200 px") << false << 0.0 << 1.0 << 200 << 0.1
                                          << QStringList{"0.0", "0.1", "0.2", "0.3", "0.4", "0.5",
                                                         "0.6", "0.7", "0.8", "0.9", "1.0"};
        QTest::newRow("0..1 over 60 px")
            << false << 0.0 << 1.0 << 60 << 0.5 << QStringList{"0.0", "0.5", "1.0"};
        // Step 0.6 rounds up to 1: the increment loses the decimal the step needed.
        QTest::newRow("0..1.2 over 40 px")
            << false << 0.0 << 1.2 << 40 << 1.0 << QStringList{"0", "1"};
        // Decimal steps summed in binary: the first tick and zero come out exact.
        QTest::newRow("-0.3..0.3 over 120 px")
            << false << -0.3 << 0.3 << 120 << 0.1
            << QStringList{"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3"};
        // Too short for one 30-pixel interval: the span is one interval.
        QTest::newRow("0..24000 over 10 px")
            << true << 0.0 << 24000.0 << 10 << 50000.0 << QStringList{"0"};
        // A range of nothing (an equaliser page without a sample rate): one tick at min.
        QTest::newRow("0..0") << true << 0.0 << 0.0 << 560 << 0.0 << QStringList{"0"};
        QTest::newRow("reversed range") << true << 10.0 << -10.0 << 560 << 0.0 << QStringList{"10"};
    }

    void tickIncrementAndLabels() {
        QFETCH(bool, horizontal);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, length);
        QFETCH(double, increment);
        QFETCH(QStringList, labels);

        // Vertical axes run from the bottom pixel up to the top one.
        const int start = horizontal ? 40 : 40 + length;
        const int end = horizontal ? 40 + length : 40;
        CChartStandardAxis* axis = Axis(horizontal, min, max, start, end);
        QCOMPARE(axis->GetTickIncrement(), increment);
        QCOMPARE(Labels(*axis), labels);
    }

    void firstTick_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("firstTick");
        // 200 vertical pixels: ten intervals.
        QTest::newRow("negative, between ticks") << -25.0 << 75.0 << -20.0;
        QTest::newRow("negative, on a tick") << -30.0 << 70.0 << -30.0;
        QTest::newRow("positive, between ticks") << 25.0 << 125.0 << 30.0;
        QTest::newRow("positive fraction") << 0.35 << 1.35 << 0.4;
        QTest::newRow("negative fraction") << -0.35 << 0.65 << -0.3;
        QTest::newRow("negative fraction on a tick") << -0.7 << 0.3 << -0.7;
    }

    void firstTick() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, firstTick);
        CChartStandardAxis* axis = Axis(false, min, max, 240, 40);
        QCOMPARE(axis->GetFirstTick(), firstTick);
        QCOMPARE(axis->GetTickValues().front(), firstTick);
        // The first tick is always drawn at or inside the start of the span.
        QVERIFY(axis->ValueToScreen(firstTick) <= 240);
    }

    void valueToScreen_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("pixel");
        // Horizontal span 50..650 (600 px), vertical span 250..10 (240 px).
        QTest::newRow("h min") << true << false << 0.0 << 24000.0 << 0.0 << 50;
        QTest::newRow("h 1000") << true << false << 0.0 << 24000.0 << 1000.0 << 75;
        QTest::newRow("h rounds down") << true << false << 0.0 << 24000.0 << 1039.0 << 75;
        QTest::newRow("h below min") << true << false << 0.0 << 24000.0 << -1000.0 << 25;
        QTest::newRow("h inverted 1000") << true << true << 0.0 << 24000.0 << 1000.0 << 625;
        QTest::newRow("v min") << false << false << -30.0 << 30.0 << -30.0 << 250;
        QTest::newRow("v 10") << false << false << -30.0 << 30.0 << 10.0 << 90;
        QTest::newRow("v above max") << false << false << -30.0 << 30.0 << 40.0 << -30;
        QTest::newRow("v inverted min") << false << true << -30.0 << 30.0 << -30.0 << 10;
        QTest::newRow("v inverted 10") << false << true << -30.0 << 30.0 << 10.0 << 170;
        QTest::newRow("h min = max") << true << false << 5.0 << 5.0 << 123.0 << 350;
        QTest::newRow("v min = max") << false << false << 5.0 << 5.0 << -7.0 << 130;
    }

    void valueToScreen() {
        QFETCH(bool, horizontal);
        QFETCH(bool, inverted);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, value);
        QFETCH(int, pixel);
        CChartStandardAxis* axis =
            horizontal ? Axis(true, min, max, 50, 650) : Axis(false, min, max, 250, 10);
        axis->SetInverted(inverted);
        QCOMPARE(axis->ValueToScreen(value), pixel);
    }

    void screenToValueRoundTrips_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("horizontal") << true << false;
        QTest::newRow("horizontal inverted") << true << true;
        QTest::newRow("vertical") << false << false;
        QTest::newRow("vertical inverted") << false << true;
    }

    void screenToValueRoundTrips() {
        QFETCH(bool, horizontal);
        QFETCH(bool, inverted);
        CChartStandardAxis* axis =
            horizontal ? Axis(true, 0.0, 24000.0, 50, 650) : Axis(false, -30.0, 30.0, 250, 10);
        axis->SetInverted(inverted);
        const int first = horizontal ? 50 : 10;
        const int last = horizontal ? 650 : 250;
        const int minPixel = horizontal != inverted ? first : last;
        QCOMPARE(axis->ScreenToValue(minPixel), axis->GetMin());
        QCOMPARE(axis->ScreenToValue(horizontal != inverted ? last : first), axis->GetMax());
        for (int pixel = first; pixel <= last; ++pixel) {
            const double value = axis->ScreenToValue(pixel);
            if (axis->ValueToScreen(value) != pixel) {
                QFAIL(qPrintable(QString("pixel %1 -> value %2 -> pixel %3")
                                     .arg(pixel)
                                     .arg(value, 0, 'g', 17)
                                     .arg(axis->ValueToScreen(value))));
            }
        }
        axis->SetMinMax(7.0, 7.0);
        QCOMPARE(axis->ScreenToValue(123), 7.0);
    }

    void extremeValuesMapNearTheSpan() {
        // No conversion overflows: far values stay a bounded distance beyond the span.
        CChartStandardAxis* axis = Axis(true, 0.0, 24000.0, 50, 650);
        const double inf = std::numeric_limits<double>::infinity();
        QVERIFY(axis->ValueToScreen(1e300) > 650);
        QVERIFY(axis->ValueToScreen(inf) > 650);
        QVERIFY(axis->ValueToScreen(-1e300) < 50);
        QVERIFY(axis->ValueToScreen(-inf) < 50);
        QVERIFY(axis->ValueToScreen(1e300) < 10'000'000);
        QCOMPARE(axis->ValueToScreen(std::nan("")), 50);
        // A range too wide for a double: one tick at min, and still a mapping.
        const double largest = std::numeric_limits<double>::max();
        axis->SetMinMax(-largest, largest);
        axis->RefreshTicks();
        QCOMPARE(axis->GetTickIncrement(), 0.0);
        QCOMPARE(axis->GetTickValues(), std::vector<double>{-largest});
        QVERIFY(axis->ValueToScreen(0.0) >= 50 && axis->ValueToScreen(0.0) <= 650);
        axis->SetMinMax(std::nan(""), 1.0);
        QCOMPARE(axis->ValueToScreen(0.5), 50);
        // An empty span maps everything to its one pixel and every pixel to min.
        axis->SetMinMax(0.0, 10.0);
        axis->SetSpan(80, 80);
        QCOMPARE(axis->ValueToScreen(5.0), 80);
        QCOMPARE(axis->ScreenToValue(90), 0.0);
    }

    void zoomRange() {
        CChartStandardAxis* axis = Axis(true, 0.0, 1.0, 50, 650);
        axis->SetZoomRange(0.2, 0.5);
        QCOMPARE(axis->GetMin(), 0.2);
        QCOMPARE(axis->GetMax(), 0.5);
        QCOMPARE(axis->GetSavedMin(), 0.0);
        QCOMPARE(axis->GetSavedMax(), 1.0);
        // Narrower than the minimum span: exactly 0.001 wide.
        axis->SetZoomRange(0.3, 0.3002);
        QCOMPARE(axis->GetMin(), 0.3);
        QCOMPARE(axis->GetMax(), 0.301);
        axis->UndoZoom();
        QCOMPARE(axis->GetMin(), 0.0);
        QCOMPARE(axis->GetMax(), 1.0);

        axis->EnableZoom(false);
        axis->SetZoomRange(0.2, 0.5);
        QCOMPARE(axis->GetMax(), 1.0);
        axis->EnableZoom(true);
        axis->SetMinMax(3.0, 3.0);
        axis->SetZoomRange(0.2, 0.5);
        QCOMPARE(axis->GetMin(), 3.0);
        QCOMPARE(axis->GetMax(), 3.0);
    }

    void panFollowsTheMouse() {
        // 600 px for 24000: 40 per pixel. Dragging 25 px right shows 1000 lower values.
        CChartStandardAxis* bottom = Axis(true, 0.0, 24000.0, 50, 650);
        bottom->Pan(350, 375);
        QCOMPARE(bottom->GetMin(), -1000.0);
        QCOMPARE(bottom->GetMax(), 23000.0);
        QCOMPARE(bottom->GetSavedMin(), 0.0);
        // 240 px for 60 dB: 0.25 per pixel. Dragging 20 px down shows values 5 dB higher.
        CChartStandardAxis* left = Axis(false, -30.0, 30.0, 250, 10);
        left->Pan(130, 150);
        QCOMPARE(left->GetMin(), -25.0);
        QCOMPARE(left->GetMax(), 35.0);
    }

    void replacedAxisStartsFromDefaults() {
        CChartStandardAxis* axis = chart_.AddAxis(ChartAxisPosition::Top);
        axis->SetMinMax(1.0, 2.0);
        axis->GetLabel()->SetText("old");
        axis->SetInverted(true);
        CChartStandardAxis* again = chart_.AddAxis(ChartAxisPosition::Top);
        QCOMPARE(chart_.GetTopAxis(), again);
        QCOMPARE(again->GetMin(), 0.0);
        QCOMPARE(again->GetMax(), 0.0);
        QVERIFY(again->GetLabel()->GetText().isEmpty());
        QVERIFY(!again->IsInverted());
        QVERIFY(again->IsHorizontal());
        QVERIFY(again->IsSecondary());
        QVERIFY(!chart_.AddAxis(ChartAxisPosition::Right)->IsHorizontal());
    }
};

QTEST_MAIN(ChartAxisTest)
#include "ChartAxisTest.moc"
