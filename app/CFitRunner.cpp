#include "app/CFitRunner.h"

#include "base/SonvexVersion.h"
#include "fit/EqualiserFitter.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

constexpr int kSteps = 1000;
constexpr int kTickMs = 50;

} // namespace

FitResult CFitRunner::Run(QWidget& parent, const TextCatalog& texts, const ToolLibrary& library,
                          FitRequest request, const QString& label) {
    QProgressDialog dialog(label, QString::fromStdU16String(texts.Text(TextId::FitCancelButton)), 0,
                           kSteps, &parent);
    dialog.setWindowTitle(QString::fromUtf16(SonvexVersion::kName16));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setValue(0);

    std::atomic<bool> cancel{false};
    std::atomic<int> reached{0};
    QObject::connect(&dialog, &QProgressDialog::canceled, [&cancel] { cancel = true; });
    QObject::connect(&dialog, &QDialog::rejected, [&cancel] { cancel = true; });
    QEventLoop loop;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &dialog, [&dialog, &reached] {
        if (!dialog.wasCanceled()) {
            dialog.setValue(reached.load());
        }
    });
    ticker.start(kTickMs);

    FitResult result;
    const EqualiserFitter fitter(library);
    std::thread worker([&] {
        result = fitter.Fit(
            request, [&reached](double fraction) { reached = static_cast<int>(fraction * kSteps); },
            &cancel);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    dialog.show();
    loop.exec();
    worker.join();
    ticker.stop();
    return result;
}
