#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>

class CChartHandleLayer;
class CEqualiserPage;

// Editing an equaliser page's bands on its chart and with the keys: dragging a band's handle
// sets its frequency (horizontally) and gain (vertically), the wheel over a peaking band's
// handle steps its Q by 0.1, a double-click puts the focus into the band's gain box, and Up,
// Down and the wheel in a box step its value by 1 (a Q by 0.1). Every value written is one the
// entry checks take and the boxes store unchanged: whole dB from -12 to 12, whole Hz above 0 and
// below SWFS / 2, Q in tenths from 0.6 up. The values go into the boxes only; they reach the
// parameter set at the next store, as typed values do.
//
// A drag follows the pointer (a value whose axis the pointer has not left keeps its value, so a
// straight vertical drag changes the gain only); with Shift held it moves in fine steps from
// where Shift was pressed: 1 Hz per pixel and 1 dB per kFinePixelsPerDb pixels. A drag and each
// wheel step over a handle is one edit: the page says EditStarted before and EditFinished after.
class CBandEditor : public QObject {
    Q_OBJECT

public:
    static constexpr int kFinePixelsPerDb = 8;

    explicit CBandEditor(CEqualiserPage& page);

    // Follows these handles (those of the page's chart; null while there are none).
    void Attach(CChartHandleLayer* handles);

    // Steps a band's box value by steps (Up is +1), within the limits.
    void StepGain(int band, int steps);
    void StepFrequency(int band, int steps);
    void StepQ(int band, int steps);

private:
    struct Drag {
        int band = -1;
        QPoint grabOffset; // handle centre minus pointer
        QPoint start;      // the pointer where the drag began
        QPoint last;       // the pointer at the last event of the drag
        int32_t startFrequency = 0;
        int32_t startGain = 0;
        bool fine = false;
        QPoint fineAnchor; // the pointer when the fine steps began
        int32_t anchorFrequency = 0;
        int32_t anchorGain = 0;
    };

    void OnDragStarted(int band, QPoint pixel);
    void OnDragged(int band, QPoint pixel, Qt::KeyboardModifiers modifiers);
    void OnDragFinished(int band);
    void OnWheeled(int band, int notches, Qt::KeyboardModifiers modifiers);
    void OnDoubleClicked(int band);

    bool IsPeaking(int band) const;
    int32_t BoxGain(int band) const;
    int32_t BoxFrequency(int band) const;
    // Writes the band's frequency and gain into its boxes; false when both were there already.
    bool Write(int band, int32_t frequency, int32_t gain);
    void ShowTooltip(int band, QPoint pixel) const;

    CEqualiserPage& page_;
    QPointer<CChartHandleLayer> handles_;
    Drag drag_;
};
