#include "app/CSonvexDlg.h"

#include "app/AppIcon.h"
#include "app/CAboutDlg.h"
#include "app/CChainPanel.h"
#include "app/CDeviceCommands.h"
#include "app/CDeviceMenu.h"
#include "app/CEditCommands.h"
#include "app/CEditHistory.h"
#include "app/CEqExchangeCommands.h"
#include "app/CFileCommands.h"
#include "app/CMainMenu.h"
#include "app/CMeasureCommands.h"
#include "app/CMessageReporter.h"
#include "app/CModeCommands.h"
#include "app/CModePanel.h"
#include "app/CTransferCommands.h"
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
#include "serial/CComSet.h"
#include "widgets/ControlId.h"
#include "widgets/WidgetLocalizer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
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
    files_ = std::make_unique<CFileCommands>(*this);
    editCommands_ = std::make_unique<CEditCommands>(*this);
    transfers_ = std::make_unique<CTransferCommands>(*this);
    measures_ = std::make_unique<CMeasureCommands>(*this);
    exchange_ = std::make_unique<CEqExchangeCommands>(*this);
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
    menu_ = std::make_unique<CMainMenu>(*this, settings_);
    menuBar_ = &menu_->Bar();
    deviceMenu_ = &menu_->Device();
    viewMenu_ = &menu_->View();
    layout->setMenuBar(menuBar_);

    chain_ = new CChainPanel(this);
    modes_ = new CModePanel(this);
    modeCommands_ = std::make_unique<CModeCommands>(*this, *modes_);
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
    modeCommands_->Fill();
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
    measures_->Attach(*eqPage_, *eq1Page_);
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
    return menu_->Command(id);
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
    modeCommands_->ShowGains();
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

void CSonvexDlg::OnGain1Left() {
    modeCommands_->StoreGain(true);
}

void CSonvexDlg::OnGain2Left() {
    modeCommands_->StoreGain(false);
}

void CSonvexDlg::OnChannelSelected(int index) {
    modeCommands_->ChannelSelected(index);
}

void CSonvexDlg::OnLinkClicked() {
    modeCommands_->LinkClicked();
}

void CSonvexDlg::OnModeSelected(int box, int index) {
    modeCommands_->ModeSelected(box, index);
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
    editCommands_->StoreEditor();
}

void CSonvexDlg::OnSave() {
    editCommands_->Save();
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
    editCommands_->Cancel();
}

void CSonvexDlg::OnReset() {
    editCommands_->Reset();
}

void CSonvexDlg::OnDefaultCommand() {
    editCommands_->DefaultCommand();
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

// --- Set, Read, files
// -----------------------------------------------------------------------------

void CSonvexDlg::OnSet() {
    transfers_->Set();
}

void CSonvexDlg::OnRead() {
    transfers_->Read();
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

void CSonvexDlg::OnLoad() {
    files_->Load();
}

void CSonvexDlg::OnSaveAs() {
    files_->SaveAs();
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
    files_->CompareWithFile();
}

void CSonvexDlg::OnCompareWithDevice() {
    transfers_->CompareWithDevice();
}

void CSonvexDlg::OnImportMeasurement() {
    measures_->ImportMeasurement();
}

void CSonvexDlg::OnImportEq() {
    exchange_->Import();
}

void CSonvexDlg::OnExportEq() {
    exchange_->Export();
}
