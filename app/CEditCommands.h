#pragma once

class CSonvexDlg;

// The buttons that commit or take back the editor without the device: Save, Cancel and Reset,
// and the default command (Enter in one of the main window's own boxes).
class CEditCommands {
public:
    explicit CEditCommands(CSonvexDlg& window) : window_(window) {}

    // What Save stores, without saving: the gain boxes (both channels with Link), the public
    // page's boxes (SWFS, CHANUM) and the four processing pages (both channels when linked).
    void StoreEditor();
    // Stores the editor, redraws the equaliser pages, saves config.ini: "保存成功", or why the
    // save failed.
    void Save();
    // The ten-band and DRC pages load their channels again; Gain1 of the main window's channel
    // comes back (L's with one decimal). Nothing is saved.
    void Cancel();
    // The public page's boxes are stored, the equaliser bands reset for the sample rate and both
    // equaliser pages reloaded: "重置成功" (config.ini is not saved).
    void Reset();
    // Checks Gain1 as an integer within -12..12; closes the window when it passes.
    void DefaultCommand();

private:
    CSonvexDlg& window_;
};
