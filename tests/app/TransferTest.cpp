// Set and Read through the fake adb, and File > Load / Save As.
#include "app/CBusyDialog.h"
#include "app/CModePanel.h"
#include "app/CSonvexDlg.h"
#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "params/ParameterFile.h"
#include "tests/app/AppProgramDir.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstring>

using AppTest::Open;

namespace {

const QString kFail = QStringLiteral("update parameter fail!");

// The float at an index of a parameter file.
float At(const std::string& bytes, std::size_t index) {
    return ParameterFile::Decode(bytes)[index];
}

// Every carried field and the editor state, to compare two parameter sets.
std::string Snapshot(const ParameterSet& set) {
    const ParameterArray fields = ParameterFile::FieldsToArray(set);
    std::string bytes = ParameterFile::Encode(fields);
    for (int32_t state : {int32_t(set.Link), int32_t(set.EQLink), int32_t(set.EQLink1),
                          int32_t(set.DRCLink), int32_t(set.LimitLink), set.Channel, set.EQChannel,
                          set.EQ1Channel, set.DrcChannel, set.LimitChannel}) {
        bytes += std::to_string(state) + ",";
    }
    return bytes;
}

// A device file whose values differ from the shipped configuration in every area.
std::string DeviceFileBytes() {
    ParameterSet set;
    set.SWFS = 44100; // the file's own rate, whatever name it was fetched under
    set.CHANUM = 2;
    set.EQSwtch = false;
    set.DrcSwtch = true;
    set.LimitSwtch = false;
    set.EQSwtch1 = true;
    set.SCTRGAINL1 = -5;
    set.SCTRGAINL2 = 2;
    set.SCTRGAINR1 = 8;
    set.EQGAINLEFT[0] = 4;
    set.EQCFLEFT[0] = 60;
    set.EQQLEFT[0] = 1.5f;
    set.DIVFREQ_L = 2000;
    set.LLMT_THRESHOLD = -3.5f;
    set.EQGAINLEFT1[1] = -6;
    return ParameterFile::Encode(ParameterFile::FieldsToArray(set));
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void setPushesTheParameterFileAndSaves();
    void setThatAdbFailsReportsTwiceAndDoesNotSave();
    void setWithoutAdbReportsTwice();
    void setOfNonFiniteValuesSendsNothing();
    void readShowsTheDeviceFileWithoutSaving();
    void readThatFailsLeavesEverything();
    void busyDialogCannotBeClosedWhileAdbRuns();
    void saveAsAndLoadRoundTrip();
    void loadOfAFileOfAnotherLengthAsksFirst();
    void loadAndSaveAsReportFilesThatCannotBeUsed();
};

void TransferTest::setPushesTheParameterFileAndSaves() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    w.TenBandPage().GainBox(3).setText("6");
    AppTest::Edit(w.DrcPage(), 1055).setText("1800");
    dir.MarkConfig();

    QTest::mouseClick(&w.CommandButton(CSonvexDlg::SetId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置成功")});
    QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
    const std::string local = dir.File("EQPara.bin");
    QCOMPARE(dir.AdbLog(), "push\t" + local + "\t/data/cfg/eq_bin/Para_48000Hz_2ch.bin\n");
    const std::string sent = TempDir::ReadBytes(dir.DeviceFile("Para_48000Hz_2ch.bin"));
    QCOMPARE(sent.size(), std::size_t(2456));
    QCOMPARE(sent, dir.ReadFile("EQPara.bin"));
    QCOMPARE(At(sent, 0), 2.0f);
    QCOMPARE(At(sent, 1), 48000.0f);
    QCOMPARE(At(sent, 6 + 21 + 3), 6.0f); // ten-band gain of band 3, channel L
    QCOMPARE(At(sent, 6 + 139), 1800.0f); // DRC division frequency, L
    QCOMPARE(At(sent, 305 + 31), 50.0f);  // ten-band frequency of band 0, channel R
    QVERIFY(At(sent, 6 + 49) != 0.0f);    // coefficients were designed
    QVERIFY(!dir.ConfigMarked());
    QVERIFY(dir.ConfigText().find("EQGAINLEFT=0,0,0,6,0,0,0,0,0,0\r\n") != std::string::npos);
}

void TransferTest::setThatAdbFailsReportsTwiceAndDoesNotSave() {
    AppProgramDir dir;
    qputenv("FAKE_ADB_FAIL", "1");
    auto window = Open(dir);
    MessageBoxCatcher catcher;
    window->TenBandPage().GainBox(3).setText("6");
    dir.MarkConfig();
    window->OnSet();
    qunsetenv("FAKE_ADB_FAIL");

    QCOMPARE(catcher.Texts(), (QStringList{kFail, QString::fromUtf8("设置失败")}));
    QCOMPARE(catcher.Messages().back().Title, QString("Sonvex"));
    QVERIFY(dir.ConfigMarked());
    // The pages' edits are in the parameter set, and EQPara.bin was written for the push.
    QCOMPARE(window->Settings().Params.EQGAINLEFT[3], 6);
    QCOMPARE(At(dir.ReadFile("EQPara.bin"), 6 + 21 + 3), 6.0f);
}

void TransferTest::setWithoutAdbReportsTwice() {
    AppProgramDir dir(AppProgramDir::Contents{.adb = false});
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(dir.File("device")));
    auto window = Open(dir);
    MessageBoxCatcher catcher;
    window->OnSet();
    window->OnRead();
    qputenv("PATH", path);
    QCOMPARE(catcher.Texts(), (QStringList{kFail, QString::fromUtf8("设置失败"), kFail,
                                           QString::fromUtf8("读取参数失败")}));
}

void TransferTest::setOfNonFiniteValuesSendsNothing() {
    AppProgramDir dir;
    auto window = Open(dir);
    MessageBoxCatcher catcher;
    window->TenBandPage().QBox(2).setText("1e39"); // beyond single precision: infinite
    dir.MarkConfig();
    window->OnSet();

    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].contains("EQPara.bin"));
    QCOMPARE(catcher.Texts()[1], QString::fromUtf8("设置失败"));
    QVERIFY(dir.AdbLog().empty());
    QVERIFY(dir.ConfigMarked());
}

void TransferTest::readShowsTheDeviceFileWithoutSaving() {
    AppProgramDir dir;
    dir.WriteFile("device/data/cfg/eq_bin/Para_48000Hz_2ch.bin", DeviceFileBytes());
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    dir.MarkConfig();

    QTest::mouseClick(&w.CommandButton(CSonvexDlg::ReadId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("读取参数成功")});
    QCOMPARE(dir.AdbLog(),
             "pull\t/data/cfg/eq_bin/Para_48000Hz_2ch.bin\t" + dir.File("EQPara.bin") + "\n");
    const ParameterSet& p = w.Settings().Params;
    QCOMPARE(p.SWFS, 44100);
    QCOMPARE(p.SCTRGAINL1, -5);
    QCOMPARE(p.EQCFRIGHT[0], 0); // the file's R block holds zeros there
    QCOMPARE(w.Modes().Gain1Box().text(), QString("-5"));
    QCOMPARE(w.Modes().Gain2Box().text(), QString("2"));
    QCOMPARE(w.Modes().ModeBox(0).currentIndex(), 0); // 1064 EQSwtch
    QCOMPARE(w.Modes().ModeBox(1).currentIndex(), 1); // 1065 DrcSwtch
    QCOMPARE(w.Modes().ModeBox(2).currentIndex(), 1); // 1066 EQSwtch1
    QCOMPARE(w.Modes().ModeBox(3).currentIndex(), 0); // 1067 LimitSwtch
    QCOMPARE(w.PublicPage().SampleRateBox().text(), QString("44100"));
    QCOMPARE(w.TenBandPage().GainBox(0).text(), QString("4"));
    QCOMPARE(w.TenBandPage().FrequencyBox(0).text(), QString("60"));
    QCOMPARE(w.TenBandPage().QBox(1).text(), QString("1.5"));
    QCOMPARE(AppTest::Edit(w.DrcPage(), 1055).text(), QString("2000"));
    QCOMPARE(AppTest::Edit(w.LimiterPage(), 1068).text(), QString("-3.5"));
    QCOMPARE(w.EightBandPage().GainBox(1).text(), QString("-6"));
    QVERIFY(dir.ConfigMarked());
}

void TransferTest::readThatFailsLeavesEverything() {
    AppProgramDir dir;
    dir.WriteFile("device/data/cfg/eq_bin/Para_48000Hz_2ch.bin", DeviceFileBytes());
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    const std::string before = Snapshot(w.Settings().Params);
    qputenv("FAKE_ADB_FAIL", "1");
    w.OnRead();
    qunsetenv("FAKE_ADB_FAIL");

    QCOMPARE(catcher.Texts(), (QStringList{kFail, QString::fromUtf8("读取参数失败")}));
    QCOMPARE(Snapshot(w.Settings().Params), before);
    QCOMPARE(w.TenBandPage().GainBox(0).text(), QString("0"));
    QCOMPARE(w.PublicPage().SampleRateBox().text(), QString("48000"));

    // A pull that says it succeeded but brought no file is a failure too.
    catcher.Clear();
    qputenv("FAKE_ADB_NOWRITE", "1");
    w.OnRead();
    qunsetenv("FAKE_ADB_NOWRITE");
    QCOMPARE(catcher.Texts(), (QStringList{kFail, QString::fromUtf8("读取参数失败")}));
    QCOMPARE(Snapshot(w.Settings().Params), before);
}

void TransferTest::busyDialogCannotBeClosedWhileAdbRuns() {
    AppProgramDir dir;
    dir.WriteFile("device/data/cfg/eq_bin/Para_48000Hz_2ch.bin", DeviceFileBytes());
    qputenv("FAKE_ADB_HANG", "2");
    auto window = Open(dir);
    MessageBoxCatcher catcher;

    int seen = 0;
    bool survived = true;
    bool blocksWindow = true;
    QString elapsed;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* busy = qobject_cast<CBusyDialog*>(QApplication::activeModalWidget());
        if (busy == nullptr) {
            return;
        }
        if (++seen == 1) {
            QTest::keyClick(busy, Qt::Key_Escape);
            busy->close();
            busy->reject();
            survived = survived && busy->isVisible();
            blocksWindow = QApplication::activeModalWidget() == busy && busy->isModal();
            const QList<QLabel*> labels = busy->findChildren<QLabel*>();
            for (QLabel* label : labels) {
                elapsed += label->text();
            }
        }
    });
    probe.start(300);
    window->OnRead();
    probe.stop();
    qunsetenv("FAKE_ADB_HANG");

    QVERIFY(seen >= 3); // shown for the whole run of about two seconds
    QVERIFY(survived);
    QVERIFY(blocksWindow);
    QVERIFY(elapsed.contains(QString::fromUtf8("秒")));
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("读取参数成功")});
    QCOMPARE(window->Settings().Params.SWFS, 44100);
}

void TransferTest::saveAsAndLoadRoundTrip() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    ParameterSet& p = w.Settings().Params;
    p.SCTRGAINR2 = -9;
    p.EQGAINRIGHT1[7] = 3;
    const std::string saved = Snapshot(p);

    QList<ParameterFileChooser::Purpose> asked;
    const QString file = QString::fromStdString(dir.File("out.bin"));
    w.SetFileNameAsker([&](ParameterFileChooser::Purpose purpose) {
        asked << purpose;
        return file;
    });
    dir.MarkConfig();
    w.MenuCommand(CSonvexDlg::SaveAsCommandId)->trigger();
    const std::string bytes = dir.ReadFile("out.bin");
    QCOMPARE(bytes.size(), std::size_t(2456));
    QCOMPARE(At(bytes, 305 + 298), -9.0f); // Gain2 of R
    QCOMPARE(At(bytes, 305 + 196 + 7), 3.0f);

    p.SCTRGAINL1 = 11;
    p.EQGAINLEFT[5] = 9;
    p.SWFS = 8000;
    p.DrcSwtch = false;
    w.MenuCommand(CSonvexDlg::LoadCommandId)->trigger();
    QCOMPARE(asked, (QList<ParameterFileChooser::Purpose>{ParameterFileChooser::Purpose::SaveAs,
                                                          ParameterFileChooser::Purpose::Load}));
    QCOMPARE(Snapshot(p), saved);
    QCOMPARE(w.Modes().Gain1Box().text(), QString("0"));
    QCOMPARE(w.TenBandPage().GainBox(5).text(), QString("0"));
    QCOMPARE(w.PublicPage().SampleRateBox().text(), QString("48000"));
    QCOMPARE(w.Modes().ModeBox(1).currentIndex(), 1);
    QVERIFY(catcher.Texts().isEmpty());
    QVERIFY(dir.ConfigMarked()); // neither command writes config.ini

    // Cancelled dialogs do nothing.
    w.SetFileNameAsker([](ParameterFileChooser::Purpose) { return QString(); });
    p.SCTRGAINL1 = 11;
    w.OnLoad();
    w.OnSaveAs();
    QCOMPARE(p.SCTRGAINL1, 11);
    QVERIFY(catcher.Texts().isEmpty());
}

void TransferTest::loadOfAFileOfAnotherLengthAsksFirst() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    ParameterSet& p = w.Settings().Params;

    // 24 bytes: channel count, sample rate and the four switches only.
    const std::string full = DeviceFileBytes();
    dir.WriteFile("short.bin", full.substr(0, 24));
    w.SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("short.bin"));
    });
    const std::string before = Snapshot(p);

    catcher.SetAnswer(QMessageBox::No);
    w.OnLoad();
    QCOMPARE(catcher.Messages().size(), 1);
    QCOMPARE(catcher.Messages().front().Title, QString("Sonvex"));
    QCOMPARE(catcher.Messages().front().Buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(catcher.Texts().front().contains("24"));
    QVERIFY(catcher.Texts().front().contains("2456"));
    QVERIFY(catcher.Texts().front().contains(QString::fromUtf8("读为 0")));
    QCOMPARE(Snapshot(p), before);

    catcher.Clear();
    catcher.SetAnswer(QMessageBox::Yes);
    w.OnLoad();
    QCOMPARE(catcher.Messages().size(), 1);
    QCOMPARE(p.SWFS, 44100);
    QVERIFY(!p.EQSwtch && p.DrcSwtch);
    QCOMPARE(p.EQCFLEFT[0], 0);
    QCOMPARE(w.TenBandPage().FrequencyBox(0).text(), QString("0"));

    // A longer file is asked about too; its first 2456 bytes are read.
    dir.WriteFile("long.bin", full + std::string(100, '\0'));
    w.SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("long.bin"));
    });
    catcher.Clear();
    w.OnLoad();
    QCOMPARE(catcher.Messages().size(), 1);
    QVERIFY(catcher.Texts().front().contains("2556"));
    QCOMPARE(p.EQCFLEFT[0], 60);
}

void TransferTest::loadAndSaveAsReportFilesThatCannotBeUsed() {
    AppProgramDir dir;
    auto window = Open(dir);
    CSonvexDlg& w = *window;
    MessageBoxCatcher catcher;
    const std::string before = Snapshot(w.Settings().Params);

    w.SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("none.bin"));
    });
    w.OnLoad();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Texts().front().contains("none.bin"));
    QVERIFY(catcher.Texts().front().contains("could not be read"));
    QCOMPARE(Snapshot(w.Settings().Params), before);

    catcher.Clear();
    w.SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("missing/out.bin"));
    });
    w.OnSaveAs();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Texts().front().contains("could not be written"));
}

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
