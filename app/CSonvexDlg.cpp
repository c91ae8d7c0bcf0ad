#include "app/CSonvexDlg.h"

#include "app/AppIcon.h"
#include "app/CAboutDlg.h"
#include "app/CBusyDialog.h"
#include "app/CChainPanel.h"
#include "app/CDeviceCommands.h"
#include "app/CDeviceMenu.h"
#include "app/CEditHistory.h"
#include "app/CMessageReporter.h"
#include "app/CModePanel.h"
#include "app/CViewMenu.h"
#include "app/EditStepNames.h"
#include "base/NativePath.h"
#include "base/NumberText.h"
#include "base/ProgramDirectory.h"
#include "base/SonvexVersion.h"
#include "base/TextCodec.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "params/ChannelFields.h"
#include "params/ParameterFile.h"
#include "params/ResetEqBands.h"
#include "serial/CComSet.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetLocalizer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iostream>

namespace {

struct CommandButton {
    int id;
    const char* text;
    void (CSonvexDlg::*handler)();
};

// In the order of the row at the bottom.
constexpr std::array<CommandButton, 5> kCommandButtons{{
    {CSonvexDlg::kSetId, "Set", &CSonvexDlg::OnSet},
    {CSonvexDlg::kResetId, "Reset", &CSonvexDlg::OnReset},
    {CSonvexDlg::kReadId, "Read", &CSonvexDlg::OnRead},
    {CSonvexDlg::kSaveId, "Save", &CSonvexDlg::OnSave},
    {CSonvexDlg::kCancelId, "Cancel", &CSonvexDlg::OnCancel},
}};

// The switch each mode box sets, in the order of CModePanel::kModeBoxIds (1064 to 1067).
constexpr std::array<bool ParameterSet::*, CModePanel::kModeBoxCount> kModeSwitches{
    &ParameterSet::EQSwtch, &ParameterSet::DrcSwtch, &ParameterSet::EQSwtch1,
    &ParameterSet::LimitSwtch};

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString IntText(int64_t value) {
    return QString::fromStdString(NumberText::FormatInt(value));
}

// "Integer" for the default command's check: blanks aside, an optional sign and ASCII digits.
bool IsIntegerText(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-')) {
        ++i;
    }
    if (i == trimmed.size()) {
        return false;
    }
    for (; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9') {
            return false;
        }
    }
    return true;
}

constexpr int kGainMinimum = -12;
constexpr int kGainMaximum = 12;

} // namespace

CSonvexDlg::CSonvexDlg(std::u16string programDirectory, QWidget* parent)
    : QDialog(parent), programDirectory_(programDirectory.empty() ? ProgramDirectory::Current()
                                                                  : std::move(programDirectory)),
      fileNameAsker_([this](ParameterFileChooser::Purpose purpose) {
          return ParameterFileChooser::AskPath(*this, purpose);
      }) {
    CreateUi();
    setWindowIcon(AppIcon::Icon());
    setWindowTitle(TitleText());

    configLoaded_ = settings_.LoadFromProgramDirectory(programDirectory_);
    if (configLoaded_) {
        Localize();
    }
    viewMenu_->Load();
    settings_.PrepareLogDirectory(programDirectory_);
    // Below what the localization named: the attached devices keep their own texts.
    devices_ = new CDeviceMenu(
        *deviceMenu_, settings_, programDirectory_, [this] { return Texts(); }, this);
    deviceCommands_ = std::make_unique<CDeviceCommands>(
        *this, settings_, *devices_, programDirectory_, [this] { return Texts(); });
    FillControls();
    CreatePages();
    status_->hide();
    ConnectUi();
    // Last: its handlers run after the window's and the pages' own.
    history_ = std::make_unique<CEditHistory>(*this, Texts());
    ConnectChartEdits();
}

void CSonvexDlg::ConnectChartEdits() {
    // A drag or a wheel step on an equaliser page's chart is one step, named after the band.
    for (CEqualiserPage* page : std::initializer_list<CEqualiserPage*>{eqPage_, eq1Page_}) {
        connect(page, &CEqualiserPage::EditFinished, this, [this, page](int band) {
            const TextCatalog texts = Texts();
            history_->Record(
                texts.Format(TextId::StepHandle, {EditStepNames::PageName(*page, texts),
                                                  NumberText::Widen(NumberText::FormatInt(band))}));
        });
    }
}

CSonvexDlg::~CSonvexDlg() {
    closing_ = true;
    history_.reset();
    // The pages refer to the configuration and language objects: they go while those still exist.
    delete tabs_;
}

QString CSonvexDlg::TitleText() {
    return QString::fromUtf16(SonvexVersion::kTitle);
}

int32_t& CSonvexDlg::Gain(ParameterSet& set, int channel, bool first) {
    static constexpr const ChannelField& kGain1 = ChannelFields::Get("SCTRGAIN*1");
    static constexpr const ChannelField& kGain2 = ChannelFields::Get("SCTRGAIN*2");
    return (first ? kGain1 : kGain2).Of(channel).Ints(set)[0];
}

void CSonvexDlg::CreateUi() {
    auto* layout = new QVBoxLayout(this);
    CreateMenu();
    layout->setMenuBar(menuBar_);

    chain_ = new CChainPanel(this);
    modes_ = new CModePanel(this);
    tabs_ = new QTabWidget(this);
    ControlId::Set(*tabs_, kTabControlId);

    auto* commandRow = new QHBoxLayout;
    for (std::size_t i = 0; i < kCommandButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kCommandButtons[i].text), this);
        ControlId::Set(*button, kCommandButtons[i].id);
        // Enter is the default command of the window, never a click on one of these.
        button->setAutoDefault(false);
        button->setDefault(false);
        commandRow->addWidget(button);
        if (i + 1 < kCommandButtons.size()) {
            commandRow->addStretch(1);
        }
        commands_[i] = button;
    }

    status_ = new QLabel(QStringLiteral("Not Found bootusb"), this);
    ControlId::Set(*status_, kStatusLabelId);
    status_->setAlignment(Qt::AlignCenter);

    layout->addWidget(chain_);
    layout->addWidget(modes_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(commandRow);
    layout->addWidget(status_);
}

void CSonvexDlg::CreateMenu() {
    menuBar_ = new QMenuBar(this);
    const auto addCommand = [this](QWidget& menu, const char* text, int id,
                                   void (CSonvexDlg::*handler)()) {
        auto* action = new QAction(QString::fromUtf8(text), &menu);
        ControlId::Set(*action, id);
        menu.addAction(action);
        if (handler != nullptr) {
            // A menu item leaves the focus where it was: the box that has it commits too.
            connect(action, &QAction::triggered, this, [this, handler] {
                if (CommitBeforeCommand(true)) {
                    (this->*handler)();
                }
            });
        }
    };
    QMenu* file = menuBar_->addMenu(QStringLiteral("File"));
    addCommand(*file, "Load", kLoadCommandId, &CSonvexDlg::OnLoad);
    addCommand(*file, "Save As", kSaveAsCommandId, &CSonvexDlg::OnSaveAs);
    file->addSeparator();
    addCommand(*file, "Compare with file\u2026", kCompareFileCommandId,
               &CSonvexDlg::OnCompareWithFile);
    // The edit history connects its items itself.
    file->addSeparator();
    for (const CEditHistory::MenuItem& item : CEditHistory::kMenuItems) {
        if (item.text == nullptr) {
            file->addSeparator();
        } else {
            addCommand(*file, item.text, item.id, nullptr);
        }
    }
    QMenu* port = menuBar_->addMenu(QStringLiteral("COM Port"));
    addCommand(*port, "Setting", kComSettingCommandId, &CSonvexDlg::OnComSetting);
    // View: the display options of the equaliser pages' chart.
    QMenu* view = menuBar_->addMenu(QStringLiteral("View"));
    ControlId::Set(*view->menuAction(), kViewCommandId);
    viewMenu_ = new CViewMenu(*view, settings_, this);
    deviceMenu_ = menuBar_->addMenu(QStringLiteral("Device"));
    addCommand(*deviceMenu_, "MX5210", kDeviceCommandId, nullptr);
    addCommand(*deviceMenu_, "Compare with device", kCompareDeviceCommandId,
               &CSonvexDlg::OnCompareWithDevice);
    QMenu* about = menuBar_->addMenu(QStringLiteral("About"));
    addCommand(*about, "Version", kVersionCommandId, &CSonvexDlg::OnAbout);
}

void CSonvexDlg::Localize() {
    const std::u16string file = settings_.LanguageFilePath(programDirectory_);
    if (!NativePath::Exists(file)) {
        return;
    }
    const bool loaded = language_.Load(file);
    if (settings_.Debug) {
        // Collect mode writes the windows' texts over the file: its translation is kept aside.
        language_.KeepCopyBeforeWriting();
    }
    WidgetLocalizer::ApplyDialogLanguage(language_, *this, settings_.Debug, kDialogId, true);
    ReportCollectCopy();
    if (loaded && !settings_.Debug) {
        // The menu keys are bare keys of the section the dialog pass made current, DIALOG_102.
        WidgetLocalizer::ApplyMenuLanguage(language_, *menuBar_, u"MENU");
        qtTranslations_.Install(QString::fromStdString(language_.LocaleName(settings_.Selected)));
    }
}

void CSonvexDlg::ReportCollectCopy() const {
    const TextCatalog english;
    std::u16string text;
    if (language_.Copy() == CIniLocalLan::CopyState::Kept) {
        text = english.Format(TextId::CollectBackup, {language_.FilePath(), language_.CopyPath()});
    } else if (language_.Copy() == CIniLocalLan::CopyState::Failed) {
        text = english.Format(TextId::CollectBackupFailed,
                              {language_.FilePath(), language_.CopyPath()});
    }
    if (!text.empty()) {
        std::cerr << "sonvex: " << TextCodec::ToUtf8(text) << '\n';
    }
}

TextCatalog CSonvexDlg::Texts() {
    return settings_.Debug ? TextCatalog() : TextCatalog(language_);
}

void CSonvexDlg::FillControls() {
    const ParameterSet& p = settings_.Params;
    modes_->ChannelBox().setCurrentIndex(ChannelField::Index(p.Channel));
    ShowModes();
    modes_->LinkBox().setChecked(p.Link);
    modes_->ChannelBox().setEnabled(!p.Link);
    ShowGains();
}

void CSonvexDlg::CreatePages() {
    // Created in the order ten-band, DRC, eight-band, limiter, public; shown in tab order.
    eqPage_ = new CDlgEq(settings_, language_, programDirectory_, tabs_);
    drcPage_ = new CDlgDrc(settings_, language_, tabs_);
    eq1Page_ = new CDlgEQ1(settings_, language_, programDirectory_, tabs_);
    limitPage_ = new CDlgLimit(settings_, language_, tabs_);
    publicPage_ = new CDlgPublic_Param(settings_, tabs_);
    tabs_->addTab(publicPage_, QStringLiteral("Public Param"));
    tabs_->addTab(eqPage_, QStringLiteral("10EQ"));
    tabs_->addTab(drcPage_, QStringLiteral("DRC"));
    tabs_->addTab(eq1Page_, QStringLiteral("8EQ"));
    tabs_->addTab(limitPage_, QStringLiteral("Limiter"));
    viewMenu_->Attach(*eqPage_, *eq1Page_, *modes_);
    for (CProcessingPage* page :
         std::array<CProcessingPage*, 4>{eqPage_, drcPage_, eq1Page_, limitPage_}) {
        page->Initialise();
    }
    publicPage_->Fill();
    tabs_->setCurrentIndex(kPublicTab);
    currentTab_ = kPublicTab;
}

void CSonvexDlg::ConnectUi() {
    connect(chain_, &CChainPanel::BlockClicked, this, [this](int tab, int channel) {
        if (CommitBeforeCommand()) {
            OnBlockButton(tab, channel);
        }
    });
    connect(tabs_, &QTabWidget::currentChanged, this, &CSonvexDlg::OnTabChanged);
    connect(&modes_->Gain1Box(), &CPageEdit::FocusLeft, this, &CSonvexDlg::OnGain1Left);
    connect(&modes_->Gain2Box(), &CPageEdit::FocusLeft, this, &CSonvexDlg::OnGain2Left);
    // activated: a choice of the user; a selection made in code notifies nothing.
    connect(&modes_->ChannelBox(), &QComboBox::activated, this, &CSonvexDlg::OnChannelSelected);
    connect(&modes_->LinkBox(), &QCheckBox::clicked, this, &CSonvexDlg::OnLinkClicked);
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        connect(&modes_->ModeBox(i), &QComboBox::activated, this,
                [this, i](int index) { OnModeSelected(i, index); });
    }
    for (std::size_t i = 0; i < kCommandButtons.size(); ++i) {
        connect(commands_[i], &QPushButton::clicked, this,
                [this, handler = kCommandButtons[i].handler] {
                    if (CommitBeforeCommand()) {
                        (this->*handler)();
                    }
                });
    }
}

QAction* CSonvexDlg::MenuCommand(int id) const {
    const QList<QAction*> actions = menuBar_->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (ControlId::Of(*action) == id) {
            return action;
        }
    }
    return nullptr;
}

QPushButton& CSonvexDlg::CommandButton(int id) const {
    for (std::size_t i = 0; i < kCommandButtons.size(); ++i) {
        if (kCommandButtons[i].id == id) {
            return *commands_[i];
        }
    }
    return *commands_[0];
}

bool CSonvexDlg::SaveConfig() {
    const bool saved = settings_.Save(u"");
    if (saved && history_ != nullptr) {
        history_->MarkClean();
    }
    return saved;
}

bool CSonvexDlg::CommitBeforeCommand(bool focusedBox) {
    if (!CPageEdit::ReportPending()) {
        return false;
    }
    if (focusedBox) {
        if (auto* box = qobject_cast<CPageEdit*>(focusWidget())) {
            return box->ReportNow();
        }
    }
    return true;
}

void CSonvexDlg::ShowMessage(const QString& text, bool failure) {
    CMessageReporter::Show(*this, text, failure ? QMessageBox::Warning : QMessageBox::Information);
}

// --- Chain, tabs, gains, channel, link, modes -------------------------------------------------

CProcessingPage& CSonvexDlg::BlockPage(int tab) const {
    switch (tab) {
    case kDrcTab:
        return *drcPage_;
    case kEightBandTab:
        return *eq1Page_;
    default:
        return *eqPage_;
    }
}

void CSonvexDlg::OnBlockButton(int tab, int channel) {
    tabs_->setCurrentIndex(tab);
    currentTab_ = tab;
    Params().Channel = channel;
    modes_->ChannelBox().setCurrentIndex(channel);
    // The gain boxes show the new channel, as after the channel box: a gain box left later
    // stores what it shows into the channel it shows.
    ShowGains();
    CProcessingPage& page = BlockPage(tab);
    page.SetChannelBoxIndex(channel);
    page.ChannelChange();
}

void CSonvexDlg::OnTabChanged(int) {
    if (closing_) {
        return; // the tab control is going with the window
    }
    // The tab has changed already; a check that fails now shows its own page again.
    CommitBeforeCommand();
    currentTab_ = tabs_->currentIndex();
}

void CSonvexDlg::StoreGain(bool first) {
    if (closing_) {
        return;
    }
    const CPageEdit& box = first ? modes_->Gain1Box() : modes_->Gain2Box();
    const int32_t value = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(box.text())));
    ParameterSet& p = Params();
    if (p.Link) {
        Gain(p, 0, first) = value;
        Gain(p, 1, first) = value;
    } else {
        Gain(p, p.Channel, first) = value;
    }
    SaveConfig();
}

void CSonvexDlg::OnGain1Left() {
    StoreGain(true);
}

void CSonvexDlg::OnGain2Left() {
    StoreGain(false);
}

void CSonvexDlg::ShowGains() {
    ParameterSet& p = Params();
    modes_->Gain1Box().setText(IntText(Gain(p, p.Channel, true)));
    modes_->Gain2Box().setText(IntText(Gain(p, p.Channel, false)));
}

void CSonvexDlg::OnChannelSelected(int index) {
    if (!CommitBeforeCommand()) {
        modes_->ChannelBox().setCurrentIndex(ChannelField::Index(Params().Channel));
        return;
    }
    Params().Channel = index;
    ShowGains();
    SaveConfig();
}

void CSonvexDlg::OnLinkClicked() {
    ParameterSet& p = Params();
    if (!CommitBeforeCommand()) {
        modes_->LinkBox().setChecked(p.Link);
        return;
    }
    modes_->ChannelBox().setEnabled(p.Link);
    p.Link = !p.Link;
    SaveConfig();
}

void CSonvexDlg::ShowModes() {
    const ParameterSet& p = settings_.Params;
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        modes_->ModeBox(i).setCurrentIndex(p.*kModeSwitches[static_cast<std::size_t>(i)] ? 1 : 0);
    }
}

void CSonvexDlg::OnModeSelected(int box, int index) {
    if (!CommitBeforeCommand()) {
        ShowModes();
        return;
    }
    Params().*kModeSwitches[static_cast<std::size_t>(box)] = index != 0;
    SaveConfig();
}

// --- Save, Cancel, Reset, default command -----------------------------------------------------

void CSonvexDlg::StorePages() {
    for (CProcessingPage* page :
         std::array<CProcessingPage*, 4>{eqPage_, drcPage_, eq1Page_, limitPage_}) {
        page->StoreForCommit();
    }
}

void CSonvexDlg::StorePublicAndPages() {
    publicPage_->Store();
    StorePages();
}

void CSonvexDlg::StoreEditor() {
    ParameterSet& p = Params();
    const QString gain1 = modes_->Gain1Box().text();
    const QString gain2 = modes_->Gain2Box().text();
    if (p.Link) {
        const int32_t g1 = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(gain1)));
        const int32_t g2 = NumberText::TruncateToInt32(NumberText::ParseDecimal(View(gain2)));
        Gain(p, 0, true) = Gain(p, 1, true) = g1;
        Gain(p, 0, false) = Gain(p, 1, false) = g2;
    } else {
        Gain(p, p.Channel, true) = NumberText::ParseInt(View(gain1));
        Gain(p, p.Channel, false) = NumberText::ParseInt(View(gain2));
    }
    StorePublicAndPages();
}

void CSonvexDlg::OnSave() {
    StoreEditor();
    eqPage_->DrawCurve();
    eq1Page_->DrawCurve();
    // A save is no step: undo goes back over the edits, and the user saves again.
    const bool saved = SaveConfig();
    history_->Settle();
    if (saved) {
        ShowMessage(QStringLiteral(u"保存成功"), false);
    } else {
        // Saying "saved" when nothing reached the disk would lose the user's edits at exit.
        ShowSaveFailure();
    }
}

void CSonvexDlg::ShowSaveFailure() {
    const std::u16string path =
        settings_.FilePath().empty() ? programDirectory_ + u"config.ini" : settings_.FilePath();
    const TextCatalog texts = Texts();
    ShowMessage(QString::fromStdU16String(texts.Format(
                    TextId::SaveFailed, {path, settings_.LastFileResult().Describe(texts)})),
                true);
}

void CSonvexDlg::OnCancel() {
    ParameterSet& p = Params();
    eqPage_->LoadChannel(p.EQChannel);
    drcPage_->LoadChannel(p.DrcChannel);
    // Channel L's Gain1 comes back with one decimal, channel R's as a whole number.
    if (ChannelField::Index(p.Channel) == 1) {
        modes_->Gain1Box().setText(IntText(Gain(p, 1, true)));
    } else {
        modes_->Gain1Box().setText(
            QString::fromStdString(NumberText::FormatFixed(Gain(p, 0, true), 1)));
    }
    history_->Record(TextId::StepCancel);
}

void CSonvexDlg::OnReset() {
    publicPage_->Store();
    ParameterSet& p = Params();
    if (!ResetEqBands(p)) {
        // The public page's values were stored all the same.
        history_->Record(TextId::StepReset);
        ShowMessage(QStringLiteral(u"不支持该采样率 "), true);
        return;
    }
    eqPage_->DrawCurve();
    eqPage_->LoadChannel(p.EQChannel);
    eq1Page_->DrawCurve();
    eq1Page_->LoadChannel(p.EQ1Channel);
    history_->Record(TextId::StepReset);
    ShowMessage(QStringLiteral(u"重置成功"), false);
}

void CSonvexDlg::OnDefaultCommand() {
    if (!CommitBeforeCommand()) {
        return;
    }
    CPageEdit& box = modes_->Gain1Box();
    QString failure;
    if (!IsIntegerText(box.text())) {
        failure = QStringLiteral(u"请输入一个整数。");
    } else {
        const int32_t value = NumberText::ParseInt(View(box.text()));
        if (value < kGainMinimum || value > kGainMaximum) {
            failure = QStringLiteral(u"请输入一个在 %1 和 %2 之间的整数。")
                          .arg(kGainMinimum)
                          .arg(kGainMaximum);
        }
    }
    if (failure.isEmpty()) {
        accept();
        return;
    }
    ShowMessage(failure, true);
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}

bool CSonvexDlg::IsOwnBox(const QWidget* widget) const {
    if (widget == nullptr) {
        return false;
    }
    if (widget == &modes_->Gain1Box() || widget == &modes_->Gain2Box() ||
        widget == &modes_->LinkBox() || widget == &modes_->ChannelBox()) {
        return true;
    }
    for (int i = 0; i < CModePanel::kModeBoxCount; ++i) {
        if (widget == &modes_->ModeBox(i)) {
            return true;
        }
    }
    return false;
}

void CSonvexDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter in a page's box commits it as leaving it would (its check runs); elsewhere (a
        // button) it does nothing here.
        if (IsOwnBox(focusWidget())) {
            OnDefaultCommand();
        } else if (auto* box = qobject_cast<CPageEdit*>(focusWidget())) {
            if (CPageEdit::ReportPending()) {
                box->ReportNow();
            }
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSonvexDlg::done(int result) {
    // What would be lost is named in a question first; Cancel keeps the window open.
    if (!closing_ && history_ != nullptr && !history_->ConfirmClose()) {
        return;
    }
    // Nothing is stored on the way out, not even a gain box that loses the focus as it closes.
    closing_ = true;
    QDialog::done(result);
}

// --- Set, Read -----------------------------------------------------------------------------------

void CSonvexDlg::OnSet() {
    // Sent under the sample rate and channel count the public page shows.
    StorePublicAndPages();
    const CDeviceCommands::Result sent = deviceCommands_->Send(eqPage_->Tool());
    if (sent.status != CDeviceCommands::Status::Done) {
        history_->Settle(); // the pages' values were stored all the same
    }
    switch (sent.status) {
    case CDeviceCommands::Status::NotRun:
        return;
    case CDeviceCommands::Status::Failed:
    case CDeviceCommands::Status::Unverified:
        ShowMessage(QStringLiteral(u"设置失败"), true);
        return;
    case CDeviceCommands::Status::Mismatch:
        // What differs, below the specified message; config.ini keeps what it held.
        deviceCommands_->ShowMismatch(QStringLiteral(u"设置失败"), sent.differences);
        return;
    case CDeviceCommands::Status::Done:
        break;
    }
    eqPage_->DrawCurve();
    const bool saved = SaveConfig();
    history_->MarkClean(); // sent, even when config.ini could not be written
    history_->Settle();
    ShowMessage(QStringLiteral(u"设置成功"), false);
    if (!saved && configLoaded_) {
        ShowSaveFailure(); // the device has the parameters, config.ini does not
    }
}

void CSonvexDlg::OnRead() {
    const CDeviceCommands::Result fetched = deviceCommands_->Fetch(eqPage_->Tool());
    if (fetched.status == CDeviceCommands::Status::NotRun) {
        return;
    }
    if (fetched.status != CDeviceCommands::Status::Done) {
        ShowMessage(QStringLiteral(u"读取参数失败"), true);
        return;
    }
    ShowParameterSet();
    eqPage_->DrawCurve();
    eq1Page_->DrawCurve();
    history_->Record(TextId::StepRead);
    history_->MarkClean();
    ShowMessage(QStringLiteral(u"读取参数成功"), false);
}

void CSonvexDlg::ShowParameterSet() {
    ParameterSet& p = Params();
    FillControls();
    for (CProcessingPage* page :
         std::array<CProcessingPage*, 4>{eqPage_, drcPage_, eq1Page_, limitPage_}) {
        page->SetChannelBoxIndex(page->SelectedChannel());
    }
    publicPage_->Fill();
    eqPage_->LoadChannel(p.EQChannel);
    drcPage_->LoadChannel(p.DrcChannel);
    eq1Page_->LoadChannel(p.EQ1Channel);
    limitPage_->LoadChannel(p.LimitChannel);
}

// --- Menu ---------------------------------------------------------------------------------------

void CSonvexDlg::OnLoad() {
    const QString chosen = fileNameAsker_(ParameterFileChooser::Purpose::Load);
    if (chosen.isEmpty()) {
        return;
    }
    const QFileInfo info(chosen);
    const bool otherLength =
        info.isFile() && info.size() != static_cast<qint64>(kParameterFileBytes);
    if (otherLength && !CMessageReporter::AskYesNo(*this, ParameterFileChooser::LengthQuestion(
                                                              Texts(), chosen, info.size()))) {
        return;
    }
    // The user agreed to another length; the values are checked either way.
    const std::u16string path = chosen.toStdU16String();
    const ParameterFileResult result = ParameterFile::ReadParameterFile(
        path, Params(), otherLength ? FileLength::Any : FileLength::Exact);
    if (!result.Ok()) {
        ShowMessage(QString::fromStdU16String(ParameterFile::Message(result, path, Texts())), true);
        return;
    }
    ShowParameterSet();
    history_->Record(TextId::StepLoad);
    history_->MarkClean();
}

void CSonvexDlg::OnSaveAs() {
    const QString chosen = fileNameAsker_(ParameterFileChooser::Purpose::SaveAs);
    if (chosen.isEmpty()) {
        return;
    }
    // The file holds what the screen shows, as Save stores it.
    StorePublicAndPages();
    eqPage_->DrawCurve();
    eq1Page_->DrawCurve();
    const std::u16string path = chosen.toStdU16String();
    const ParameterFileResult result =
        ParameterFile::WriteParameterFile(path, Params(), eqPage_->Tool());
    if (result.Ok()) {
        history_->MarkClean();
    }
    history_->Settle();
    if (!result.Ok()) {
        ShowMessage(QString::fromStdU16String(ParameterFile::Message(result, path, Texts())), true);
        return;
    }
    ShowMessage(ParameterFileChooser::WrittenMessage(Texts(), chosen), false);
}

void CSonvexDlg::OnComSetting() {
    CComSet dialog(comm_, this, Texts());
    dialog.exec();
}

void CSonvexDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CSonvexDlg::OnCompareWithFile() {
    const QString chosen = fileNameAsker_(ParameterFileChooser::Purpose::Compare);
    if (!chosen.isEmpty()) {
        StorePublicAndPages(); // the editor's side is what Set would write
        history_->Settle();
        deviceCommands_->CompareWithFile(eqPage_->Tool(), chosen);
    }
}

void CSonvexDlg::OnCompareWithDevice() {
    StorePublicAndPages(); // and the device file is named as Set names it
    history_->Settle();
    deviceCommands_->CompareWithDevice(eqPage_->Tool());
}
