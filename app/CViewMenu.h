#pragma once

#include "settings/ViewOptions.h"

#include <QObject>
#include <array>

class CEqualiserPage;
class CIniSettingBase;
class CModePanel;
class ParameterSet;
class QAction;
class QMenu;

// The View menu (menu bar item 32780): the six display options of the equaliser pages' chart as
// checkable items, in the order of ViewOptions::All(), with the commands kFirstCommandId and up.
// Each change is written at once into config.ini's [View] (nothing else of config.ini is
// written) and given to both equaliser pages; the options are read from config.ini at start.
//
// It also does the main window's part of the live curve: a page's draft takes what the main
// window's Gain1 and Gain2 boxes show (read as leaving the box stores them, into the main
// window's channel or both when Link is set) and what both equaliser pages' boxes show; and a
// page redraws when a box its whole chain depends on changes, or a mode box, the channel box or
// Link does.
class CViewMenu : public QObject {
    Q_OBJECT

public:
    static constexpr int kFirstCommandId = 32850;

    // Adds the six items to menu.
    CViewMenu(QMenu& menu, CIniSettingBase& settings, QObject* parent);

    // Reads the options from the loaded configuration and checks the items.
    void Load();
    // Gives both pages the options and wires the live curve; before the pages initialise.
    void Attach(CEqualiserPage& tenBand, CEqualiserPage& eightBand, CModePanel& modes);

    const ViewOptions& Options() const { return options_; }
    QAction& Action(ViewOption option) const;
    // What the item does: sets the option, saves [View] and redraws the pages.
    void Set(ViewOption option, bool on);

private:
    void OverlayGains(ParameterSet& draft) const;
    void ScheduleBoth() const;

    CIniSettingBase& settings_;
    ViewOptions options_;
    std::array<QAction*, ViewOptions::kCount> actions_{};
    std::array<CEqualiserPage*, 2> pages_{};
    CModePanel* modes_ = nullptr;
};
