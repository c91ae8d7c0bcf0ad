#pragma once

#include "app/ParameterFileChooser.h"
#include "app/QtTranslations.h"
#include "base/TextCatalog.h"
#include "device/DeviceTransfer.h"
#include "serial/CMscomm_eq.h"
#include "settings/CIniLocalLan.h"
#include "settings/CIniSettingBase.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

class CChainPanel;
class CDeviceCommands;
class CDeviceMenu;
class CEditHistory;
class CEditCommands;
class CFileCommands;
class CMainMenu;
class CMeasureCommands;
class CEqExchangeCommands;
class CModeCommands;
class CTransferCommands;
class CDlgDrc;
class CDlgEQ1;
class CDlgEq;
class CDlgLimit;
class CDlgPublic_Param;
class CModePanel;
class CProcessingPage;
class CViewMenu;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;

// The main window (dialog 102): the processing chains of both channels, the mode boxes, Gain1
// and Gain2 with the link and channel boxes, the five parameter pages in the tab control, the
// commands Set, Reset, Read, Save and Cancel, and the menu. It owns the configuration (and with
// it the parameter set), the language object, the pages and the serial control.
//
// Start-up, in the constructor: the title (TitleText); program directory; config.ini loaded
// when present, then the selected language file applied to this window, its caption and (not in
// collect mode) its menu; the log directory; the controls filled from the parameter set; the
// pages created inside the tab control (only now, so the window's own localization never reaches
// their controls) and initialised (ten-band, DRC, eight-band, limiter, public); the public page
// shown first; the status label hidden.
//
// config.ini is saved after the commits of this window (a gain box left, the channel box, Link,
// a mode box), after a successful Set and after Save; never by Read, Reset, Cancel, Load, Save
// As, or on the way out.
//
// The edit history (History) records every change of what the editor holds as one undo step,
// keeps the A/B snapshots and the title's markers, and asks before the window closes while
// something would be lost.
//
// Every command (buttons, chain buttons, menu items, the tab, channel, Link and mode boxes, the
// default command) first runs the commits that the focus change of its click caused: a gain box
// stored, a page's entry check. When a check fails, its message is the only one shown and the
// command does not run (a box that changed itself, such as Link or a combo box, shows the old
// state again).
class CSonvexDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 102;

    // Controls that are not part of a panel.
    static constexpr int kTabControlId = 1006;
    static constexpr int kSetId = 1061;
    static constexpr int kResetId = 1084;
    static constexpr int kReadId = 1062;
    static constexpr int kSaveId = 1054;
    static constexpr int kCancelId = 1055;
    static constexpr int kStatusLabelId = 1063;

    // Menu commands (the "controlId" property of their actions).
    static constexpr int kLoadCommandId = 32772;
    static constexpr int kSaveAsCommandId = 32773;
    static constexpr int kComSettingCommandId = 32775;
    static constexpr int kViewCommandId = 32780;
    static constexpr int kDeviceCommandId = 32777;
    static constexpr int kVersionCommandId = 32779;
    static constexpr int kCompareFileCommandId = 32810;
    static constexpr int kCompareDeviceCommandId = 32811;
    static constexpr int kImportMeasurementCommandId = 32812;
    static constexpr int kImportEqCommandId = 32813;
    static constexpr int kExportEqCommandId = 32814;

    // Tabs, in order.
    static constexpr int kPublicTab = 0;
    static constexpr int kTenBandTab = 1;
    static constexpr int kDrcTab = 2;
    static constexpr int kEightBandTab = 3;
    static constexpr int kLimiterTab = 4;

    // Asks for the file of Load or Save As; an empty text means cancelled.
    using FileNameAsker = std::function<QString(ParameterFileChooser::Purpose)>;

    // The Gain1 (first) or Gain2 field of a channel; any non-zero channel is R.
    static int32_t& Gain(ParameterSet& set, int channel, bool first);

    // programDirectory ends with a separator; empty means the running program's directory.
    explicit CSonvexDlg(std::u16string programDirectory = {}, QWidget* parent = nullptr);
    ~CSonvexDlg() override;

    // SonvexVersion::kTitle: the caption, and what follows the application's name in a localized
    // one.
    static QString TitleText();

    // Replaces Qt's file dialogs (tests give the path directly).
    void SetFileNameAsker(FileNameAsker asker) { fileNameAsker_ = std::move(asker); }
    // The file for a command; an empty text means cancelled.
    QString AskFileName(ParameterFileChooser::Purpose purpose) { return fileNameAsker_(purpose); }

    // The commands and notifications, as the controls and the menu run them. The buttons, the
    // chain buttons and the menu items run CommitBeforeCommand first; the others do it
    // themselves.
    void OnBlockButton(int tab, int channel);
    void OnTabChanged(int index);
    void OnGain1Left();
    void OnGain2Left();
    void OnChannelSelected(int index);
    void OnLinkClicked();
    void OnModeSelected(int box, int index);
    void OnSet();
    void OnRead();
    void OnSave();
    void OnCancel();
    void OnReset();
    // Enter while the focus is in one of this window's own boxes: checks Gain1, then closes.
    void OnDefaultCommand();
    void OnLoad();
    void OnSaveAs();
    void OnComSetting();
    void OnAbout();
    // File > Compare with file…, Device > Compare with device: the field-level differences
    // between what Set would write and a parameter file or configuration, or the device's file.
    void OnCompareWithFile();
    void OnCompareWithDevice();
    // File > Import measurement…: for the channel of the equaliser page shown, or asked.
    void OnImportMeasurement();
    // File > Import EQ…, Export EQ…: for the equaliser page shown (its channel), or asked.
    void OnImportEq();
    void OnExportEq();

    // The commits still waiting from the focus change of the click that runs a command, and
    // with focusedBox (a menu item, which leaves the focus where it is) the commit of the box
    // that has the focus. False when an entry check failed: the command must not run.
    bool CommitBeforeCommand(bool focusedBox = false);
    // What Save stores, without saving: the gain boxes (both channels with Link), the public
    // page's boxes (SWFS, CHANUM) and the four processing pages (both channels when linked).
    void StoreEditor();
    // The whole window shows the parameter set: the channel, Link, mode and gain boxes, the
    // public page, and each processing page its own channel with its Link state (the equaliser
    // pages redraw their curves). After Read, Load and when the history restores a state.
    void ShowParameterSet();
    // What Save, Set and Save As store: the public page's boxes (SWFS, CHANUM), then each
    // processing page its boxes (both channels when linked).
    void StorePublicAndPages();
    // Saves config.ini; a successful save marks the editor clean.
    bool SaveConfig();
    // A message box titled with the application's name, a warning for a failure.
    void ShowMessage(const QString& text, bool failure);
    // "Saving failed: ..." for config.ini.
    void ShowSaveFailure();
    // The device side of Set, Read and the comparisons.
    CDeviceCommands& DeviceCommands() const { return *deviceCommands_; }
    // The measurements, the target and the fits of the equaliser pages.
    CMeasureCommands& Measures() const { return *measures_; }

    const std::u16string& ProgramDir() const { return programDirectory_; }
    bool ConfigLoaded() const { return configLoaded_; }
    CIniSettingBase& Settings() { return settings_; }
    CIniLocalLan& Language() { return language_; }
    // The texts of messages, questions and the busy dialog: the language file's, except in
    // collect mode, where the windows keep the program's own English texts too.
    TextCatalog Texts();
    CMscomm_eq& SerialControl() { return comm_; }
    int CurrentTab() const { return currentTab_; }
    // The window is closing: nothing is stored any more, not even a gain box losing the focus.
    bool Closing() const { return closing_; }

    QMenuBar& MenuBar() const { return *menuBar_; }
    // The attached devices at the end of the Device menu, and the chosen one.
    CDeviceMenu& Devices() const { return *devices_; }
    // The View menu's options (the equaliser pages' chart).
    CViewMenu& ViewMenu() const { return *viewMenu_; }
    // The action of a menu command (kLoadCommandId ...), null for an unknown id.
    QAction* MenuCommand(int id) const;
    CChainPanel& Chain() const { return *chain_; }
    CModePanel& Modes() const { return *modes_; }
    QTabWidget& Tabs() const { return *tabs_; }
    // kSetId, kResetId, kReadId, kSaveId or kCancelId.
    QPushButton& CommandButton(int id) const;
    QLabel& StatusLabel() const { return *status_; }

    CDlgPublic_Param& PublicPage() const { return *publicPage_; }
    CDlgEq& TenBandPage() const { return *eqPage_; }
    CDlgDrc& DrcPage() const { return *drcPage_; }
    CDlgEQ1& EightBandPage() const { return *eq1Page_; }
    CDlgLimit& LimiterPage() const { return *limitPage_; }
    // Undo and redo, A/B snapshots, the unsaved-changes marker and question.
    CEditHistory& History() const { return *history_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    void done(int result) override;

private:
    void CreateUi();
    void ConnectUi();
    void Localize();
    void ReportCollectCopy() const;
    void FillControls();
    void CreatePages();
    void ConnectChartEdits();

    ParameterSet& Params() { return settings_.Params; }
    // The page that a chain button's tab shows.
    CProcessingPage& BlockPage(int tab) const;
    // Ten-band, DRC, eight-band and limiter page store their boxes (both channels when linked).
    void StorePages();
    bool IsOwnBox(const QWidget* widget) const;

    std::u16string programDirectory_;
    CIniSettingBase settings_;
    CIniLocalLan language_;
    QtTranslations qtTranslations_;
    CMscomm_eq comm_;
    FileNameAsker fileNameAsker_;
    bool configLoaded_ = false;
    int currentTab_ = 0;
    bool closing_ = false;

    std::unique_ptr<CMainMenu> menu_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* deviceMenu_ = nullptr;
    CDeviceMenu* devices_ = nullptr;
    std::unique_ptr<CDeviceCommands> deviceCommands_;
    std::unique_ptr<CModeCommands> modeCommands_;
    std::unique_ptr<CEditCommands> editCommands_;
    std::unique_ptr<CFileCommands> files_;
    std::unique_ptr<CTransferCommands> transfers_;
    std::unique_ptr<CMeasureCommands> measures_;
    std::unique_ptr<CEqExchangeCommands> exchange_;
    CViewMenu* viewMenu_ = nullptr;
    CChainPanel* chain_ = nullptr;
    CModePanel* modes_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<QPushButton*, 5> commands_{};
    QLabel* status_ = nullptr;

    CDlgPublic_Param* publicPage_ = nullptr;
    CDlgEq* eqPage_ = nullptr;
    CDlgDrc* drcPage_ = nullptr;
    CDlgEQ1* eq1Page_ = nullptr;
    CDlgLimit* limitPage_ = nullptr;
    std::unique_ptr<CEditHistory> history_;
};
