#pragma once

#include "chart/CChartCtrl.h"
#include "chart/CChartLineSerie.h"
#include "chart/CChartStandardAxis.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <vector>

namespace charttest {

inline bool IsPureRed(QRgb pixel) {
    return qRed(pixel) == 255 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

inline bool IsBlack(QRgb pixel) {
    return (pixel & 0xFFFFFFu) == 0u;
}

// Text is drawn black on a light background; its glyphs leave dark pixels.
inline int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    return count;
}

inline int CountRed(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += IsPureRed(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Red pixels outside the plotting rectangle including its border.
inline int CountRedOutside(const QImage& image, const SChartRect& plot) {
    const QRect inside(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom));
    return CountRed(image, image.rect()) - CountRed(image, inside);
}

// A shown, exposed chart of the given size, so that every change draws at once.
inline bool ShowChart(CChartCtrl& chart, int width, int height) {
    chart.resize(width, height);
    chart.show();
    return QTest::qWaitForWindowExposed(&chart);
}

// The chart as the equaliser pages set it up: bottom axis 0..24000 "CF", left axis -30..30
// "GAIN".
inline void SetUpEqualiserAxes(CChartCtrl& chart) {
    CChartStandardAxis* bottom = chart.AddAxis(ChartAxisPosition::Bottom);
    bottom->SetMinMax(0.0, 24000.0);
    bottom->GetLabel()->SetText(QStringLiteral("CF"));
    CChartStandardAxis* left = chart.AddAxis(ChartAxisPosition::Left);
    left->SetMinMax(-30.0, 30.0);
    left->GetLabel()->SetText(QStringLiteral("GAIN"));
}

// A red 2-pixel series of the given points, added as the pages add their curve.
inline CChartLineSerie* AddRedCurve(CChartCtrl& chart, const std::vector<double>& x,
                                    const std::vector<double>& y) {
    chart.HoldRedraw();
    CChartLineSerie* serie = chart.AddLineSerie();
    serie->SetPoints(x.data(), y.data(), std::min(x.size(), y.size()));
    serie->SetColor(QColor(255, 0, 0));
    serie->SetWidth(2);
    chart.ReleaseRedraw();
    return serie;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(position), QPointF(widget.mapToGlobal(position)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Press at `from`, move to `to` and release there.
inline void Drag(QWidget& widget, Qt::MouseButton button, QPoint from, QPoint to) {
    SendMouse(widget, QEvent::MouseButtonPress, from, button, button);
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, button);
    SendMouse(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

} // namespace charttest
