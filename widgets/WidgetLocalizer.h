#pragma once

#include <string>

class CIniLocalLan;
class QWidget;

// The widget side of the localization: replaces the texts of a window and its controls from the
// language object (apply mode), or writes them into it (collect mode).
//
// Controls are found by their "controlId" property (see ControlId) and mapped to the key kinds of
// the language file by their class: buttons, check boxes and group boxes are "Button"
// (BUTTON_<id>), labels are "Static" (LABEL_<id>), a table or tree view with a header is
// "SysListView32" (LISTVIEW_<id>_Header_<column>). Every other widget (edit boxes, combo boxes,
// the chart, tab widgets) is left alone, and so is a control without an identifier.
class WidgetLocalizer {
public:
    // The key of a window's caption, "DIALOG_<dialogId>:DIALOG_TITLE".
    static std::u16string TitleKey(int dialogId);

    // Collect mode (collect true): stores the window's caption and the texts of its identified
    // descendants under their keys, in section DIALOG_<dialogId>, then saves the language file;
    // the window is not changed.
    // Apply mode: false, changing nothing, when no language file has loaded. Otherwise sets the
    // caption to DIALOG_TITLE of the dialog's section, or with withAppName to the application's
    // name (LANG:IDS_TEXT_APPNAME) followed by SonvexVersion::kTitle, and every identified
    // control's text to its key's value ("" when the file lacks the key). Returns true when every
    // descendant was visited.
    static bool ApplyDialogLanguage(CIniLocalLan& language, QWidget& window, bool collect,
                                    int dialogId, bool withAppName);

    // Sets the text of every item of a menu bar or menu (any widget with actions) to the value
    // of "<prefix>_<position>", positions from 0 at each level, separators and items with a
    // fixed text (ControlId::SetFixedText) counted but skipped;
    // an item with a submenu is set and its submenu done with its own key as prefix. The keys
    // are bare keys: they are looked up in the current section of the language object.
    static void ApplyMenuLanguage(CIniLocalLan& language, QWidget& menu,
                                  const std::u16string& prefix);
};
