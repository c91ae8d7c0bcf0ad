#pragma once

#include "params/ParameterSet.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

class CPageEdit;
class CProcessingPage;
class CSonvexDlg;

// What the editor holds at one moment: the parameter set (with it the channel each page shows,
// the link flags and the switches) and the text of every edit box of the window, typed values
// that no commit has stored yet included; besides, the tab shown and which processing pages held
// such values.
struct EditorSnapshot {
    ParameterSet params;
    std::vector<QString> texts; // in the order of CEditorState::Boxes
    int tab = 0;
    // Ten-band, DRC, eight-band, limiter page: boxes holding values not stored.
    std::array<bool, 4> unstoredPages{};

    // The same parameter set and the same texts in every box (the tab shown aside).
    bool SameEditor(const EditorSnapshot& other) const {
        return params == other.params && texts == other.texts;
    }
};

// Takes and restores snapshots of the main window's editor, and tells what its boxes hold that
// no commit has stored. Works through the window's public operations; the window must outlive it.
class CEditorState {
public:
    explicit CEditorState(CSonvexDlg& window);

    std::shared_ptr<const EditorSnapshot> Capture();
    // Puts the editor back as the snapshot holds it: the parameter set, every page showing its
    // channel and Link state, every box its text; tab (when not negative) becomes the tab shown.
    // No box reports a focus change meanwhile, so nothing is checked, committed or saved.
    void Restore(const EditorSnapshot& snapshot, int tab);

    // Whether a box holds a value that storing it would put into the parameter set: a typed
    // gain not yet left, a page's value not yet stored by Save or Set. A box loaded and not
    // touched holds none, even where it shows a decimal rounded to a tenth.
    bool BoxesHoldUnstoredValues();
    // The same for each processing page (ten-band, DRC, eight-band, limiter).
    std::array<bool, 4> UnstoredPages();
    // What a Save would store, the channels shown aside: equal for two states that hold the
    // same values, whichever channel each page shows.
    ParameterSet Content();

    const std::vector<CPageEdit*>& Boxes() const { return boxes_; }
    // -1 for a box that is not the window's.
    int IndexOf(const CPageEdit* box) const;
    // Ten-band, DRC, eight-band, limiter.
    std::array<CProcessingPage*, 4> Pages() const;

private:
    ParameterSet& Params();
    bool GainsUnstored();

    CSonvexDlg& window_;
    std::vector<CPageEdit*> boxes_;
};
