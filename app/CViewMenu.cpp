#include "app/CViewMenu.h"

#include "app/CModePanel.h"
#include "base/NumberText.h"
#include "pages/CEqualiserPage.h"
#include "pages/CPageEdit.h"
#include "settings/CIniSettingBase.h"
#include "widgets/ControlId.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>

namespace {

// The items' built-in texts, in the order of ViewOptions::All(); the language files hold them
// under MENU_2_0 to MENU_2_5.
constexpr std::array<const char*, ViewOptions::kCount> kItemTexts{"Logarithmic frequency axis",
                                                                  "Live curve",
                                                                  "Both channels",
                                                                  "Whole chain",
                                                                  "Band curves",
                                                                  "Device response"};

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

CViewMenu::CViewMenu(QMenu& menu, CIniSettingBase& settings, QObject* parent)
    : QObject(parent), settings_(settings) {
    for (std::size_t i = 0; i < ViewOptions::kCount; ++i) {
        const ViewOption option = ViewOptions::All()[i];
        auto* action = new QAction(QString::fromLatin1(kItemTexts[i]), &menu);
        action->setCheckable(true);
        ControlId::Set(*action, kFirstCommandId + static_cast<int>(i));
        menu.addAction(action);
        // triggered: a choice of the user; checking the item in code notifies nothing.
        connect(action, &QAction::triggered, this, [this, option](bool on) { Set(option, on); });
        actions_[i] = action;
    }
}

QAction& CViewMenu::Action(ViewOption option) const {
    return *actions_[static_cast<std::size_t>(option)];
}

void CViewMenu::Load() {
    options_ = ViewOptions::Load(settings_);
    for (const ViewOption option : ViewOptions::All()) {
        Action(option).setChecked(options_.Get(option));
    }
}

void CViewMenu::Set(ViewOption option, bool on) {
    options_.Set(option, on);
    Action(option).setChecked(on);
    // As every other write of config.ini, a failure is not reported.
    options_.Save(settings_, option);
    for (CEqualiserPage* page : pages_) {
        if (page != nullptr) {
            page->SetViewOptions(options_);
        }
    }
}

void CViewMenu::OverlayGains(ParameterSet& draft) const {
    if (modes_ == nullptr) {
        return;
    }
    const auto read = [](const CPageEdit& box) {
        return NumberText::TruncateToInt32(NumberText::ParseDecimal(View(box.text())));
    };
    const int32_t gain1 = read(modes_->Gain1Box());
    const int32_t gain2 = read(modes_->Gain2Box());
    const bool both = draft.Link;
    if (both || draft.Channel == 0) {
        draft.SCTRGAINL1 = gain1;
        draft.SCTRGAINL2 = gain2;
    }
    if (both || draft.Channel != 0) {
        draft.SCTRGAINR1 = gain1;
        draft.SCTRGAINR2 = gain2;
    }
}

void CViewMenu::ScheduleBoth() const {
    if (!options_.Get(ViewOption::WholeChain)) {
        return;
    }
    for (CEqualiserPage* page : pages_) {
        page->ScheduleLiveRedraw();
    }
}

void CViewMenu::Attach(CEqualiserPage& tenBand, CEqualiserPage& eightBand, CModePanel& modes) {
    pages_ = {&tenBand, &eightBand};
    modes_ = &modes;
    for (CEqualiserPage* page : pages_) {
        page->SetViewOptions(options_);
        page->SetDraftOverlay([this](ParameterSet& draft) {
            OverlayGains(draft);
            for (const CEqualiserPage* each : pages_) {
                each->OverlayBoxes(draft);
            }
        });
    }
    // The other page's whole chain holds this page's equaliser.
    connect(&tenBand, &CEqualiserPage::BoxesChanged, this, [this] {
        if (options_.Get(ViewOption::WholeChain)) {
            pages_[1]->ScheduleLiveRedraw();
        }
    });
    connect(&eightBand, &CEqualiserPage::BoxesChanged, this, [this] {
        if (options_.Get(ViewOption::WholeChain)) {
            pages_[0]->ScheduleLiveRedraw();
        }
    });
    for (CPageEdit* box : {&modes.Gain1Box(), &modes.Gain2Box()}) {
        connect(box, &QLineEdit::textChanged, this, [this] { ScheduleBoth(); });
    }
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        connect(&modes.ModeBox(i), &QComboBox::currentIndexChanged, this,
                [this] { ScheduleBoth(); });
    }
    connect(&modes.ChannelBox(), &QComboBox::currentIndexChanged, this, [this] { ScheduleBoth(); });
    connect(&modes.LinkBox(), &QCheckBox::toggled, this, [this] { ScheduleBoth(); });
}
