#pragma once
// The program's text is UTF-8 inside; Qt's is QString.
#include <QString>
#include <string_view>

namespace gf {

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace gf
