#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Fills a message template: %1 to %9 stand for the arguments in order (a missing one stays as
// written). The readers keep their messages as templates with a language key beside them, so the
// desktop program can take a translated template from the language file and fill it the same way.
class MessageText {
public:
    static std::string Format(std::string_view pattern,
                              std::initializer_list<std::string_view> arguments);
};
