#include "PageFixture.h"

#include "base/TextCatalog.h"
#include "base/TextCodec.h"
#include "settings/IniDocument.h"
#include "widgets/ControlId.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <map>

namespace {

std::string LanguagePath(const QString& name) {
    return std::string(SONVEX_SOURCE_DIR) + "/data/lang/" + name.toStdString();
}

// The texts of the page's identified buttons, frames and labels.
std::map<int, QString> Texts(const QWidget& page) {
    std::map<int, QString> texts;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        const int id = ControlId::Of(*control);
        if (auto* button = qobject_cast<const QAbstractButton*>(control); button && id) {
            texts[id] = button->text();
        } else if (auto* group = qobject_cast<const QGroupBox*>(control); group && id) {
            texts[id] = group->title();
        } else if (auto* label = qobject_cast<const QLabel*>(control); label && id) {
            texts[id] = label->text();
        }
    }
    return texts;
}

QString Value(const IniDocument& document, const char16_t* section, const char16_t* key) {
    const IniSection* found = document.FindSection(section);
    const IniEntry* entry = found != nullptr ? found->FindEntry(key) : nullptr;
    return entry != nullptr ? QString::fromStdU16String(entry->Value()) : QString("<missing>");
}

} // namespace

// The shipped language files against the pages.
class LanguageFilesTest : public QObject {
    Q_OBJECT

private slots:
    void NoTextGoesBlank_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("dialog");
        for (const char* file : {"English.ini", "Chinese.ini"}) {
            for (const int dialog : {131, 132, 134, 135}) {
                QTest::addRow("%s %d", file, dialog) << QString(file) << dialog;
            }
        }
    }

    void NoTextGoesBlank() {
        QFETCH(QString, file);
        QFETCH(int, dialog);
        PageFixture plain;
        const std::map<int, QString> before = Texts(*plain.MakePage(dialog));
        PageFixture fixture;
        QVERIFY(fixture.language.Load(TextCodec::FromUtf8(LanguagePath(file))));
        const std::map<int, QString> after = Texts(*fixture.MakePage(dialog));
        QCOMPARE(after.size(), before.size());
        for (const auto& [id, text] : before) {
            QVERIFY2(text.isEmpty() || !after.at(id).isEmpty(), qPrintable(QString::number(id)));
            if (file == "English.ini") {
                QCOMPARE(after.at(id), text); // English keeps the program's texts
            }
        }
    }

    // Collect mode over the four pages finds no key that a shipped file lacks.
    void FilesHoldEveryCollectedKey() {
        PageFixture fixture;
        fixture.settings.Debug = true;
        const std::u16string collectedPath = TextCodec::FromUtf8(fixture.dir.File("all.ini"));
        TempDir::WriteBytes(fixture.dir.File("all.ini"), "");
        QVERIFY(fixture.language.Load(collectedPath));
        for (const int dialog : {132, 131, 134, 135}) {
            fixture.MakePage(dialog);
        }
        IniDocument collected;
        QVERIFY(ReadIniFile(collected, collectedPath));
        QCOMPARE(collected.AllSections().size(), std::size_t{4});
        for (const char* name : {"English.ini", "Chinese.ini"}) {
            IniDocument shipped;
            QVERIFY(ReadIniFile(shipped, TextCodec::FromUtf8(LanguagePath(name))));
            for (const auto& [sectionName, section] : collected.AllSections()) {
                QCOMPARE(section->AllEntries().size(),
                         shipped.FindSection(sectionName)->AllEntries().size());
                for (const auto& [key, entry] : section->AllEntries()) {
                    QVERIFY2(shipped.FindSection(sectionName)->FindEntry(key) != nullptr,
                             qPrintable(QString::fromStdU16String(sectionName + u":" + key)));
                }
            }
        }
    }

    // Every message text of the program has a translation in both files, with the placeholders
    // of the built-in English, so that no message falls back to English on a Chinese screen.
    void FilesHoldEveryMessageText() {
        IniDocument en;
        QVERIFY(ReadIniFile(en, TextCodec::FromUtf8(LanguagePath("English.ini"))));
        IniDocument zh;
        QVERIFY(ReadIniFile(zh, TextCodec::FromUtf8(LanguagePath("Chinese.ini"))));
        QVERIFY(TextCatalog::Entries().size() >= 40);
        for (const TextEntry& entry : TextCatalog::Entries()) {
            const std::u16string key(entry.key);
            for (const IniDocument* file : {&en, &zh}) {
                const QString text = Value(*file, u"LANG", key.c_str());
                QVERIFY2(text != "<missing>" && !text.isEmpty(),
                         qPrintable(QString::fromStdU16String(key)));
                QCOMPARE(TextCatalog::Placeholders(text.toStdU16String()),
                         TextCatalog::Placeholders(entry.english));
            }
        }
        QCOMPARE(Value(en, u"LANG", u"IDS_LOCALE"), QString("en"));
        QCOMPARE(Value(zh, u"LANG", u"IDS_LOCALE"), QString("zh_CN"));
        QCOMPARE(Value(en, u"LANG", u"IDS_BUSY_ELAPSED"), QString("%1 s elapsed"));
        QCOMPARE(Value(zh, u"LANG", u"IDS_BUSY_EXCHANGING"),
                 QStringLiteral(u"正在通过 adb 与设备交换参数文件，请稍候……"));
        QCOMPARE(Value(zh, u"LANG", u"IDS_SERIAL_NOT_FOUND"),
                 QStringLiteral(u"无法打开串口 %1：该串口不存在。"));
    }

    void MenuApplicationNameAndFormat() {
        IniDocument en;
        QVERIFY(ReadIniFile(en, TextCodec::FromUtf8(LanguagePath("English.ini"))));
        IniDocument zh;
        QVERIFY(ReadIniFile(zh, TextCodec::FromUtf8(LanguagePath("Chinese.ini"))));
        // The File menu's separators at 2, 4 and 7 take a position each, the Device menu's at 2.
        const std::pair<const char16_t*, const char*> menu[25] = {
            {u"MENU_0", "File"},
            {u"MENU_0_0", "Load"},
            {u"MENU_0_1", "Save As"},
            {u"MENU_0_3", "Compare with file\u2026"},
            {u"MENU_0_5", "Undo"},
            {u"MENU_0_6", "Redo"},
            {u"MENU_0_8", "Store A"},
            {u"MENU_0_9", "Store B"},
            {u"MENU_0_10", "Recall A"},
            {u"MENU_0_11", "Recall B"},
            {u"MENU_0_12", "Toggle A/B"},
            {u"MENU_1", "COM Port"},
            {u"MENU_1_0", "Setting"},
            {u"MENU_2", "View"},
            {u"MENU_2_0", "Logarithmic frequency axis"},
            {u"MENU_2_1", "Live curve"},
            {u"MENU_2_2", "Both channels"},
            {u"MENU_2_3", "Whole chain"},
            {u"MENU_2_4", "Band curves"},
            {u"MENU_2_5", "Device response"},
            {u"MENU_3", "Device"},
            {u"MENU_3_0", "MX5210"},
            {u"MENU_3_1", "Compare with device"},
            {u"MENU_4", "About"},
            {u"MENU_4_0", "Version"}};
        for (const auto& [key, english] : menu) {
            QCOMPARE(Value(en, u"DIALOG_102", key), QString::fromUtf8(english));
            QVERIFY(!Value(zh, u"DIALOG_102", key).isEmpty());
            QVERIFY(Value(zh, u"DIALOG_102", key) != "<missing>");
        }
        QCOMPARE(Value(en, u"LANG", u"IDS_TEXT_APPNAME"), QString("Tuning Tool"));
        QCOMPARE(Value(zh, u"DIALOG_131", u"LABEL_2026"), QStringLiteral(u"启动时间"));
        // Code page 936 ("联动"), CR LF line ends, no byte-order mark.
        for (const char* name : {"English.ini", "Chinese.ini"}) {
            const std::string bytes = TempDir::ReadBytes(LanguagePath(name));
            QVERIFY(bytes.rfind("\xEF\xBB\xBF", 0) != 0);
            QVERIFY(bytes.ends_with("\r\n"));
            for (std::size_t i = 1; i < bytes.size(); ++i) {
                QVERIFY(bytes[i] != '\n' || bytes[i - 1] == '\r');
            }
        }
        QVERIFY(TempDir::ReadBytes(LanguagePath("Chinese.ini"))
                    .find("BUTTON_1058=\xC1\xAA\xB6\xAF\r\n") != std::string::npos);
    }
};

QTEST_MAIN(LanguageFilesTest)
#include "LanguageFilesTest.moc"
