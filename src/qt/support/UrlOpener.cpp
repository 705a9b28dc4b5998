#include "qt/support/UrlOpener.h"

#include "core/help/HTMLHelp.h"
#include "qt/support/HelpWindow.h"
#include "qt/support/QtHelpHost.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>

namespace gf {

UrlOpener GuideOpener(QWidget* caller) {
    return [caller = QPointer<QWidget>(caller)](const QUrl& url) {
        if (!url.isLocalFile()) {
            QDesktopServices::openUrl(url);
            return;
        }
        QWidget* owner = caller ? caller->window() : nullptr;
        const QString file = url.toLocalFile();
        auto* window = HelpWindow::forCaller(owner);
        if (!window->openGuide(file)) {
            QMessageBox::critical(
                owner, QString::fromUtf8(kHelpMessageCaption.data(), kHelpMessageCaption.size()),
                QStringLiteral("The file %1 does not exist.\nPlease make sure that the "
                               "Glimmerframe help files are installed.")
                    .arg(file));
            return;
        }
        window->showSection(url.fragment());
    };
}

QUrl GuideUrl(std::string_view pageAndSection) {
    HTMLHelp help;
    help.CHMFile = std::string(kHelpFileName);
    const QtHelpHost host(nullptr);
    const QString page = QString::fromStdString(help.GuidePage(host, pageAndSection));
    const auto hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(hash < 0 ? page : page.left(hash));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

} // namespace gf
