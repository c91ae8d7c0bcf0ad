#pragma once

class CEqualiserPage;
class CSonvexDlg;
struct EqImport;

// File > Export EQ… and Import EQ…: the parametric EQ text format that measurement tools,
// system-wide equalisers and headphone-correction databases read and write, for the equaliser
// of the page shown (or the one asked for) and that page's channel.
//
// Export writes what the page's boxes show (as the store reads them), every band, without a
// Preamp line, through a safe write (an earlier file stays whole on a failure). Import reads the
// file into the page's boxes, not the parameter set: rounded to the device's steps and clamped
// to its ranges, a Preamp into the Gain2 box of the channel; it is one undo step, and a message
// lists every change the file's values went through. A file that is refused (an unknown filter
// type by name, a line that cannot be read) changes nothing.
class CEqExchangeCommands {
public:
    explicit CEqExchangeCommands(CSonvexDlg& window) : window_(window) {}

    void Export();
    void Import();
    void ExportFrom(CEqualiserPage& page);
    void ImportInto(CEqualiserPage& page);

private:
    // The equaliser page shown, or the one asked for; null when the user cancelled.
    CEqualiserPage* ChosenPage();
    void ShowGain2(int channel, int gain);
    void Report(const CEqualiserPage& page, int channel, const EqImport& imported,
                const char* path);

    CSonvexDlg& window_;
};
