// The chart as drawn: layout, border, ticks, grid, labels and curve in the off-screen image,
// robustness at any size and with any data, holding redraws, and zoom and pan by mouse.
#include "ChartTestSupport.h"

#include <QFontMetrics>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

using namespace charttest;

namespace {

// A response like the equaliser pages draw: 1000 points from 20 Hz up to 24000 Hz spaced
// logarithmically, a 12 dB bell at 1000 Hz and 0 dB elsewhere.
void EqualiserCurve(std::vector<double>& x, std::vector<double>& y) {
    const double step = std::log10(24000.0 / 20.0) / std::log10(2.0) / 1000.0;
    x.resize(1000);
    y.resize(1000);
    for (std::size_t i = 0; i < 1000; ++i) {
        x[i] = 20.0 * std::pow(2.0, static_cast<double>(i) * step);
        const double octaves = std::log2(x[i] / 1000.0);
        y[i] = 12.0 * std::exp(-octaves * octaves);
    }
}

QRgb Rgb(int red, int green, int blue) {
    return qRgb(red, green, blue);
}

// The smallest blank, in pixels, between neighbouring labels of these ticks (negative when they
// overlap): along x below a horizontal axis, along y beside a vertical one.
int SmallestGap(CChartAxis& axis, const std::vector<double>& ticks) {
    const QFontMetrics metrics(axis.GetTickFont());
    int gap = std::numeric_limits<int>::max();
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const int a = axis.GetTickPosition(ticks[i - 1]);
        const int b = axis.GetTickPosition(ticks[i]);
        if (axis.IsHorizontal()) {
            const int wa = metrics.horizontalAdvance(axis.GetTickLabelText(ticks[i - 1]));
            const int wb = metrics.horizontalAdvance(axis.GetTickLabelText(ticks[i]));
            gap = std::min(gap, (b - wb / 2) - (a - wa / 2 + wa));
        } else {
            gap = std::min(gap, (a - b) - metrics.height());
        }
    }
    return gap;
}

// Labels at evenly spaced ticks.
bool Even(const std::vector<double>& values) {
    for (std::size_t i = 2; i < values.size(); ++i) {
        const double step = values[1] - values[0];
        if (std::abs(values[i] - values[i - 1] - step) > step * 1e-6) {
            return false;
        }
    }
    return true;
}

} // namespace

class ChartCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void equaliserChartRenders() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        std::vector<double> x;
        std::vector<double> y;
        EqualiserCurve(x, y);
        AddRedCurve(chart, x, y);

        QTemporaryDir dir;
        dir.setAutoRemove(!qEnvironmentVariableIsSet("SONVEX_KEEP_TEST_FILES"));
        const QString file = dir.filePath("equaliser-chart.png");
        QVERIFY(chart.GetImage().save(file));
        qInfo("chart image: %s", qPrintable(file));
        const QImage image = QImage(file).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(600, 260));

        // Layout: 3 pixels inside the edge; the left axis takes its label's height (the text
        // is turned), its widest tick label and 10 pixels; the bottom axis its label's height,
        // its tick labels' height and 6 pixels.
        const SChartRect p = chart.GetPlottingRect();
        const QFontMetrics tickFont(chart.GetLeftAxis()->GetTickFont());
        const QFontMetrics labelFont(chart.GetLeftAxis()->GetLabel()->GetFont());
        QCOMPARE(p.left, 3 + labelFont.height() + tickFont.horizontalAdvance("-30") + 10);
        QCOMPARE(p.bottom, 257 - (labelFont.height() + tickFont.height() + 6));
        QCOMPARE(p.top, 3 + tickFont.height() / 2 + 3);
        QCOMPARE(p.right, 597 - tickFont.horizontalAdvance("24000") / 2 - 3);
        const int width = p.right - p.left;
        const int height = p.bottom - p.top;

        // Raised edge and button-face background.
        const QPalette& palette = chart.palette();
        QCOMPARE(image.pixel(0, 130), palette.color(QPalette::Midlight).rgb());
        QCOMPARE(image.pixel(1, 130), palette.color(QPalette::Light).rgb());
        QCOMPARE(image.pixel(599, 130), palette.color(QPalette::Shadow).rgb());
        QCOMPARE(image.pixel(598, 130), palette.color(QPalette::Dark).rgb());
        QCOMPARE(image.pixel(300, 259), palette.color(QPalette::Shadow).rgb());
        const QRgb background = palette.color(QPalette::Button).rgb();
        QCOMPARE(image.pixel(2, 130), background);

        // Border through the four corners.
        for (const QPoint corner : {QPoint(p.left, p.top), QPoint(p.right, p.top),
                                    QPoint(p.left, p.bottom), QPoint(p.right, p.bottom)}) {
            QVERIFY(IsBlack(image.pixel(corner)));
        }
        QVERIFY(IsBlack(image.pixel(p.left + width / 2 + 1, p.top)));
        QVERIFY(IsBlack(image.pixel(p.left + width / 2 + 1, p.bottom)));
        QVERIFY(IsBlack(image.pixel(p.right, p.top + 5)));
        QVERIFY(IsBlack(image.pixel(p.left, p.top + 5)));

        // Bottom axis: tick 12000 at the middle, marked 3 pixels down below the axis line.
        const int x12000 = p.left + width / 2;
        for (int dy = 1; dy <= 3; ++dy) {
            QVERIFY(IsBlack(image.pixel(x12000, p.bottom + dy)));
        }
        QCOMPARE(image.pixel(x12000, p.bottom + 4), background);
        QVERIFY(IsBlack(image.pixel(x12000 + 7, p.bottom + 1))); // axis line
        // Left axis: 0 dB tick at the middle, marked 3 pixels left of the border.
        const int y0 = p.bottom - height / 2;
        for (int dx = 1; dx <= 3; ++dx) {
            QVERIFY(IsBlack(image.pixel(p.left - dx, y0)));
        }
        QCOMPARE(image.pixel(p.left - 4, y0 + 1), background);

        // The grid: grey dashes of 3 pixels every 6, upwards from the bottom and rightwards
        // from the left border.
        const QRgb grey = Rgb(128, 128, 128);
        const bool dashes[] = {true, true, false, false, false, true, true, true, false, false};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(image.pixel(x12000, p.bottom - 1 - i), dashes[i] ? grey : background);
        }
        const int yMinus20 = p.bottom - (height * 10) / 60;
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(image.pixel(p.left + 1 + i, yMinus20), dashes[i] ? grey : background);
        }

        // The curve: red, 2 pixels wide, at 12 dB above 1000 Hz and at 0 dB far right; never
        // outside the plotting area.
        const int x1000 = p.left + (width * 1000) / 24000;
        const int y12 = p.bottom - (height * 42) / 60;
        QVERIFY(CountRed(image, QRect(x1000 - 1, y12 - 2, 3, 5)) > 0);
        QVERIFY(CountRed(image, QRect(p.right - 20, y0 - 1, 1, 3)) >= 2);
        QCOMPARE(CountRed(image, QRect(p.right - 20, y0 - 10, 1, 8)), 0);
        QCOMPARE(CountRedOutside(image, p), 0);

        // Texts: tick labels under the bottom axis and left of the left axis, "CF" under the
        // tick labels, "GAIN" upright at the left edge.
        const int tickHeight = tickFont.height();
        QVERIFY(CountDark(image, QRect(x12000 - 15, p.bottom + 5, 30, tickHeight)) > 0);
        QVERIFY(CountDark(image, QRect(p.right - 20, p.bottom + 5, 30, tickHeight)) > 0);
        QVERIFY(CountDark(image, QRect(3 + labelFont.height(), y0 - 8, 30, 16)) > 0);
        QVERIFY(CountDark(image, QRect(x12000 - 20, p.bottom + 5 + tickHeight, 40,
                                       257 - p.bottom - 5 - tickHeight)) > 0);
        QVERIFY(CountDark(image, QRect(3, y0 - 30, labelFont.height() + 2, 60)) > 0);
        // Nothing written between the labels and the plot, beside the tick marks.
        QCOMPARE(CountDark(image, QRect(p.left - 4, p.top + 1, 1, height - 1)), 0);
    }

    // Labels that would run into their neighbour are left out, evenly, never the ticks or grid
    // lines, and two labels stay; labels that fit are all written.
    void tickLabelsNeverRunTogether() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        CChartAxis& bottom = *chart.GetBottomAxis();
        CChartAxis& left = *chart.GetLeftAxis();
        QCOMPARE(bottom.GetLabelledTickValues(), bottom.GetTickValues());
        QCOMPARE(left.GetLabelledTickValues(), left.GetTickValues());

        const auto check = [&](CChartAxis& axis, const char* where) {
            const std::vector<double> ticks = axis.GetTickValues();
            const std::vector<double> labelled = axis.GetLabelledTickValues();
            QVERIFY2(SmallestGap(axis, ticks) <= 0, where); // all of them would run together
            QVERIFY2(SmallestGap(axis, labelled) > 0, where);
            QVERIFY2(labelled.size() >= 2 && Even(labelled), where);
            QCOMPARE(axis.GetGrid()->GetTicks().size(), ticks.size());
        };
        chart.resize(430, 160); // 2000 Hz steps of about 30 pixels under five-digit labels
        check(bottom, "430 x 160");
        bottom.SetZoomRange(8605.8200, 8605.8230); // deep zoom: long labels
        chart.Redraw();
        check(bottom, "zoomed");
        left.SetTickIncrement(false, 1.0); // a label every dB
        chart.Redraw();
        check(left, "left");

        chart.resize(140, 80);
        chart.Redraw();
        const std::vector<double> ticks = bottom.GetTickValues();
        QCOMPARE(bottom.GetLabelledTickValues(),
                 (std::vector<double>{ticks.front(), ticks.back()}));
    }

    void descendingPointsAreDrawnAscending() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        // In the order given these would draw a line along 0 dB from 24000 back to 0 Hz.
        AddRedCurve(chart, {24000.0, 0.0, 12000.0}, {0.0, 0.0, 20.0});
        const SChartRect p = chart.GetPlottingRect();
        const QImage& image = chart.GetImage();
        const int y0 = p.bottom - (p.bottom - p.top) / 2;
        const int x18000 = p.left + ((p.right - p.left) * 3) / 4;
        QCOMPARE(CountRed(image, QRect(x18000, y0 - 1, 1, 3)), 0);
        const int y10 = p.bottom - ((p.bottom - p.top) * 40) / 60;
        QVERIFY(CountRed(image, QRect(x18000, y10 - 3, 1, 7)) > 0);
    }

    void outOfRangeValuesAreClipped() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 500, 220));
        SetUpEqualiserAxes(chart);
        std::vector<double> x(400);
        std::vector<double> y(400);
        for (std::size_t i = 0; i < x.size(); ++i) {
            x[i] = -2000.0 + 70.0 * static_cast<double>(i);
            y[i] = 100.0 * std::sin(static_cast<double>(i) / 20.0);
        }
        AddRedCurve(chart, x, y);
        const SChartRect p = chart.GetPlottingRect();
        const QImage& image = chart.GetImage();
        QCOMPARE(CountRedOutside(image, p), 0);
        // The curve runs off at the top and the bottom: cut at the border.
        QVERIFY(CountRed(image, QRect(p.left, p.top, p.right - p.left + 1, 1)) > 0);
        QVERIFY(CountRed(image, QRect(p.left, p.bottom, p.right - p.left + 1, 1)) > 0);
        // Beyond 24000 Hz on the right: cut at the right border.
        QVERIFY(CountRed(image, QRect(p.right, p.top, 1, p.bottom - p.top + 1)) > 0);
    }

    void anyDataRenders() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        const double nan = std::nan("");
        const double inf = std::numeric_limits<double>::infinity();
        // NaN and infinite points are left out; huge values run off the plotting area.
        AddRedCurve(chart, {0, 4000, 8000, 12000, 16000, 20000, 22000, nan, inf},
                    {0, nan, 10, inf, 1e300, -1e300, 5, 3, 3});
        const SChartRect p = chart.GetPlottingRect();
        const QImage& image = chart.GetImage();
        QCOMPARE(CountRedOutside(image, p), 0);
        // 0 dB at 0 Hz joined straight to 10 dB at 8000 Hz: 5 dB at 4000 Hz.
        const int width = p.right - p.left;
        const int height = p.bottom - p.top;
        const int x4000 = p.left + (width * 4000) / 24000;
        const int y5 = p.bottom - (height * 35) / 60;
        QVERIFY(CountRed(image, QRect(x4000 - 1, y5 - 2, 3, 5)) > 0);
        // Towards 1e300 at 16000 Hz the curve leaves straight upwards from 8000 Hz, and from
        // there to -1e300 at 20000 Hz it crosses 0 dB halfway.
        const int x8000 = p.left + (width * 8000) / 24000;
        QVERIFY(CountRed(image, QRect(x8000 - 1, p.top, 3, 1)) > 0);
        const int x16000 = p.left + (width * 16000) / 24000;
        QCOMPARE(CountRed(image, QRect(x8000 + 3, p.top, x16000 - x8000, 1)), 0);
        const int x18000 = p.left + (width * 18000) / 24000;
        QVERIFY(CountRed(image, QRect(x18000 - 1, p.bottom - height / 2, 3, 1)) > 0);

        // A page without a sample rate: the bottom axis spans 0..0 and the curve's abscissae
        // are 20 * 2^(i * -inf). Everything maps to the middle; one tick "0" is drawn there.
        chart.HoldRedraw();
        chart.RemoveAllSeries();
        chart.GetBottomAxis()->SetMinMax(0.0, 0.0);
        const double step = std::log10(0.0 * 0.5 / 20.0) / std::log10(2.0) / 1000.0;
        std::vector<double> xs(1000);
        std::vector<double> ys(1000);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            xs[i] = 20.0 * std::pow(2.0, static_cast<double>(i) * step);
            ys[i] = i % 2 == 0 ? nan : -1e30 * static_cast<double>(i);
        }
        CChartLineSerie* serie = chart.AddLineSerie();
        serie->SetPoints(xs, ys);
        chart.ReleaseRedraw();
        const SChartRect q = chart.GetPlottingRect();
        const int middle = q.left + (q.right - q.left) / 2;
        QCOMPARE(chart.GetBottomAxis()->GetTickValues(), std::vector<double>{0.0});
        QVERIFY(IsBlack(chart.GetImage().pixel(middle, q.bottom + 2)));
        QCOMPARE(CountRedOutside(chart.GetImage(), q), 0);
    }

    void everySizeRenders() {
        std::vector<double> x;
        std::vector<double> y;
        EqualiserCurve(x, y);
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 40, 30));
        SetUpEqualiserAxes(chart);
        AddRedCurve(chart, x, y);
        QCOMPARE(chart.GetImage().size(), QSize(40, 30));
        QCOMPARE(CountRedOutside(chart.GetImage(), chart.GetPlottingRect()), 0);
        // The image follows the widget's size, however small.
        for (const QSize size : {QSize(520, 140), QSize(1, 1), QSize(7, 7), QSize(60, 400),
                                 QSize(400, 45), QSize(90, 70), QSize(35, 35), QSize(140, 100)}) {
            chart.resize(size);
            QCOMPARE(chart.GetImage().size(), size);
            const SChartRect p = chart.GetPlottingRect();
            if (!p.IsEmpty()) {
                QCOMPARE(CountRedOutside(chart.GetImage(), p), 0);
            }
        }
    }

    void heldRedrawDrawsOnceOnRelease() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 400, 200));
        SetUpEqualiserAxes(chart);
        const QImage before = chart.GetImage();
        chart.HoldRedraw();
        chart.HoldRedraw();
        chart.GetBottomAxis()->SetMinMax(0.0, 12000.0);
        chart.GetLeftAxis()->GetLabel()->SetText("dB");
        QCOMPARE(chart.GetImage(), before);
        chart.ReleaseRedraw();
        QVERIFY(chart.IsRedrawHeld());
        QCOMPARE(chart.GetImage(), before);
        chart.ReleaseRedraw();
        QVERIFY(!chart.IsRedrawHeld());
        QVERIFY(chart.GetImage() != before);
    }

    void zoomWithTheLeftButton() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        const SChartRect p = chart.GetPlottingRect();
        const double width = p.right - p.left;
        const double height = p.bottom - p.top;
        CChartAxis* bottom = chart.GetBottomAxis();
        CChartAxis* left = chart.GetLeftAxis();

        // A click, and a drag without height, change nothing.
        const QImage before = chart.GetImage();
        Drag(chart, Qt::LeftButton, QPoint(200, 100), QPoint(200, 100));
        Drag(chart, Qt::LeftButton, QPoint(200, 100), QPoint(260, 100));
        QCOMPARE(bottom->GetMin(), 0.0);
        QCOMPARE(bottom->GetMax(), 24000.0);
        QCOMPARE(chart.GetImage(), before);

        // While dragging, the rectangle is painted over the image in white.
        SendMouse(chart, QEvent::MouseButtonPress, QPoint(p.left + 100, p.top + 20), Qt::LeftButton,
                  Qt::LeftButton);
        SendMouse(chart, QEvent::MouseMove, QPoint(p.left + 300, p.top + 120), Qt::NoButton,
                  Qt::LeftButton);
        const QImage shown = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(p.left + 200, p.top + 20), qRgb(255, 255, 255));
        QCOMPARE(shown.pixel(p.left + 100, p.top + 70), qRgb(255, 255, 255));
        QCOMPARE(chart.GetImage(), before);
        SendMouse(chart, QEvent::MouseButtonRelease, QPoint(p.left + 300, p.top + 120),
                  Qt::LeftButton, Qt::NoButton);
        QCOMPARE(bottom->GetMin(), 24000.0 * 100.0 / width);
        QCOMPARE(bottom->GetMax(), 24000.0 * 300.0 / width);
        QCOMPARE(left->GetMin(), -30.0 + 60.0 * (height - 120.0) / height);
        QCOMPARE(left->GetMax(), -30.0 + 60.0 * (height - 20.0) / height);
        QVERIFY(chart.GetImage() != before);

        // Zooming into less than 0.001 gives exactly 0.001.
        bottom->SetMinMax(0.0, 0.01);
        const SChartRect q = chart.GetPlottingRect();
        Drag(chart, Qt::LeftButton, QPoint(q.left + 10, q.top + 10),
             QPoint(q.left + 12, q.top + 100));
        QCOMPARE(bottom->GetMin(), 0.01 * 10.0 / (q.right - q.left));
        QCOMPARE(bottom->GetMax() - bottom->GetMin(), 0.001);

        // Dragging up and to the left undoes every zoom.
        Drag(chart, Qt::LeftButton, QPoint(300, 150), QPoint(250, 100));
        QCOMPARE(bottom->GetMin(), 0.0);
        QCOMPARE(bottom->GetMax(), 0.01);
        QCOMPARE(left->GetMin(), -30.0);
        QCOMPARE(left->GetMax(), 30.0);

        chart.EnableZoom(false);
        Drag(chart, Qt::LeftButton, QPoint(200, 50), QPoint(300, 150));
        QCOMPARE(left->GetMax(), 30.0);
    }

    void panWithTheRightButton() {
        CChartCtrl chart;
        QVERIFY(ShowChart(chart, 600, 260));
        SetUpEqualiserAxes(chart);
        const SChartRect p = chart.GetPlottingRect();
        const double width = p.right - p.left;
        const double height = p.bottom - p.top;
        const QImage before = chart.GetImage();
        // 10 pixels right and 20 down: the drawing follows the mouse.
        Drag(chart, Qt::RightButton, QPoint(300, 100), QPoint(310, 120));
        CChartAxis* bottom = chart.GetBottomAxis();
        CChartAxis* left = chart.GetLeftAxis();
        QCOMPARE(bottom->GetMin(), -24000.0 * 10.0 / width);
        QCOMPARE(bottom->GetMax(), 24000.0 - 24000.0 * 10.0 / width);
        QCOMPARE(left->GetMin(), -30.0 + 60.0 * 20.0 / height);
        QCOMPARE(left->GetMax(), 30.0 + 60.0 * 20.0 / height);
        QVERIFY(chart.GetImage() != before);
        // The release ended the pan: moving on changes nothing.
        SendMouse(chart, QEvent::MouseMove, QPoint(400, 200), Qt::NoButton, Qt::NoButton);
        QCOMPARE(left->GetMax(), 30.0 + 60.0 * 20.0 / height);
        // A zoom undo returns to the range the pages set.
        Drag(chart, Qt::LeftButton, QPoint(300, 150), QPoint(250, 100));
        QCOMPARE(bottom->GetMin(), 0.0);
        QCOMPARE(left->GetMax(), 30.0);
        QCOMPARE(chart.GetImage(), before);
    }
};

QTEST_MAIN(ChartCtrlTest)
#include "ChartCtrlTest.moc"
