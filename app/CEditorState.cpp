#include "app/CEditorState.h"

#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "base/NumberText.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "params/ShownParameters.h"

#include <QTabWidget>

#include <algorithm>

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

CEditorState::CEditorState(CSonvexDlg& window) : window_(window) {
    const QList<CPageEdit*> boxes = window.findChildren<CPageEdit*>();
    boxes_.assign(boxes.begin(), boxes.end());
}

ParameterSet& CEditorState::Params() {
    return window_.Settings().Params;
}

std::array<CProcessingPage*, 4> CEditorState::Pages() const {
    return {&window_.TenBandPage(), &window_.DrcPage(), &window_.EightBandPage(),
            &window_.LimiterPage()};
}

int CEditorState::IndexOf(const CPageEdit* box) const {
    const auto found = std::find(boxes_.begin(), boxes_.end(), box);
    return found == boxes_.end() ? -1 : static_cast<int>(found - boxes_.begin());
}

std::shared_ptr<const EditorSnapshot> CEditorState::Capture() {
    auto snapshot = std::make_shared<EditorSnapshot>();
    snapshot->params = Params();
    snapshot->texts.reserve(boxes_.size());
    for (const CPageEdit* box : boxes_) {
        snapshot->texts.push_back(box->text());
    }
    snapshot->tab = window_.Tabs().currentIndex();
    snapshot->unstoredPages = UnstoredPages();
    return snapshot;
}

void CEditorState::Restore(const EditorSnapshot& snapshot, int tab) {
    const CPageEdit::Quiet quiet;
    Params() = snapshot.params;
    window_.ShowParameterSet();
    for (std::size_t i = 0; i < boxes_.size() && i < snapshot.texts.size(); ++i) {
        boxes_[i]->setText(snapshot.texts[i]);
    }
    if (tab >= 0) {
        window_.Tabs().setCurrentIndex(tab);
    }
}

std::array<bool, 4> CEditorState::UnstoredPages() {
    ParameterSet& p = Params();
    const ParameterSet saved = p;
    const ParameterSet shown = ShownParameters::AsShown(saved);
    std::array<bool, 4> unstored{};
    const std::array<CProcessingPage*, 4> pages = Pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        p = shown;
        // The channel shown only: a linked page's other channel is not what its boxes hold.
        pages[i]->StoreChannel(pages[i]->SelectedChannel());
        unstored[i] = p != shown;
    }
    p = saved;
    return unstored;
}

bool CEditorState::GainsUnstored() {
    ParameterSet p = Params();
    for (const bool first : {true, false}) {
        const CPageEdit& box = first ? window_.Modes().Gain1Box() : window_.Modes().Gain2Box();
        // As leaving the box stores it, into the channel it shows.
        const int32_t value =
            NumberText::TruncateToInt32(NumberText::ParseDecimal(View(box.text())));
        if (value != CSonvexDlg::Gain(p, p.Channel, first)) {
            return true;
        }
    }
    return false;
}

bool CEditorState::BoxesHoldUnstoredValues() {
    const std::array<bool, 4> pages = UnstoredPages();
    if (std::find(pages.begin(), pages.end(), true) != pages.end() || GainsUnstored()) {
        return true;
    }
    ParameterSet& p = Params();
    const ParameterSet saved = p;
    p = ShownParameters::AsShown(saved);
    const ParameterSet shown = p;
    window_.PublicPage().Store();
    const bool publicUnstored = p != shown;
    p = saved;
    return publicUnstored;
}

ParameterSet CEditorState::Content() {
    ParameterSet& p = Params();
    const ParameterSet saved = p;
    window_.StoreEditor();
    const ParameterSet content = ShownParameters::WithoutView(p);
    p = saved;
    return content;
}
