#pragma once

#include <cstdint>
#include <string_view>

// The lines of a text file, one after another: LF, CR LF and a lone CR end a line, a UTF-8
// byte-order mark at the start is skipped. Lines are numbered from 1.
class TextLines {
public:
    explicit TextLines(std::string_view text);

    // The next line without its line end; false at the end of the text.
    bool Next(std::string_view& line);
    // The number of the line Next returned last.
    int64_t Number() const { return number_; }

    // The line without leading and trailing blanks (spaces, tabs, form feeds, vertical tabs).
    static std::string_view Trim(std::string_view line);
    // A short, printable form of a word or line for a message: at most 40 characters, control
    // bytes shown as '?'.
    static std::string Quote(std::string_view text);

private:
    std::string_view rest_;
    bool atEnd_ = false;
    int64_t number_ = 0;
};
