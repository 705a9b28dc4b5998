#pragma once
// How windows open web pages: the desktop's browser by default; tests pass their own.
#include <QUrl>
#include <functional>

namespace gf {

using UrlOpener = std::function<void(const QUrl&)>;

// Opens the page with QDesktopServices; a browser that fails to start is not reported.
UrlOpener DesktopUrlOpener();

// "https://" + the maker's host + path, e.g. MakerUrl("/Glimmerframe/").
QUrl MakerUrl(const QString& pathAndQuery);

} // namespace gf
