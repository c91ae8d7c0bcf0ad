#include "app/CBusyDialog.h"

#include "app/CMessageReporter.h"
#include "base/NumberText.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kTickMilliseconds = 200;

} // namespace

CBusyDialog::CBusyDialog(TextCatalog texts, QWidget* parent, TextId step)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), texts_(texts) {
    setWindowTitle(CMessageReporter::Title());
    setModal(true);

    step_ = new QLabel(QString::fromStdU16String(texts_.Text(step)), this);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0); // moving, no end known
    bar->setTextVisible(false);
    elapsed_ = new QLabel(ElapsedText(0), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(step_);
    layout->addWidget(bar);
    layout->addWidget(elapsed_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&ticker_, &QTimer::timeout, this, &CBusyDialog::ShowElapsed);
}

QString CBusyDialog::ElapsedText(qint64 seconds) const {
    return QString::fromStdU16String(
        texts_.Format(TextId::BusyElapsed, {NumberText::Widen(NumberText::FormatInt(seconds))}));
}

void CBusyDialog::Run(std::function<void()> work) {
    finished_ = false;
    std::unique_ptr<QThread> worker(QThread::create(std::move(work)));
    // Emitted on the worker thread, delivered here through the event loop of exec().
    connect(worker.get(), &QThread::finished, this, &CBusyDialog::WorkFinished);
    clock_.start();
    ShowElapsed();
    ticker_.start(kTickMilliseconds);
    worker->start();
    // A short piece of work (a device list) does not flash a window.
    if (!worker->wait(kQuietMs)) {
        exec();
    }
    worker->wait();
    ticker_.stop();
    finished_ = true;
}

void CBusyDialog::ShowStep(TextId step) {
    const QString text = QString::fromStdU16String(texts_.Text(step));
    QMetaObject::invokeMethod(
        this, [this, text] { step_->setText(text); }, Qt::QueuedConnection);
}

QString CBusyDialog::StepText() const {
    return step_->text();
}

void CBusyDialog::WorkFinished() {
    finished_ = true;
    done(QDialog::Accepted);
}

void CBusyDialog::ShowElapsed() {
    elapsed_->setText(ElapsedText(clock_.elapsed() / 1000));
}

void CBusyDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CBusyDialog::closeEvent(QCloseEvent* event) {
    if (finished_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void CBusyDialog::reject() {
    if (finished_) {
        QDialog::reject();
    }
}
