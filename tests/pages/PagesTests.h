#pragma once

// The page test classes, run one after the other by the test executable's main().
int RunPublicParamPageTest(int argc, char** argv);
int RunTenBandPageTest(int argc, char** argv);
int RunEightBandPageTest(int argc, char** argv);
int RunDrcPageTest(int argc, char** argv);
int RunLimitPageTest(int argc, char** argv);
int RunLanguageFilesTest(int argc, char** argv);
