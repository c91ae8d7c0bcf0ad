#include "app/CModePanel.h"

#include "pages/CPageEdit.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int kFrameId = 2113;
constexpr int kGainBoxWidth = 64;

// Where each mode box and its label sit: label id, text, row, column of the label.
struct ModePlace {
    int labelId;
    const char* text;
    int row;
    int column;
};

constexpr std::array<ModePlace, CModePanel::kModeBoxCount> kModePlaces{{
    {2114, "10EQ Mode", 0, 0},
    {2115, "DRC Mode", 0, 2},
    {2116, "8EQ Mode", 1, 0},
    {2117, "Limit Mode", 1, 2},
}};

QLabel* MakeLabel(QWidget* parent, int id, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    ControlId::Set(*label, id);
    return label;
}

QComboBox* MakeComboBox(QWidget* parent, int id, const QStringList& items) {
    auto* box = new QComboBox(parent);
    ControlId::Set(*box, id);
    box->addItems(items);
    return box;
}

} // namespace

CModePanel::CModePanel(QWidget* parent) : QGroupBox(parent) {
    ControlId::Set(*this, kFrameId);
    auto* grid = new QGridLayout(this);

    // Rows: mode boxes of 10EQ and DRC, then Gain1 "dB" Gain2 "dB";
    //       mode boxes of 8EQ and Limit, then "Link" and the channel box.
    // The items sort as the list offers them: "OFF" before "ON".
    for (int i = 0; i < kModeBoxCount; ++i) {
        const ModePlace& place = kModePlaces[static_cast<std::size_t>(i)];
        grid->addWidget(MakeLabel(this, place.labelId, place.text), place.row, place.column,
                        Qt::AlignRight);
        QComboBox* box = MakeComboBox(this, kModeBoxIds[static_cast<std::size_t>(i)],
                                      {QStringLiteral("OFF"), QStringLiteral("ON")});
        grid->addWidget(box, place.row, place.column + 1);
        modeBoxes_[static_cast<std::size_t>(i)] = box;
    }

    gain1_ = new CPageEdit(1041, this);
    gain2_ = new CPageEdit(1042, this);
    gain1_->setFixedWidth(kGainBoxWidth);
    gain2_->setFixedWidth(kGainBoxWidth);
    grid->addWidget(MakeLabel(this, 2118, "Gain1"), 0, 4, Qt::AlignRight);
    grid->addWidget(gain1_, 0, 5);
    grid->addWidget(MakeLabel(this, 2119, "dB"), 0, 6);
    grid->addWidget(MakeLabel(this, 2120, "Gain2"), 0, 7, Qt::AlignRight);
    grid->addWidget(gain2_, 0, 8);
    grid->addWidget(MakeLabel(this, 2121, "dB"), 0, 9);

    link_ = new QCheckBox(QStringLiteral("Link"), this);
    ControlId::Set(*link_, 1058);
    channel_ = MakeComboBox(this, 1059, {QStringLiteral("channel0"), QStringLiteral("channel1")});
    grid->addWidget(link_, 1, 4, 1, 1, Qt::AlignRight);
    grid->addWidget(channel_, 1, 5, 1, 2);
    grid->setColumnStretch(10, 1);
}
