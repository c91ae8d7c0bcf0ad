#include "app/CMeasureCommands.h"

#include "app/CEditHistory.h"
#include "app/CFitRunner.h"
#include "app/CSonvexDlg.h"
#include "app/CViewMenu.h"
#include "base/NativePath.h"
#include "base/NumberText.h"
#include "base/SonvexVersion.h"
#include "base/TextCodec.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CMeasurementBar.h"
#include "pages/CTuningView.h"
#include "params/ChannelFields.h"

#include <QComboBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QPushButton>

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QString ChannelName(int channel) {
    return channel == 0 ? QStringLiteral("L") : QStringLiteral("R");
}

std::u16string Decimal(double value, int decimals) {
    return NumberText::Widen(NumberText::FormatFixed(value, decimals));
}

std::u16string Shortest(double value) {
    return NumberText::Widen(NumberText::FormatShortestDouble(value));
}

} // namespace

CMeasureCommands::CMeasureCommands(CSonvexDlg& window) : window_(window) {}

void CMeasureCommands::Attach(CEqualiserPage& tenBand, CEqualiserPage& eightBand) {
    pages_ = {&tenBand, &eightBand};
    LoadSettings();
    for (CEqualiserPage* page : pages_) {
        Connect(*page);
    }
    for (CEqualiserPage* page : pages_) {
        ShowState(*page);
    }
}

void CMeasureCommands::Connect(CEqualiserPage& page) {
    page.SetMeasurementSource([this](int channel, int32_t sampleRate) {
        return CEqualiserPage::MeasurementView{set_.Overlay(channel, sampleRate), TargetName()};
    });
    CMeasurementBar& bar = page.MeasureBar();
    CEqualiserPage* shown = &page;
    QObject::connect(&bar, &CMeasurementBar::ImportRequested, &page, [this, shown] {
        if (window_.CommitBeforeCommand()) {
            ImportFor(ChannelField::Index(shown->SelectedChannel()));
        }
    });
    QObject::connect(&bar, &CMeasurementBar::TargetChosen, &page,
                     [this, shown] { TargetChosen(*shown); });
    QObject::connect(&bar, &CMeasurementBar::TargetFileRequested, &page,
                     [this] { ChooseTargetFile(); });
    QObject::connect(&bar, &CMeasurementBar::RangeEdited, &page,
                     [this, shown] { RangeEdited(*shown); });
    QObject::connect(&bar, &CMeasurementBar::FitRequested, &page, [this, shown](bool both) {
        if (window_.CommitBeforeCommand()) {
            Fit(*shown, both);
        }
    });
    // The status line follows the channel the page shows.
    QObject::connect(&page.ChannelBox(), &QComboBox::currentIndexChanged, &page,
                     [this, shown] { ShowState(*shown); });
}

void CMeasureCommands::LoadSettings() {
    stored_ = MeasurementSettings::Load(window_.Settings());
    const TextCatalog texts = window_.Texts();
    for (int channel = 0; channel < 2; ++channel) {
        const std::u16string& file = stored_.files[static_cast<std::size_t>(channel)];
        if (file.empty()) {
            continue;
        }
        const std::string path = TextCodec::ToUtf8(file);
        QString& note = notes_[static_cast<std::size_t>(channel)];
        if (!NativePath::Exists(file)) {
            note =
                Q(texts.Format(TextId::MeasureGone, {ChannelName(channel).toStdU16String(), file}));
            continue;
        }
        const ResponseFileResult read = set_.Import(channel, path);
        if (!read.Ok()) {
            note = Q(
                texts.Format(TextId::MeasureNotRead, {ChannelName(channel).toStdU16String(),
                                                      ReaderMessage(read, path).toStdU16String()}));
        }
    }
    switch (stored_.target) {
    case MeasurementSettings::Target::Flat:
        set_.SetFlat();
        break;
    case MeasurementSettings::Target::Tilt:
        set_.SetTilt(stored_.tilt);
        break;
    case MeasurementSettings::Target::File: {
        const std::string path = TextCodec::ToUtf8(stored_.targetFile);
        const ResponseFileResult read = set_.SetTargetFile(path);
        if (!read.Ok()) {
            set_.SetUnreadTargetFile(path, read);
        }
        break;
    }
    }
    set_.SetRange(FitRange{stored_.rangeLow, stored_.rangeHigh});
}

void CMeasureCommands::SaveSettings() {
    MeasurementSettings next = stored_;
    for (int channel = 0; channel < 2; ++channel) {
        next.files[static_cast<std::size_t>(channel)] = TextCodec::FromUtf8(set_.Path(channel));
    }
    switch (set_.Kind()) {
    case MeasurementSet::TargetKind::Flat:
        next.target = MeasurementSettings::Target::Flat;
        break;
    case MeasurementSet::TargetKind::Tilt:
        next.target = MeasurementSettings::Target::Tilt;
        break;
    case MeasurementSet::TargetKind::File:
        next.target = MeasurementSettings::Target::File;
        break;
    }
    next.tilt = set_.Tilt();
    next.targetFile = TextCodec::FromUtf8(set_.TargetPath());
    next.rangeLow = set_.Range().low;
    next.rangeHigh = set_.Range().high;
    // As the other option sections, a failure to write config.ini is not reported; without a
    // config.ini the choices last until the program ends.
    if (!(next == stored_) && next.Save(window_.Settings())) {
        stored_ = next;
    }
}

void CMeasureCommands::ImportMeasurement() {
    const int channel = ChosenChannel();
    if (channel >= 0) {
        ImportFor(channel);
    }
}

void CMeasureCommands::ImportFor(int channel) {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::Measurement);
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = Utf8(chosen);
    const ResponseFileResult read = set_.Import(channel, path);
    if (!read.Ok()) {
        window_.ShowMessage(Q(window_.Texts().Format(TextId::MeasureRefused,
                                                     {ReaderMessage(read, path).toStdU16String()})),
                            true);
        return;
    }
    notes_[static_cast<std::size_t>(channel)].clear();
    SaveSettings();
    // The measurement is drawn on the tuning view: with every View option off, its log axis
    // comes on.
    if (!window_.ViewMenu().Options().Any()) {
        window_.ViewMenu().Set(ViewOption::LogAxis, true);
    }
    Refresh();
}

void CMeasureCommands::TargetChosen(CEqualiserPage& page) {
    const CMeasurementBar& bar = page.MeasureBar();
    if (bar.ChosenTarget() == CMeasurementBar::Target::Flat) {
        set_.SetFlat();
    } else if (bar.ChosenTarget() == CMeasurementBar::Target::Tilt) {
        set_.SetTilt(bar.Tilt());
    }
    SaveSettings();
    Refresh();
}

void CMeasureCommands::ChooseTargetFile() {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::TargetFile);
    if (!chosen.isEmpty()) {
        const std::string path = Utf8(chosen);
        const ResponseFileResult read = set_.SetTargetFile(path);
        if (!read.Ok()) {
            window_.ShowMessage(
                Q(window_.Texts().Format(TextId::TargetRefused,
                                         {ReaderMessage(read, path).toStdU16String()})),
                true);
        } else {
            SaveSettings();
        }
    }
    // A cancelled or refused choice shows the target that stays.
    Refresh();
}

void CMeasureCommands::RangeEdited(CEqualiserPage& page) {
    const CMeasurementBar& bar = page.MeasureBar();
    const auto number = [](const QString& text) {
        bool ok = false;
        const double value = QLocale::c().toDouble(text.trimmed(), &ok);
        return ok ? value : -1.0;
    };
    const FitRange range{number(bar.LowText()), number(bar.HighText())};
    if (range.low == set_.Range().low && range.high == set_.Range().high) {
        return;
    }
    if (!set_.SetRange(range)) {
        const FitRange& kept = set_.Range();
        Refresh();
        window_.ShowMessage(Q(window_.Texts().Format(TextId::MeasureBadRange,
                                                     {Shortest(kept.low), Shortest(kept.high)})),
                            true);
        return;
    }
    SaveSettings();
    Refresh();
}

void CMeasureCommands::Refresh() {
    for (CEqualiserPage* page : pages_) {
        ShowState(*page);
        page->DrawCurve();
    }
}

void CMeasureCommands::ShowState(CEqualiserPage& page) {
    CMeasurementBar& bar = page.MeasureBar();
    const auto target = static_cast<CMeasurementBar::Target>(set_.Kind());
    bar.ShowTarget(target, set_.Tilt());
    bar.ShowRange(set_.Range().low, set_.Range().high);
    bar.ShowStatus(StatusText(ChannelField::Index(page.SelectedChannel())));
}

QString CMeasureCommands::StatusText(int channel) const {
    const TextCatalog texts = window_.Texts();
    const auto index = static_cast<std::size_t>(channel == 0 ? 0 : 1);
    const std::u16string name = ChannelName(channel).toStdU16String();
    QStringList parts;
    if (const MeasuredResponse* measured = set_.Response(channel)) {
        const QString file = QFileInfo(QString::fromStdString(set_.Path(channel))).fileName();
        parts << Q(texts.Format(
            TextId::MeasureShown,
            {name, file.toStdU16String(),
             NumberText::Widen(NumberText::FormatInt(static_cast<int64_t>(measured->Size())))}));
    } else if (!notes_[index].isEmpty()) {
        parts << notes_[index];
    } else {
        parts << Q(texts.Format(TextId::MeasureNone, {name}));
    }
    if (set_.Target() == nullptr) {
        parts << Q(texts.Format(
            TextId::TargetUnread,
            {ReaderMessage(set_.TargetProblem(), set_.TargetPath()).toStdU16String()}));
    }
    if (!lastFit_[index].isEmpty()) {
        parts << lastFit_[index];
    }
    return parts.join(QStringLiteral("; "));
}

QString CMeasureCommands::TargetName() const {
    const TextCatalog texts = window_.Texts();
    switch (set_.Kind()) {
    case MeasurementSet::TargetKind::Tilt:
        return Q(texts.Format(TextId::TargetTilt, {Decimal(set_.Tilt(), 1)}));
    case MeasurementSet::TargetKind::File:
        return QFileInfo(QString::fromStdString(set_.TargetPath())).fileName();
    case MeasurementSet::TargetKind::Flat:
        break;
    }
    return Q(texts.Text(TextId::TargetFlat));
}

QString CMeasureCommands::ReaderMessage(const ResponseFileResult& result,
                                        const std::string& path) const {
    const std::vector<std::string> args{path, NumberText::FormatInt(result.line), result.word};
    return Q(window_.Texts().FormatKey(ResponseFileReader::Key(result.error),
                                       ResponseFileReader::Template(result.error), args));
}

int CMeasureCommands::ChosenChannel() {
    const int tab = window_.CurrentTab();
    if (tab == CSonvexDlg::kTenBandTab || tab == CSonvexDlg::kEightBandTab) {
        const CEqualiserPage& page = tab == CSonvexDlg::kTenBandTab
                                         ? static_cast<CEqualiserPage&>(window_.TenBandPage())
                                         : window_.EightBandPage();
        return ChannelField::Index(page.SelectedChannel());
    }
    bool ok = false;
    const QString item = QInputDialog::getItem(&window_, QString::fromUtf16(SonvexVersion::kName16),
                                               Q(window_.Texts().Text(TextId::MeasureAskChannel)),
                                               {ChannelName(0), ChannelName(1)}, 0, false, &ok);
    if (!ok) {
        return -1;
    }
    return item == ChannelName(0) ? 0 : 1;
}

void CMeasureCommands::Fit(CEqualiserPage& page, bool both) {
    const TextCatalog texts = window_.Texts();
    const int channel = ChannelField::Index(page.SelectedChannel());
    const std::u16string name = ChannelName(channel).toStdU16String();
    const ParameterSet draft = page.Draft();
    const std::shared_ptr<const MeasurementOverlay> overlay = set_.Overlay(channel, draft.SWFS);
    const auto refuse = [this](const std::u16string& text) {
        window_.ShowMessage(QString::fromStdU16String(text), true);
    };
    if (!overlay) {
        refuse(texts.Format(TextId::FitNoMeasurement, {name}));
        return;
    }
    if (set_.Target() == nullptr) {
        refuse(texts.Format(TextId::FitNoTarget, {TextCodec::FromUtf8(set_.TargetPath())}));
        return;
    }
    if (!overlay->HasError()) {
        refuse(texts.Format(TextId::FitTooFewPoints,
                            {name, Shortest(set_.Range().low), Shortest(set_.Range().high)}));
        return;
    }
    CEqualiserPage& tenBand = *pages_[0];
    CEqualiserPage& eightBand = *pages_[1];
    FitRequest request{
        draft, channel,
        both ? FitEqualisers::Both
             : (&page == &tenBand ? FitEqualisers::TenBand : FitEqualisers::EightBand),
        overlay->FitPoints()};
    const QString what = both ? Q(texts.Text(TextId::FitBothNames)) : page.windowTitle();
    const QString label = Q(texts.Format(TextId::FitBusy, {what.toStdU16String(), name}));
    const FitResult result = CFitRunner::Run(window_, texts, page.Tool(), request, label);
    const auto index = static_cast<std::size_t>(channel);
    switch (result.status) {
    case FitStatus::Ok:
        break;
    case FitStatus::Cancelled:
        lastFit_[index] = Q(texts.Text(TextId::FitCancelled));
        ShowState(page);
        return;
    case FitStatus::LibraryMissing:
        refuse(texts.Text(TextId::FitLibraryMissing));
        return;
    case FitStatus::BadSampleRate:
        refuse(texts.Format(TextId::FitBadRate,
                            {NumberText::Widen(NumberText::FormatInt(draft.SWFS))}));
        return;
    }
    // The other page shows the fitted channel before its boxes take the bands; that change
    // saves config.ini, so the step saves it again when undone.
    bool savesConfig = false;
    for (CEqualiserPage* shown : pages_) {
        const bool fitted = (shown == &tenBand ? result.tenBand : result.eightBand).has_value();
        if (fitted && ChannelField::Index(shown->SelectedChannel()) != channel) {
            shown->SetChannelBoxIndex(channel);
            shown->ChannelChange();
            savesConfig = true;
        }
    }
    if (result.tenBand) {
        tenBand.ShowBands(*result.tenBand);
    }
    if (result.eightBand) {
        eightBand.ShowBands(*result.eightBand);
    }
    window_.History().Record(texts.Text(TextId::StepFit), savesConfig);
    lastFit_[index] = Q(
        texts.Format(TextId::FitDone, {Decimal(result.rmsBefore, 2), Decimal(result.rmsAfter, 2)}));
    for (CEqualiserPage* shown : pages_) {
        ShowState(*shown);
        shown->RedrawFromBoxes();
    }
}
