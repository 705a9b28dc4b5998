#include "qt/support/QtHelpHost.h"

#include "core/support/HTMLHelp.h"
#include "qt/support/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace gf {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

std::optional<std::string> QtHelpHost::registeredHelpFile(std::string_view name) const {
    // "Glimmerframe.chm" is installed as share/glimmerframe/help/index.html.
    QString stem = QFileInfo(qs(name)).completeBaseName().toLower();
    if (stem.isEmpty())
        return std::nullopt;
    const QString relative = stem + QStringLiteral("/help/index.html");
    const QString besidePrefix = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                 QStringLiteral("/../share/") + relative);
    if (QFileInfo(besidePrefix).isFile())
        return besidePrefix.toStdString();
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
    if (helpFile.isEmpty()) {
        QMessageBox::information(
            caller, caller ? caller->window()->windowTitle() : QString(),
            QStringLiteral("Unable to display Help Contents. There is no Help associated with "
                           "this project."));
        return;
    }
    QtHelpHost host(caller);
    HTMLHelp help;
    help.CHMFile = helpFile.toStdString();
    const Status status = help.HHDisplayContents(host, caller);
    if (!status.ok())
        QMessageBox::warning(caller, QString(), QString::fromStdString(status.message()));
}

} // namespace gf
