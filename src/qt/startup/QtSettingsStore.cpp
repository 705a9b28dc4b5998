#include "qt/startup/QtSettingsStore.h"

#include "qt/support/QtText.h"

#include "core/files/AtomicFileWriter.h"
#include "core/settings/IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

namespace gf {

namespace {
constexpr std::string_view kPrefix = "Software\\Brindlewick\\";
// Larger settings files are not read: the settings take a few hundred bytes.
constexpr std::uint64_t kMaxSettingsBytes = 1024 * 1024;

QStringList defaultSystemDirs() {
    const QString env = qEnvironmentVariable("XDG_CONFIG_DIRS");
    QStringList dirs = env.split(':', Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    return dirs;
}

QString defaultUserDir() {
    QString env = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (env.isEmpty())
        env = QDir::homePath() + QStringLiteral("/.config");
    return env;
}

// Key names stay as written; QSettings would otherwise treat "/" and "\" specially.
QString keyName(std::string_view name) {
    return qs(name);
}

bool isList(const QVariant& value) {
    return value.metaType().id() == QMetaType::QStringList;
}

std::string fileText(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll().toStdString();
}

// A setting is one text: a list that QSettings made of it reads as the text that was written.
QString textOf(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (!isList(value))
        return value.toString();
    if (const auto written = IniWrittenText(fileText(settings.fileName()), key.toStdString()))
        return QString::fromStdString(*written);
    return value.toStringList().join(QStringLiteral(", "));
}

// The whole file: what it holds now with the pending values over it.
std::string iniText(const QSettings& current, const std::map<QString, QString>& pending) {
    const std::string file = fileText(current.fileName());
    std::map<std::string, IniValue> values;
    for (const QString& key : current.allKeys()) {
        const QVariant value = current.value(key);
        IniValue& v = values[key.toStdString()];
        v.list = isList(value);
        if (!v.list) {
            v.items = {value.toString().toStdString()};
            continue;
        }
        for (const QString& item : value.toStringList())
            v.items.push_back(item.toStdString());
        v.written = IniWrittenText(file, key.toStdString());
    }
    for (const auto& [key, value] : pending)
        values[key.toStdString()] = IniValue{{value.toStdString()}, false, std::nullopt};
    return IniFileText(values);
}
} // namespace

QtSettingsStore::QtSettingsStore(FileSystem& files)
    : QtSettingsStore(files, defaultUserDir(), defaultSystemDirs()) {}

QtSettingsStore::QtSettingsStore(FileSystem& files, QString userConfigDir,
                                 QStringList systemConfigDirs)
    : files_(files), userDir_(std::move(userConfigDir)), systemDirs_(std::move(systemConfigDirs)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::productOf(std::string_view keyPath) const {
    if (keyPath.substr(0, kPrefix.size()) != kPrefix)
        return {};
    auto product = keyPath.substr(kPrefix.size());
    if (product.empty() || product.find_first_of("\\/") != std::string_view::npos)
        return {};
    return qs(product);
}

QString QtSettingsStore::userFileFor(std::string_view keyPath) const {
    const QString product = productOf(keyPath);
    if (product.isEmpty())
        return {};
    return userDir_ + QStringLiteral("/Brindlewick/") + product + QStringLiteral(".conf");
}

bool QtSettingsStore::readable(const QString& file) const {
    // QSettings opens and reads a file whatever it is: a pipe in its place would hold the
    // program for good, a link to a device would feed it without end.
    const auto info = files_.info(file.toStdString());
    const char* why = info.kind == FileKind::Missing  ? nullptr
                      : info.kind != FileKind::File   ? "it is not a regular file"
                      : info.size > kMaxSettingsBytes ? "it is larger than 1 MB"
                                                      : nullptr;
    if (why && refused_.insert(file).second)
        std::fprintf(stderr, "glimmerframe: The settings in %s are not read: %s\n",
                     file.toLocal8Bit().constData(), why);
    return !why;
}

QSettings* QtSettingsStore::settingsFor(const QString& file) const {
    auto& slot = read_[file];
    if (!slot)
        slot = std::make_unique<QSettings>(readable(file) ? file : QString(), QSettings::IniFormat);
    return slot.get();
}

std::optional<StoredValue> QtSettingsStore::read(std::uint32_t root, std::string_view keyPath,
                                                 std::string_view name) const {
    // Only the program's own key exists here; "Control Panel\Desktop" and the rest read as
    // missing.
    if (root != static_cast<std::uint32_t>(RegistryRoot::LocalMachine))
        return std::nullopt;
    const QString product = productOf(keyPath);
    if (product.isEmpty())
        return std::nullopt;
    const QString key = keyName(name);
    const QString userFile = userFileFor(keyPath);
    if (const auto p = pending_.find(userFile); p != pending_.end())
        if (const auto v = p->second.find(key); v != p->second.end())
            return StoredValue{StoredValue::Type::String, v->second.toStdString(), 0};
    if (auto* u = settingsFor(userFile); u->contains(key))
        return StoredValue{StoredValue::Type::String, textOf(*u, key).toStdString(), 0};
    for (const auto& dir : systemDirs_) {
        const QString file =
            dir + QStringLiteral("/Brindlewick/") + product + QStringLiteral(".conf");
        if (!read_.count(file) && !QFileInfo::exists(file))
            continue;
        if (auto* s = settingsFor(file); s->contains(key))
            return StoredValue{StoredValue::Type::String, textOf(*s, key).toStdString(), 0};
    }
    return std::nullopt;
}

void QtSettingsStore::write(std::uint32_t root, std::string_view keyPath, std::string_view name,
                            std::string_view text) {
    if (root != static_cast<std::uint32_t>(RegistryRoot::LocalMachine))
        return;
    if (const QString file = userFileFor(keyPath); !file.isEmpty())
        pending_[file][keyName(name)] = qs(text);
}

Status QtSettingsStore::flush() {
    for (auto it = pending_.begin(); it != pending_.end();) {
        const QString& file = it->first;
        const QFileInfo info(file);
        const QFileInfo dir(info.absolutePath());
        auto failure = [&](const QString& reason) {
            return Status::failure(
                ("Cannot store the settings in " + file + ": " + reason).toStdString());
        };
        if (!QDir().mkpath(dir.absoluteFilePath()))
            return failure(dir.exists() && !dir.isDir()
                               ? dir.absoluteFilePath() + QStringLiteral(" is a file, not a folder")
                               : QStringLiteral("its folder cannot be created"));
        // The file as it is now, so that values written by others stay.
        const QSettings current(readable(file) ? file : QString(), QSettings::IniFormat);
        const std::string path = file.toStdString();
        if (auto s = WriteFileAtomically(files_, path, iniText(current, it->second)); !s) {
            return failure(QString::fromStdString(s.error().reasonFor(path)));
        }
        read_.erase(file);
        it = pending_.erase(it);
    }
    return {};
}

} // namespace gf
