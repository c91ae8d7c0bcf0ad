#include "pages/CMeasurementBar.h"

#include "base/NumberText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kTiltLimit = 6.0; // dB per octave, either way
constexpr int kRangeBoxWidth = 64;

QString RangeText(double hertz) {
    return QString::fromStdString(NumberText::FormatShortestDouble(hertz));
}

QString Text(const TextCatalog& texts, TextId id) {
    return QString::fromStdU16String(texts.Text(id));
}

} // namespace

CMeasurementBar::CMeasurementBar(QWidget* parent) : QWidget(parent) {
    import_ = new QPushButton(this);
    targetLabel_ = new QLabel(this);
    target_ = new QComboBox(this);
    target_->addItems({QString(), QString(), QString()});
    tilt_ = new QDoubleSpinBox(this);
    tilt_->setRange(-kTiltLimit, kTiltLimit);
    tilt_->setDecimals(1);
    tilt_->setSingleStep(0.1);
    targetFile_ = new QPushButton(this);
    rangeLabel_ = new QLabel(this);
    low_ = new QLineEdit(this);
    high_ = new QLineEdit(this);
    low_->setFixedWidth(kRangeBoxWidth);
    high_->setFixedWidth(kRangeBoxWidth);
    fit_ = new QPushButton(this);
    fitBoth_ = new QPushButton(this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             import_, targetLabel_, target_, tilt_, targetFile_, rangeLabel_, low_,
             new QLabel(QStringLiteral("\u2013"), this), high_, fit_, fitBoth_}) {
        controls->addWidget(widget);
    }
    controls->addStretch(1);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(controls);
    rows->addWidget(status_);

    connect(import_, &QPushButton::clicked, this, &CMeasurementBar::ImportRequested);
    connect(target_, &QComboBox::currentIndexChanged, this, [this] {
        ShowTiltState();
        if (showing_) {
            return;
        }
        if (ChosenTarget() == Target::File) {
            emit TargetFileRequested();
        } else {
            emit TargetChosen();
        }
    });
    connect(tilt_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!showing_) {
            emit TargetChosen();
        }
    });
    connect(targetFile_, &QPushButton::clicked, this, &CMeasurementBar::TargetFileRequested);
    for (QLineEdit* box : {low_, high_}) {
        connect(box, &QLineEdit::editingFinished, this, [this] {
            if (!showing_) {
                emit RangeEdited();
            }
        });
    }
    connect(fit_, &QPushButton::clicked, this, [this] { emit FitRequested(false); });
    connect(fitBoth_, &QPushButton::clicked, this, [this] { emit FitRequested(true); });
    ShowTiltState();
}

void CMeasurementBar::SetTexts(const TextCatalog& texts) {
    import_->setText(Text(texts, TextId::MeasureImportButton));
    targetLabel_->setText(Text(texts, TextId::MeasureTargetLabel));
    target_->setItemText(0, Text(texts, TextId::TargetFlat));
    target_->setItemText(1, Text(texts, TextId::TargetTiltItem));
    target_->setItemText(2, Text(texts, TextId::TargetFile));
    tilt_->setSuffix(Text(texts, TextId::MeasureTiltUnit));
    targetFile_->setText(Text(texts, TextId::MeasureTargetFileButton));
    rangeLabel_->setText(Text(texts, TextId::MeasureRangeLabel));
    fit_->setText(Text(texts, TextId::FitButton));
    fitBoth_->setText(Text(texts, TextId::FitBothButton));
}

void CMeasurementBar::ShowTarget(Target target, double tilt) {
    const QSignalBlocker blockTarget(target_);
    const QSignalBlocker blockTilt(tilt_);
    showing_ = true;
    target_->setCurrentIndex(static_cast<int>(target));
    tilt_->setValue(tilt);
    showing_ = false;
    ShowTiltState();
}

void CMeasurementBar::ShowRange(double low, double high) {
    low_->setText(RangeText(low));
    high_->setText(RangeText(high));
}

void CMeasurementBar::ShowStatus(const QString& text) {
    status_->setText(text);
}

CMeasurementBar::Target CMeasurementBar::ChosenTarget() const {
    return static_cast<Target>(std::max(0, target_->currentIndex()));
}

double CMeasurementBar::Tilt() const {
    return tilt_->value();
}

QString CMeasurementBar::LowText() const {
    return low_->text();
}

QString CMeasurementBar::HighText() const {
    return high_->text();
}

void CMeasurementBar::ShowTiltState() {
    tilt_->setVisible(ChosenTarget() == Target::Tilt);
    targetFile_->setVisible(ChosenTarget() == Target::File);
}
