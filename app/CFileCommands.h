#pragma once

class CSonvexDlg;

// The File menu's commands on parameter files: Load, Save As and Compare with file. They ask for
// the file through the window's file-name asker and report in the window's message boxes.
class CFileCommands {
public:
    explicit CFileCommands(CSonvexDlg& window) : window_(window) {}

    // Reads a parameter file into the parameter set (a file of another length only after the
    // user agreed) and shows it; one undo step.
    void Load();
    // Stores the screen as Save does, then writes the parameter file.
    void SaveAs();
    // The field-level differences between what Set would write and a file.
    void CompareWithFile();

private:
    CSonvexDlg& window_;
};
