// The logarithmic frequency axis: mapping through log10, ticks at the multiples of each decade
// with 1-2-5 labels, label thinning, narrow zooms, zoom and pan on the logarithm. The chart is
// never shown, so the spans set here stay as they are.
#include "ChartTestSupport.h"

#include "chart/CChartLogAxis.h"

#include <QFontMetrics>
#include <QTest>
#include <cmath>

class ChartLogAxisTest : public QObject {
    Q_OBJECT

private:
    CChartCtrl chart_;

    CChartLogAxis* Axis(double min, double max, int start, int end) {
        CChartLogAxis* axis = chart_.AddLogAxis(ChartAxisPosition::Bottom);
        axis->SetMinMax(min, max);
        axis->SetSpan(start, end);
        axis->RefreshTicks();
        return axis;
    }

    static QStringList Texts(const CChartAxis& axis, const std::vector<double>& values) {
        QStringList texts;
        for (const double value : values) {
            texts << axis.GetTickLabelText(value);
        }
        return texts;
    }

    static std::vector<double> Minor(const CChartAxis& axis) {
        std::vector<double> minor;
        for (const double value : axis.GetTickValues()) {
            if (!axis.IsMajorTick(value)) {
                minor.push_back(value);
            }
        }
        return minor;
    }

private slots:
    void mapsThroughTheLogarithm() {
        // Three decades over 600 pixels: 200 pixels each.
        CChartLogAxis* axis = Axis(20.0, 20000.0, 50, 650);
        QCOMPARE(axis->ValueToScreen(20.0), 50);
        QCOMPARE(axis->ValueToScreen(200.0), 250);
        QCOMPARE(axis->ValueToScreen(2000.0), 450);
        QCOMPARE(axis->ValueToScreen(20000.0), 650);
        // 20 x 10^0.5 = 63.2455532 is half a decade up: pixel 150, and a hair below it 149.
        QCOMPARE(axis->ValueToScreen(63.2456), 150);
        QCOMPARE(axis->ValueToScreen(63.2455), 149);
        QVERIFY(std::abs(axis->ScreenToValue(350) - 632.45553) < 1e-4);
        for (int pixel = 50; pixel <= 650; ++pixel) {
            QCOMPARE(axis->ValueToScreen(axis->ScreenToValue(pixel)), pixel);
        }
        // Nothing at or below 0 Hz can be on a logarithmic axis: held far left, never a crash.
        QVERIFY(axis->ValueToScreen(0.0) < 50);
        QVERIFY(axis->ValueToScreen(-5.0) < 50);
        QCOMPARE(axis->ValueToScreen(std::nan("")), 50);
        axis->SetMinMax(0.0, 24000.0); // no sample rate yet: one tick at min
        axis->RefreshTicks();
        QCOMPARE(axis->GetTickValues(), std::vector<double>{0.0});
    }

    void majorTicksAreLabelledOneTwoFive() {
        CChartLogAxis* axis = Axis(20.0, 24000.0, 50, 650);
        QCOMPARE(Texts(*axis, axis->GetLabelledTickValues()),
                 (QStringList{"20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k"}));
        // A grid line at every other whole multiple: 30 .. 90, 300 .. 900, 3000 .. 9000.
        const std::vector<double> minor = Minor(*axis);
        QCOMPARE(minor.size(), std::size_t{18});
        QCOMPARE(minor.front(), 30.0);
        QCOMPARE(minor[6], 300.0);
        QCOMPARE(minor.back(), 9000.0);
    }

    void zoomedInTheTicksGetDenser_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("one to five kHz") << 1000.0 << 5000.0 << QStringList{"1k", "2k", "5k"};
        // Only one 1-2-5 tick inside: every multiple gets its label.
        QTest::newRow("two to four kHz") << 2000.0 << 4000.0 << QStringList{"2k", "3k", "4k"};
        // Fewer than two multiples: round linear steps.
        QTest::newRow("1000 to 1500 Hz")
            << 1000.0 << 1500.0 << QStringList{"1k",   "1.05k", "1.1k", "1.15k", "1.2k", "1.25k",
                                               "1.3k", "1.35k", "1.4k", "1.45k", "1.5k"};
        QTest::newRow("20 to 20.5 Hz")
            << 20.0 << 20.5 << QStringList{"20.00", "20.05", "20.10", "20.15", "20.20", "20.25",
                                           "20.30", "20.35", "20.40", "20.45", "20.50"};
    }

    void zoomedInTheTicksGetDenser() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QStringList, labels);
        const CChartLogAxis* axis = Axis(min, max, 50, 650);
        QCOMPARE(Texts(*axis, axis->GetLabelledTickValues()), labels);
    }

    // On a short axis labels are left out rather than run into each other.
    void labelsNeverOverlap() {
        for (const int length : {600, 300, 160, 90, 40}) {
            const CChartLogAxis* axis = Axis(20.0, 24000.0, 10, 10 + length);
            const std::vector<double> shown = axis->GetLabelledTickValues();
            QVERIFY2(shown.size() >= 2, qPrintable(QString::number(length)));
            const QFontMetrics metrics(axis->GetTickFont());
            for (std::size_t i = 1; i < shown.size(); ++i) {
                const int gap =
                    axis->GetTickPosition(shown[i]) - axis->GetTickPosition(shown[i - 1]);
                const int needed =
                    (metrics.horizontalAdvance(axis->GetTickLabelText(shown[i])) +
                     metrics.horizontalAdvance(axis->GetTickLabelText(shown[i - 1]))) /
                        2 +
                    1;
                QVERIFY2(
                    gap >= needed,
                    qPrintable(
                        QString("%1 px: %2 and %3").arg(length).arg(shown[i - 1]).arg(shown[i])));
            }
        }
    }

    void zoomAndPanWorkOnTheLogarithm() {
        CChartLogAxis* axis = Axis(20.0, 20000.0, 50, 650);
        // Dragging 200 pixels (a decade) to the right shows the decade below.
        axis->Pan(350, 550);
        QVERIFY(std::abs(axis->GetMin() - 2.0) < 1e-9);
        QVERIFY(std::abs(axis->GetMax() - 2000.0) < 1e-6);
        QCOMPARE(axis->GetSavedMin(), 20.0);
        axis->UndoZoom();
        axis->SetZoomRange(100.0, 1000.0);
        QCOMPARE(axis->GetMin(), 100.0);
        QCOMPARE(axis->GetMax(), 1000.0);
        // Narrower than a thousandth of a decade: exactly that wide.
        axis->SetZoomRange(1000.0, 1000.5);
        QVERIFY(std::abs(axis->GetMax() - 1000.0 * std::pow(10.0, 0.001)) < 1e-9);
        axis->SetZoomRange(-5.0, 100.0); // not on a logarithmic axis
        QCOMPARE(axis->GetMin(), 1000.0);
    }

    // On the drawn chart: a rectangle zooms to the frequencies under its sides; with the axis
    // gestures the wheel zooms the gain axis about the pointer and a double-click on an axis
    // returns it to its full range.
    void mouseZoomAndAxisGestures() {
        using namespace charttest;
        CChartCtrl chart;
        CChartLogAxis* bottom = chart.AddLogAxis(ChartAxisPosition::Bottom);
        bottom->SetMinMax(20.0, 24000.0);
        CChartStandardAxis* left = chart.AddAxis(ChartAxisPosition::Left);
        left->SetMinMax(-30.0, 30.0);
        QVERIFY(ShowChart(chart, 700, 300));
        const SChartRect plot = chart.GetPlottingRect();
        const int y = (plot.top + plot.bottom) / 2;
        const int x100 = bottom->ValueToScreen(100.0);
        const int x1000 = bottom->ValueToScreen(1000.0);
        Drag(chart, Qt::LeftButton, QPoint(x100, plot.top + 5), QPoint(x1000, plot.bottom - 5));
        QVERIFY(bottom->GetMin() > 95.0 && bottom->GetMin() <= 100.0);
        QVERIFY(bottom->GetMax() > 950.0 && bottom->GetMax() <= 1000.0);
        Drag(chart, Qt::LeftButton, QPoint(x1000, y), QPoint(x100, y)); // up and left: undone

        const auto wheel = [&chart](QPoint at, int delta) {
            QWheelEvent event(QPointF(at), QPointF(chart.mapToGlobal(at)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(&chart, &event);
        };
        const QPoint middle((plot.left + plot.right) / 2, left->ValueToScreen(10.0));
        wheel(middle, 120);
        QCOMPARE(left->GetMin(), -30.0); // no gestures: the wheel does nothing
        chart.EnableAxisGestures(true);
        wheel(middle, 120);
        QVERIFY(std::abs(left->GetMin() - (10.0 - 40.0 * 0.8)) < 0.2);
        QVERIFY(std::abs(left->GetMax() - (10.0 + 20.0 * 0.8)) < 0.2);
        QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier,
                           QPoint(plot.left - 5, middle.y()));
        QCOMPARE(left->GetMin(), -30.0);
        QCOMPARE(left->GetMax(), 30.0);
    }
};

QTEST_MAIN(ChartLogAxisTest)
#include "ChartLogAxisTest.moc"
