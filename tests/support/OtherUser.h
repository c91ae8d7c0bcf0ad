#pragma once

#include <functional>
#include <string>

// Runs a piece of a test as another user (nobody, 65534, without supplementary groups) in a
// child process: the way to see what a user who may not write a file gets. Needs root; the
// test skips otherwise.
class OtherUser {
public:
    static constexpr unsigned kId = 65534;

    static bool Available();
    // The child's exit code (fn's result, 0 to 255) and what fn put into its text; -1 when the
    // child could not run or did not exit normally.
    struct Outcome {
        int code = -1;
        std::string text;
    };
    static Outcome Run(const std::function<int(std::string& text)>& fn);
};
