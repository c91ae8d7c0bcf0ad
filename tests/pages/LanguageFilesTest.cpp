#include "PageFixture.h"
#include "PagesTests.h"

#include "pages/CDlgDrc.h"
#include "pages/CDlgEQ1.h"
#include "pages/CDlgEq.h"
#include "pages/CDlgLimit.h"
#include "settings/ControlId.h"
#include "settings/IniDocument.h"
#include "settings/TextCodec.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <map>
#include <memory>

namespace {

std::u16string LanguageFile(const char* name) {
    const std::string path = std::string(SONVEX_SOURCE_DIR) + "/data/lang/" + name;
    return TextCodec::FromUtf8(path);
}

std::unique_ptr<CProcessingPage> MakePage(int dialogId, PageFixture& fixture) {
    switch (dialogId) {
    case 131:
        return std::make_unique<CDlgDrc>(fixture.settings, fixture.language);
    case 132:
        return std::make_unique<CDlgEq>(fixture.settings, fixture.language,
                                        PageFixture::ToolDirectory());
    case 134:
        return std::make_unique<CDlgEQ1>(fixture.settings, fixture.language,
                                         PageFixture::ToolDirectory());
    default:
        return std::make_unique<CDlgLimit>(fixture.settings, fixture.language);
    }
}

// The texts of the page's buttons, frames and labels by identifier.
std::map<int, QString> ControlTexts(const QWidget& page) {
    std::map<int, QString> texts;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        const int id = ControlId::Of(*control);
        if (id == 0) {
            continue;
        }
        if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
            texts[id] = button->text();
        } else if (auto* group = qobject_cast<const QGroupBox*>(control)) {
            texts[id] = group->title();
        } else if (auto* label = qobject_cast<const QLabel*>(control)) {
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

class LanguageFilesTest : public QObject {
    Q_OBJECT

private slots:
    void NoTextGoesBlank_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("dialogId");
        for (const char* file : {"English.ini", "Chinese.ini"}) {
            for (const int id : {131, 132, 134, 135}) {
                QTest::addRow("%s %d", file, id) << QString(file) << id;
            }
        }
    }

    void NoTextGoesBlank() {
        QFETCH(QString, file);
        QFETCH(int, dialogId);
        PageFixture fixture;
        QVERIFY(fixture.language.Load(LanguageFile(qPrintable(file))));
        std::unique_ptr<CProcessingPage> page = MakePage(dialogId, fixture);
        const std::map<int, QString> before = ControlTexts(*page);
        page->Initialise();
        const std::map<int, QString> after = ControlTexts(*page);
        QCOMPARE(after.size(), before.size());
        for (const auto& [id, text] : before) {
            if (!text.isEmpty()) {
                QVERIFY2(!after.at(id).isEmpty(), qPrintable(QString::number(id)));
            }
            // The English file keeps the program's own texts.
            if (file == "English.ini") {
                QCOMPARE(after.at(id), text);
            }
        }
    }

    // Collect mode over the four pages finds no key that a shipped file lacks.
    void FilesHoldEveryCollectedKey() {
        PageFixture fixture;
        fixture.settings.Debug = true;
        TempDir::WriteBytes(fixture.dir.File("collected.ini"), "");
        QVERIFY(fixture.language.Load(TextCodec::FromUtf8(fixture.dir.File("collected.ini"))));
        for (const int id : {132, 131, 134, 135}) {
            MakePage(id, fixture)->Initialise();
        }
        IniDocument collected;
        QVERIFY(ReadIniFile(collected, TextCodec::FromUtf8(fixture.dir.File("collected.ini"))));
        QCOMPARE(collected.AllSections().size(), std::size_t{4});

        for (const char* name : {"English.ini", "Chinese.ini"}) {
            IniDocument shipped;
            QVERIFY(ReadIniFile(shipped, LanguageFile(name)));
            int keys = 0;
            for (const auto& [sectionName, section] : collected.AllSections()) {
                const IniSection* other = shipped.FindSection(sectionName);
                QVERIFY2(other != nullptr, name);
                for (const auto& [key, entry] : section->AllEntries()) {
                    QVERIFY2(other->FindEntry(key) != nullptr,
                             qPrintable(QString::fromStdU16String(sectionName + u":" + key)));
                    ++keys;
                }
            }
            // Title, Link and 2 + 8 + 47 + 9 further controls of the four pages.
            QVERIFY(keys > 60);
        }
    }

    void MenuAndApplicationName() {
        const char16_t* menuKeys[10] = {u"MENU_0",   u"MENU_0_0", u"MENU_0_1", u"MENU_1",
                                        u"MENU_1_0", u"MENU_2",   u"MENU_3",   u"MENU_3_0",
                                        u"MENU_4",   u"MENU_4_0"};
        const char* english[10] = {"File", "Load",   "Save As", "COM Port", "Setting",
                                   "View", "Device", "MX5210",  "About",    "Version"};
        IniDocument en;
        QVERIFY(ReadIniFile(en, LanguageFile("English.ini")));
        IniDocument zh;
        QVERIFY(ReadIniFile(zh, LanguageFile("Chinese.ini")));
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(Value(en, u"DIALOG_102", menuKeys[i]), QString(english[i]));
            const QString chinese = Value(zh, u"DIALOG_102", menuKeys[i]);
            QVERIFY(!chinese.isEmpty() && chinese != "<missing>");
        }
        QCOMPARE(Value(en, u"LANG", u"IDS_TEXT_APPNAME"), QString("Sonvex"));
        QVERIFY(!Value(zh, u"LANG", u"IDS_TEXT_APPNAME").isEmpty());
        QCOMPARE(Value(zh, u"DIALOG_132", u"BUTTON_1058"), QStringLiteral(u"联动"));
        QCOMPARE(Value(zh, u"DIALOG_131", u"LABEL_2010"), QStringLiteral(u"静态时间"));
        QCOMPARE(Value(en, u"DIALOG_135", u"LABEL_2003"), QString("Threshold"));
    }

    // Code page 936 text with CR LF line ends and no byte-order mark.
    void FileFormat() {
        for (const char* name : {"English.ini", "Chinese.ini"}) {
            const std::string bytes =
                TempDir::ReadBytes(std::string(SONVEX_SOURCE_DIR) + "/data/lang/" + name);
            QVERIFY(!bytes.empty());
            QVERIFY(bytes.rfind("\xEF\xBB\xBF", 0) != 0);
            QVERIFY(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n");
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                if (bytes[i] == '\n') {
                    QVERIFY2(i > 0 && bytes[i - 1] == '\r', name);
                }
            }
        }
        // "联动" in code page 936.
        const std::string zh =
            TempDir::ReadBytes(std::string(SONVEX_SOURCE_DIR) + "/data/lang/Chinese.ini");
        QVERIFY(zh.find("BUTTON_1058=\xC1\xAA\xB6\xAF\r\n") != std::string::npos);
    }
};

int RunLanguageFilesTest(int argc, char** argv) {
    LanguageFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageFilesTest.moc"
