#include "PageFixture.h"
#include "PagesTests.h"

#include "pages/CDlgPublic_Param.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QLabel>
#include <QTest>

namespace {

const QString kRateMessage = QStringLiteral(u"不支持该采样率 ");
const QString kChannelMessage = QStringLiteral(u"不支持该声道数");

} // namespace

class PublicParamPageTest : public QObject {
    Q_OBJECT

private slots:
    void FillAndStore() {
        PageFixture fixture;
        fixture.Params().SWFS = 44100;
        fixture.Params().CHANUM = 1;
        CDlgPublic_Param page(fixture.settings);
        page.Fill();
        QCOMPARE(page.SampleRateBox().text(), QString("44100"));
        QCOMPARE(page.ChannelCountBox().text(), QString("1"));
        QCOMPARE(ControlId::Of(page.SampleRateBox()), 1078);
        QCOMPARE(ControlId::Of(page.ChannelCountBox()), 1080);
        QCOMPARE(ControlId::Find<QLabel>(page, 1075)->text(), QString("Samplerate"));
        QCOMPARE(ControlId::Find<QLabel>(page, 1079)->text(), QString("Hz"));
        QCOMPARE(ControlId::Find<QLabel>(page, 1076)->text(), QString("ChannelNum"));

        // Editing changes nothing until Store, which takes the boxes unchecked.
        page.SampleRateBox().setText("96000");
        page.ChannelCountBox().setText("2ch");
        QCOMPARE(fixture.Params().SWFS, 44100);
        page.Store();
        QCOMPARE(fixture.Params().SWFS, 96000);
        QCOMPARE(fixture.Params().CHANUM, 2);
        page.ChannelCountBox().setText("");
        page.Store();
        QCOMPARE(fixture.Params().CHANUM, 0);
    }

    void SampleRateCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        for (const char* rate :
             {"8000", "11025", "16000", "22050", "24000", "32000", "44100", "48000"}) {
            QTest::newRow(rate) << QString(rate) << true;
        }
        QTest::newRow("96000") << "96000" << false;
        QTest::newRow("7999") << "7999" << false;
        QTest::newRow("48001") << "48001" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("with unit") << "48000Hz" << true;
        QTest::newRow("leading blanks") << "  16000" << true;
        QTest::newRow("negative") << "-48000" << false;
        QTest::newRow("too large") << "4294967296" << false;
    }

    void SampleRateCheck() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        PageFixture fixture;
        CDlgPublic_Param page(fixture.settings);
        page.Fill();
        QVERIFY(ShowActive(page));
        const ParameterSet before = fixture.Params();
        MessageBoxCatcher catcher;
        TypeAndLeave(page.SampleRateBox(), text, page.ChannelCountBox());
        if (accepted) {
            QCOMPARE(catcher.Texts(), QStringList());
            QCOMPARE(FocusedId(), 1080);
        } else {
            QCOMPARE(catcher.Texts(), QStringList{kRateMessage});
            QCOMPARE(catcher.Messages().front().Title, QStringLiteral(u"错误"));
            QTRY_COMPARE(FocusedId(), 1078);
        }
        QCOMPARE(page.SampleRateBox().text(), text);
        QVERIFY(fixture.Params() == before);
    }

    void ChannelCountCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("2") << "2" << true;
        QTest::newRow("2ch") << "2ch" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("3") << "3" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("text") << "two" << false;
    }

    void ChannelCountCheck() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        PageFixture fixture;
        CDlgPublic_Param page(fixture.settings);
        page.Fill();
        QVERIFY(ShowActive(page));
        MessageBoxCatcher catcher;
        TypeAndLeave(page.ChannelCountBox(), text, page.SampleRateBox());
        QCOMPARE(catcher.Texts(), accepted ? QStringList() : QStringList{kChannelMessage});
        QTRY_COMPARE(FocusedId(), accepted ? 1078 : 1080);
    }

    // The Tab key itself leaves the box for the next one.
    void TabKeyRunsTheCheck() {
        PageFixture fixture;
        CDlgPublic_Param page(fixture.settings);
        page.Fill();
        QVERIFY(ShowActive(page));
        page.SampleRateBox().setFocus();
        page.SampleRateBox().setText("96000");
        MessageBoxCatcher catcher;
        QTest::keyClick(&page.SampleRateBox(), Qt::Key_Tab);
        QTRY_COMPARE(catcher.Texts(), QStringList{kRateMessage});
        QTRY_COMPARE(FocusedId(), 1078);
        QCOMPARE(fixture.Params().SWFS, 48000);
    }
};

int RunPublicParamPageTest(int argc, char** argv) {
    PublicParamPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PublicParamPageTest.moc"
