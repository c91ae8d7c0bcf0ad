#pragma once

#include <QGroupBox>

#include <array>

class CPageEdit;
class QCheckBox;
class QComboBox;

// The frame round the controls of the main window that belong to no page: the four mode boxes
// ("OFF" index 0, "ON" index 1), the Gain1 and Gain2 boxes of the main window's channel, the
// "Link" box and the channel box ("channel0", "channel1").
//
// Controls: 1064 "10EQ Mode", 1065 "DRC Mode", 1066 "8EQ Mode", 1067 "Limit Mode" (combo boxes),
// 1041 Gain1, 1042 Gain2 (edit boxes), 1058 "Link", 1059 the channel box. Frame and labels: 2113
// the frame (no title), 2114 "10EQ Mode", 2115 "DRC Mode", 2116 "8EQ Mode", 2117 "Limit Mode",
// 2118 "Gain1", 2119 "dB", 2120 "Gain2", 2121 "dB".
class CModePanel : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kModeBoxCount = 4;
    // The mode boxes in the order 1064, 1065, 1066, 1067.
    static constexpr std::array<int, kModeBoxCount> kModeBoxIds{1064, 1065, 1066, 1067};

    explicit CModePanel(QWidget* parent = nullptr);

    // i indexes kModeBoxIds.
    QComboBox& ModeBox(int i) const { return *modeBoxes_[static_cast<std::size_t>(i)]; }
    CPageEdit& Gain1Box() const { return *gain1_; }
    CPageEdit& Gain2Box() const { return *gain2_; }
    QCheckBox& LinkBox() const { return *link_; }
    QComboBox& ChannelBox() const { return *channel_; }

private:
    std::array<QComboBox*, kModeBoxCount> modeBoxes_{};
    CPageEdit* gain1_ = nullptr;
    CPageEdit* gain2_ = nullptr;
    QCheckBox* link_ = nullptr;
    QComboBox* channel_ = nullptr;
};
