#pragma once

#include "base/TextCatalog.h"

#include <map>
#include <string>

class CPageEdit;
class CSonvexDlg;
class CProcessingPage;

// The names that the Undo and Redo menu items give the editor's steps ("ten-band band 3 gain",
// "DRC low band static time", "limiter threshold", "Gain1"), in the language of the catalog.
// Bands are numbered from 0, the low shelf, as everywhere in the program.
class EditStepNames {
public:
    // "ten-band", "eight-band", "DRC" or "limiter".
    static std::u16string PageName(const CProcessingPage& page, const TextCatalog& texts);
    // The name of the step that commits each edit box of the window.
    static std::map<const CPageEdit*, std::u16string> BoxNames(const CSonvexDlg& window,
                                                               const TextCatalog& texts);
};
