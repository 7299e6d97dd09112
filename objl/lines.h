#pragma once

#include <string>
#include <string_view>

namespace objl {

// Cuts a text into lines at line feeds, as reading it through a string
// stream would: a final line feed gives no empty last line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) { }

    // Each carriage return takes the character after it along, so CR LF text
    // reads like LF text (and a lone CR inside a line eats one more).
    bool next(std::string& line)
    {
        if (at_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos)
            end = text_.size();
        line.clear();
        for (std::size_t i = at_; i < end; ++i) {
            if (text_[i] == '\r')
                ++i;
            else
                line += text_[i];
        }
        at_ = end + 1;
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace objl
