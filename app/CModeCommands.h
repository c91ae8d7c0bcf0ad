#pragma once

class CModePanel;
class CSonvexDlg;

// The main window's own controls above the tabs: the Gain1 and Gain2 boxes, the channel box, Link
// and the four mode boxes. Each commit changes the parameter set and saves config.ini at once.
class CModeCommands {
public:
    CModeCommands(CSonvexDlg& window, CModePanel& panel) : window_(window), panel_(panel) {}

    // A gain box left: its text read as a decimal number and truncated goes to both channels
    // with Link set, otherwise to the channel Channel selects.
    void StoreGain(bool first);
    void ChannelSelected(int index);
    void LinkClicked();
    void ModeSelected(int box, int index);

    // The controls show the parameter set: the channel, the modes, Link (the channel box enabled
    // exactly when it is clear) and the gains of the channel Channel selects.
    void Fill();
    // The gain boxes of the channel Channel selects, as decimal integers.
    void ShowGains();
    void ShowModes();

private:
    CSonvexDlg& window_;
    CModePanel& panel_;
};
