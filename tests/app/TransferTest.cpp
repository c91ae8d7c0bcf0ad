// Set and Read through the fake adb, and File > Load / Save As.
#include "app/CBusyDialog.h"
#include "params/ParameterFile.h"
#include "serial/CComSet.h"
#include "tests/app/AppTestSupport.h"

#include <filesystem>

using namespace AppTest;

namespace {

const QString kFail = QStringLiteral("update parameter fail!");
const std::string kDeviceFile = "device/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

float At(const std::string& bytes, std::size_t index) {
    return ParameterFile::Decode(bytes)[index];
}

// The adb calls of the fake, one line each.
QStringList Calls(const AppProgramDir& dir) {
    return QString::fromStdString(dir.Read("adb.log")).split('\n', Qt::SkipEmptyParts);
}

// Every field the parameter file carries (Read and Load change no other).
std::string Snapshot(const ParameterSet& s) {
    return ParameterFile::Encode(ParameterFile::FieldsToArray(s));
}

// A device file that differs from the shipped configuration in every area.
std::string DeviceFileBytes() {
    ParameterSet s;
    s.SWFS = 44100; // the file's own rate, whatever name it was fetched under
    s.CHANUM = 2;
    s.DrcSwtch = s.EQSwtch1 = true;
    s.SCTRGAINL1 = -5;
    s.SCTRGAINL2 = 2;
    s.EQGAINLEFT[0] = 4;
    s.EQCFLEFT[0] = 60;
    s.EQQLEFT[0] = 1.5f;
    s.DIVFREQ_L = 2000;
    s.LLMT_THRESHOLD = -3.5f;
    s.EQGAINLEFT1[1] = -6;
    return ParameterFile::Encode(ParameterFile::FieldsToArray(s));
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void setPushesTheParameterFileAndSaves();
    void failedTransfersReportTwiceAndChangeNothing();
    void readShowsTheDeviceFileWithoutSaving();
    void busyDialogCannotBeClosedWhileAdbRuns();
    void setAndSaveAsTakeWhatTheScreenShows();
    void saveAsAndLoadRoundTrip();
    void loadAsksAboutAFileOfAnotherLength();
    void unusableFilesAreReported();
    void chineseIsShownThroughout();
    void untrustworthyFilesAreRefused();
};

void TransferTest::setPushesTheParameterFileAndSaves() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->TenBandPage().GainBox(3).setText("6");
    Edit(w->DrcPage(), 1055).setText("1800");
    dir.MarkConfig();
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kSetId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置成功")});
    QCOMPARE(catcher.Messages().front().title, QString("Sonvex"));
    // The devices, the push, and the pull that checks it into a file of its own.
    const QStringList calls = Calls(dir);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0], QString("devices\t-l"));
    QCOMPARE(calls[1], QString::fromStdString("push\t" + dir.File("EQPara.bin") +
                                              "\t/data/cfg/eq_bin/Para_48000Hz_2ch.bin"));
    QVERIFY2(calls[2].startsWith("pull\t/data/cfg/eq_bin/Para_48000Hz_2ch.bin\t/") &&
                 !calls[2].contains("EQPara.bin"),
             qPrintable(calls[2]));
    const std::string sent = dir.Read(kDeviceFile);
    QCOMPARE(sent.size(), std::size_t(2456));
    QCOMPARE(sent, dir.Read("EQPara.bin"));
    QCOMPARE(At(sent, 0), 2.0f);
    QCOMPARE(At(sent, 1), 48000.0f);
    QCOMPARE(At(sent, 6 + 21 + 3), 6.0f); // ten-band gain of band 3, L
    QCOMPARE(At(sent, 6 + 139), 1800.0f); // DRC division frequency, L
    QCOMPARE(At(sent, 305 + 31), 50.0f);  // ten-band frequency of band 0, R
    QVERIFY(At(sent, 6 + 49) != 0.0f);    // designed coefficients
    QVERIFY(!dir.Marked() && dir.ConfigHas("EQGAINLEFT=0,0,0,6,0,0,0,0,0,0"));
}

void TransferTest::failedTransfersReportTwiceAndChangeNothing() {
    AppProgramDir dir;
    dir.Write(kDeviceFile, DeviceFileBytes());
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->TenBandPage().GainBox(3).setText("6");
    dir.MarkConfig();
    qputenv("FAKE_ADB_FAIL", "1");
    w->OnSet();
    const std::string before = Snapshot(w->Settings().Params);
    w->OnRead();
    qunsetenv("FAKE_ADB_FAIL");

    QCOMPARE(catcher.Texts(), (QStringList{kFail, QString::fromUtf8("设置失败"), kFail,
                                           QString::fromUtf8("读取参数失败")}));
    QVERIFY(dir.Marked());
    // Set stored the pages' edits (and wrote EQPara.bin); Read changed nothing.
    QCOMPARE(w->Settings().Params.EQGAINLEFT[3], 6);
    QCOMPARE(At(dir.Read("EQPara.bin"), 6 + 21 + 3), 6.0f);
    QCOMPARE(Snapshot(w->Settings().Params), before);
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("48000"));
}

void TransferTest::readShowsTheDeviceFileWithoutSaving() {
    AppProgramDir dir;
    dir.Write(kDeviceFile, DeviceFileBytes());
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    dir.MarkConfig();
    QTest::mouseClick(&w->CommandButton(CSonvexDlg::kReadId), Qt::LeftButton);

    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("读取参数成功")});
    QCOMPARE(dir.Read("adb.log"), "devices\t-l\npull\t/data/cfg/eq_bin/Para_48000Hz_2ch.bin\t" +
                                      dir.File("EQPara.bin") + "\n");
    QCOMPARE(w->Settings().Params.SCTRGAINL1, -5);
    QCOMPARE(w->Modes().Gain1Box().text(), QString("-5"));
    QCOMPARE(w->Modes().Gain2Box().text(), QString("2"));
    const QList<int> modes{0, 1, 1, 0}; // 1064 EQSwtch, 1065 DrcSwtch, 1066 EQSwtch1, 1067 Limit
    for (int i = 0; i < modes.size(); ++i) {
        QCOMPARE(w->Modes().ModeBox(i).currentIndex(), modes[i]);
    }
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("44100"));
    QCOMPARE(w->TenBandPage().GainBox(0).text(), QString("4"));
    QCOMPARE(w->TenBandPage().FrequencyBox(0).text(), QString("60"));
    QCOMPARE(w->TenBandPage().QBox(1).text(), QString("1.5"));
    QCOMPARE(Edit(w->DrcPage(), 1055).text(), QString("2000"));
    QCOMPARE(Edit(w->LimiterPage(), 1068).text(), QString("-3.5"));
    QCOMPARE(w->EightBandPage().GainBox(1).text(), QString("-6"));
    QVERIFY(dir.Marked());
}

void TransferTest::busyDialogCannotBeClosedWhileAdbRuns() {
    AppProgramDir dir;
    dir.Write(kDeviceFile, DeviceFileBytes());
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    int seen = 0;
    bool stayed = true;
    QStringList steps;
    QString shown;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* busy = qobject_cast<CBusyDialog*>(QApplication::activeModalWidget());
        if (busy == nullptr) {
            return;
        }
        if (++seen == 1) {
            QTest::keyClick(busy, Qt::Key_Escape);
            busy->close();
            stayed = busy->isVisible() && busy->isModal();
        }
        shown.clear();
        for (QLabel* label : busy->findChildren<QLabel*>()) {
            shown += label->text();
        }
        if (steps.isEmpty() || steps.back() != busy->StepText()) {
            steps << busy->StepText();
        }
    });
    probe.start(300);
    qputenv("FAKE_ADB_HANG", "2");
    w->OnRead();
    qunsetenv("FAKE_ADB_HANG");

    QVERIFY(seen >= 3); // there for the whole run: the device list, then the pull
    QVERIFY(stayed);
    // The shipped configuration selects English: no Chinese besides the quoted messages.
    QCOMPARE(steps.size(), 2);
    QVERIFY2(steps[0].startsWith("Looking for the attached devices") &&
                 steps[1].startsWith("Exchanging the parameter file") &&
                 shown.endsWith("s elapsed"),
             qPrintable(steps.join('|') + shown));
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("读取参数成功")});
    QCOMPARE(w->Settings().Params.SWFS, 44100);
}

// Set and Save As first store the public page and the four processing pages, as Save does; a
// failed entry check stops them.
void TransferTest::setAndSaveAsTakeWhatTheScreenShows() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->PublicPage().SampleRateBox().setText("44100");
    w->OnSet();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置成功")});
    QCOMPARE(Calls(dir)[1], QString::fromStdString("push\t" + dir.File("EQPara.bin") +
                                                   "\t/data/cfg/eq_bin/Para_44100Hz_2ch.bin"));
    QCOMPARE(At(dir.Read("EQPara.bin"), 1), 44100.0f);

    catcher.Clear();
    int asked = 0;
    w->SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        ++asked;
        return QString::fromStdString(dir.File("out.bin"));
    });
    w->TenBandPage().GainBox(4).setText("-3");
    w->PublicPage().SampleRateBox().setText("32000");
    w->MenuCommand(CSonvexDlg::kSaveAsCommandId)->trigger();
    const std::string bytes = dir.Read("out.bin");
    QCOMPARE(At(bytes, 1), 32000.0f);
    QCOMPARE(At(bytes, 6 + 21 + 4), -3.0f); // ten-band gain of band 4, L
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY(catcher.Texts().front().contains(QString::fromStdString(dir.File("out.bin"))));
    QVERIFY(catcher.Texts().front().contains("written"));

    // A box with a failing entry, still holding the focus when the menu is used: its check runs
    // and Save As stops before it asks for a file.
    catcher.Clear();
    w->Tabs().setCurrentIndex(CSonvexDlg::kTenBandTab);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    Type(w->TenBandPage().GainBox(1), "13");
    w->MenuCommand(CSonvexDlg::kSaveAsCommandId)->trigger();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("数值不在-12~12范围!")});
    QCOMPARE(asked, 1);
    QCOMPARE(w->Settings().Params.EQGAINLEFT[1], 0);
}

void TransferTest::saveAsAndLoadRoundTrip() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    ParameterSet& p = w->Settings().Params;
    p.SCTRGAINR2 = -9;
    p.EQGAINRIGHT1[7] = 3;
    const std::string saved = Snapshot(p);
    QList<ParameterFileChooser::Purpose> asked;
    w->SetFileNameAsker([&](ParameterFileChooser::Purpose purpose) {
        asked << purpose;
        return QString::fromStdString(dir.File("out.bin"));
    });
    dir.MarkConfig();
    w->MenuCommand(CSonvexDlg::kSaveAsCommandId)->trigger();
    const std::string bytes = dir.Read("out.bin");
    QCOMPARE(bytes.size(), std::size_t(2456));
    QCOMPARE(At(bytes, 305 + 298), -9.0f); // Gain2 of R
    QCOMPARE(At(bytes, 305 + 196 + 7), 3.0f);

    p.SCTRGAINL1 = 11;
    p.EQGAINLEFT[5] = 9;
    p.SWFS = 8000;
    p.DrcSwtch = false;
    w->MenuCommand(CSonvexDlg::kLoadCommandId)->trigger();
    QCOMPARE(asked,
             (QList{ParameterFileChooser::Purpose::SaveAs, ParameterFileChooser::Purpose::Load}));
    QCOMPARE(Snapshot(p), saved);
    QCOMPARE(w->Modes().Gain1Box().text(), QString("0"));
    QCOMPARE(w->TenBandPage().GainBox(5).text(), QString("0"));
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("48000"));
    QCOMPARE(w->Modes().ModeBox(1).currentIndex(), 1);
    QCOMPARE(catcher.Texts().size(), 1); // Save As says it wrote the file, Load says nothing
    QVERIFY(dir.Marked());

    catcher.Clear();
    w->SetFileNameAsker([](ParameterFileChooser::Purpose) { return QString(); }); // cancelled
    p.SCTRGAINL1 = 11;
    w->OnLoad();
    w->OnSaveAs();
    QCOMPARE(p.SCTRGAINL1, 11);
    QVERIFY(catcher.Texts().isEmpty());
}

void TransferTest::loadAsksAboutAFileOfAnotherLength() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    ParameterSet& p = w->Settings().Params;
    dir.Write("short.bin", DeviceFileBytes().substr(0, 24)); // count, rate and switches only
    w->SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("short.bin"));
    });
    const std::string before = Snapshot(p);

    catcher.SetAnswer(QMessageBox::No);
    w->OnLoad();
    QCOMPARE(catcher.Messages().size(), 1);
    QCOMPARE(catcher.Messages().front().buttons, QMessageBox::Yes | QMessageBox::No);
    const QString question = catcher.Texts().front();
    QVERIFY(question.contains("24") && question.contains("2456"));
    QVERIFY(question.contains("read as 0"));
    QCOMPARE(Snapshot(p), before);

    catcher.SetAnswer(QMessageBox::Yes);
    w->OnLoad();
    QCOMPARE(catcher.Messages().size(), 2);
    QCOMPARE(p.SWFS, 44100);
    QCOMPARE(p.EQCFLEFT[0], 0);
    QCOMPARE(w->TenBandPage().FrequencyBox(0).text(), QString("0"));
}

void TransferTest::unusableFilesAreReported() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    const std::string before = Snapshot(w->Settings().Params);
    w->SetFileNameAsker([&](ParameterFileChooser::Purpose purpose) {
        return QString::fromStdString(
            dir.File(purpose == ParameterFileChooser::Purpose::Load ? "none.bin" : "no/out.bin"));
    });
    w->OnLoad();
    w->OnSaveAs();
    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].contains("none.bin") && catcher.Texts()[0].contains("read"));
    QVERIFY(catcher.Texts()[1].contains("no/out.bin") && catcher.Texts()[1].contains("written"));
    QCOMPARE(Snapshot(w->Settings().Params), before);
}

void TransferTest::chineseIsShownThroughout() {
    AppProgramDir dir;
    dir.SetConfig("Selected", "2");
    dir.Write(kDeviceFile, DeviceFileBytes());
    dir.Write("short.bin", DeviceFileBytes().substr(0, 24));
    const QString yes = QStringLiteral("&Yes");
    {
        auto w = Open(dir);
        QString busyText;
        QString buttons;
        QStringList questions;
        {
            ModalAnswer<QDialog> answer([&](QDialog& modal) {
                if (auto* busy = qobject_cast<CBusyDialog*>(&modal)) {
                    busyText.clear(); // the last step seen: the pull
                    for (QLabel* label : busy->findChildren<QLabel*>()) {
                        busyText += label->text();
                    }
                } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                    questions << box->text();
                    if (box->button(QMessageBox::Yes) != nullptr) {
                        buttons = box->button(QMessageBox::Yes)->text() + "|" +
                                  box->button(QMessageBox::No)->text();
                    }
                }
            });
            qputenv("FAKE_ADB_HANG", "1");
            w->OnRead(); // the busy dialog ends by itself; the message is answered
            qunsetenv("FAKE_ADB_HANG");
            w->SetFileNameAsker([&](ParameterFileChooser::Purpose) {
                return QString::fromStdString(dir.File("short.bin"));
            });
            w->OnLoad();
        }
        QVERIFY2(busyText.startsWith(QString::fromUtf8("正在通过 adb")) &&
                     busyText.endsWith(QString::fromUtf8("秒")),
                 qPrintable(busyText));
        QCOMPARE(questions.size(), 2);
        QCOMPARE(questions[0], QString::fromUtf8("读取参数成功"));
        QVERIFY2(questions[1].contains(QString::fromUtf8("读为 0")), qPrintable(questions[1]));
        // Qt's own buttons and dialogs speak the same language.
        QVERIFY2(!buttons.contains("Yes") && buttons.contains(QString::fromUtf8("是")),
                 qPrintable(buttons));
        QVERIFY(QCoreApplication::translate("QFileDialog", "&Open") != "&Open");

        // A failed save, and the reasons from the core.
        MessageBoxCatcher catcher;
        std::filesystem::remove(dir.File("config.ini"));
        std::filesystem::create_directory(dir.File("config.ini"));
        w->OnSave();
        w->SetFileNameAsker([&](ParameterFileChooser::Purpose) {
            return QString::fromStdString(dir.File("none.bin"));
        });
        w->OnLoad();
        {
            ModalAnswer<CComSet> serial([](CComSet& dialog) {
                Edit(dialog, CComSet::kPortEditId).setText("99999");
                for (auto* button : dialog.findChildren<QPushButton*>()) {
                    if (ControlId::Of(*button) == CComSet::kOkId) {
                        button->click();
                    }
                }
            });
            w->OnComSetting();
        }
        QCOMPARE(catcher.Texts().size(), 3);
        QCOMPARE(catcher.Texts()[2], QString::fromUtf8("串口编号 99999 无效。"));
        QVERIFY2(catcher.Texts()[0].startsWith(QString::fromUtf8("保存失败：无法写入“")),
                 qPrintable(catcher.Texts()[0]));
        QVERIFY2(catcher.Texts()[1].startsWith(QString::fromUtf8("无法读取参数文件“")),
                 qPrintable(catcher.Texts()[1]));
    }
    // Qt's translations go with the window.
    QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), QString("&Open"));
}

void TransferTest::untrustworthyFilesAreRefused() {
    AppProgramDir dir;
    dir.Write(kDeviceFile, DeviceFileBytes().substr(0, 24));
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    const std::string before = Snapshot(w->Settings().Params);
    dir.MarkConfig();
    w->OnRead();
    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].contains("it is 24 bytes long"));
    QCOMPARE(catcher.Texts()[1], QString::fromUtf8("读取参数失败"));
    QCOMPARE(Snapshot(w->Settings().Params), before);
    QCOMPARE(w->PublicPage().SampleRateBox().text(), QString("48000"));

    // Load: a NaN is refused whether or not the user agreed to a short file.
    std::string nan = DeviceFileBytes();
    nan.replace(4 * 1, 4, std::string("\x00\x00\xC0\x7F", 4)); // SWFS
    dir.Write("nan.bin", nan);
    dir.Write("short nan.bin", nan.substr(0, 24));
    catcher.Clear();
    catcher.SetAnswer(QMessageBox::Yes);
    for (const char* name : {"nan.bin", "short nan.bin"}) {
        w->SetFileNameAsker(
            [&](ParameterFileChooser::Purpose) { return QString::fromStdString(dir.File(name)); });
        w->OnLoad();
        QVERIFY(catcher.Texts().back().contains("SWFS is not a finite number"));
    }
    QCOMPARE(catcher.Texts().size(), 3); // the length question once
    QCOMPARE(Snapshot(w->Settings().Params), before);
    QVERIFY(dir.Marked());
}

QTEST_MAIN(TransferTest)
#include "TransferTest.moc"
