#include "core/template/TemplateItemReader.h"

namespace gf {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

std::optional<std::string> TemplateItemReader::next() {
    const auto n = text_.size();
    if (pos_ >= n && !afterComma_)
        return std::nullopt;
    afterComma_ = false;
    while (pos_ < n && isBlank(text_[pos_]))
        ++pos_;

    std::string item;
    if (pos_ < n && text_[pos_] == '"') {
        ++pos_;
        // A doubled quote inside stands for one quote; a single one closes the item.
        for (;;) {
            const auto start = pos_;
            while (pos_ < n && text_[pos_] != '"' && !isLineEnd(text_[pos_]))
                ++pos_;
            item.append(text_.substr(start, pos_ - start));
            if (pos_ >= n || text_[pos_] != '"')
                break;
            ++pos_;
            if (pos_ >= n || text_[pos_] != '"')
                break;
            item.push_back('"');
            ++pos_;
        }
        while (pos_ < n && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const auto start = pos_;
        while (pos_ < n && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        auto end = pos_;
        while (end > start && isBlank(text_[end - 1]))
            --end;
        item.assign(text_.substr(start, end - start));
    }

    if (pos_ < n) {
        if (text_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && text_[pos_] == '\n')
                ++pos_;
        } else {
            ++pos_; // '\n'
        }
    }
    return item;
}

} // namespace gf
