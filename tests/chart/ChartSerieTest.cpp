// The point store of a series, its visible range, and the series bookkeeping of the chart.
#include "ChartTestSupport.h"

#include <QTest>
#include <cmath>
#include <limits>

using charttest::SetUpEqualiserAxes;

class ChartSerieTest : public QObject {
    Q_OBJECT

private slots:
    void pointsAreSortedByX() {
        CChartCtrl chart;
        SetUpEqualiserAxes(chart);
        CChartLineSerie* serie = chart.AddLineSerie();
        QVERIFY(serie != nullptr);
        const double nan = std::nan("");
        const double x[] = {500.0, nan, 400.0, 300.0, 200.0, 100.0, 300.0};
        const double y[] = {5.0, 9.0, 4.0, 3.0, 2.0, 1.0, -3.0};
        serie->SetPoints(x, y, 7);
        QCOMPARE(serie->GetPointsCount(), std::size_t{7});
        // Ascending X, equal X in the order given, NaN last; each Y stays with its X.
        const double sortedX[] = {100.0, 200.0, 300.0, 300.0, 400.0, 500.0};
        const double sortedY[] = {1.0, 2.0, 3.0, -3.0, 4.0, 5.0};
        for (std::size_t i = 0; i < 6; ++i) {
            QCOMPARE(serie->GetPoint(i).x, sortedX[i]);
            QCOMPARE(serie->GetPoint(i).y, sortedY[i]);
        }
        QVERIFY(std::isnan(serie->GetPoint(6).x));

        double min = 0.0;
        double max = 0.0;
        QVERIFY(serie->GetSerieXMinMax(min, max));
        QCOMPARE(min, 100.0);
        QCOMPARE(max, 500.0);
        QVERIFY(serie->GetSerieYMinMax(min, max));
        QCOMPARE(min, -3.0);
        QCOMPARE(max, 9.0);

        serie->SetSeriesOrdering(CChartSerie::Ordering::ByY);
        QCOMPARE(serie->GetPoint(0).y, -3.0);
        QCOMPARE(serie->GetPoint(6).y, 9.0);

        // Room for 1000 points at first, grown to exactly the count set.
        std::vector<double> ones(1500, 1.0);
        QCOMPARE(serie->GetCapacity(), std::size_t{1000});
        serie->SetPoints(ones, ones);
        QCOMPARE(serie->GetCapacity(), std::size_t{1500});
        serie->SetPoints(nullptr, ones.data(), 3);
        QCOMPARE(serie->GetPointsCount(), std::size_t{0});
        QVERIFY(!serie->GetSerieXMinMax(min, max));
        std::size_t first = 0;
        std::size_t last = 0;
        QVERIFY(!serie->GetVisiblePoints(first, last));
    }

    void visiblePoints_data() {
        QTest::addColumn<std::vector<double>>("x");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        std::vector<double> steps(100);
        for (int i = 0; i < 100; ++i) {
            steps[static_cast<std::size_t>(i)] = i;
        }
        QTest::newRow("inside") << steps << 10.5 << 20.5 << 11 << 20;
        QTest::newRow("on points") << steps << 10.0 << 20.0 << 10 << 20;
        QTest::newRow("all") << steps << -5.0 << 500.0 << 0 << 99;
        QTest::newRow("right of all") << steps << 200.0 << 300.0 << 99 << 99;
        QTest::newRow("left of all") << steps << -300.0 << -200.0 << 0 << 0;
        QTest::newRow("between two points") << steps << 10.2 << 10.7 << 11 << 11;
        // Repeated X at the edge: every point on the edge counts.
        QTest::newRow("repeated x")
            << std::vector<double>{0, 10, 10, 10, 20, 30, 30} << 10.0 << 30.0 << 1 << 6;
    }

    void visiblePoints() {
        QFETCH(std::vector<double>, x);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, first);
        QFETCH(int, last);
        CChartCtrl chart;
        SetUpEqualiserAxes(chart);
        chart.GetBottomAxis()->SetMinMax(min, max);
        CChartLineSerie* serie = chart.AddLineSerie();
        serie->SetPoints(x, x);
        std::size_t from = 0;
        std::size_t to = 0;
        QVERIFY(serie->GetVisiblePoints(from, to));
        QCOMPARE(from, static_cast<std::size_t>(first));
        QCOMPARE(to, static_cast<std::size_t>(last));
    }

    void paletteAndIds() {
        CChartCtrl chart;
        QCOMPARE(chart.AddLineSerie(), nullptr); // no axes yet
        SetUpEqualiserAxes(chart);
        const QColor expected[] = {{255, 0, 0},   {0, 150, 0},    {0, 0, 255},   {255, 255, 0},
                                   {0, 255, 255}, {255, 128, 0},  {128, 0, 128}, {128, 128, 0},
                                   {255, 0, 255}, {64, 128, 128}, {255, 0, 0}};
        const unsigned firstId = chart.AddLineSerie()->GetSerieId();
        QCOMPARE(chart.GetSerie(firstId)->GetColor(), expected[0]);
        for (unsigned i = 1; i < 11; ++i) {
            CChartLineSerie* serie = chart.AddLineSerie();
            QCOMPARE(serie->GetColor(), expected[i]);
            QCOMPARE(serie->GetSerieId(), firstId + i);
            QCOMPARE(serie->GetWidth(), 1);
        }
        QCOMPARE(chart.GetSeriesCount(), std::size_t{11});

        // Ids are shared by every chart of the program and never reused.
        CChartCtrl other;
        SetUpEqualiserAxes(other);
        QCOMPARE(other.AddLineSerie()->GetSerieId(), firstId + 11);
        chart.RemoveAllSeries();
        QCOMPARE(chart.GetSeriesCount(), std::size_t{0});
        QCOMPARE(chart.GetSerie(firstId), nullptr);
        CChartLineSerie* fresh = chart.AddLineSerie();
        QCOMPARE(fresh->GetSerieId(), firstId + 12);
        QCOMPARE(fresh->GetColor(), QColor(255, 0, 0));
        chart.AddLineSerie();
        QCOMPARE(chart.AddLineSerie()->GetColor(), QColor(0, 0, 255));
    }

    void seriesFollowAReplacedAxis() {
        CChartCtrl chart;
        SetUpEqualiserAxes(chart);
        CChartLineSerie* serie = chart.AddLineSerie();
        CChartStandardAxis* bottom = chart.AddAxis(ChartAxisPosition::Bottom);
        QCOMPARE(serie->GetHorizontalAxis(), bottom);
        QCOMPARE(serie->GetVerticalAxis(), chart.GetLeftAxis());
        bottom->SetMinMax(0.0, 10.0);
        serie->SetPoints(std::vector<double>{1, 2}, std::vector<double>{3, 4});
        QCOMPARE(serie->GetPointScreenCoord(0).x(), bottom->ValueToScreen(1.0));
    }
};

QTEST_MAIN(ChartSerieTest)
#include "ChartSerieTest.moc"
