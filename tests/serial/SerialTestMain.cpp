#include "SerialTests.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunCMscommEqTest(argc, argv);
    failures += RunCComSetTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
