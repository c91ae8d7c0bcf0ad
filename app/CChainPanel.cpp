#include "app/CChainPanel.h"

#include "params/ChannelFields.h"
#include "widgets/ControlId.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

struct BlockButton {
    int channel;
    int tab;
    int id;
    const char* text;
};

constexpr std::array<BlockButton, 6> kButtons{{
    {0, CChainPanel::kTenBandTab, 1001, "10EQ"},
    {0, CChainPanel::kDrcTab, 1002, "DRC"},
    {0, CChainPanel::kEightBandTab, 1083, "8EQ"},
    {1, CChainPanel::kTenBandTab, 1004, "10EQ"},
    {1, CChainPanel::kDrcTab, 1005, "DRC"},
    {1, CChainPanel::kEightBandTab, 1003, "8EQ"},
}};

// First label identifier of each row: name, four arrows, "OUT".
constexpr std::array<int, 2> kRowLabelIds{2101, 2107};
constexpr std::array<const char*, 2> kRowNames{"L", "R"};
constexpr int kFrameId = 2100;
constexpr int kButtonWidth = 68;
constexpr int kButtonHeight = 40;

QLabel* MakeLabel(QWidget* parent, int id, const QString& text) {
    auto* label = new QLabel(text, parent);
    ControlId::Set(*label, id);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CChainPanel::CChainPanel(QWidget* parent) : QGroupBox(parent) {
    ControlId::Set(*this, kFrameId);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6);

    // Columns: 0 name, 1 arrow, 2 10EQ, 3 arrow, 4 DRC, 5 arrow, 6 8EQ, 7 arrow, 8 OUT.
    for (int channel = 0; channel < 2; ++channel) {
        const int first = kRowLabelIds[static_cast<std::size_t>(channel)];
        grid->addWidget(
            MakeLabel(this, first,
                      QString::fromLatin1(kRowNames[static_cast<std::size_t>(channel)])),
            channel, 0);
        for (int arrow = 0; arrow < 4; ++arrow) {
            grid->addWidget(MakeLabel(this, first + 1 + arrow, QStringLiteral(u"→")), channel,
                            1 + 2 * arrow);
        }
        grid->addWidget(MakeLabel(this, first + 5, QStringLiteral("OUT")), channel, 8);
    }
    for (const BlockButton& block : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(block.text), this);
        ControlId::Set(*button, block.id);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumSize(kButtonWidth, kButtonHeight);
        grid->addWidget(button, block.channel, 2 * block.tab);
        buttons_[static_cast<std::size_t>(block.channel)][static_cast<std::size_t>(block.tab - 1)] =
            button;
        connect(
            button, &QPushButton::clicked, this,
            [this, tab = block.tab, channel = block.channel] { emit BlockClicked(tab, channel); });
    }
    for (int column : {1, 3, 5, 7}) {
        grid->setColumnStretch(column, 1);
    }
}

QPushButton& CChainPanel::Button(int channel, int tab) const {
    return *buttons_[ChannelField::Index(channel)][static_cast<std::size_t>(tab - 1)];
}
