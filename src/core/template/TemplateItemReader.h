#pragma once
// Splits a player template into comma-delimited items: an item ends at a comma or a line end,
// blanks (spaces, tabs) before it are skipped and trailing blanks of an unquoted item dropped;
// an item that starts with a double quote runs to the closing quote (or to the line end when
// there is none) and is taken without the quotes, two quotes inside it standing for one; text
// after the closing quote up to the next comma or line end is discarded.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gf {

class TemplateItemReader {
  public:
    // The text must outlive the reader.
    explicit TemplateItemReader(std::string_view text) : text_(text) {}

    // The next item; nothing at the end of the text. An empty line yields an empty item.
    std::optional<std::string> next();

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    bool afterComma_ = false; // a comma promises one more item, even at the end of the text
};

} // namespace gf
