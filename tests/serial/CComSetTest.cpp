#include "PtyPair.h"
#include "SerialTests.h"

#include "serial/CComSet.h"
#include "serial/CMscomm_eq.h"
#include "tests/support/MessageBoxCatcher.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace {

const QString kSuccess = QStringLiteral("串口打开成功");
const QString kNoNumber = QStringLiteral("请先输入需要打开串口编号");

} // namespace

// The dialog on a wrapper whose port 3 is one end of a pseudo-terminal pair, port 7 the other
// end, and every other number a device that does not exist.
class CComSetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsCarryTheirIds();
    void okOpensThePortAtTheFixedSettings();
    void okAgainClosesAndReopens();
    void portNumberText_data();
    void portNumberText();
    void openFailureNamesThePort();
    void onlyEscapeAndTheCloseBoxEndTheDialog();
    void editsStartEmptyEachTimeTheDialogOpens();

private:
    template <typename T = QWidget>
    T* Control(int id) const;
    void TypeAndOk(const QString& port, const QString& baud = {});
    QString MissingPath(int number) const { return missing_.filePath(QString::number(number)); }

    std::unique_ptr<PtyPair> pty_;
    QTemporaryDir missing_;
    std::unique_ptr<CMscomm_eq> comm_;
    std::unique_ptr<CComSet> dialog_;
    MessageBoxCatcher catcher_;
};

#define REQUIRE_PTY()                                                                              \
    if (!pty_)                                                                                     \
    QSKIP("socat is not installed: no pseudo-terminal pair")

void CComSetTest::initTestCase() {
    QVERIFY(missing_.isValid());
    if (PtyPair::SocatAvailable()) {
        pty_ = std::make_unique<PtyPair>();
        QString error;
        QVERIFY2(pty_->Start(&error), qPrintable(error));
    }
}

void CComSetTest::init() {
    comm_ = std::make_unique<CMscomm_eq>();
    comm_->Layer().SetNameMapping([this](int n) {
        if (pty_ && (n == 3 || n == 7)) {
            return n == 3 ? pty_->PathA() : pty_->PathB();
        }
        return MissingPath(n);
    });
    dialog_ = std::make_unique<CComSet>(*comm_);
    dialog_->show();
    catcher_.Clear();
}

void CComSetTest::cleanup() {
    dialog_.reset();
    comm_.reset();
}

template <typename T>
T* CComSetTest::Control(int id) const {
    for (T* widget : dialog_->findChildren<T*>()) {
        if (widget->property("controlId").toInt() == id) {
            return widget;
        }
    }
    return nullptr;
}

void CComSetTest::TypeAndOk(const QString& port, const QString& baud) {
    Control<QLineEdit>(1048)->setText(port);
    Control<QLineEdit>(1049)->setText(baud);
    QTest::mouseClick(Control<QPushButton>(1050), Qt::LeftButton);
}

void CComSetTest::controlsCarryTheirIds() {
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Dialog"));
    QVERIFY(Control<QLineEdit>(1048) && Control<QLineEdit>(1049));
    QCOMPARE(Control<QLabel>(2000)->text(), QStringLiteral("Com Port"));
    QCOMPARE(Control<QLabel>(2001)->text(), QStringLiteral("Baud Rate"));
    QCOMPARE(Control<QPushButton>(1050)->text(), QStringLiteral("OK"));
    QVERIFY(Control<QPushButton>(1050)->isDefault());
    QCOMPARE(Control<QPushButton>(1051)->text(), QStringLiteral("Cancel"));
    // The port control is there but shows nothing.
    QVERIFY(Control(1052) && !Control(1052)->isVisible());
    QVERIFY(!Control<QLabel>(1052) && !Control<QAbstractButton>(1052));
}

void CComSetTest::okOpensThePortAtTheFixedSettings() {
    REQUIRE_PTY();
    TypeAndOk(QStringLiteral("3"), QStringLiteral("9600")); // the baud rate box is never read
    QCOMPARE(catcher_.Texts(), QStringList{kSuccess});
    QCOMPARE(catcher_.Messages().front().title, QStringLiteral("Sonvex"));
    QVERIFY(dialog_->isVisible());

    QVERIFY(comm_->GetPortOpen());
    QCOMPARE(comm_->GetCommPort(), 3);
    QCOMPARE(comm_->GetInBufferSize(), 1024);
    QCOMPARE(comm_->GetOutBufferSize(), 1024);
    QCOMPARE(comm_->GetInputLen(), 0);
    QCOMPARE(comm_->GetInputMode(), 1);
    QCOMPARE(comm_->GetRThreshold(), 1);
    QCOMPARE(comm_->GetSettings(), QStringLiteral("115200,n,8,1"));

    const QSerialPort& port = comm_->Layer().Port();
    QCOMPARE(comm_->Layer().OpenPortName(), pty_->PathA());
    QCOMPARE(port.baudRate(), 115200);
    QCOMPARE(port.parity(), QSerialPort::NoParity);
    QCOMPARE(port.dataBits(), QSerialPort::Data8);
    QCOMPARE(port.stopBits(), QSerialPort::OneStop);
    QCOMPARE(port.readBufferSize(), 1024);
#ifdef Q_OS_UNIX
    termios line{};
    QCOMPARE(tcgetattr(static_cast<int>(port.handle()), &line), 0);
    QCOMPARE(cfgetospeed(&line), speed_t(B115200));
    QCOMPARE(line.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t(CS8));
#endif
}

void CComSetTest::okAgainClosesAndReopens() {
    REQUIRE_PTY();
    TypeAndOk(QStringLiteral("3"));
    QVERIFY(comm_->SetSettings(QStringLiteral("9600,n,8,2")).Ok());
    TypeAndOk(QStringLiteral("3"));
    QCOMPARE(catcher_.Texts(), (QStringList{kSuccess, kSuccess}));
    QCOMPARE(comm_->Layer().Port().baudRate(), 115200);
    QCOMPARE(comm_->Layer().Port().stopBits(), QSerialPort::OneStop);

    // Another number lets the first port go.
    TypeAndOk(QStringLiteral("7"));
    QCOMPARE(catcher_.Texts().size(), 3);
    QCOMPARE(comm_->Layer().OpenPortName(), pty_->PathB());
    QSerialPort first;
    first.setPortName(pty_->PathA());
    QVERIFY2(first.open(QIODevice::ReadWrite), qPrintable(first.errorString()));
}

void CComSetTest::portNumberText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("openPort"); // the port open afterwards
    QTest::newRow("digits then letters") << "7abc" << kSuccess << 7;
    QTest::newRow("leading blanks") << " 7" << kSuccess << 7;
    QTest::newRow("blanks, sign, letters") << " \t+7abc" << kSuccess << 7;
    QTest::newRow("no digits") << "abc" << kNoNumber << 3;
    QTest::newRow("empty") << "" << kNoNumber << 3;
    QTest::newRow("zero") << "0" << kNoNumber << 3;
    QTest::newRow("negative") << "-3"
                              << "Invalid port number -3." << 3;
    QTest::newRow("beyond 16 bits") << "65539"
                                    << "Invalid port number 65539." << 3;
}

void CComSetTest::portNumberText() {
    REQUIRE_PTY();
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, openPort);
    TypeAndOk(QStringLiteral("3"));
    catcher_.Clear();
    TypeAndOk(text);
    QCOMPARE(catcher_.Texts(), QStringList{message});
    QCOMPARE(catcher_.Messages().front().title, QStringLiteral("Sonvex"));
    QVERIFY(comm_->GetPortOpen());
    QCOMPARE(comm_->GetCommPort(), openPort);
    QCOMPARE(comm_->Layer().OpenPortName(), openPort == 3 ? pty_->PathA() : pty_->PathB());
}

void CComSetTest::openFailureNamesThePort() {
    TypeAndOk(QStringLiteral("5"));
    QCOMPARE(catcher_.Messages().size(), 1);
    QCOMPARE(catcher_.Messages().front().title, QStringLiteral("Sonvex"));
    const QString missing = catcher_.Texts().front();
    QVERIFY2(missing.startsWith(QStringLiteral("Cannot open serial port %1: the port does not "
                                               "exist.")
                                    .arg(MissingPath(5))),
             qPrintable(missing));
    QVERIFY(!comm_->GetPortOpen());
    QVERIFY(dialog_->isVisible());

    REQUIRE_PTY();
    SerialPortLayer holder;
    holder.SetNameMapping([this](int) { return pty_->PathA(); });
    QVERIFY(holder.Open(3, SerialLineSettings{}, 1024).Ok());
    TypeAndOk(QStringLiteral("3"));
    QCOMPARE(catcher_.Messages().size(), 2);
    const QString busy = catcher_.Texts().back();
    QVERIFY2(busy.startsWith(QStringLiteral("Cannot open serial port %1: access is denied or the "
                                            "port is in use.")
                                 .arg(pty_->PathA())),
             qPrintable(busy));
    QVERIFY(!comm_->GetPortOpen());

    // The dialog stays usable.
    holder.Close();
    TypeAndOk(QStringLiteral("3"));
    QCOMPARE(catcher_.Texts().back(), kSuccess);
    QVERIFY(comm_->GetPortOpen());
}

void CComSetTest::onlyEscapeAndTheCloseBoxEndTheDialog() {
    QTest::mouseClick(Control<QPushButton>(1051), Qt::LeftButton);
    QVERIFY(dialog_->isVisible());
    QVERIFY(catcher_.Messages().isEmpty());

    // Enter in the port box runs "OK", which does not end the dialog either.
    Control<QLineEdit>(1048)->setText(QStringLiteral("abc"));
    QTest::keyClick(Control<QLineEdit>(1048), Qt::Key_Return);
    TypeAndOk(QString());
    QCOMPARE(catcher_.Texts(), (QStringList{kNoNumber, kNoNumber}));
    QVERIFY(dialog_->isVisible());

    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    dialog_->show();
    QVERIFY(dialog_->close());
    QVERIFY(!dialog_->isVisible());
}

void CComSetTest::editsStartEmptyEachTimeTheDialogOpens() {
    dialog_->hide();
    QLineEdit* port = Control<QLineEdit>(1048);
    QLineEdit* baud = Control<QLineEdit>(1049);
    QTimer::singleShot(0, this, [&] {
        port->setText(QStringLiteral("3"));
        baud->setText(QStringLiteral("9600"));
        dialog_->close();
    });
    QCOMPARE(dialog_->exec(), int(QDialog::Rejected));

    QStringList seen;
    QTimer::singleShot(0, this, [&] {
        seen << port->text() << baud->text();
        dialog_->close();
    });
    dialog_->exec();
    QCOMPARE(seen, (QStringList{QString(), QString()}));
}

int RunCComSetTest(int argc, char** argv) {
    CComSetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CComSetTest.moc"
