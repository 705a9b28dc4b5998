#include "qt/authoring/QtDesignerDialogs.h"

#include "qt/support/QtText.h"

#include "core/authoring/TemplateDesigner.h"
#include "qt/authoring/EntryEditDialog.h"
#include "qt/authoring/TemplateLoadDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace gf {

namespace {} // namespace

bool QtDesignerDialogs::ConfirmSave() {
    return QMessageBox::question(owner_, qs(kDesignerCaption), qs(kConfirmSaveQuestion),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<std::string> QtDesignerDialogs::askSavePath(std::string_view proposal) {
    QFileDialog dialog(owner_, QStringLiteral("Save Template"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")});
    dialog.selectNameFilter(QStringLiteral("Text Files (*.txt)"));
    const QString proposed = qs(proposal);
    if (proposed.isEmpty())
        dialog.setDirectory(QDir::homePath());
    else
        dialog.selectFile(QFileInfo(proposed).absoluteFilePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

ChosenTemplate QtDesignerDialogs::chooseTemplate() {
    TemplateLoadDialog dialog(memory_, owner_);
    dialog.exec();
    return {dialog.Selection(), dialog.SelectionPath()};
}

EntryEditorResults QtDesignerDialogs::editEntry(const EditRequest& request) {
    EntryEditDialog dialog(memory_, files_, owner_);
    dialog.prepare(request);
    dialog.exec();
    return dialog.results();
}

void QtDesignerDialogs::showError(std::string_view message) {
    QMessageBox::warning(owner_, qs(kDesignerCaption), qs(message));
}

bool QtDesignerDialogs::askYesNo(std::string_view message) {
    return QMessageBox::warning(owner_, qs(kDesignerCaption), qs(message),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

} // namespace gf
