#include "PagesTests.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunPublicParamPageTest(argc, argv);
    failures += RunTenBandPageTest(argc, argv);
    failures += RunEightBandPageTest(argc, argv);
    failures += RunDrcPageTest(argc, argv);
    failures += RunLimitPageTest(argc, argv);
    failures += RunLanguageFilesTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
