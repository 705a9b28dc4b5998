#pragma once
// Settings in INI files: the key "Software\Brindlewick\<product>" is the user's
// $XDG_CONFIG_HOME/Brindlewick/<product>.conf, with the machine-wide
// /etc/xdg/Brindlewick/<product>.conf (or $XDG_CONFIG_DIRS) as a read-only fallback. QSettings
// reads them; the changed file is written whole by the one atomic writer.
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <set>

class QSettings;

namespace gf {

class QtSettingsStore final : public SettingsStore {
  public:
    // Folders default to the XDG locations of the environment.
    explicit QtSettingsStore(FileSystem& files);
    QtSettingsStore(FileSystem& files, QString userConfigDir, QStringList systemConfigDirs);
    ~QtSettingsStore() override;

    std::optional<StoredValue> read(std::uint32_t root, std::string_view keyPath,
                                    std::string_view name) const override;
    void write(std::uint32_t root, std::string_view keyPath, std::string_view name,
               std::string_view text) override;
    Status flush() override;

    // The user's file for a key path, or empty when the key has no file here.
    QString userFileFor(std::string_view keyPath) const;

  private:
    // A file QSettings may open: missing, or a regular file of a sensible size. Says why not,
    // once for each file.
    bool readable(const QString& file) const;
    QSettings* settingsFor(const QString& file) const;
    QString productOf(std::string_view keyPath) const;

    FileSystem& files_;
    QString userDir_;
    QStringList systemDirs_;
    // As read from the files; never changed through QSettings, which would write them itself.
    mutable std::map<QString, std::unique_ptr<QSettings>> read_;
    mutable std::set<QString> refused_;
    // The values written and not yet flushed, per user file.
    std::map<QString, std::map<QString, QString>> pending_;
};

} // namespace gf
