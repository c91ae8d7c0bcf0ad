// The equaliser pages' tuning view: dragging and wheeling the band handles, stepping the boxes,
// the live curve, and the classic chart with every option off. Nothing of it stores a value.
#include "PageFixture.h"

#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "chart/CChartHoverReadout.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartLogAxis.h"
#include "pages/CEqualiserPage.h"
#include "pages/CPageEdit.h"
#include "pages/CTuningView.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

CEqualiserPage& Eq(const std::unique_ptr<QWidget>& page) {
    return *static_cast<CEqualiserPage*>(page.get());
}

ViewOptions Options(std::initializer_list<ViewOption> on) {
    ViewOptions options;
    for (const ViewOption option : on) {
        options.Set(option, true);
    }
    return options;
}

// A shown page of the given dialog in the tuning view with these options.
std::unique_ptr<QWidget> TuningPage(PageFixture& fixture, int dialog, const ViewOptions& options) {
    auto page = fixture.MakePage(dialog);
    Eq(page).SetViewOptions(options);
    page->resize(1000, 600);
    page->show();
    if (!QTest::qWaitForWindowExposed(page.get())) {
        qFatal("the page is not shown");
    }
    return page;
}

void Mouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, QPoint at, int notches) {
    QWheelEvent event(QPointF(at), QPointF(widget.mapToGlobal(at)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&widget, &event);
}

QPoint HandleAt(const CEqualiserPage& page, int band) {
    QPoint centre;
    if (!page.Tuning()->Handles()->HandlePixel(band, centre)) {
        qFatal("band %d has no handle on the chart", band);
    }
    return centre;
}

// Drags band's handle by offset, in one move, with the modifiers held during the move.
void DragHandle(CEqualiserPage& page, int band, QPoint offset,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint from = HandleAt(page, band);
    Mouse(page.Chart(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(page.Chart(), QEvent::MouseMove, from + offset, Qt::LeftButton, modifiers);
    Mouse(page.Chart(), QEvent::MouseButtonRelease, from + offset, Qt::NoButton);
}

double MaxY(const CChartLineSerie& curve) {
    double max = -1000.0;
    for (std::size_t i = 0; i < curve.GetPointsCount(); ++i) {
        max = std::max(max, curve.GetPoint(i).y);
    }
    return max;
}

} // namespace

class TuningViewTest : public QObject {
    Q_OBJECT

private slots:
    // A drag sets whole values the checks take, clamped at the limits; a vertical drag keeps
    // the frequency; Shift moves 1 Hz per pixel; the wheel steps Q by 0.1 down to 0.6; the
    // boxes follow at once and nothing reaches the parameter set. Each drag is one edit.
    void dragAndWheelEditTheBoxesWithinTheLimits() {
        PageFixture fixture;
        const ParameterSet before = fixture.Params();
        auto page =
            TuningPage(fixture, 132, Options({ViewOption::LogAxis, ViewOption::BandCurves}));
        CEqualiserPage& eq = Eq(page);
        QSignalSpy started(&eq, &CEqualiserPage::EditStarted);
        QSignalSpy finished(&eq, &CEqualiserPage::EditFinished);

        DragHandle(eq, 3, QPoint(0, -5000));
        QCOMPARE(eq.GainBox(3).text(), QString("12"));
        QCOMPARE(eq.FrequencyBox(3).text(), QString("350"));
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), 1);
        DragHandle(eq, 3, QPoint(0, 5000));
        QCOMPARE(eq.GainBox(3).text(), QString("-12"));
        DragHandle(eq, 3, QPoint(5000, 0));
        QCOMPARE(eq.FrequencyBox(3).text(), QString("23999")); // below SWFS / 2
        QCOMPARE(eq.GainBox(3).text(), QString("-12"));
        DragHandle(eq, 1, QPoint(-5000, 0));
        QCOMPARE(eq.FrequencyBox(1).text(), QString("1")); // above 0
        // The curve follows the boxes: band 3 at -12 dB near the top of the range.
        QVERIFY(std::abs(eq.Tuning()->Curves().bands.at(3).back() + 12.0f) < 1.0f);

        // Shift: 1 Hz per pixel, 1 dB per 8 pixels, from where the drag began.
        DragHandle(eq, 5, QPoint(7, -16), Qt::ShiftModifier);
        QCOMPARE(eq.FrequencyBox(5).text(), QString("1417"));
        QCOMPARE(eq.GainBox(5).text(), QString("2"));

        const QPoint peak = HandleAt(eq, 5);
        Wheel(eq.Chart(), peak, 1);
        QCOMPARE(eq.QBox(5).text(), QString("2.6"));
        Wheel(eq.Chart(), peak, -40);
        QCOMPARE(eq.QBox(5).text(), QString("0.6"));
        Wheel(eq.Chart(), HandleAt(eq, 0), 3); // the shelves have no Q
        QCOMPARE(eq.QBox(0).text(), QString());

        // A double-click puts the focus into the band's gain box.
        QTest::mouseDClick(&eq.Chart(), Qt::LeftButton, Qt::NoModifier, HandleAt(eq, 7));
        QCOMPARE(eq.window()->focusWidget(), &eq.GainBox(7));

        // The pointer readout follows a drag, not only a hover.
        const QPoint start = HandleAt(eq, 6);
        Mouse(eq.Chart(), QEvent::MouseMove, start, Qt::NoButton);
        const QString atStart = eq.Tuning()->Hover()->Text();
        Mouse(eq.Chart(), QEvent::MouseButtonPress, start, Qt::LeftButton);
        Mouse(eq.Chart(), QEvent::MouseMove, start + QPoint(40, -20), Qt::LeftButton);
        QVERIFY(!atStart.isEmpty() && eq.Tuning()->Hover()->Text() != atStart);
        Mouse(eq.Chart(), QEvent::MouseButtonRelease, start + QPoint(40, -20), Qt::NoButton);

        QCOMPARE(fixture.Params().EQGAINLEFT, before.EQGAINLEFT);
        QCOMPARE(fixture.Params().EQCFLEFT, before.EQCFLEFT);
        QCOMPARE(fixture.Params().EQQLEFT, before.EQQLEFT);
    }

    void upDownAndTheWheelStepTheBoxes() {
        PageFixture fixture;
        auto page = TuningPage(fixture, 134, ViewOptions{}); // on every page, tuning view or not
        CEqualiserPage& eq = Eq(page);
        eq.GainBox(2).setText("11");
        QTest::keyClick(&eq.GainBox(2), Qt::Key_Up);
        QTest::keyClick(&eq.GainBox(2), Qt::Key_Up);
        QCOMPARE(eq.GainBox(2).text(), QString("12"));
        eq.GainBox(2).setText("40"); // typed beyond the limit: a step brings it back into it
        QTest::keyClick(&eq.GainBox(2), Qt::Key_Down);
        QCOMPARE(eq.GainBox(2).text(), QString("12"));
        eq.FrequencyBox(4).setText("23999");
        QTest::keyClick(&eq.FrequencyBox(4), Qt::Key_Up);
        QCOMPARE(eq.FrequencyBox(4).text(), QString("23999"));
        Wheel(eq.FrequencyBox(4), QPoint(5, 5), -2);
        QCOMPARE(eq.FrequencyBox(4).text(), QString("23997"));
        eq.QBox(3).setText("0.7");
        QTest::keyClick(&eq.QBox(3), Qt::Key_Down);
        QTest::keyClick(&eq.QBox(3), Qt::Key_Down);
        QCOMPARE(eq.QBox(3).text(), QString("0.6"));
        Wheel(eq.QBox(3), QPoint(5, 5), 1);
        QCOMPARE(eq.QBox(3).text(), QString("0.7"));
        QCOMPARE(fixture.Params().EQGAINLEFT1[2], 0);
    }

    // Typing redraws at the next turn of the event loop, from the boxes as the store reads
    // them; a value the checks refuse draws its band flat and marks its handle, without a
    // message; nothing is stored. Without the live curve typing redraws nothing.
    void liveCurveDrawsTheBoxesAndStoresNothing() {
        PageFixture fixture;
        MessageBoxCatcher catcher;
        auto page =
            TuningPage(fixture, 132, Options({ViewOption::LiveCurve, ViewOption::BandCurves}));
        CEqualiserPage& eq = Eq(page);
        eq.GainBox(4).setText("12.9");
        QVERIFY(MaxY(*eq.Curve()) < 0.01); // not yet: edits coalesce
        QCoreApplication::processEvents();
        QVERIFY(std::abs(MaxY(*eq.Curve()) - 12.0) < 0.05);
        QCOMPARE(fixture.Params().EQGAINLEFT[4], 0);

        for (const auto& [box, text] :
             {std::pair{&eq.GainBox(4), "13"}, std::pair{&eq.QBox(4), "0.5"},
              std::pair{&eq.FrequencyBox(4), "24000"}}) {
            eq.GainBox(4).setText("12");
            eq.QBox(4).setText("2.5");
            eq.FrequencyBox(4).setText("700");
            box->setText(QString::fromLatin1(text));
            QCoreApplication::processEvents();
            QVERIFY2(MaxY(*eq.Curve()) < 0.01, text);
            QVERIFY(eq.Tuning()->Handles()->Handles().at(4).marked);
            QVERIFY(!eq.Tuning()->Handles()->Handles().at(3).marked);
        }
        QVERIFY(catcher.Texts().isEmpty());

        eq.SetViewOptions(Options({ViewOption::BandCurves}));
        eq.FrequencyBox(4).setText("700");
        QCoreApplication::processEvents();
        QVERIFY(MaxY(*eq.Curve()) < 0.01); // the stored values, as a classic page draws
        QCOMPARE(fixture.Params().EQQLEFT[3], 2.5f);
    }

    // With every option off again the chart is the classic one: one red series over a linear
    // axis from 0 to half the sample rate, no layers, no gestures.
    void everyOptionOffGivesTheClassicChart() {
        PageFixture fixture;
        auto page = TuningPage(
            fixture, 134,
            Options({ViewOption::LogAxis, ViewOption::BothChannels, ViewOption::WholeChain,
                     ViewOption::BandCurves, ViewOption::DeviceResponse}));
        CEqualiserPage& eq = Eq(page);
        QVERIFY(eq.Chart().GetSeriesCount() > 10);
        QVERIFY(dynamic_cast<CChartLogAxis*>(eq.Chart().GetBottomAxis()) != nullptr);
        eq.SetViewOptions(ViewOptions{});
        QCOMPARE(eq.Chart().GetSeriesCount(), std::size_t{1});
        QCOMPARE(eq.Curve()->GetColor(), QColor(255, 0, 0));
        QCOMPARE(eq.Curve()->GetWidth(), 2);
        QVERIFY(dynamic_cast<CChartLogAxis*>(eq.Chart().GetBottomAxis()) == nullptr);
        QCOMPARE(eq.Chart().GetBottomAxis()->GetMin(), 0.0);
        QCOMPARE(eq.Chart().GetBottomAxis()->GetMax(), 24000.0);
        QVERIFY(eq.Tuning()->Handles() == nullptr);
        QVERIFY(!eq.Chart().AxisGesturesEnabled());
        QVERIFY(!eq.Chart().hasMouseTracking());
    }
};

QTEST_MAIN(TuningViewTest)
#include "TuningViewTest.moc"
