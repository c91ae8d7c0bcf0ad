#include "PtyPair.h"
#include "SerialTests.h"

#include "device/SerialLineSettings.h"
#include "serial/CMscomm_eq.h"

#include <QSerialPort>
#include <QTest>

#include <memory>
#include <optional>

namespace {

using Parity = SerialLineSettings::Parity;
using Stop = SerialLineSettings::StopBits;
using Status = SerialResult::Status;

std::optional<SerialLineSettings> Line(int32_t baud, Parity parity, int dataBits, Stop stop) {
    return SerialLineSettings{baud, parity, dataBits, stop};
}

} // namespace

Q_DECLARE_METATYPE(std::optional<SerialLineSettings>)

class CMscommEqTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void settingsText_data();
    void settingsText();
    void refusedValuesChangeNothing();
    void portNumbersNameSystemPorts();
    void openPortFollowsItsProperties();

private:
    std::unique_ptr<PtyPair> pty_;
};

void CMscommEqTest::initTestCase() {
    if (PtyPair::SocatAvailable()) {
        pty_ = std::make_unique<PtyPair>();
        QString error;
        QVERIFY2(pty_->Start(&error), qPrintable(error));
    }
}

void CMscommEqTest::settingsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<SerialLineSettings>>("expected");
    QTest::newRow("fixed") << "115200,n,8,1" << Line(115200, Parity::None, 8, Stop::One);
    QTest::newRow("upper case") << "9600,E,7,2" << Line(9600, Parity::Even, 7, Stop::Two);
    QTest::newRow("blanks") << " 300 , o ,5, 1.5 " << Line(300, Parity::Odd, 5, Stop::OneAndHalf);
    QTest::newRow("mark") << "57600,M,6,1" << Line(57600, Parity::Mark, 6, Stop::One);
    QTest::newRow("space") << "2147483647,s,8,2" << Line(2147483647, Parity::Space, 8, Stop::Two);
    for (const char* text : {"",
                             "115200",
                             "115200,n,8",
                             "115200,n,8,1,",
                             "115200,n,8,1,1",
                             ",n,8,1",
                             "abc,n,8,1",
                             "0,n,8,1",
                             "-9600,n,8,1",
                             "+9600,n,8,1",
                             "2147483648,n,8,1",
                             "115 200,n,8,1",
                             "115200,x,8,1",
                             "115200,no,8,1",
                             "115200,,8,1",
                             "115200,n,4,1",
                             "115200,n,9,1",
                             "115200,n,8,3",
                             "115200,n,8,1.0",
                             "115200,n,8,0",
                             "115200;n;8;1"}) {
        QTest::newRow(text) << QString::fromLatin1(text) << std::optional<SerialLineSettings>();
    }
}

void CMscommEqTest::settingsText() {
    QFETCH(QString, text);
    QFETCH(std::optional<SerialLineSettings>, expected);
    QVERIFY(SerialLineSettings::Parse(text.toStdU16String()) == expected);

    CMscomm_eq comm;
    QCOMPARE(comm.SetSettings(text).code, expected ? Status::Ok : Status::InvalidValue);
    QCOMPARE(comm.GetSettings(), expected ? text : QStringLiteral("9600,n,8,1"));
}

void CMscommEqTest::refusedValuesChangeNothing() {
    CMscomm_eq comm;
    QVERIFY(comm.SetCommPort(4).Ok());
    for (int number : {0, -1, 32768, 65539}) {
        QCOMPARE(comm.SetCommPort(number).code, Status::InvalidValue);
    }
    QCOMPARE(comm.SetInBufferSize(0).code, Status::InvalidValue);
    QCOMPARE(comm.SetOutBufferSize(32768).code, Status::InvalidValue);
    QCOMPARE(comm.SetInputLen(-1).code, Status::InvalidValue);
    QCOMPARE(comm.SetRThreshold(32768).code, Status::InvalidValue);
    QCOMPARE(comm.SetInputMode(2).code, Status::InvalidValue);
    QCOMPARE(comm.SetOutBufferCount(1).code, Status::InvalidValue);
    QCOMPARE(comm.GetCommPort(), 4);
    QCOMPARE(comm.GetInBufferSize(), 1024);
    QCOMPARE(comm.GetOutBufferSize(), 512);
    QCOMPARE(comm.GetInputLen(), 0);
    QCOMPARE(comm.GetRThreshold(), 0);
    QCOMPARE(comm.GetInputMode(), 0);

    QVERIFY(comm.SetCommPort(32767).Ok());
    QVERIFY(comm.SetInBufferSize(1).Ok());
    QVERIFY(comm.SetOutBufferCount(0).Ok());
    QCOMPARE(comm.GetCommPort(), 32767);
    QCOMPARE(comm.Layer().Port().readBufferSize(), 1);
}

void CMscommEqTest::portNumbersNameSystemPorts() {
#ifdef Q_OS_WIN
    QCOMPARE(SerialPortLayer::DefaultPortName(7), QStringLiteral("COM7"));
#else
    QCOMPARE(SerialPortLayer::DefaultPortName(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(SerialPortLayer::DefaultPortName(7), QStringLiteral("/dev/ttyS6"));
#endif
    QCOMPARE(SerialPortLayer::DefaultPortName(0), QString());

    SerialPortLayer layer;
    layer.SetNameMapping([](int n) { return n == 2 ? QStringLiteral("/tmp/x") : QString(); });
    QCOMPARE(layer.PortName(2), QStringLiteral("/tmp/x"));
    QCOMPARE(layer.Open(5, SerialLineSettings{}, 1024).code, Status::NoPortName);
    QVERIFY(!layer.IsOpen());
    layer.SetNameMapping({});
    QCOMPARE(layer.PortName(7), SerialPortLayer::DefaultPortName(7));
}

void CMscommEqTest::openPortFollowsItsProperties() {
    if (!pty_) {
        QSKIP("socat is not installed: no pseudo-terminal pair");
    }
    CMscomm_eq comm;
    comm.Layer().SetNameMapping([this](int) { return pty_->PathA(); });
    QVERIFY(comm.SetCommPort(3).Ok());
#ifndef Q_OS_WIN
    // Unix terminals have no 1.5 stop bits: refused rather than run as 1.
    QVERIFY(comm.SetSettings(QStringLiteral("9600,n,8,1.5")).Ok());
    QCOMPARE(comm.SetPortOpen(true).code, Status::SettingsRejected);
    QVERIFY(!comm.GetPortOpen());
#endif
    QVERIFY(comm.SetSettings(QStringLiteral("115200,n,8,1")).Ok());
    QVERIFY(comm.SetPortOpen(true).Ok());
    QCOMPARE(comm.SetPortOpen(true).code, Status::PortAlreadyOpen);
    QCOMPARE(comm.SetCommPort(4).code, Status::PortAlreadyOpen);
    QCOMPARE(comm.GetCommPort(), 3);

    // New settings and buffer sizes reach the open port at once. A pseudo-terminal carries
    // 8 data bits without parity only, so it refuses "e" after the new baud rate went through:
    // the old rate comes back.
    QSerialPort& port = comm.Layer().Port();
    QVERIFY(comm.SetSettings(QStringLiteral("9600,n,8,2")).Ok());
    QCOMPARE(port.baudRate(), 9600);
    QCOMPARE(port.stopBits(), QSerialPort::TwoStop);
    QCOMPARE(comm.SetSettings(QStringLiteral("4800,e,8,1")).code, Status::SettingsRejected);
    QCOMPARE(comm.GetSettings(), QStringLiteral("9600,n,8,2"));
    QCOMPARE(port.baudRate(), 9600);
    QCOMPARE(port.parity(), QSerialPort::NoParity);
    QVERIFY(comm.SetInBufferSize(2048).Ok());
    QCOMPARE(port.readBufferSize(), 2048);

    // Bytes written on the port come out of the other end of the pair.
    QSerialPort other;
    other.setPortName(pty_->PathB());
    QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
    QCOMPARE(port.write("ping\x00\xff", 6), qint64(6));
    QVERIFY(port.waitForBytesWritten(2000));
    QByteArray received;
    for (int i = 0; i < 50 && received.size() < 6; ++i) {
        other.waitForReadyRead(100);
        received += other.readAll();
    }
    QCOMPARE(received, QByteArray("ping\x00\xff", 6));

    QVERIFY(comm.SetPortOpen(false).Ok());
    QVERIFY(!comm.GetPortOpen());
    QVERIFY(comm.Layer().OpenPortName().isEmpty());
}

int RunCMscommEqTest(int argc, char** argv) {
    CMscommEqTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CMscommEqTest.moc"
