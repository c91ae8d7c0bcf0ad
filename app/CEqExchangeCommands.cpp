#include "app/CEqExchangeCommands.h"

#include "app/CEditHistory.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "base/NumberText.h"
#include "base/SafeFile.h"
#include "base/SonvexVersion.h"
#include "exchange/ParametricEqImport.h"
#include "exchange/ParametricEqReader.h"
#include "exchange/ParametricEqWriter.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CPageEdit.h"
#include "params/ChannelFields.h"

#include <QComboBox>
#include <QInputDialog>

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

std::u16string ChannelName(int channel) {
    return channel == 0 ? u"L" : u"R";
}

} // namespace

void CEqExchangeCommands::Export() {
    if (CEqualiserPage* page = ChosenPage()) {
        ExportFrom(*page);
    }
}

void CEqExchangeCommands::Import() {
    if (CEqualiserPage* page = ChosenPage()) {
        ImportInto(*page);
    }
}

void CEqExchangeCommands::ExportFrom(CEqualiserPage& page) {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::EqExport);
    if (chosen.isEmpty()) {
        return;
    }
    const int channel = ChannelField::Index(page.SelectedChannel());
    const EqualiserBands bands = EqualiserBands::Of(page.Draft(), page.Kind(), channel);
    const std::string path = chosen.toStdString();
    const SafeFileResult written = SafeFile::Write(path, ParametricEqWriter::Write(bands));
    const TextCatalog texts = window_.Texts();
    if (written != SafeFileResult::Ok) {
        window_.ShowMessage(
            Q(texts.Format(TextId::EqExportFailed,
                           {chosen.toStdU16String(), SafeFile::DescribeFailure(written, texts)})),
            true);
        return;
    }
    window_.ShowMessage(Q(texts.Format(TextId::EqExported, {chosen.toStdU16String()})), false);
}

void CEqExchangeCommands::ImportInto(CEqualiserPage& page) {
    const QString chosen = window_.AskFileName(ParameterFileChooser::Purpose::EqImport);
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = chosen.toStdString();
    const TextCatalog texts = window_.Texts();
    ParametricEq eq;
    const EqFileResult read = ParametricEqReader::Read(path, eq);
    if (!read.Ok()) {
        const std::vector<std::string> args{path, NumberText::FormatInt(read.line), read.word};
        const std::u16string why = texts.FormatKey(ParametricEqReader::Key(read.error),
                                                   ParametricEqReader::Template(read.error), args);
        window_.ShowMessage(Q(texts.Format(TextId::EqNotImported, {why})), true);
        return;
    }
    const int channel = ChannelField::Index(page.SelectedChannel());
    const ParameterSet draft = page.Draft();
    const int32_t sampleRate = draft.SWFS;
    if (sampleRate < 4) {
        window_.ShowMessage(Q(texts.Format(TextId::FitBadRate,
                                           {NumberText::Widen(NumberText::FormatInt(sampleRate))})),
                            true);
        return;
    }
    const EqImport imported =
        ParametricEqImport::Apply(eq, EqualiserBands::Of(draft, page.Kind(), channel), sampleRate);
    page.ShowBands(imported.bands);
    if (imported.gain2) {
        ShowGain2(channel, *imported.gain2);
    }
    window_.History().Record(TextId::StepEqImport);
    page.RedrawFromBoxes();
    Report(page, channel, imported, path.c_str());
}

void CEqExchangeCommands::ShowGain2(int channel, int gain) {
    const ParameterSet& p = window_.Settings().Params;
    // The Gain2 box shows the window's channel: it shows the imported one first.
    if (!p.Link && ChannelField::Index(p.Channel) != channel) {
        window_.Modes().ChannelBox().setCurrentIndex(channel);
        window_.OnChannelSelected(channel);
    }
    window_.Modes().Gain2Box().setText(QString::fromStdString(NumberText::FormatInt(gain)));
}

void CEqExchangeCommands::Report(const CEqualiserPage& page, int channel, const EqImport& imported,
                                 const char* path) {
    const TextCatalog texts = window_.Texts();
    QStringList lines;
    lines << Q(texts.Format(TextId::EqImported,
                            {QString::fromUtf8(path).toStdU16String(),
                             page.windowTitle().toStdU16String(), ChannelName(channel)}));
    if (imported.changes.empty()) {
        lines << Q(texts.Text(TextId::EqImportExact));
    } else {
        lines << Q(texts.Text(TextId::EqImportChanges));
        for (const EqImportChange& change : imported.changes) {
            lines << Q(texts.FormatKey(change.key, change.pattern, change.arguments));
        }
    }
    if (imported.gain2) {
        lines << Q(texts.Format(
            TextId::EqPreampNote,
            {ChannelName(channel), NumberText::Widen(NumberText::FormatInt(*imported.gain2))}));
    }
    window_.ShowMessage(lines.join(QLatin1Char('\n')), false);
}

CEqualiserPage* CEqExchangeCommands::ChosenPage() {
    if (window_.CurrentTab() == CSonvexDlg::kTenBandTab) {
        return &window_.TenBandPage();
    }
    if (window_.CurrentTab() == CSonvexDlg::kEightBandTab) {
        return &window_.EightBandPage();
    }
    const QString ten = QStringLiteral("10EQ");
    const QString eight = QStringLiteral("8EQ");
    bool ok = false;
    const QString item = QInputDialog::getItem(&window_, QString::fromUtf16(SonvexVersion::kName16),
                                               Q(window_.Texts().Text(TextId::EqAskEqualiser)),
                                               {ten, eight}, 0, false, &ok);
    if (!ok) {
        return nullptr;
    }
    if (item == ten) {
        return &window_.TenBandPage();
    }
    return &window_.EightBandPage();
}
