#include "qt/startup/QtSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace gf {

namespace {
constexpr std::string_view kPrefix = "Software\\Brindlewick\\";

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

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
    return fromUtf8(name);
}
} // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(defaultUserDir(), defaultSystemDirs()) {}

QtSettingsStore::QtSettingsStore(QString userConfigDir, QStringList systemConfigDirs)
    : userDir_(std::move(userConfigDir)), systemDirs_(std::move(systemConfigDirs)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::productOf(std::string_view keyPath) const {
    if (keyPath.substr(0, kPrefix.size()) != kPrefix)
        return {};
    auto product = keyPath.substr(kPrefix.size());
    if (product.empty() || product.find_first_of("\\/") != std::string_view::npos)
        return {};
    return fromUtf8(product);
}

QString QtSettingsStore::userFileFor(std::string_view keyPath) const {
    const QString product = productOf(keyPath);
    if (product.isEmpty())
        return {};
    return userDir_ + QStringLiteral("/Brindlewick/") + product + QStringLiteral(".conf");
}

QSettings* QtSettingsStore::userSettings(std::string_view keyPath) const {
    const QString file = userFileFor(keyPath);
    if (file.isEmpty())
        return nullptr;
    auto& slot = user_[file];
    if (!slot)
        slot = std::make_unique<QSettings>(file, QSettings::IniFormat);
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
    if (auto* u = userSettings(keyPath); u && u->contains(key))
        return StoredValue{StoredValue::Type::String, u->value(key).toString().toStdString(), 0};
    for (const auto& dir : systemDirs_) {
        const QString file =
            dir + QStringLiteral("/Brindlewick/") + product + QStringLiteral(".conf");
        auto& slot = system_[file];
        if (!slot) {
            if (!QFileInfo::exists(file))
                continue;
            slot = std::make_unique<QSettings>(file, QSettings::IniFormat);
        }
        if (slot->contains(key))
            return StoredValue{StoredValue::Type::String, slot->value(key).toString().toStdString(),
                               0};
    }
    return std::nullopt;
}

void QtSettingsStore::write(std::uint32_t root, std::string_view keyPath, std::string_view name,
                            std::string_view text) {
    if (root != static_cast<std::uint32_t>(RegistryRoot::LocalMachine))
        return;
    if (auto* u = userSettings(keyPath)) {
        u->setValue(keyName(name), fromUtf8(text));
        dirty_[userFileFor(keyPath)] = true;
    }
}

Status QtSettingsStore::flush() {
    for (auto& [file, dirty] : dirty_) {
        if (!dirty)
            continue;
        auto& s = user_[file];
        const QFileInfo info(file);
        QDir().mkpath(info.absolutePath());
        if (s->status() != QSettings::NoError) {
            // QSettings keeps an error for good: carry the values over to a fresh object so
            // that this flush really tries again.
            auto fresh = std::make_unique<QSettings>(file, QSettings::IniFormat);
            for (const QString& key : s->allKeys())
                fresh->setValue(key, s->value(key));
            s = std::move(fresh);
        }
        s->sync();
        if (s->status() != QSettings::NoError) {
            const QFileInfo dir(info.absolutePath());
            QString reason;
            if (dir.exists() && !dir.isDir())
                reason = dir.absoluteFilePath() + QStringLiteral(" is a file, not a folder");
            else if (!dir.exists())
                reason = QStringLiteral("its folder cannot be created");
            else if (!dir.isWritable() || (info.exists() && !info.isWritable()))
                reason = QStringLiteral("permission denied");
            else
                reason = QStringLiteral("the file could not be written (is the disk full?)");
            return Status::failure(
                ("Cannot store the settings in " + file + ": " + reason).toStdString());
        }
        dirty = false;
    }
    return {};
}

} // namespace gf
