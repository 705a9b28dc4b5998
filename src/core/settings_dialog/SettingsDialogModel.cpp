#include "core/settings_dialog/SettingsDialogModel.h"

#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/settings/SettingsLoader.h"
#include "core/transitions/DissolveTable.h"

#include <algorithm>
#include <iterator>

namespace gf {

namespace {
constexpr std::string_view kClosingLines = "Modify the Glimmerframe settings by selecting the "
                                           "options at\nthe bottom of this screen.\n\n"
                                           "Click Done when all options are to your liking.";

// The settings behind the option pairs, in the windows' order.
constexpr std::array<std::int16_t Settings::*, 4> kOptionSettings = {
    &Settings::ImageOrderRandom, &Settings::FullScreen, &Settings::ImagePositionRandom,
    &Settings::ShowOnAllScreens};

bool isDirectory(FileSystem& files, const std::string& path) {
    return files.info(path).kind == FileKind::Folder;
}
} // namespace

void DialogScrollBar::setValue(int v) {
    value = std::clamp(v, min, max);
    label = labelFor(value);
}

std::string ScrollLabelWithAccessKey(std::size_t bar, std::string_view label) {
    std::string out(label);
    const std::size_t at = kSettingsCaptions.scrollKeys.at(bar);
    if (at < out.size())
        out.insert(at, 1, '&');
    return out;
}

std::string DialogScrollBar::labelFor(int v) const {
    std::string n = std::to_string(v);
    switch (kind) {
    case Kind::Interval:
        return "Delay Interval: " + n + " Seconds";
    case Kind::DissolveSize:
        return "Dissolve Size: " + n;
    case Kind::DissolveDelay:
        return "Dissolve Delay: " + n;
    case Kind::MouseSensitivity:
        return "Mouse Sensitivity: " + n;
    }
    return n;
}

SettingsDialogModel::SettingsDialogModel(ProcessState& process, SettingsStore& store,
                                         SettingsDialogView& view,
                                         std::vector<std::string> picturePatterns)
    : files_(process.files), settings_(process.settings), startup_(process.startup), store_(store),
      view_(view), scrolls_{{
                       {DialogScrollBar::Kind::Interval, 1, 32, 1, 1, 5, {}},
                       {DialogScrollBar::Kind::DissolveSize, 10, 50, 2, 10, 10, {}},
                       {DialogScrollBar::Kind::DissolveDelay, 0, 200, 1, 10, 0, {}},
                       {DialogScrollBar::Kind::MouseSensitivity, 10, 500, 1, 10, 10, {}},
                   }},
      picturePatterns_(std::move(picturePatterns)) {
    for (auto& bar : scrolls_)
        bar.setValue(bar.value);
}

void SettingsDialogModel::Form_Load() {
    RefreshModeControls();

    ScrollInterval().setValue(settings_.ImageInterval);
    ScrollDissolveSize().setValue(settings_.Blocks);
    ScrollDissolveDelay().setValue(settings_.DissolveDelay);
    ScrollMouseSensitivity().setValue(settings_.MouseSensitivity);

    c_.txtImageListFile = settings_.AllImages == 1 ? settings_.ImagePath
                                                   : settings_.ImagePath + settings_.ImageListFile;

    // Selecting an option writes the selected value back: 0 or 1, whatever was stored.
    const bool second[] = {settings_.ImageOrderRandom == 1, settings_.FullScreen == 1,
                           settings_.ImagePositionRandom == 1, settings_.ShowOnAllScreens != 0};
    for (std::size_t pair = 0; pair < std::size(second); ++pair)
        chooseOption(pair, second[pair]);

    c_.chkDisableSound = settings_.DisableSound == 1;
    c_.chkIgnoreMouse = settings_.IgnoreMouse != 0;

    c_.comboIndex = DissolveIndex(settings_.DissolveType).value_or(0);
}

void SettingsDialogModel::RefreshModeControls() {
    c_.panel = DialogPanel::Text;
    ShowHelperText();
    if (startup_.StandAlone) {
        c_.cmdEditTemplateEnabled = c_.cmdCreateTemplateEnabled = c_.cmdSelectTemplateEnabled =
            false;
        c_.chkTemplateModeEnabled = c_.chkFolderModeEnabled = false;
        c_.cmdSelectFolderEnabled = c_.txtImageListFileEnabled = false;
        return;
    }
    const bool folderMode = settings_.AllImages == 1;
    c_.chkFolderMode = folderMode;
    c_.chkTemplateMode = !folderMode;
    c_.cmdSelectFolderEnabled = folderMode;
    c_.cmdSelectTemplateEnabled = c_.cmdCreateTemplateEnabled = c_.cmdEditTemplateEnabled =
        !folderMode;
    if (folderMode)
        c_.txtImageListFileEnabled = true;
    if (!settings_.ImagePath.empty()) {
        settings_.ImagePath = AddBackslash(settings_.ImagePath);
        if (folderMode)
            view_.moveFolderLists(settings_.ImagePath);
        else
            view_.moveTemplateLists(settings_.ImagePath);
    }
}

void SettingsDialogModel::ShowHelperText() {
    c_.txtHelper = HelperText(settings_.AllImages == 1);
}

std::string SettingsDialogModel::HelperText(bool folderMode) const {
    std::string text;
    if (startup_.StandAlone) {
        text = "Glimmerframe is running in Stand-Alone Mode.\n";
    } else if (folderMode) {
        text = "Glimmerframe is currently in Folder Mode.\n"
               "In this mode, all the images (" +
               PictureTypeNames(picturePatterns_) +
               ") in the folder\n"
               "you select will be displayed in the screen saver.\n\n"
               "Click " +
               std::string(kSelectFolderCaption) +
               " to choose the folder containing your images.\n\n";
    } else {
        text = "Glimmerframe is currently in Template Mode.\n"
               "In this mode, you must either Select an existing template, Create\n"
               "a new template, or Edit an existing template.\n\n"
               "Click " +
               std::string(kSelectTemplateCaption) + ", Edit or Create.\n\n";
    }
    return text + std::string(kClosingLines);
}

void SettingsDialogModel::SplitSelectedPath() {
    const bool folderMode = settings_.AllImages == 1;
    const PathParser parser(folderMode ? AddBackslash(c_.txtImageListFile) : c_.txtImageListFile);
    settings_.ImagePath = AddBackslash(parser.FilePath());
    settings_.ImageListFile = parser.FileName();
}

bool SettingsDialogModel::optionSecond(std::size_t pair) const {
    return settings_.*kOptionSettings.at(pair) == 1;
}

void SettingsDialogModel::chooseOption(std::size_t pair, bool second) {
    settings_.*kOptionSettings.at(pair) = second ? 1 : 0;
}

void SettingsDialogModel::chkFolderMode_Click() {
    // Left naming the template, the path box would make "Done" store the template file as the
    // picture folder: folder mode starts at the template's folder, and template mode gets the
    // template back.
    if (settings_.AllImages != 1) {
        templateText_ = c_.txtImageListFile;
        if (!templateText_.empty())
            c_.txtImageListFile = AddBackslash(PathParser(templateText_).FilePath());
    }
    settings_.AllImages = 1;
    c_.chkTemplateMode = false;
    RefreshModeControls();
}

void SettingsDialogModel::chkTemplateMode_Click() {
    if (settings_.AllImages == 1 && !templateText_.empty())
        c_.txtImageListFile = templateText_;
    settings_.AllImages = 0;
    c_.chkFolderMode = false;
    RefreshModeControls();
}

void SettingsDialogModel::setComboIndex(int index) {
    c_.comboIndex = std::clamp(index, 0, kDissolveUpperIndex);
}

void SettingsDialogModel::cmdSelectFolder_Click(std::string_view dir2Folder) {
    c_.panel = DialogPanel::Folder;
    if (!dir2Folder.empty())
        Dir2_Change(dir2Folder);
}

void SettingsDialogModel::cmdSelectTemplate_Click() {
    c_.panel = DialogPanel::Template;
}

void SettingsDialogModel::Dir2_Change(std::string_view folder) {
    settings_.ImageListFile = AddBackslash(folder);
    c_.txtImageListFile = settings_.ImageListFile;
}

void SettingsDialogModel::File1_Click(std::string_view dir1Folder, std::string_view fileName) {
    settings_.ImageListFile = std::string(fileName);
    c_.txtImageListFile = JoinPath(dir1Folder, fileName);
}

void SettingsDialogModel::runDesigner(std::string_view templateName) {
    if (auto path = view_.runDesigner(templateName)) {
        c_.txtImageListFile = *path;
        SplitSelectedPath();
    }
}

void SettingsDialogModel::cmdCreateTemplate_Click() {
    runDesigner("");
}

void SettingsDialogModel::cmdEditTemplate_Click() {
    const std::string name = c_.txtImageListFile;
    runDesigner(name);
}

bool SettingsDialogModel::templateFileAcceptable() {
    const std::string prefix(kSettingsErrorPrefix);
    if (c_.txtImageListFile.empty()) {
        view_.showError(prefix + "No template file is selected. Select, create or type the "
                                 "path of a template file.");
        return false;
    }
    // The file the show will read: the folder and name just split from the path box.
    const std::string& folder = settings_.ImagePath;
    const std::string file = folder + settings_.ImageListFile;
    if (!isDirectory(files_, folder))
        return view_.askOkCancel(kTemplateMissingQuestion);
    if (settings_.ImageListFile.empty() || isDirectory(files_, file)) {
        view_.showError(prefix + "The template " + file + " is a folder, not a template file.");
        return false;
    }
    if (auto opened = files_.openForReading(file); !opened) {
        view_.showError(prefix + opened.message() + ".");
        return false;
    }
    return true;
}

bool SettingsDialogModel::cmdExit_Click() {
    SplitSelectedPath();
    if (settings_.AllImages != 1 && !startup_.StandAlone && !templateFileAcceptable())
        return false;
    settings_.ImageInterval = static_cast<std::int16_t>(ScrollInterval().value);
    settings_.Blocks = static_cast<std::int16_t>(ScrollDissolveSize().value);
    settings_.DissolveDelay = static_cast<std::int16_t>(ScrollDissolveDelay().value);
    settings_.MouseSensitivity = static_cast<std::int16_t>(ScrollMouseSensitivity().value);
    settings_.DissolveType = std::string(kDissolveNames[std::size_t(c_.comboIndex)]);
    settings_.IgnoreMouse = c_.chkIgnoreMouse ? 1 : 0;
    settings_.DisableSound = c_.chkDisableSound ? 1 : 0;
    const Status stored = StoreSettings(store_, startup_.ProductName, settings_);
    if (!stored.ok()) {
        view_.showError(std::string(kSettingsErrorPrefix) + stored.message());
        return false;
    }
    return true;
}

void SettingsDialogModel::setCaption(int index) {
    if (index >= 0 && std::size_t(index) < kSettingsTexts.captions.size())
        settings_.Caption = std::int16_t(index);
}

} // namespace gf
