#include "widgets/WidgetLocalizer.h"
#include "base/TextCodec.h"
#include "settings/CIniLocalLan.h"
#include "tests/support/TempDir.h"
#include "widgets/ControlId.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A dialog with one control of each kind the localization knows, and some it leaves alone.
struct TestDialog {
    TestDialog() {
        window.setWindowTitle("Caption");
        ok = new QPushButton("OK", &window);
        ControlId::Set(*ok, 1001);
        link = new QCheckBox("Link", &window);
        ControlId::Set(*link, 1058);
        frame = new QGroupBox("Frame", &window);
        ControlId::Set(*frame, 2000);
        // A label inside the frame: descendants of any depth are visited.
        gain = new QLabel("Gain", frame);
        ControlId::Set(*gain, 2001);
        minus = new QLabel("Minus", &window);
        ControlId::Set(*minus, -1);
        free = new QLabel("Free", &window);
        edit = new QLineEdit("edit text", &window);
        ControlId::Set(*edit, 1003);
        combo = new QComboBox(&window);
        combo->addItem("channel0");
        ControlId::Set(*combo, 1004);
        model.setHorizontalHeaderLabels({"Name", "Value"});
        table = new QTableView(&window);
        table->setModel(&model);
        ControlId::Set(*table, 1005);
    }

    QString Header(int column) const { return model.headerData(column, Qt::Horizontal).toString(); }

    QWidget window;
    QStandardItemModel model;
    QPushButton* ok;
    QCheckBox* link;
    QGroupBox* frame;
    QLabel* gain;
    QLabel* minus;
    QLabel* free;
    QLineEdit* edit;
    QComboBox* combo;
    QTableView* table;
};

std::u16string Path16(const std::string& path) {
    return TextCodec::FromUtf8(path);
}

// Writes an INI text (UTF-8 here, written as code page 936 with CR LF).
void WriteLanguage(const std::string& path, const std::u16string& text) {
    std::u16string crlf;
    for (char16_t c : text) {
        if (c == u'\n') {
            crlf += u'\r';
        }
        crlf += c;
    }
    TempDir::WriteBytes(path, TextCodec::ToCp936(crlf));
}

} // namespace

class WidgetLocalizerTest : public QObject {
    Q_OBJECT

private slots:
    void ApplyReplacesIdentifiedTexts() {
        TempDir dir;
        WriteLanguage(dir.File("lang.ini"), u"[DIALOG_500]\n"
                                            u"DIALOG_TITLE=标题\n"
                                            u"BUTTON_1001=确定\n"
                                            u"BUTTON_2000=框\n"
                                            u"LABEL_2001=增益\n"
                                            u"LABEL_-1=负\n"
                                            u"LABEL_1003=not for an edit\n"
                                            u"LISTVIEW_1005_Header_0=名称\n"
                                            u"[LANG]\n"
                                            u"IDS_TEXT_APPNAME=Tuner\n");
        CIniLocalLan language;
        QVERIFY(language.Load(Path16(dir.File("lang.ini"))));
        TestDialog dialog;
        QVERIFY(WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, false, 500, false));
        QCOMPARE(dialog.window.windowTitle(), QStringLiteral(u"标题"));
        QCOMPARE(dialog.ok->text(), QStringLiteral(u"确定"));
        QCOMPARE(dialog.frame->title(), QStringLiteral(u"框"));
        QCOMPARE(dialog.gain->text(), QStringLiteral(u"增益"));
        QCOMPARE(dialog.minus->text(), QStringLiteral(u"负"));
        QCOMPARE(dialog.Header(0), QStringLiteral(u"名称"));
        // Keys missing from the file blank their controls.
        QCOMPARE(dialog.link->text(), QString());
        QCOMPARE(dialog.Header(1), QString());
        // Edit boxes, combo boxes and controls without an identifier keep their texts.
        QCOMPARE(dialog.edit->text(), QString("edit text"));
        QCOMPARE(dialog.combo->currentText(), QString("channel0"));
        QCOMPARE(dialog.free->text(), QString("Free"));

        // With the application's name the caption comes from LANG, not DIALOG_TITLE.
        QVERIFY(WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, false, 500, true));
        QCOMPARE(dialog.window.windowTitle(), QString("Tuner Sonvex V1.21"));
    }

    void ApplyWithoutTheDialogsSection() {
        TempDir dir;
        WriteLanguage(dir.File("lang.ini"), u"[DIALOG_7]\nBUTTON_1001=Other\n");
        CIniLocalLan language;
        QVERIFY(language.Load(Path16(dir.File("lang.ini"))));
        TestDialog dialog;
        QVERIFY(WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, false, 102, true));
        // No application name: the caption keeps its leading blank.
        QCOMPARE(dialog.window.windowTitle(), QString(" Sonvex V1.21"));
        QCOMPARE(dialog.ok->text(), QString());
        QCOMPARE(dialog.gain->text(), QString());
    }

    void ApplyBeforeLoadingChangesNothing() {
        CIniLocalLan language;
        QCOMPARE(language.GetText(u"LANG:IDS_TEXT_APPNAME"),
                 std::u16string(u"LANG:IDS_TEXT_APPNAME"));
        TestDialog dialog;
        QVERIFY(!WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, false, 500, true));
        QCOMPARE(dialog.window.windowTitle(), QString("Caption"));
        QCOMPARE(dialog.ok->text(), QString("OK"));
        QCOMPARE(dialog.Header(0), QString("Name"));

        // A file that does not exist loads nothing either.
        TempDir dir;
        QVERIFY(!language.Load(Path16(dir.File("missing.ini"))));
        QVERIFY(!WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, false, 500, false));
        QCOMPARE(dialog.link->text(), QString("Link"));
    }

    void CollectIntoAnEmptyFile() {
        TempDir dir;
        TempDir::WriteBytes(dir.File("lang.ini"), "");
        CIniLocalLan language;
        QVERIFY(language.Load(Path16(dir.File("lang.ini"))));
        TestDialog dialog;
        dialog.gain->setText(QStringLiteral(u"增益"));
        QVERIFY(WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, true, 131, false));
        // The window keeps its texts.
        QCOMPARE(dialog.ok->text(), QString("OK"));
        QCOMPARE(dialog.window.windowTitle(), QString("Caption"));
        // One key per identified control of the known kinds, in key order, code page 936.
        QCOMPARE(TempDir::ReadBytes(dir.File("lang.ini")),
                 std::string("[DIALOG_131]\r\n"
                             "BUTTON_1001=OK\r\n"
                             "BUTTON_1058=Link\r\n"
                             "BUTTON_2000=Frame\r\n"
                             "DIALOG_TITLE=Caption\r\n"
                             "LABEL_-1=Minus\r\n"
                             "LABEL_2001=\xD4\xF6\xD2\xE6\r\n"
                             "LISTVIEW_1005_Header_0=Name\r\n"
                             "LISTVIEW_1005_Header_1=Value\r\n"));
    }

    // Collect mode without a language file collects nothing and writes nothing.
    void CollectWithoutAFile() {
        CIniLocalLan language;
        TestDialog dialog;
        WidgetLocalizer::ApplyDialogLanguage(language, dialog.window, true, 131, false);
        QVERIFY(!language.HasDocument());
        QCOMPARE(dialog.ok->text(), QString("OK"));
    }

    void MenuByPosition() {
        TempDir dir;
        WriteLanguage(dir.File("lang.ini"), u"[DIALOG_102]\n"
                                            u"MENU_0=文件\n"
                                            u"MENU_0_0=加载\n"
                                            u"MENU_0_2=另存为\n"
                                            u"MENU_1=查看\n"
                                            u"MENU_2=关于\n"
                                            u"MENU_2_0_0=deep\n"
                                            u"[DIALOG_131]\n"
                                            u"MENU_2_0=wrong section\n");
        CIniLocalLan language;
        QVERIFY(language.Load(Path16(dir.File("lang.ini"))));
        QMenuBar bar;
        QMenu* file = bar.addMenu("File");
        QAction* load = file->addAction("Load");
        QAction* separator = file->addSeparator();
        QAction* saveAs = file->addAction("Save As");
        QAction* device = file->addAction("R58M123 — SM_A525F"); // MENU_0_3 is absent
        ControlId::SetFixedText(*device);
        QAction* view = bar.addAction("View");
        QMenu* about = bar.addMenu("About");
        QMenu* more = about->addMenu("More");
        QAction* deep = more->addAction("Deep");

        QWidget window;
        QVERIFY(WidgetLocalizer::ApplyDialogLanguage(language, window, false, 102, true));
        WidgetLocalizer::ApplyMenuLanguage(language, bar, u"MENU");
        QCOMPARE(file->title(), QStringLiteral(u"文件"));
        QCOMPARE(load->text(), QStringLiteral(u"加载"));
        QVERIFY(separator->isSeparator());
        QCOMPARE(saveAs->text(), QStringLiteral(u"另存为"));
        QCOMPARE(device->text(), QStringLiteral(u"R58M123 — SM_A525F")); // not blanked
        QCOMPARE(view->text(), QStringLiteral(u"查看"));
        QCOMPARE(about->title(), QStringLiteral(u"关于"));
        // MENU_2_0 lives only in another section: the item goes blank.
        QCOMPARE(more->title(), QString());
        QCOMPARE(deep->text(), QString("deep"));
    }
};

QTEST_MAIN(WidgetLocalizerTest)
#include "WidgetLocalizerTest.moc"
