#include "core/startup/DisplayModeOptions.h"

#include "core/files/Paths.h"
#include "core/transitions/DissolveTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace gf {
namespace {

// Decimal or 0x hex, as XScreenSaver and xwininfo write window ids.
std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty() || v == 0)
        return std::nullopt;
    return v;
}

// "-name" and "--name" are the same option.
std::string_view OptionName(std::string_view arg) {
    if (arg.starts_with("--"))
        arg.remove_prefix(2);
    else if (arg.starts_with("-"))
        arg.remove_prefix(1);
    return arg;
}

} // namespace

bool IsDisplayModeCommandLine(std::span<const std::string> args) {
    // "-s" and the like are the host's one-letter switches written with a dash, which do nothing.
    const bool hostSwitch = !args.empty() && args[0].size() == 2 &&
                            std::isalpha(static_cast<unsigned char>(args[0][1]));
    return !args.empty() && args[0].starts_with("-") && !hostSwitch;
}

Result<DisplayModeOptions>
ParseDisplayModeOptions(std::span<const std::string> args,
                        std::optional<std::string_view> xscreensaverWindow) {
    DisplayModeOptions o;
    bool root = false;
    std::optional<std::uint32_t> windowId;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string_view name = OptionName(arg);
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        auto missing = [&] { return Error{"glimmerframe: " + arg + " needs a value"}; };
        if (!arg.starts_with("-") || name.empty()) {
            return Error{"glimmerframe: unexpected argument " + arg};
        } else if (name == "root") {
            root = true;
        } else if (name == "window") {
            o.target = DisplayModeOptions::Target::OwnWindow;
        } else if (name == "window-id") {
            auto v = value();
            if (!v)
                return missing();
            windowId = ParseWindowId(*v);
            if (!windowId)
                return Error{"glimmerframe: " + *v + " is not a window id"};
        } else if (name == "fps" || name == "no-fps" || name == "install" || name == "noinstall" ||
                   name == "mono" || name == "sync" || name == "no-sync" || name == "nice") {
            // XScreenSaver's common options: nothing to do here.
        } else if (name == "visual" || name == "display" || name == "geometry") {
            if (!value())
                return missing(); // taken care of by the window system, or meaningless here
        } else if (name == "interval") {
            auto v = value();
            if (!v)
                return missing();
            int n = 0;
            auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
            if (ec != std::errc{} || end != v->data() + v->size() || n < 1 || n > 32)
                return Error{"glimmerframe: --interval takes whole seconds from 1 to 32, not " +
                             *v};
            o.interval = std::int16_t(n);
        } else if (name == "full-screen") {
            o.fullScreen = true;
        } else if (name == "random-order") {
            o.randomOrder = true;
        } else if (name == "dissolve") {
            auto v = value();
            if (!v)
                return missing();
            if (std::find(kDissolveNames.begin(), kDissolveNames.end(), *v) ==
                kDissolveNames.end()) {
                std::string names;
                for (auto n : kDissolveNames)
                    names += (names.empty() ? "\"" : ", \"") + std::string(n) + "\"";
                return Error{"glimmerframe: unknown dissolve \"" + *v + "\"; use one of " + names};
            }
            o.dissolve = *v;
        } else if (name == "folder" || name == "template" || name == "source") {
            auto v = value();
            if (!v || v->empty())
                return missing();
            (name == "folder" ? o.folder : name == "template" ? o.templateFile : o.source) = *v;
        } else {
            return Error{"glimmerframe: unknown option " + arg};
        }
    }
    if (int(o.folder.has_value()) + int(o.templateFile.has_value()) + int(o.source.has_value()) > 1)
        return Error{"glimmerframe: give one of --folder, --template and --source, not more"};
    if (windowId) {
        o.target = DisplayModeOptions::Target::Window;
        o.windowId = *windowId;
    } else if (root) {
        o.target = DisplayModeOptions::Target::Root;
        if (xscreensaverWindow) {
            auto id = ParseWindowId(*xscreensaverWindow);
            if (!id)
                return Error{"glimmerframe: XSCREENSAVER_WINDOW is not a window id: " +
                             std::string(*xscreensaverWindow)};
            o.target = DisplayModeOptions::Target::Window;
            o.windowId = *id;
        }
    }
    return o;
}

void ApplyDisplayModeOverrides(const DisplayModeOptions& o, Settings& s, FileSystem& files) {
    if (o.interval)
        s.ImageInterval = *o.interval;
    if (o.fullScreen)
        s.FullScreen = 1;
    if (o.randomOrder)
        s.ImageOrderRandom = 1;
    if (o.dissolve)
        s.DissolveType = *o.dissolve;
    // XScreenSaver's settings offer one field for the source, which may name either.
    const bool sourceIsFolder = o.source && files.info(*o.source).kind == FileKind::Folder;
    const std::optional<std::string>& pictures = sourceIsFolder ? o.source : o.folder;
    const std::optional<std::string>& show =
        o.source && !sourceIsFolder ? o.source : o.templateFile;
    if (pictures) {
        s.AllImages = 1;
        s.ImagePath = *pictures;
    }
    if (show) {
        // Template mode reads ImageListFile from the folder ImagePath.
        const std::string& t = *show;
        const std::string folder = FolderOf(t);
        s.AllImages = 0;
        s.ImagePath = folder.empty() ? std::string(".") + kSeparator : folder;
        s.ImageListFile = t.substr(folder.size());
    }
}

} // namespace gf
