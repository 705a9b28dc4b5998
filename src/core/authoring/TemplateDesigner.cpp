#include "core/authoring/TemplateDesigner.h"

#include "core/authoring/EntryEditor.h"
#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/package/PackageWriter.h"
#include "core/template/DesignerTemplateReader.h"
#include "core/template/SlideListLoader.h"
#include "core/template/TemplateWriter.h"

#include <algorithm>

namespace gf {

namespace {

constexpr std::size_t kLossesListed = 12;

std::string existingFileFolder(FileSystem& files, const std::string& name,
                               const std::string& path) {
    if (name.empty())
        return {};
    return files.info(path).kind == FileKind::File ? FolderOf(path) : std::string();
}

} // namespace

void TemplateDesigner::select(std::optional<std::size_t> row) {
    selected_ = row && *row < rows_.size() ? row : std::nullopt;
}

void TemplateDesigner::open(std::string_view templateName) {
    templateName_ = std::string(templateName);
    if (!PathParser(templateName_).FileName().empty()) {
        templatePath_ = FolderOf(templateName_);
        PerformLoad();
    } else {
        rows_.ClearRows();
        rows_.AddBlankRow();
        selected_ = 0;
    }
    rows_.setChanged(false);
}

void TemplateDesigner::PerformLoad() {
    rows_.ClearRows();
    selected_.reset();
    auto read = ReadDesignerTemplate(files_, templateName_, soundMode_);
    const bool hasPicture = read.hasPicture();
    rows_.assign(std::move(read.rows));
    soundMode_ = read.soundMode;
    if (read.error) {
        dialogs_.showError(std::string(kAuthoringErrorPrefix) + *read.error);
        caption_ = std::string(kDesignerCaption);
    } else {
        caption_ = std::string(kDesignerCaption) + " - " + templateName_;
        // Read, but nothing a show could display: an empty table alone would not say why.
        if (!hasPicture)
            dialogs_.showError(std::string(kAuthoringErrorPrefix) +
                               NoPicturesInTemplate(templateName_));
    }
    rows_.AddBlankRow();
    // A row is always selected, so that Insert works from the start.
    selected_ = 0;
}

Status TemplateDesigner::WriteTemplate(std::string_view target) {
    auto status = WriteTemplateFile(files_, target, rows_.rows(), soundMode_);
    if (!status) {
        dialogs_.showError(std::string(kAuthoringErrorPrefix) + status.message());
        return status;
    }
    templateName_ = std::string(target);
    templatePath_ = FolderOf(templateName_);
    // The caption names the file being edited, which is now the one just written.
    caption_ = std::string(kDesignerCaption) + " - " + templateName_;
    return status;
}

bool TemplateDesigner::cmdSave() {
    if (const auto losses = TemplateLosses(rows_.rows(), soundMode_); !losses.empty()) {
        std::string question(kTemplateLossesIntro);
        const std::size_t shown = std::min<std::size_t>(losses.size(), kLossesListed);
        for (std::size_t i = 0; i < shown; ++i)
            question += "\n- " + losses[i];
        if (losses.size() > shown)
            question += "\n- ... and " + std::to_string(losses.size() - shown) + " more.";
        question += "\n\n";
        question += kTemplateLossesQuestion;
        if (!dialogs_.askYesNo(question))
            return false;
    }
    auto target = dialogs_.askSavePath(templateName_);
    if (!target || target->empty())
        return false;
    if (!WriteTemplate(*target))
        return false;
    rows_.setChanged(false);
    return true;
}

void TemplateDesigner::cmdLoad() {
    if (rows_.changed() && dialogs_.ConfirmSave() && !cmdSave())
        return;
    auto chosen = dialogs_.chooseTemplate();
    if (chosen.Selection.empty())
        return;
    templateName_ = chosen.Selection;
    templatePath_ = chosen.SelectionPath;
    PerformLoad();
    rows_.setChanged(false);
}

void TemplateDesigner::cmdClear() {
    rows_.ClearRows();
    rows_.AddBlankRow();
    selected_ = 0;
    rows_.setChanged(true);
}

void TemplateDesigner::cmdInsert() {
    if (!selected_ || !rows_.insertAt(*selected_))
        return;
    editSelected();
}

void TemplateDesigner::cmdDelete() {
    if (!selected_ || !rows_.deleteAt(*selected_))
        return;
    if (*selected_ >= rows_.size())
        selected_ = rows_.size() - 1;
}

void TemplateDesigner::cmdMoveUp() {
    if (selected_ && rows_.moveUp(*selected_))
        --*selected_;
}

void TemplateDesigner::cmdMoveDown() {
    if (selected_ && rows_.moveDown(*selected_))
        ++*selected_;
}

void TemplateDesigner::run(DesignerCommand command) {
    switch (command) {
    case DesignerCommand::Insert:
        return cmdInsert();
    case DesignerCommand::Delete:
        return cmdDelete();
    case DesignerCommand::MoveUp:
        return cmdMoveUp();
    case DesignerCommand::MoveDown:
        return cmdMoveDown();
    case DesignerCommand::Clear:
        return cmdClear();
    case DesignerCommand::Load:
        return cmdLoad();
    case DesignerCommand::Save:
        cmdSave();
        return;
    case DesignerCommand::Package:
        return;
    }
}

void TemplateDesigner::editSelected() {
    if (!selected_ || *selected_ >= rows_.size())
        return;
    const std::size_t s = *selected_;
    const DesignerRow& row = rows_[s];
    EditRequest request;
    request.defaultFolder = templatePath_;
    request.imageFolder = existingFileFolder(files_, row.imageName, row.imagePath);
    request.soundFolder = existingFileFolder(files_, row.soundName, row.soundPath);
    request.image = row.imageName;
    request.sound = row.soundName;
    request.dissolve = row.dissolve;
    request.comment = UnModifyComment(row.comment);
    request.background = row.background;
    request.foreground = row.foreground;
    rows_.applyEdit(s, dialogs_.editEntry(request));
}

bool TemplateDesigner::dropEmptyRows() {
    const bool removed = rows_.RemoveEmptyRows();
    select(std::nullopt);
    return removed;
}

std::optional<std::string> TemplateDesigner::packageProposal() {
    if (auto proposal = ProposePackageName(templateName_))
        return proposal;
    const std::string name = PathParser(templateName_).FileName();
    if (name.empty()) {
        dialogs_.showError(kSaveBeforePackaging);
        return std::nullopt;
    }
    return name; // the save dialog adds ".scr"
}

bool TemplateDesigner::requestClose() {
    if (rows_.changed() && dialogs_.ConfirmSave())
        return cmdSave();
    return true;
}

} // namespace gf
