// The tuning view of the ten-band page with both channels, the whole chain (both equalisers)
// and the band curves on, 1000 points, in a 1000 x 600 page:
//   BM_DragStep        one mouse move on a band's handle, to the repainted chart (the boxes
//                      follow, the curves are computed and the chart is redrawn and painted);
//   BM_LiveKeystroke   one key typed into a gain box with the live curve on, to the repainted
//                      chart (the redraw runs at the next turn of the event loop).
// Targets: at most 2 ms each (Release build).
#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "pages/CDlgEq.h"
#include "pages/CPageEdit.h"
#include "pages/CTuningView.h"
#include "settings/CIniLocalLan.h"
#include "settings/CIniSettingBase.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

class TuningPage {
public:
    explicit TuningPage(bool live) {
        const QString config = dir_.filePath(QStringLiteral("config.ini"));
        QFile::copy(QStringLiteral(SONVEX_SOURCE_DIR "/data/config.ini"), config);
        settings_.Load(config.toStdU16String());
        settings_.Params.EQGAINLEFT = {4, -3, 6, 0, -5, 2, 0, 3, 5, -4};
        settings_.Params.EQGAINLEFT1 = {3, 2, 0, -4, 0, 0, 0, 2};
        const std::string bin = SONVEX_BIN_DIR "/";
        page_ =
            std::make_unique<CDlgEq>(settings_, language_, std::u16string(bin.begin(), bin.end()));
        page_->Initialise();
        ViewOptions options;
        for (const ViewOption option : {ViewOption::LogAxis, ViewOption::BothChannels,
                                        ViewOption::WholeChain, ViewOption::BandCurves}) {
            options.Set(option, true);
        }
        options.Set(ViewOption::LiveCurve, live);
        page_->SetViewOptions(options);
        page_->resize(1000, 600);
        page_->show();
        QApplication::processEvents();
        page_->DrawCurve();
    }

    CDlgEq& Page() { return *page_; }
    CChartCtrl& Chart() { return page_->Chart(); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(Chart().mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&Chart(), &event);
    }

private:
    QTemporaryDir dir_;
    CIniSettingBase settings_;
    CIniLocalLan language_;
    std::unique_ptr<CDlgEq> page_;
};

void BM_DragStep(benchmark::State& state) {
    TuningPage setup(false);
    QPoint handle;
    if (!setup.Page().Tuning()->Handles()->HandlePixel(4, handle)) {
        state.SkipWithError("no handle for band 4");
        return;
    }
    setup.Mouse(QEvent::MouseButtonPress, handle, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // Back and forth by 12 pixels each way: every move changes the band's values.
        const int offset = (step++ % 2 == 0) ? 12 : -12;
        setup.Mouse(QEvent::MouseMove, handle + QPoint(offset, offset), Qt::LeftButton);
        setup.Chart().repaint();
    }
    setup.Mouse(QEvent::MouseButtonRelease, handle, Qt::NoButton);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

void BM_LiveKeystroke(benchmark::State& state) {
    TuningPage setup(true);
    CPageEdit& box = setup.Page().GainBox(6);
    box.setFocus();
    box.setText(QStringLiteral("5"));
    box.end(false);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // Typing "5" and taking it back again: every key changes the curve.
        const bool erase = step++ % 2 == 0;
        QKeyEvent press(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_5, Qt::NoModifier,
                        erase ? QString() : QStringLiteral("5"));
        QApplication::sendEvent(&box, &press);
        QApplication::processEvents();
        setup.Chart().repaint();
    }
}
BENCHMARK(BM_LiveKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
