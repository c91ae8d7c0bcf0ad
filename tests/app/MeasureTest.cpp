// Measurements on the equaliser pages: an import that is refused changes nothing, [Measurement]
// is saved and read again at start, a fit fills the boxes (not the parameter set) as one undo
// step, a cancelled fit changes nothing; EQ files exported and imported through the File menu.
#include "app/CEditHistory.h"
#include "app/CMeasureCommands.h"
#include "pages/CMeasurementBar.h"
#include "pages/CTuningView.h"
#include "tests/app/AppTestSupport.h"

#include <QDoubleSpinBox>
#include <QProgressDialog>

#include <cmath>
#include <filesystem>
#include <sstream>

using namespace AppTest;

namespace {

// A speaker-like response: 100 points from 20 Hz to 20 kHz, 80 dB with a 6 dB bump at 1 kHz and
// a falling top end.
std::string Measurement() {
    std::ostringstream text;
    text << "* synthesised\n";
    for (int i = 0; i < 100; ++i) {
        const double f = 20.0 * std::pow(1000.0, i / 99.0);
        const double octaves = std::log2(f / 1000.0);
        const double level = 80.0 + 6.0 * std::exp(-octaves * octaves * 2.0) -
                             (f > 8000.0 ? 3.0 * std::log2(f / 8000.0) : 0.0);
        text << f << '\t' << level << '\n';
    }
    return text.str();
}

QAction& Command(CSonvexDlg& w, int id) {
    return *w.MenuCommand(id);
}

std::vector<QString> BoxTexts(const CEqualiserPage& page) {
    std::vector<QString> texts;
    for (int band = 0; band < page.BandCount(); ++band) {
        texts.push_back(page.GainBox(band).text());
        texts.push_back(page.FrequencyBox(band).text());
        texts.push_back(page.QBox(band).text());
    }
    return texts;
}

} // namespace

class MeasureTest : public QObject {
    Q_OBJECT

private slots:
    void refusedImportChangesNothing();
    void measurementIsKeptInConfigAndReadAtStart();
    void fitFillsTheBoxesAsOneUndoStep();
    void cancelledFitChangesNothing();
    void eqExportThenImportIsExact();
    void eqImportListsItsChangesAndRefusesUnknownTypes();
};

void MeasureTest::refusedImportChangesNothing() {
    AppProgramDir dir;
    dir.Write("speaker.txt", Measurement());
    dir.Write("bad.txt", "20 70\n40 71\n30 72\n");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    QString file = QString::fromStdString(dir.File("speaker.txt"));
    w->SetFileNameAsker([&](auto) { return file; });
    Command(*w, CSonvexDlg::kImportMeasurementCommandId).trigger();
    QVERIFY(catcher.Texts().isEmpty());
    QCOMPARE(w->Measures().Measurements().Response(0)->Size(), std::size_t{100});
    QVERIFY(!w->TenBandPage().Tuning()->Overlay().predicted.empty());
    const std::string config = dir.Config();

    file = QString::fromStdString(dir.File("bad.txt"));
    w->TenBandPage().MeasureBar().ImportButton().click();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY2(catcher.Texts().front().contains("line 3"), qPrintable(catcher.Texts().front()));
    QVERIFY(catcher.Texts().front().contains("30"));
    QCOMPARE(w->Measures().Measurements().Response(0)->Size(), std::size_t{100});
    QCOMPARE(w->Measures().Measurements().Path(0), dir.File("speaker.txt"));
    QCOMPARE(dir.Config(), config);
    QVERIFY(!w->TenBandPage().Tuning()->Overlay().predicted.empty());
}

void MeasureTest::measurementIsKeptInConfigAndReadAtStart() {
    AppProgramDir dir;
    dir.Write("speaker.txt", Measurement());
    {
        auto w = Open(dir);
        w->Tabs().setCurrentIndex(CSonvexDlg::kEightBandTab);
        w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("speaker.txt")); });
        w->EightBandPage().MeasureBar().ImportButton().click();
        CMeasurementBar& bar = w->EightBandPage().MeasureBar();
        bar.TargetBox().setCurrentIndex(1); // tilt
        bar.TiltBox().setValue(-1.0);
        bar.LowBox().setText("50");
        emit bar.LowBox().editingFinished();
        // Both pages show the choice.
        QCOMPARE(w->TenBandPage().MeasureBar().LowText(), QString("50"));
    }
    const std::string config = dir.Config();
    for (const char* line :
         {"[Measurement]", "Target=tilt", "Tilt=-1", "RangeLow=50", "RangeHigh=20000", "FileR="}) {
        QVERIFY2(config.find(line) != std::string::npos, line);
    }
    QVERIFY(config.find("FileL=" + dir.File("speaker.txt")) != std::string::npos);
    {
        auto w = Open(dir);
        const MeasurementSet& set = w->Measures().Measurements();
        QCOMPARE(set.Response(0)->Size(), std::size_t{100});
        QCOMPARE(set.Response(1), nullptr);
        QCOMPARE(set.Kind(), MeasurementSet::TargetKind::Tilt);
        QCOMPARE(set.Tilt(), -1.0);
        QCOMPARE(set.Range().low, 50.0);
        // The page draws measurement, predicted, target and the error.
        const OverlayCurves& drawn = w->EightBandPage().Tuning()->Overlay();
        QVERIFY(!drawn.measured.empty() && !drawn.target.empty() && drawn.rms.has_value());
        QVERIFY(drawn.targetFrequencies.front() >= 50.0);
    }
    // A file that is no longer there: no measurement, a note, nothing else lost.
    std::filesystem::remove(dir.File("speaker.txt"));
    auto w = Open(dir);
    QCOMPARE(w->Measures().Measurements().Response(0), nullptr);
    const QString status = w->EightBandPage().MeasureBar().Status().text();
    QVERIFY2(status.contains("no longer there"), qPrintable(status));
    QCOMPARE(w->Measures().Measurements().Kind(), MeasurementSet::TargetKind::Tilt);
}

void MeasureTest::fitFillsTheBoxesAsOneUndoStep() {
    AppProgramDir dir;
    dir.Write("speaker.txt", Measurement());
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    CDlgEQ1& page = w->EightBandPage();
    w->Tabs().setCurrentIndex(CSonvexDlg::kEightBandTab);
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("speaker.txt")); });
    page.MeasureBar().ImportButton().click();
    const double before = *page.Tuning()->Overlay().rms;
    const ParameterSet stored = w->Settings().Params;
    const std::vector<QString> boxes = BoxTexts(page);
    const std::size_t steps = w->History().History().UndoCount();

    page.MeasureBar().FitButton().click();
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(BoxTexts(page) != boxes);
    QVERIFY(w->Settings().Params == stored); // not stored until the next store
    QCOMPARE(w->History().History().UndoCount(), steps + 1);
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(), QString("Undo fit"));
    // The constraints: whole-dB gains within ±12, Q with one decimal above 0.5.
    for (int band = 0; band < page.BandCount(); ++band) {
        const int gain = page.GainBox(band).text().toInt();
        QVERIFY(gain >= -12 && gain <= 12);
        if (band > 0 && band + 1 < page.BandCount()) {
            const QString q = page.QBox(band).text();
            QVERIFY2(q.toDouble() > 0.5 && q.section('.', 1).size() <= 1, qPrintable(q));
        }
    }
    // The drawing follows the boxes: the error went down.
    QVERIFY2(*page.Tuning()->Overlay().rms < before - 1.0,
             qPrintable(QString::number(*page.Tuning()->Overlay().rms)));
    QVERIFY(page.MeasureBar().Status().text().contains("last fit"));

    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QVERIFY(BoxTexts(page) == boxes);
    QVERIFY(w->Settings().Params == stored);
}

void MeasureTest::cancelledFitChangesNothing() {
    AppProgramDir dir;
    dir.Write("speaker.txt", Measurement());
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    CDlgEq& page = w->TenBandPage();
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("speaker.txt")); });
    page.MeasureBar().ImportButton().click();
    const ParameterSet stored = w->Settings().Params;
    const std::vector<QString> ten = BoxTexts(page);
    const std::vector<QString> eight = BoxTexts(w->EightBandPage());
    const std::size_t steps = w->History().History().UndoCount();
    {
        ModalAnswer<QProgressDialog> cancel([](QProgressDialog&) {});
        page.MeasureBar().FitBothButton().click();
        QCOMPARE(cancel.Count(), 1);
    }
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(BoxTexts(page) == ten);
    QVERIFY(BoxTexts(w->EightBandPage()) == eight);
    QVERIFY(w->Settings().Params == stored);
    QCOMPARE(w->History().History().UndoCount(), steps);
    QVERIFY(page.MeasureBar().Status().text().contains("cancelled"));

    // Not cancelled, with the eight-band page on the other channel: it shows the fitted one
    // with the fitted bands, and the whole fit is one step.
    CDlgEQ1& other = w->EightBandPage();
    other.SetChannelBoxIndex(1);
    other.ChannelChange();
    w->History().Settle();
    const std::vector<QString> right = BoxTexts(other);
    page.MeasureBar().FitBothButton().click();
    QVERIFY(catcher.Texts().isEmpty());
    QCOMPARE(other.ChannelBoxIndex(), 0);
    QVERIFY(BoxTexts(page) != ten);
    QCOMPARE(w->History().History().UndoCount(), steps + 1);
    Command(*w, CEditHistory::kUndoCommandId).trigger();
    QCOMPARE(other.ChannelBoxIndex(), 1);
    QVERIFY(BoxTexts(other) == right);
    QVERIFY(BoxTexts(page) == ten);
    QVERIFY(dir.ConfigHas("EQ1Channel=1"));
}

void MeasureTest::eqExportThenImportIsExact() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    CDlgEq& page = w->TenBandPage();
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    // Typed values, not yet stored, are what is exported.
    page.GainBox(0).setText("-7");
    page.FrequencyBox(3).setText("1234");
    page.QBox(4).setText("3.7");
    const std::vector<QString> typed = BoxTexts(page);
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File("eq.txt")); });
    Command(*w, CSonvexDlg::kExportEqCommandId).trigger();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Messages().front().icon == QMessageBox::Information);
    const std::string file = dir.Read("eq.txt");
    QVERIFY2(file.find("Filter 1: ON LSC Fc") != std::string::npos, file.c_str());
    QVERIFY(file.find("Gain -7.0 dB") != std::string::npos);
    QVERIFY(file.find("Fc 1234 Hz") != std::string::npos);
    QVERIFY(file.find("Preamp") == std::string::npos);

    // Back to the stored bands, then the import brings the exported ones, as one step.
    page.LoadChannel(page.SelectedChannel());
    w->History().Settle();
    QVERIFY(BoxTexts(page) != typed);
    catcher.Clear();
    Command(*w, CSonvexDlg::kImportEqCommandId).trigger();
    QVERIFY(BoxTexts(page) == typed);
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY2(catcher.Texts().front().contains("Every value was taken as it is."),
             qPrintable(catcher.Texts().front()));
    QCOMPARE(Command(*w, CEditHistory::kUndoCommandId).text(), QString("Undo EQ import"));
}

void MeasureTest::eqImportListsItsChangesAndRefusesUnknownTypes() {
    AppProgramDir dir;
    dir.Write("peer.txt", "Preamp: -3.4 dB\n"
                          "Filter 1: ON PK Fc 1000 Hz Gain 13.5 dB Q 1.41\n"
                          "Filter 2: ON PK Fc 200.4 Hz Gain -2 dB Q 0.7\n");
    dir.Write("lowpass.txt", "Filter 1: ON PK Fc 1000 Hz Gain 1 dB Q 1\n"
                             "Filter 2: ON LP Fc 5000 Hz\n");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    CDlgEQ1& page = w->EightBandPage();
    w->Tabs().setCurrentIndex(CSonvexDlg::kEightBandTab);
    const ParameterSet stored = w->Settings().Params;
    const std::vector<QString> before = BoxTexts(page);
    std::string file = "lowpass.txt";
    w->SetFileNameAsker([&](auto) { return QString::fromStdString(dir.File(file)); });
    Command(*w, CSonvexDlg::kImportEqCommandId).trigger();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY2(catcher.Texts().front().contains("\"LP\"") &&
                 catcher.Texts().front().contains("line 2"),
             qPrintable(catcher.Texts().front()));
    QVERIFY(BoxTexts(page) == before);

    catcher.Clear();
    file = "peer.txt";
    Command(*w, CSonvexDlg::kImportEqCommandId).trigger();
    QVERIFY(w->Settings().Params == stored); // the boxes only
    // The peaking filters in frequency order; bands left over keep frequency and Q at 0 dB.
    QCOMPARE(page.GainBox(1).text(), QString("-2"));
    QCOMPARE(page.FrequencyBox(1).text(), QString("200"));
    QCOMPARE(page.GainBox(2).text(), QString("12"));
    QCOMPARE(page.GainBox(3).text(), QString("0"));
    QCOMPARE(page.FrequencyBox(3).text(), before[3 * 3 + 1]);
    QCOMPARE(w->Modes().Gain2Box().text(), QString("-3"));
    const QString report = catcher.Texts().front();
    for (const char* line :
         {"filter 1: gain 13.5 dB \u2192 12 dB", "filter 2: frequency 200.4 Hz \u2192 200 Hz",
          "preamp -3.4 dB \u2192 Gain2 -3 dB", "Gain2 of channel L"}) {
        QVERIFY2(report.contains(QString::fromUtf8(line)), qPrintable(report));
    }
}

QTEST_MAIN(MeasureTest)
#include "MeasureTest.moc"
