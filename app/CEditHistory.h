#pragma once

#include "app/CEditorState.h"
#include "base/TextCatalog.h"
#include "base/UndoHistory.h"

#include <QObject>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CPageEdit;
class CProcessingPage;
class CSonvexDlg;
class QAction;

// The main window's edit history: one undo history for everything the editor holds, the A and B
// snapshots, the markers of the window title and the question before the window closes.
//
// Steps. Every change of the editor is one step that restores the parameter set and every box
// of every page as it was, including the channel each page shows: a box's value when it is
// committed (left for another control, Enter in a page's box), a mode box, a Link box, a channel
// change that discarded values typed into the page, Reset, Cancel, Load, Read, a recall of A or
// B, and whatever the window's other editing code records (a fit, an EQ import, a drag on a
// chart: Record). Saves and transfers are no steps: undo changes the editor, and the user saves
// or sends again. A step whose commit saved config.ini saves it again when undone or redone.
//
// Ctrl+Z in a box being typed in (or Undo from the menu then) takes back the typing, without
// running the box's check: the typed text becomes a step of its own, so Redo brings it back.
//
// Title: the window's caption, then " [A]" or " [B]" while the editor holds what that snapshot
// holds (whichever channels the pages show), then " *" while it holds something not saved, sent,
// loaded or read since: a box value no commit has stored, or another parameter set.
//
// Closing asks "Discard unsaved changes?" (Discard / Cancel) while a box holds a value no commit
// has stored, or the parameter set differs from config.ini (without config.ini, from what was
// last saved as a file, sent, loaded or read). Otherwise the window closes at once.
class CEditHistory : public QObject {
    Q_OBJECT

public:
    struct MenuItem {
        const char* text; // null for a separator
        int id;
    };
    static constexpr int kUndoCommandId = 32790;
    static constexpr int kRedoCommandId = 32791;
    static constexpr int kStoreACommandId = 32792;
    static constexpr int kStoreBCommandId = 32793;
    static constexpr int kRecallACommandId = 32794;
    static constexpr int kRecallBCommandId = 32795;
    static constexpr int kToggleCommandId = 32796;
    // The items of the File menu, after a separator; the window creates them (so that the menu
    // is localized with them), the history connects them.
    static constexpr std::array<MenuItem, 8> kMenuItems{{
        {"Undo", kUndoCommandId},
        {"Redo", kRedoCommandId},
        {nullptr, 0},
        {"Store A", kStoreACommandId},
        {"Store B", kStoreBCommandId},
        {"Recall A", kRecallACommandId},
        {"Recall B", kRecallBCommandId},
        {"Toggle A/B", kToggleCommandId},
    }};

    struct StepLabel {
        std::u16string name;
        bool savesConfig = false;
    };
    using Snapshot = std::shared_ptr<const EditorSnapshot>;
    using Steps = UndoHistory<Snapshot, StepLabel>;

    enum class Slot { A, B };

    // Made last in the window's construction: its handlers run after the window's and the
    // pages' own. The editor as it is then is saved and the start of the first step.
    CEditHistory(CSonvexDlg& window, TextCatalog texts);

    // The change of the editor since the last step, if any, becomes one step named name (for
    // edits made in code: History().Record(TextId::StepFit) after a fit has filled the boxes).
    void Record(TextId name);
    void Record(const std::u16string& name, bool savesConfig = false);
    // After a command that changes the editor without being a step (Save, Set, Save As, the
    // main window's channel box): the editor as it is now starts the next step.
    void Settle();
    // The parameter set as it is now was saved (config.ini, a file), sent, loaded or read.
    void MarkClean();

    void Undo();
    void Redo();
    void Store(Slot slot);
    // One step; the tab shown stays.
    void Recall(Slot slot);
    // To B while the editor holds A, otherwise to A (to B when only B is stored).
    void Toggle();
    std::optional<Slot> ShownSlot();

    bool HasUnsavedChanges();
    bool UnsavedAtClose();
    // Asks when UnsavedAtClose; true when the window may close.
    bool ConfirmClose();

    const Steps& History() const { return steps_; }
    CEditorState& State() { return state_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Stored {
        Snapshot snapshot;
        ParameterSet content;
    };

    void ConnectBoxes();
    void ConnectControls();
    void ConnectMenu();
    void OnBoxCommitted(CPageEdit& box);
    void OnPageChannel(CProcessingPage& page);
    void OnPageLink(CProcessingPage& page);
    // The focused box when its text was typed since the last step; null otherwise.
    CPageEdit* TypingBox() const;
    // The focused box's text typed since the last step, as a step of its own.
    void RecordTyping();
    // Puts the editor back as snapshot holds it and shows the tab where the step was made.
    void Apply(const EditorSnapshot& snapshot, bool saveConfig, int tab);
    void SaveConfig();
    bool DiffersFromConfigFile();
    std::u16string PageName(const CProcessingPage& page) const;
    // Menu items and title, now or (while typing) once the events have been handled.
    void Refresh();
    void RefreshSoon();
    QAction* Action(int id) const;

    CSonvexDlg& window_;
    TextCatalog texts_;
    CEditorState state_;
    std::map<const CPageEdit*, std::u16string> boxNames_;
    Steps steps_;
    Snapshot baseline_;
    ParameterSet clean_;
    std::array<std::optional<Stored>, 2> slots_;
    QString caption_;
    QString undoCaption_;
    QString redoCaption_;
    bool restoring_ = false;
    bool refreshQueued_ = false;
};
