#include "qt/startup/QtSettingsStore.h"

#include "qt/support/QtText.h"

#include "core/files/AtomicFileWriter.h"

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
// Larger settings files are not read: thirteen settings take a few hundred bytes.
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

bool isHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// QSettings' own escapes for INI keys and strings, so that it reads back exactly what was
// written.
void appendKey(const QString& key, QByteArray& out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const QChar ch : key) {
        const char16_t c = ch.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kHex[c / 16];
            out += kHex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(c >> shift) & 0xF];
        }
    }
}

void appendString(const QString& value, QByteArray& out) {
    const QString text = value.startsWith(u'@') ? QStringLiteral("@") + value : value;
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false; // "\x" takes every hex digit that follows
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (text[i].isHighSurrogate() && i + 1 < text.size() &&
                       text[i + 1].isLowSurrogate()) {
                out += text.mid(i, 2).toUtf8();
                ++i;
            } else {
                out += QString(text[i]).toUtf8();
            }
        }
    }
    if (needsQuotes || (start < out.size() && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

bool isList(const QVariant& value) {
    return value.metaType().id() == QMetaType::QStringList;
}

// A value as it stands in the file, for a line QSettings reads as a list: an unquoted comma
// splits it, and the blanks beside the comma are lost. Nothing when the line holds quotes or
// escapes, which only QSettings reads right.
std::optional<QString> writtenText(const QString& file, const QString& key) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto slash = key.indexOf(u'/');
    const QString section = slash < 0 ? QStringLiteral("General") : key.left(slash);
    const QString name = key.mid(slash + 1);
    QString current = QStringLiteral("General");
    std::optional<QString> found;
    for (const QByteArray& raw : in.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = line.mid(1, line.size() - 2);
            continue;
        }
        const auto eq = line.indexOf(u'=');
        if (eq > 0 && current == section && line.left(eq).trimmed() == name)
            found = line.mid(eq + 1).trimmed();
    }
    if (!found || found->contains(u'"') || found->contains(u'\\'))
        return std::nullopt;
    return found;
}

// A setting is one text: a list that QSettings made of it reads as the text that was written.
QString textOf(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (!isList(value))
        return value.toString();
    return writtenText(settings.fileName(), key)
        .value_or(value.toStringList().join(QStringLiteral(", ")));
}

void appendValue(const QVariant& value, QByteArray& out, const std::optional<QString>& written) {
    // A hand-written list ("a, b") stays as it was written, and comes back as the list it was
    // read as.
    if (isList(value) && written) {
        out += written->toUtf8();
        return;
    }
    if (value.metaType().id() == QMetaType::QStringList && value.toStringList().size() != 1) {
        const QStringList items = value.toStringList();
        if (items.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ", ";
            appendString(items[i], out);
        }
        return;
    }
    appendString(value.metaType().id() == QMetaType::QStringList ? value.toStringList().front()
                                                                 : value.toString(),
                 out);
}

// The whole file: what it holds now with the pending values over it, in QSettings' layout.
QByteArray iniText(const QSettings& current, const std::map<QString, QString>& pending) {
    std::map<QString, QVariant> values;
    std::map<QString, std::optional<QString>> written;
    for (const QString& key : current.allKeys()) {
        values[key] = current.value(key);
        if (isList(values[key]))
            written[key] = writtenText(current.fileName(), key);
    }
    for (const auto& [key, value] : pending) {
        values[key] = value;
        written.erase(key);
    }
    std::map<QString, std::map<QString, QVariant>> sections;
    for (const auto& [key, value] : values) {
        const auto slash = key.indexOf(u'/');
        if (slash < 0)
            sections[QString()][key] = value;
        else
            sections[key.left(slash)][key.mid(slash + 1)] = value;
    }
    QByteArray out;
    for (const auto& [section, entries] : sections) {
        if (!out.isEmpty())
            out += '\n';
        if (section.isEmpty()) {
            out += "[General]";
        } else if (section.compare(QStringLiteral("general"), Qt::CaseInsensitive) == 0) {
            out += "[%General]";
        } else {
            out += '[';
            appendKey(section, out);
            out += ']';
        }
        out += '\n';
        for (const auto& [key, value] : entries) {
            appendKey(key, out);
            out += '=';
            const auto w = written.find(section.isEmpty() ? key : section + u'/' + key);
            appendValue(value, out, w == written.end() ? std::nullopt : w->second);
            out += '\n';
        }
    }
    return out;
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
        const QByteArray text = iniText(current, it->second);
        const std::string path = file.toStdString();
        if (auto s = WriteFileAtomically(files_, path,
                                         std::string_view(text.data(), std::size_t(text.size())));
            !s) {
            return failure(QString::fromStdString(s.error().reasonFor(path)));
        }
        read_.erase(file);
        it = pending_.erase(it);
    }
    return {};
}

} // namespace gf
