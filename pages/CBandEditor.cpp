#include "pages/CBandEditor.h"

#include "base/NumberText.h"
#include "base/TextCatalog.h"
#include "chart/CChartAxis.h"
#include "chart/CChartCtrl.h"
#include "chart/CChartHandleLayer.h"
#include "pages/CEqualiserPage.h"
#include "pages/CPageEdit.h"
#include "pages/CTuningView.h"
#include "params/DeviceSteps.h"

#include <QToolTip>
#include <algorithm>

namespace {

std::u16string Number(int64_t value) {
    return NumberText::Widen(NumberText::FormatInt(value));
}

} // namespace

CBandEditor::CBandEditor(CEqualiserPage& page) : page_(page) {
    for (int band = 0; band < page_.BandCount(); ++band) {
        CPageEdit* boxes[] = {&page_.GainBox(band), &page_.FrequencyBox(band), &page_.QBox(band)};
        for (CPageEdit* box : boxes) {
            box->SetStepping(true);
        }
        connect(boxes[0], &CPageEdit::Stepped, this,
                [this, band](int steps) { StepGain(band, steps); });
        connect(boxes[1], &CPageEdit::Stepped, this,
                [this, band](int steps) { StepFrequency(band, steps); });
        if (IsPeaking(band)) {
            connect(boxes[2], &CPageEdit::Stepped, this,
                    [this, band](int steps) { StepQ(band, steps); });
        }
    }
}

void CBandEditor::Attach(CChartHandleLayer* handles) {
    if (handles == handles_) {
        return;
    }
    if (handles_ != nullptr) {
        disconnect(handles_, nullptr, this, nullptr);
    }
    handles_ = handles;
    drag_ = Drag{};
    if (handles == nullptr) {
        return;
    }
    connect(handles, &CChartHandleLayer::DragStarted, this, &CBandEditor::OnDragStarted);
    connect(handles, &CChartHandleLayer::Dragged, this, &CBandEditor::OnDragged);
    connect(handles, &CChartHandleLayer::DragFinished, this, &CBandEditor::OnDragFinished);
    connect(handles, &CChartHandleLayer::Wheeled, this, &CBandEditor::OnWheeled);
    connect(handles, &CChartHandleLayer::DoubleClicked, this, &CBandEditor::OnDoubleClicked);
}

bool CBandEditor::IsPeaking(int band) const {
    return band > 0 && band < page_.BandCount() - 1;
}

int32_t CBandEditor::BoxGain(int band) const {
    return DeviceSteps::Gain(static_cast<double>(page_.GainBox(band).IntValue()));
}

int32_t CBandEditor::BoxFrequency(int band) const {
    return DeviceSteps::Frequency(static_cast<double>(page_.FrequencyBox(band).Int64Value()),
                                  page_.SampleRate());
}

void CBandEditor::StepGain(int band, int steps) {
    CPageEdit& box = page_.GainBox(band);
    box.ShowInt(DeviceSteps::Gain(static_cast<double>(box.IntValue()) + steps));
}

void CBandEditor::StepFrequency(int band, int steps) {
    CPageEdit& box = page_.FrequencyBox(band);
    box.ShowInt(
        DeviceSteps::Frequency(static_cast<double>(box.Int64Value()) + steps, page_.SampleRate()));
}

void CBandEditor::StepQ(int band, int steps) {
    CPageEdit& box = page_.QBox(band);
    const int64_t tenths = static_cast<int64_t>(DeviceSteps::QTenths(box.FloatValue())) + steps;
    box.ShowOneDecimal(static_cast<double>(std::max<int64_t>(tenths, DeviceSteps::kMinQTenths)) /
                       10.0);
}

bool CBandEditor::Write(int band, int32_t frequency, int32_t gain) {
    CPageEdit& gainBox = page_.GainBox(band);
    CPageEdit& frequencyBox = page_.FrequencyBox(band);
    const QString gainText = QString::fromStdString(NumberText::FormatInt(gain));
    const QString frequencyText = QString::fromStdString(NumberText::FormatInt(frequency));
    if (gainBox.text() == gainText && frequencyBox.text() == frequencyText) {
        return false;
    }
    gainBox.setText(gainText);
    frequencyBox.setText(frequencyText);
    return true;
}

void CBandEditor::ShowTooltip(int band, QPoint pixel) const {
    const TextCatalog texts = page_.Texts();
    const std::u16string kind = texts.Text(CTuningView::BandKindText(page_.Kind(), band));
    const std::u16string frequency = Number(page_.FrequencyBox(band).IntValue());
    const std::u16string gain = Number(page_.GainBox(band).IntValue());
    std::u16string text;
    if (IsPeaking(band)) {
        const std::u16string q =
            NumberText::Widen(NumberText::FormatFixed(page_.QBox(band).FloatValue(), 1));
        text = texts.Format(TextId::BandTooltip, {Number(band), kind, frequency, gain, q});
    } else {
        text = texts.Format(TextId::ShelfTooltip, {Number(band), kind, frequency, gain});
    }
    CChartCtrl& chart = page_.Chart();
    QToolTip::showText(chart.mapToGlobal(pixel + QPoint(12, -24)), QString::fromStdU16String(text),
                       &chart);
}

void CBandEditor::OnDragStarted(int band, QPoint pixel) {
    drag_ = Drag{};
    drag_.band = band;
    drag_.start = pixel;
    drag_.last = pixel;
    drag_.startFrequency = BoxFrequency(band);
    drag_.startGain = BoxGain(band);
    QPoint centre;
    if (handles_ != nullptr && handles_->HandlePixel(band, centre)) {
        drag_.grabOffset = centre - pixel;
    }
    emit page_.EditStarted(band);
    ShowTooltip(band, pixel);
}

void CBandEditor::OnDragged(int band, QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (band != drag_.band) {
        return;
    }
    const CChartAxis* bottom = page_.Chart().GetBottomAxis();
    const CChartAxis* left = page_.Chart().GetLeftAxis();
    if (bottom == nullptr || left == nullptr) {
        return;
    }
    const int32_t rate = page_.SampleRate();
    int32_t frequency = 0;
    int32_t gain = 0;
    if (modifiers & Qt::ShiftModifier) {
        if (!drag_.fine) {
            // Counted from the pointer's last place before Shift, so no step is lost.
            drag_.fine = true;
            drag_.fineAnchor = drag_.last;
            drag_.anchorFrequency = BoxFrequency(band);
            drag_.anchorGain = BoxGain(band);
        }
        const QPoint moved = pixel - drag_.fineAnchor;
        frequency =
            DeviceSteps::Frequency(static_cast<double>(drag_.anchorFrequency) + moved.x(), rate);
        // Upwards is more gain; whole dB only every few pixels.
        gain = DeviceSteps::Gain(static_cast<double>(drag_.anchorGain) -
                                 static_cast<double>(moved.y() / kFinePixelsPerDb));
    } else {
        if (drag_.fine) {
            // Shift let go: the handle stays where the fine steps put it.
            drag_.fine = false;
            QPoint centre;
            if (handles_ != nullptr && handles_->HandlePixel(band, centre)) {
                drag_.grabOffset = centre - pixel;
            }
        }
        const QPoint target = pixel + drag_.grabOffset;
        frequency = pixel.x() == drag_.start.x()
                        ? drag_.startFrequency
                        : DeviceSteps::Frequency(bottom->ScreenToValue(target.x()), rate);
        gain = pixel.y() == drag_.start.y() ? drag_.startGain
                                            : DeviceSteps::Gain(left->ScreenToValue(target.y()));
    }
    drag_.last = pixel;
    if (Write(band, frequency, gain)) {
        page_.RedrawFromBoxes();
    }
    ShowTooltip(band, pixel);
}

void CBandEditor::OnDragFinished(int band) {
    if (band != drag_.band) {
        return;
    }
    drag_ = Drag{};
    QToolTip::hideText();
    emit page_.EditFinished(band);
}

void CBandEditor::OnWheeled(int band, int notches, Qt::KeyboardModifiers /*modifiers*/) {
    if (!IsPeaking(band)) {
        return; // the shelves have no Q
    }
    emit page_.EditStarted(band);
    StepQ(band, notches);
    page_.RedrawFromBoxes();
    QPoint centre;
    if (handles_ != nullptr && handles_->HandlePixel(band, centre)) {
        ShowTooltip(band, centre);
    }
    emit page_.EditFinished(band);
}

void CBandEditor::OnDoubleClicked(int band) {
    CPageEdit& box = page_.GainBox(band);
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}
