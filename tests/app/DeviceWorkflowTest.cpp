// The device workflow of the main window through the fake adb with several devices: which
// device Set and Read address, the check after Set, the Device menu, and the comparisons.
#include "app/CCompareDialog.h"
#include "app/CDeviceChooser.h"
#include "app/CDeviceMenu.h"
#include "tests/app/AppTestSupport.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTableWidget>

#include <filesystem>

using namespace AppTest;

namespace {

const std::string kRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

QStringList Calls(const AppProgramDir& dir) {
    return QString::fromStdString(dir.Read("adb.log")).split('\n', Qt::SkipEmptyParts);
}

// While it exists, answers the device question: records its items, picks row (none: Cancel)
// and sets the box that keeps the choice.
class ChooserAnswer {
public:
    ChooserAnswer(int row, bool remember) {
        QObject::connect(&timer_, &QTimer::timeout, [this, row, remember] {
            auto* chooser = qobject_cast<CDeviceChooser*>(QApplication::activeModalWidget());
            if (chooser == nullptr) {
                return;
            }
            ++asked;
            items.clear();
            for (int i = 0; i < chooser->List().count(); ++i) {
                QListWidgetItem* item = chooser->List().item(i);
                items << item->text() + (item->flags() & Qt::ItemIsEnabled ? "" : " (disabled)");
            }
            chooser->RememberBox().setChecked(remember);
            if (row < 0) {
                chooser->reject();
                return;
            }
            chooser->List().setCurrentRow(row);
            chooser->accept();
        });
        timer_.start(10);
    }
    int asked = 0;
    QStringList items;

private:
    QTimer timer_;
};

// The rows of the comparison table, cells joined by '|', and its summary.
struct Comparison {
    QString summary;
    QStringList rows;
};

Comparison Compare(const std::function<void()>& command) {
    Comparison seen;
    ModalAnswer<CCompareDialog> answer([&](CCompareDialog& dialog) {
        seen.summary = dialog.Summary().text();
        for (int row = 0; row < dialog.Table().rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < dialog.Table().columnCount(); ++column) {
                cells << dialog.Table().item(row, column)->text();
            }
            seen.rows << cells.join('|');
        }
    });
    command();
    return seen;
}

} // namespace

class DeviceWorkflowTest : public QObject {
    Q_OBJECT

private slots:
    void setAsksWhichDeviceWhenSeveralAreAttached();
    void setReportsWhatTheDeviceHoldsOtherwise();
    void failuresSayWhyAndAChosenDeviceMustBeThere();
    void deviceMenuListsTheDevicesAndKeepsTheChoice();
    void compareWithAFileAndWithTheDevice();
};

void DeviceWorkflowTest::setAsksWhichDeviceWhenSeveralAreAttached() {
    AppProgramDir dir;
    qputenv("FAKE_ADB_DEVICES", "A1:device:Alpha C3:unauthorized B2:device:Beta");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    {
        ChooserAnswer answer(2, false);
        w->OnSet();
        QCOMPARE(answer.asked, 1);
        QCOMPARE(answer.items,
                 (QStringList{"A1 — Alpha", "C3 — unauthorized (disabled)", "B2 — Beta"}));
    }
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置成功")});
    const QStringList calls = Calls(dir);
    QCOMPARE(calls.size(), 3);
    QVERIFY(calls[1].startsWith("-s\tB2\tpush\t") && calls[2].startsWith("-s\tB2\tpull\t"));
    QCOMPARE(dir.Read("device/B2" + kRemote), dir.Read("EQPara.bin"));
    QVERIFY(!std::filesystem::exists(dir.File("device/A1" + kRemote)));
    QVERIFY(dir.Config().find("[Device]") == std::string::npos);

    // Cancel: nothing more is said or sent.
    catcher.Clear();
    {
        ChooserAnswer answer(-1, true);
        w->OnRead();
    }
    QVERIFY(catcher.Texts().isEmpty());
    QCOMPARE(Calls(dir).size(), 4);

    // Kept: the next Set asks no more.
    {
        ChooserAnswer answer(0, true);
        w->OnSet();
        w->OnSet();
        QCOMPARE(answer.asked, 1);
    }
    QCOMPARE(w->Devices().Chosen(), std::string("A1"));
    QVERIFY(dir.ConfigHas("Serial=A1"));
    QVERIFY(Calls(dir).back().startsWith("-s\tA1\tpull\t"));
    qunsetenv("FAKE_ADB_DEVICES");
}

void DeviceWorkflowTest::setReportsWhatTheDeviceHoldsOtherwise() {
    AppProgramDir dir;
    qputenv("FAKE_ADB_DEVICES", "A1:device:Alpha");
    qputenv("FAKE_ADB_CORRUPT", "A1");
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->TenBandPage().GainBox(3).setText("6");
    dir.MarkConfig();
    w->OnSet();
    QCOMPARE(catcher.Texts(), QStringList{QString::fromUtf8("设置失败")});
    const QString said = catcher.Messages().front().informative;
    QVERIFY2(said.contains("1 differences") &&
                 said.contains("EQGAINLEFT, channel0, ten-band equaliser, band 3: sent 6, read 7"),
             qPrintable(said));
    QVERIFY(dir.Marked()); // config.ini not saved
    qunsetenv("FAKE_ADB_CORRUPT");

    // A device that takes nothing and gives nothing back: the check cannot run, and says so.
    catcher.Clear();
    qputenv("FAKE_ADB_NOWRITE", "1");
    w->OnSet();
    qunsetenv("FAKE_ADB_NOWRITE");
    QCOMPARE(catcher.Texts().size(), 2);
    QVERIFY(catcher.Texts()[0].startsWith("The parameter file was sent, but reading it back"));
    QCOMPARE(catcher.Messages()[0].informative,
             QString("adb reported success but left no readable file"));
    QCOMPARE(catcher.Texts()[1], QString::fromUtf8("设置失败"));
    QVERIFY(dir.Marked());
    qunsetenv("FAKE_ADB_DEVICES");
}

void DeviceWorkflowTest::failuresSayWhyAndAChosenDeviceMustBeThere() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    qputenv("FAKE_ADB_FAIL", "1");
    w->OnSet();
    qunsetenv("FAKE_ADB_FAIL");
    QCOMPARE(catcher.Texts(),
             (QStringList{"update parameter fail!", QString::fromUtf8("设置失败")}));
    QCOMPARE(catcher.Messages()[0].informative,
             QString("adb: error: failed to get feature set: no devices/emulators found"));

    // The chosen device is not attached: a message naming it, and no transfer.
    catcher.Clear();
    w->Devices().Choose("Z9");
    QVERIFY(dir.ConfigHas("Serial=Z9"));
    const int before = static_cast<int>(Calls(dir).size());
    w->OnRead();
    QCOMPARE(catcher.Texts().size(), 1);
    QVERIFY2(catcher.Texts()[0].startsWith("The chosen device Z9 is not attached"),
             qPrintable(catcher.Texts()[0]));
    QCOMPARE(Calls(dir).size(), before + 1); // the list only

    // Verified, but config.ini cannot be written: said after the success.
    catcher.Clear();
    w->Devices().Choose("");
    std::filesystem::remove(dir.File("config.ini"));
    std::filesystem::create_directory(dir.File("config.ini"));
    w->OnSet();
    QCOMPARE(catcher.Texts().size(), 2);
    QCOMPARE(catcher.Texts()[0], QString::fromUtf8("设置成功"));
    QVERIFY2(catcher.Texts()[1].startsWith("Saving failed"), qPrintable(catcher.Texts()[1]));
}

void DeviceWorkflowTest::deviceMenuListsTheDevicesAndKeepsTheChoice() {
    AppProgramDir dir;
    qputenv("FAKE_ADB_DEVICES", "A1:device:Alpha C3:unauthorized");
    auto w = Open(dir);
    auto* menu = qobject_cast<QMenu*>(w->MenuCommand(CSonvexDlg::kDeviceCommandId)->parent());
    QVERIFY(menu != nullptr);
    const auto open = [&] {
        QSignalSpy listed(&w->Devices(), &CDeviceMenu::Listed);
        emit menu->aboutToShow();
        QVERIFY(listed.wait(5000));
    };
    open();
    QList<QAction*> items = w->Devices().DeviceItems();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QString("A1 — Alpha"));
    QVERIFY(items[0]->isCheckable() && items[0]->isEnabled() && !items[0]->isChecked());
    QCOMPARE(items[1]->text(), QString("C3 — unauthorized"));
    QVERIFY(!items[1]->isEnabled());
    // MX5210, Compare with device, the separator, then the devices.
    QCOMPARE(menu->actions().indexOf(items[0]), 3);
    QVERIFY(menu->actions()[2]->isSeparator());

    items[0]->trigger();
    QCOMPARE(w->Devices().Chosen(), std::string("A1"));
    QVERIFY(dir.ConfigHas("Serial=A1"));
    qputenv("FAKE_ADB_DEVICES", "C3:unauthorized");
    open();
    items = w->Devices().DeviceItems();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[1]->text(), QString("A1 — not attached"));
    QVERIFY(items[1]->isChecked() && items[1]->isEnabled());
    items[1]->trigger(); // the checked one again: no device chosen any more
    QCOMPARE(w->Devices().Chosen(), std::string());
    QVERIFY(dir.ConfigHas("Serial="));
    qunsetenv("FAKE_ADB_DEVICES");
}

void DeviceWorkflowTest::compareWithAFileAndWithTheDevice() {
    AppProgramDir dir;
    auto w = Open(dir);
    MessageBoxCatcher catcher;
    w->SetFileNameAsker([&](ParameterFileChooser::Purpose) {
        return QString::fromStdString(dir.File("Para.bin"));
    });
    w->OnSaveAs();
    Comparison seen = Compare([&] { w->OnCompareWithFile(); });
    QCOMPARE(seen.summary, QString("identical"));
    QVERIFY(seen.rows.isEmpty());

    w->TenBandPage().GainBox(3).setText("-5");
    seen = Compare([&] { w->MenuCommand(CSonvexDlg::kCompareFileCommandId)->trigger(); });
    QCOMPARE(seen.summary, QString("2 differences"));
    QCOMPARE(seen.rows.size(), 2);
    QCOMPARE(seen.rows[0], QString("EQGAINLEFT|channel0|ten-band equaliser|3|-5|0"));
    QVERIFY2(seen.rows[1].startsWith("ten-band coefficients of band 3|channel0|ten-band "
                                     "equaliser|3|"),
             qPrintable(seen.rows[1]));

    // The device holds what was set: identical; then a file the device was given elsewhere.
    w->OnSet();
    seen = Compare([&] { w->OnCompareWithDevice(); });
    QCOMPARE(seen.summary, QString("identical"));
    dir.Write("device" + kRemote, dir.Read("Para.bin"));
    seen = Compare([&] { w->OnCompareWithDevice(); });
    QCOMPARE(seen.rows.size(), 2);
    QCOMPARE(seen.rows[0], QString("EQGAINLEFT|channel0|ten-band equaliser|3|-5|0"));
    QCOMPARE(catcher.Texts(),
             (QStringList{"The parameter file \"" + QString::fromStdString(dir.File("Para.bin")) +
                              "\" was written.",
                          QString::fromUtf8("设置成功")}));
}

QTEST_MAIN(DeviceWorkflowTest)
#include "DeviceWorkflowTest.moc"
