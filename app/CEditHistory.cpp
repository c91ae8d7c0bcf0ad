#include "app/CEditHistory.h"

#include "app/CChainPanel.h"
#include "app/CMessageReporter.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "app/EditStepNames.h"
#include "pages/CPageEdit.h"
#include "pages/CProcessingPage.h"
#include "params/ShownParameters.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QTabWidget>

#include <algorithm>

namespace {

constexpr std::size_t Index(CEditHistory::Slot slot) {
    return slot == CEditHistory::Slot::A ? 0 : 1;
}

// The keys of Undo (false) and Redo (true), which an edit box would otherwise keep for its own
// undo of single keystrokes.
std::optional<bool> HistoryKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    if (key.matches(QKeySequence::Undo)) {
        return false;
    }
    if (key.matches(QKeySequence::Redo) || combination == QKeyCombination(Qt::CTRL | Qt::Key_Y) ||
        combination == QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
        return true;
    }
    return std::nullopt;
}

} // namespace

CEditHistory::CEditHistory(CSonvexDlg& window, TextCatalog texts)
    : window_(window), texts_(texts), state_(window),
      boxNames_(EditStepNames::BoxNames(window, texts_)), baseline_(state_.Capture()),
      clean_(window.Settings().Params), caption_(window.windowTitle()),
      undoCaption_(Action(kUndoCommandId)->text()), redoCaption_(Action(kRedoCommandId)->text()) {
    ConnectBoxes();
    ConnectControls();
    ConnectMenu();
    Refresh();
}

QAction* CEditHistory::Action(int id) const {
    return window_.MenuCommand(id);
}

std::u16string CEditHistory::PageName(const CProcessingPage& page) const {
    return EditStepNames::PageName(page, texts_);
}

// --- Connections ------------------------------------------------------------------------------

void CEditHistory::ConnectBoxes() {
    for (CPageEdit* box : state_.Boxes()) {
        connect(box, &CPageEdit::Committed, this, [this, box] { OnBoxCommitted(*box); });
        connect(box, &QLineEdit::textChanged, this, &CEditHistory::RefreshSoon);
        box->installEventFilter(this);
    }
}

void CEditHistory::ConnectControls() {
    CModePanel& modes = window_.Modes();
    const std::array<CProcessingPage*, 4> pages = state_.Pages();
    // The mode boxes 1064 to 1067 switch the ten-band, DRC, eight-band and limiter blocks.
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        const std::u16string name =
            texts_.Format(TextId::StepMode, {PageName(*pages[static_cast<std::size_t>(i)])});
        connect(&modes.ModeBox(i), &QComboBox::activated, this,
                [this, name] { Record(name, true); });
    }
    connect(&modes.LinkBox(), &QCheckBox::clicked, this,
            [this] { Record(texts_.Text(TextId::StepLink), true); });
    // The main window's channel only chooses which gains the boxes show.
    connect(&modes.ChannelBox(), &QComboBox::activated, this, &CEditHistory::Settle);
    for (CProcessingPage* page : pages) {
        connect(&page->ChannelBox(), &QComboBox::activated, this,
                [this, page] { OnPageChannel(*page); });
        connect(&page->LinkBox(), &QCheckBox::clicked, this, [this, page] { OnPageLink(*page); });
    }
    connect(&window_.Chain(), &CChainPanel::BlockClicked, this, [this](int tab, int) {
        if (auto* page = qobject_cast<CProcessingPage*>(window_.Tabs().widget(tab))) {
            OnPageChannel(*page);
        }
    });
}

void CEditHistory::ConnectMenu() {
    QAction* undo = Action(kUndoCommandId);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &CEditHistory::Undo);
    QAction* redo = Action(kRedoCommandId);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo, &QAction::triggered, this, &CEditHistory::Redo);
    Action(kToggleCommandId)->setShortcut(QKeySequence(Qt::Key_F6));

    // Like every other menu command, these first commit the box that has the focus.
    const auto command = [this](int id, auto run) {
        connect(Action(id), &QAction::triggered, this, [this, run] {
            if (window_.CommitBeforeCommand(true)) {
                run();
            }
        });
    };
    command(kStoreACommandId, [this] { Store(Slot::A); });
    command(kStoreBCommandId, [this] { Store(Slot::B); });
    command(kRecallACommandId, [this] { Recall(Slot::A); });
    command(kRecallBCommandId, [this] { Recall(Slot::B); });
    command(kToggleCommandId, [this] { Toggle(); });
}

bool CEditHistory::eventFilter(QObject* watched, QEvent* event) {
    // An edit box claims these keys before the menu's shortcuts see them; they reach the box as
    // key presses, and go to the window's Undo and Redo from here.
    if (event->type() == QEvent::KeyPress) {
        if (const std::optional<bool> redo = HistoryKey(*static_cast<QKeyEvent*>(event))) {
            if (*redo) {
                Redo();
            } else {
                Undo();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- Steps ------------------------------------------------------------------------------------

void CEditHistory::Record(TextId name) {
    Record(texts_.Text(name));
}

void CEditHistory::Record(const std::u16string& name, bool savesConfig) {
    if (restoring_) {
        return;
    }
    Snapshot now = state_.Capture();
    if (!now->SameEditor(*baseline_)) {
        steps_.Record(StepLabel{name, savesConfig}, baseline_, now);
    }
    baseline_ = std::move(now);
    Refresh();
}

void CEditHistory::Settle() {
    if (restoring_) {
        return;
    }
    baseline_ = state_.Capture();
    Refresh();
}

void CEditHistory::MarkClean() {
    clean_ = window_.Settings().Params;
    RefreshSoon();
}

void CEditHistory::OnBoxCommitted(CPageEdit& box) {
    const bool gainBox = &box == &window_.Modes().Gain1Box() || &box == &window_.Modes().Gain2Box();
    // Leaving a gain box stores it and saves config.ini; a page's box is only checked.
    Record(boxNames_[&box], gainBox);
}

void CEditHistory::OnPageChannel(CProcessingPage& page) {
    // Nothing changed when a failed check stopped the change.
    if (state_.Capture()->SameEditor(*baseline_)) {
        return;
    }
    if (window_.Settings().LastFileResult().Ok()) {
        MarkClean(); // the channel change saved config.ini
    }
    const std::array<CProcessingPage*, 4> pages = state_.Pages();
    const auto index =
        static_cast<std::size_t>(std::find(pages.begin(), pages.end(), &page) - pages.begin());
    if (index < pages.size() && baseline_->unstoredPages[index]) {
        // The page's typed values went with the change: undo brings them back.
        Record(texts_.Format(TextId::StepChannel, {PageName(page)}), true);
    } else {
        Settle();
    }
}

void CEditHistory::OnPageLink(CProcessingPage& page) {
    if (state_.Capture()->SameEditor(*baseline_)) {
        return;
    }
    if (window_.Settings().LastFileResult().Ok()) {
        MarkClean();
    }
    Record(texts_.Format(TextId::StepPageLink, {PageName(page)}), true);
}

CPageEdit* CEditHistory::TypingBox() const {
    auto* box = qobject_cast<CPageEdit*>(window_.focusWidget());
    const int index = state_.IndexOf(box);
    if (index >= 0 && box->text() != baseline_->texts[static_cast<std::size_t>(index)]) {
        return box;
    }
    return nullptr;
}

void CEditHistory::RecordTyping() {
    if (CPageEdit* box = TypingBox()) {
        Record(boxNames_[box]);
    }
}

void CEditHistory::Undo() {
    // Earlier focus changes commit first; the box being typed in is taken back unchecked.
    if (!CPageEdit::ReportPending()) {
        return;
    }
    RecordTyping();
    if (const Steps::Step* step = steps_.Undo()) {
        Apply(*step->before, step->label.savesConfig, step->after->tab);
    }
}

void CEditHistory::Redo() {
    if (!CPageEdit::ReportPending()) {
        return;
    }
    RecordTyping(); // new typing ends what could be redone, as in any editor
    if (const Steps::Step* step = steps_.Redo()) {
        Apply(*step->after, step->label.savesConfig, step->after->tab);
    }
}

void CEditHistory::Apply(const EditorSnapshot& snapshot, bool saveConfig, int tab) {
    restoring_ = true;
    state_.Restore(snapshot, tab);
    restoring_ = false;
    baseline_ = state_.Capture();
    if (saveConfig) {
        SaveConfig();
    }
    Refresh();
}

void CEditHistory::SaveConfig() {
    // As the commit did: a failure is not reported, and the title keeps its marker.
    if (window_.Settings().Save(u"")) {
        MarkClean();
    }
}

// --- A and B ------------------------------------------------------------------------------------

void CEditHistory::Store(Slot slot) {
    slots_[Index(slot)] = Stored{state_.Capture(), state_.Content()};
    Refresh();
}

void CEditHistory::Recall(Slot slot) {
    const std::optional<Stored>& stored = slots_[Index(slot)];
    if (!stored) {
        return;
    }
    restoring_ = true;
    state_.Restore(*stored->snapshot, -1);
    restoring_ = false;
    Record(slot == Slot::A ? TextId::StepRecallA : TextId::StepRecallB);
}

void CEditHistory::Toggle() {
    const bool showsA = ShownSlot() == Slot::A;
    if (slots_[1] && (showsA || !slots_[0])) {
        Recall(Slot::B);
    } else {
        Recall(Slot::A);
    }
}

std::optional<CEditHistory::Slot> CEditHistory::ShownSlot() {
    if (!slots_[0] && !slots_[1]) {
        return std::nullopt;
    }
    const ParameterSet content = state_.Content();
    for (const Slot slot : {Slot::A, Slot::B}) {
        const std::optional<Stored>& stored = slots_[Index(slot)];
        if (stored && stored->content == content) {
            return slot;
        }
    }
    return std::nullopt;
}

// --- Unsaved changes --------------------------------------------------------------------------

bool CEditHistory::HasUnsavedChanges() {
    return state_.BoxesHoldUnstoredValues() ||
           ShownParameters::WithoutView(window_.Settings().Params) !=
               ShownParameters::WithoutView(clean_);
}

bool CEditHistory::DiffersFromConfigFile() {
    CIniSettingBase onDisk;
    if (!onDisk.Load(window_.Settings().FilePath())) {
        return true;
    }
    return ShownParameters::WithoutView(onDisk.Params) !=
           ShownParameters::WithoutView(window_.Settings().Params);
}

bool CEditHistory::UnsavedAtClose() {
    if (state_.BoxesHoldUnstoredValues()) {
        return true;
    }
    // Without config.ini nothing is saved there: what counts is the last file, send, load, read.
    if (!window_.ConfigLoaded()) {
        return ShownParameters::WithoutView(window_.Settings().Params) !=
               ShownParameters::WithoutView(clean_);
    }
    return DiffersFromConfigFile();
}

bool CEditHistory::ConfirmClose() {
    if (!UnsavedAtClose()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, CMessageReporter::Title(),
                    QString::fromStdU16String(texts_.Text(TextId::DiscardUnsaved)),
                    QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Discard;
}

// --- Menu and title -----------------------------------------------------------------------------

void CEditHistory::RefreshSoon() {
    if (refreshQueued_) {
        return;
    }
    refreshQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshQueued_ = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void CEditHistory::Refresh() {
    const auto itemText = [this](const std::u16string* name, TextId pattern, const QString& bare) {
        return name != nullptr ? QString::fromStdU16String(texts_.Format(pattern, {*name})) : bare;
    };
    // While a box is being typed in, Undo takes the typing back and nothing is left to redo.
    const CPageEdit* typing = TypingBox();
    const Steps::Step* undone = steps_.NextUndo();
    const std::u16string* undoName = nullptr;
    if (typing != nullptr) {
        undoName = &boxNames_[typing];
    } else if (undone != nullptr) {
        undoName = &undone->label.name;
    }
    QAction* undo = Action(kUndoCommandId);
    undo->setText(itemText(undoName, TextId::UndoStep, undoCaption_));
    undo->setEnabled(undoName != nullptr);
    const Steps::Step* redone = typing == nullptr ? steps_.NextRedo() : nullptr;
    QAction* redo = Action(kRedoCommandId);
    redo->setText(itemText(redone != nullptr ? &redone->label.name : nullptr, TextId::RedoStep,
                           redoCaption_));
    redo->setEnabled(redone != nullptr);
    Action(kRecallACommandId)->setEnabled(slots_[0].has_value());
    Action(kRecallBCommandId)->setEnabled(slots_[1].has_value());
    Action(kToggleCommandId)->setEnabled(slots_[0] || slots_[1]);

    QString title = caption_;
    if (const std::optional<Slot> shown = ShownSlot()) {
        title += *shown == Slot::A ? QStringLiteral(" [A]") : QStringLiteral(" [B]");
    }
    if (HasUnsavedChanges()) {
        title += QStringLiteral(" *");
    }
    window_.setWindowTitle(title);
}
