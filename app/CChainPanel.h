#pragma once

#include <QGroupBox>

#include <array>

class QPushButton;

// The frame round the processing chains of both channels: for L and for R a row
// "L"/"R" → "10EQ" → "DRC" → "8EQ" → "OUT", the three blocks being buttons that open their page.
//
// Buttons: channel L 1001 "10EQ", 1002 "DRC", 1083 "8EQ"; channel R 1004 "10EQ", 1005 "DRC",
// 1003 "8EQ". Frame and labels: 2100 the frame (no title); L row 2101 "L", arrows 2102 to 2105,
// 2106 "OUT"; R row 2107 "R", arrows 2108 to 2111, 2112 "OUT".
class CChainPanel : public QGroupBox {
    Q_OBJECT

public:
    // The blocks of a chain, by the index of the tab that shows their page.
    static constexpr int kTenBandTab = 1;
    static constexpr int kDrcTab = 2;
    static constexpr int kEightBandTab = 3;

    explicit CChainPanel(QWidget* parent = nullptr);

    // The button of a block (kTenBandTab, kDrcTab, kEightBandTab) in the row of a channel (0 L, 1
    // R).
    QPushButton& Button(int channel, int tab) const;

signals:
    // A block button was clicked: tab of its page, channel of its row.
    void BlockClicked(int tab, int channel);

private:
    // [channel][tab - 1]
    std::array<std::array<QPushButton*, 3>, 2> buttons_{};
};
