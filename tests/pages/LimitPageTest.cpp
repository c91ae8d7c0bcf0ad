#include "PageFixture.h"
#include "PagesTests.h"

#include "pages/CDlgLimit.h"
#include "pages/CPageEdit.h"
#include "settings/ControlId.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

namespace {

CPageEdit& Box(const QWidget& page, int id) {
    CPageEdit* box = ControlId::Find<CPageEdit>(page, id);
    if (box == nullptr) {
        qFatal("no edit box %d", id);
    }
    return *box;
}

void SetChannels(ParameterSet& p) {
    p.LLMT_ECALTIME = 12.34f;
    p.LLMT_THRESHOLD = -0.35f;
    p.LLMT_ATTACKTIME = 5.0f;
    p.LLMT_SMOOTHTIME = -3.0f;
    p.RLMT_ECALTIME = 0.04f;
    p.RLMT_THRESHOLD = -6.06f;
    p.RLMT_ATTACKTIME = 1000.25f;
    p.RLMT_SMOOTHTIME = 7.96f;
}

} // namespace

class LimitPageTest : public QObject {
    Q_OBJECT

private slots:
    // Boxes in the order static time, threshold, smooth time, attack time; one decimal, rounded.
    void LoadShowsOneDecimal() {
        PageFixture fixture;
        SetChannels(fixture.Params());
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        QCOMPARE(Box(page, 1023).text(), QString("12.3"));
        QCOMPARE(Box(page, 1068).text(), QString("-0.3"));
        QCOMPARE(Box(page, 1069).text(), QString("-3.0"));
        QCOMPARE(Box(page, 1070).text(), QString("5.0"));
        page.LoadChannel(1);
        QCOMPARE(Box(page, 1023).text(), QString("0.0"));
        QCOMPARE(Box(page, 1068).text(), QString("-6.1"));
        QCOMPARE(Box(page, 1069).text(), QString("8.0"));
        QCOMPARE(Box(page, 1070).text(), QString("1000.2"));
    }

    void StoreReadsDecimalText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::newRow("abc") << "abc" << 0.0f;
        QTest::newRow("empty") << "" << 0.0f;
        QTest::newRow("exponent") << "1e2" << 100.0f;
        QTest::newRow("unit") << "5ms" << 5.0f;
        QTest::newRow("blanks and sign") << "  -2.25" << -2.25f;
        QTest::newRow("fraction") << "-0.3" << -0.3f;
        QTest::newRow("point first") << ".5" << 0.5f;
        QTest::newRow("comma is no point") << "3,7" << 3.0f;
    }

    void StoreReadsDecimalText() {
        QFETCH(QString, text);
        QFETCH(float, value);
        PageFixture fixture;
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        Box(page, 1068).setText(text);
        page.StoreChannel(0);
        QCOMPARE(fixture.Params().LLMT_THRESHOLD, value);
    }

    // Each box goes to its own field, whatever the order of the fields in the parameter set.
    void StoreFollowsTheBoxes() {
        PageFixture fixture;
        SetChannels(fixture.Params());
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        Box(page, 1023).setText("1.5");
        Box(page, 1068).setText("-2.5");
        Box(page, 1069).setText("3.5");
        Box(page, 1070).setText("4.5");
        ParameterSet expected = fixture.Params();
        expected.RLMT_ECALTIME = 1.5f;
        expected.RLMT_THRESHOLD = -2.5f;
        expected.RLMT_SMOOTHTIME = 3.5f;
        expected.RLMT_ATTACKTIME = 4.5f;
        page.StoreChannel(1);
        QVERIFY(fixture.Params() == expected);
    }

    // A value with more than one decimal loses the rest after a load and a store.
    void LoadStoreRoundsToOneDecimal() {
        PageFixture fixture;
        SetChannels(fixture.Params());
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        page.StoreChannel(0);
        QCOMPARE(fixture.Params().LLMT_THRESHOLD, -0.3f);
        QCOMPARE(fixture.Params().LLMT_ECALTIME, 12.3f);
        QCOMPARE(fixture.Params().LLMT_SMOOTHTIME, -3.0f);
        QCOMPARE(fixture.Params().RLMT_THRESHOLD, -6.06f);
    }

    void NoValueIsChecked() {
        PageFixture fixture;
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(ShowActive(page));
        MessageBoxCatcher catcher;
        TypeAndLeave(Box(page, 1023), "-5", Box(page, 1068));
        TypeAndLeave(Box(page, 1068), "abc", Box(page, 1069));
        TypeAndLeave(Box(page, 1069), "0", Box(page, 1070));
        TypeAndLeave(Box(page, 1070), "", Box(page, 1023));
        QTest::qWait(30);
        QCOMPARE(catcher.Texts(), QStringList());
    }

    void LinkAndChannelChange() {
        PageFixture fixture;
        SetChannels(fixture.Params());
        CDlgLimit page(fixture.settings, fixture.language);
        page.Initialise();
        QVERIFY(!page.LinkBox().isChecked());
        QVERIFY(page.ChannelBox().isEnabled());

        Box(page, 1070).setText("99");
        page.SetChannelBoxIndex(1);
        page.ChannelChange();
        QCOMPARE(fixture.Params().LimitChannel, 1);
        QCOMPARE(Box(page, 1070).text(), QString("1000.2"));
        QCOMPARE(fixture.Params().LLMT_ATTACKTIME, 5.0f);
        QVERIFY(fixture.ConfigHasLine("LimitChannel=1"));

        page.LinkClick();
        QVERIFY(fixture.Params().LimitLink);
        QVERIFY(!page.ChannelBox().isEnabled());
        QVERIFY(fixture.ConfigHasLine("LimitLink=1"));
        Box(page, 1068).setText("-1.5");
        page.StoreForCommit();
        QCOMPARE(fixture.Params().LLMT_THRESHOLD, -1.5f);
        QCOMPARE(fixture.Params().RLMT_THRESHOLD, -1.5f);
    }
};

int RunLimitPageTest(int argc, char** argv) {
    LimitPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LimitPageTest.moc"
