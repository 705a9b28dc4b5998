#pragma once
// How windows open the user guide's pages (the maker's pages of this program) and other links;
// tests pass their own opener.
#include "core/help/GuideLinks.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string_view>

namespace gf {

using UrlOpener = std::function<void(const QUrl&)>;

// The guide this program shows is the one for Linux.
inline constexpr GuidePlatform kGuidePlatform = GuidePlatform::Linux;

// A page of the guide (a local file, with its section as the fragment) opens in the help
// window of `caller`'s window, at that section; anything else in the desktop's browser, whose
// failure to start is not reported. A guide page that is not there says so in a message box.
UrlOpener GuideOpener(QWidget* caller);

// A page of the installed guide, such as kGuideVersionPage or "index.html#templates".
QUrl GuideUrl(std::string_view pageAndSection);

} // namespace gf
