#include "app/AppIcon.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <array>

namespace {

// The curve's shape on a 0..1 square: x to the right, y upwards around the 0 dB line at 0.5.
QPainterPath CurvePath(const QRectF& area) {
    const auto at = [&area](double x, double y) {
        return QPointF(area.left() + x * area.width(), area.bottom() - y * area.height());
    };
    QPainterPath path(at(0.0, 0.72));
    path.cubicTo(at(0.12, 0.72), at(0.16, 0.50), at(0.28, 0.50)); // low shelf lifted
    path.cubicTo(at(0.38, 0.50), at(0.42, 0.92), at(0.50, 0.92)); // a peak
    path.cubicTo(at(0.58, 0.92), at(0.60, 0.50), at(0.68, 0.50));
    path.cubicTo(at(0.74, 0.50), at(0.78, 0.26), at(0.84, 0.26)); // a cut
    path.cubicTo(at(0.90, 0.26), at(0.92, 0.50), at(1.0, 0.50));
    return path;
}

} // namespace

QPixmap AppIcon::Pixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const double s = size;
    const QRectF panel(0.5, 0.5, s - 1.0, s - 1.0);
    QLinearGradient shade(panel.topLeft(), panel.bottomLeft());
    shade.setColorAt(0.0, QColor(38, 52, 74));
    shade.setColorAt(1.0, QColor(16, 22, 34));
    painter.setPen(QPen(QColor(120, 140, 170), s / 64.0 + 0.5));
    painter.setBrush(shade);
    painter.drawRoundedRect(panel, s * 0.18, s * 0.18);

    const QRectF plot = panel.adjusted(s * 0.14, s * 0.16, -s * 0.14, -s * 0.16);
    if (size >= 32) {
        painter.setPen(QPen(QColor(255, 255, 255, 40), s / 128.0 + 0.5));
        for (double f : std::array{0.25, 0.5, 0.75}) {
            const double x = plot.left() + f * plot.width();
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    }
    const double zero = plot.top() + plot.height() * 0.5;
    painter.setPen(QPen(QColor(200, 210, 225, 140), s / 96.0 + 0.5, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor(255, 48, 48), s / 14.0 + 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(CurvePath(plot));
    return pixmap;
}

QIcon AppIcon::Icon() {
    QIcon icon;
    for (int size : std::array{16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(Pixmap(size));
    }
    return icon;
}
