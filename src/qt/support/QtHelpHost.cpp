#include "qt/support/QtHelpHost.h"

#include "qt/support/QtText.h"

#include "core/help/HTMLHelp.h"
#include "qt/support/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace gf {

namespace {} // namespace

namespace {
// "Glimmerframe.chm" is installed as share/glimmerframe/help/index.html.
QString installedRelative(std::string_view name) {
    const QString stem = QFileInfo(qs(name)).completeBaseName().toLower();
    return stem.isEmpty() ? QString() : stem + QStringLiteral("/help/index.html");
}
QString besidePrefix(const QString& relative) {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") +
                           relative);
}
} // namespace

std::string QtHelpHost::installedHelpFile(std::string_view name) const {
    const QString relative = installedRelative(name);
    return relative.isEmpty() ? std::string(name) : besidePrefix(relative).toStdString();
}

std::optional<std::string> QtHelpHost::registeredHelpFile(std::string_view name) const {
    const QString relative = installedRelative(name);
    if (relative.isEmpty())
        return std::nullopt;
    const QString beside = besidePrefix(relative);
    if (QFileInfo(beside).isFile())
        return beside.toStdString();
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
    if (!located.isEmpty())
        return located.toStdString();
    return std::nullopt;
}

std::string QtHelpHost::programFolder() const {
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
}

bool QtHelpHost::fileExists(std::string_view path) const {
    return QFileInfo(qs(path)).isFile();
}

Status QtHelpHost::displayContents(std::string_view path, const void* owner) {
    QString file = qs(path);
    // A window type after ">" means nothing to this viewer.
    if (!QFileInfo(file).isFile() && file.contains(QLatin1Char('>')))
        file.truncate(file.lastIndexOf(QLatin1Char('>')));
    QWidget* parent = caller_ ? caller_->window() : nullptr;
    auto* window = HelpWindow::forCaller(parent);
    if (!window->openGuide(file))
        return Status::failure("The help file " + file.toStdString() + " could not be read.");
    window->showContents(owner != nullptr);
    return {};
}

void QtHelpHost::showError(std::string_view caption, std::string_view text) {
    QMessageBox::critical(caller_, qs(caption), qs(text));
}

void ShowHelpContents(QWidget* caller, const QString& helpFile) {
    QtHelpHost host(caller);
    const auto notice = ShowHelpContents(host, helpFile.toStdString(), caller);
    if (notice && notice->information)
        QMessageBox::information(caller, caller ? caller->window()->windowTitle() : QString(),
                                 qs(notice->text));
    else if (notice)
        QMessageBox::warning(caller, QString(), qs(notice->text));
}

} // namespace gf
