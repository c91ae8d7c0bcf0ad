#pragma once

// The serial test classes, run one after the other by the test executable's main().
int RunCMscommEqTest(int argc, char** argv);
int RunCComSetTest(int argc, char** argv);
