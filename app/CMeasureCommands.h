#pragma once

#include "measure/MeasurementSet.h"
#include "settings/MeasurementSettings.h"

#include <QString>

#include <array>
#include <string>

class CEqualiserPage;
class CSonvexDlg;

// The measurements of the main window: File > Import measurement… and the measurement row of the
// equaliser pages (import for the page's channel, the target, the fit range, Fit to target and
// Fit both equalisers). What is measured and the target are drawn on the pages' tuning view
// (with the RMS error over the fit range), and kept in config.ini's section [Measurement]: the
// files are read again at start, and a file that is no longer there leaves its channel without a
// measurement, with a short note on the pages. A refused file changes nothing and is reported
// with the reader's message, which names the line.
//
// A fit fills the page's boxes (both pages' for both equalisers), not the parameter set: the
// next store stores them as typed values, Cancel discards them, and the fit is one undo step.
class CMeasureCommands {
public:
    explicit CMeasureCommands(CSonvexDlg& window);

    // Reads [Measurement] and the files it names; connects the pages' rows. Before the pages
    // initialise.
    void Attach(CEqualiserPage& tenBand, CEqualiserPage& eightBand);

    // File > Import measurement…: for the channel of the equaliser page shown, or asked.
    void ImportMeasurement();
    // Asks for a measurement file of a channel and imports it.
    void ImportFor(int channel);
    // Fits the page's equaliser (or both) of the page's channel to the target.
    void Fit(CEqualiserPage& page, bool both);

    const MeasurementSet& Measurements() const { return set_; }

private:
    void Connect(CEqualiserPage& page);
    void LoadSettings();
    void SaveSettings();
    void TargetChosen(CEqualiserPage& page);
    void ChooseTargetFile();
    void RangeEdited(CEqualiserPage& page);
    // Both pages show the target and range, their status line, and redraw.
    void Refresh();
    void ShowState(CEqualiserPage& page);
    QString StatusText(int channel) const;
    QString TargetName() const;
    QString ReaderMessage(const ResponseFileResult& result, const std::string& path) const;
    // The channel the equaliser page shown works on, or asked (-1 when the user cancelled).
    int ChosenChannel();

    CSonvexDlg& window_;
    MeasurementSet set_;
    MeasurementSettings stored_;
    std::array<QString, 2> notes_;   // per channel: why a stored measurement is missing
    std::array<QString, 2> lastFit_; // per channel: how the last fit went
    std::array<CEqualiserPage*, 2> pages_{};
};
