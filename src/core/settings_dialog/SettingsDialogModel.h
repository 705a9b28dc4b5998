#pragma once
// The settings dialog without its window: mode boxes, option pairs, scroll bars with their
// labels, the dissolve list, the visible panel, the help text, and the "Done" steps that store
// every setting. It works on the process's in-memory settings.
#include "core/picture/PictureTypes.h"
#include "core/settings/StartupState.h"
#include "core/settings_dialog/SettingsDialogView.h"
#include "platform/SettingsStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

inline constexpr std::string_view kSettingsCaption = "Glimmerframe Settings";
inline constexpr std::string_view kSettingsErrorPrefix = "An error has occurred: ";
inline constexpr std::string_view kTemplateMissingQuestion =
    "The Template File You Have Specified Does Not Exist";

// The captions of the buttons that show the folder and the template lists; the help text names
// them. (The template mode's text names Edit and Create too.)
inline constexpr std::string_view kSelectFolderCaption = "Folder";
inline constexpr std::string_view kSelectTemplateCaption = "Template";

// The window's captions with their access keys ("&" before the key): every control has one, no
// two share one, and none takes the Help menu's. Option buttons are reached through their
// frame's key, then the arrow keys.
struct SettingsCaptions {
    std::string_view help = "&Help";
    std::string_view folderMode = "Folde&r Mode";
    std::string_view templateMode = "Temp&late Mode";
    std::string_view path = "&Path:";
    std::string_view selectFolder = "&Folder";
    std::string_view selectTemplate = "Te&mplate";
    std::string_view createTemplate = "&Create";
    std::string_view editTemplate = "&Edit";
    std::string_view browse = "&Browse...";
    std::string_view order = "&Order";
    std::string_view size = "&Size";
    std::string_view placement = "Placeme&nt";
    std::string_view dissolve = "Dissolve &Type:";
    std::string_view ignoreMouse = "I&gnore Mouse";
    std::string_view disableSound = "Disable So&und";
    std::string_view cancel = "C&ancel";
    std::string_view done = "&Done";
    // Where the key of each scroll bar's label is: "Dela&y", "Dissolve Si&ze", "D&issolve",
    // "Mouse Sensiti&vity", in the label's unchanging start.
    std::array<std::size_t, 4> scrollKeys = {4, 11, 1, 13};
};
inline constexpr SettingsCaptions kSettingsCaptions{};

// The texts both windows show without access keys: the frames, the options, the picture
// buttons' tips, the path box's name and the link to the guide.
struct SettingsTexts {
    std::string_view pictures = "Pictures";
    std::string_view show = "Show";
    std::string_view pathName = "Folder or template file";
    std::string_view selectFolderTip = "Select A Folder";
    std::string_view selectTemplateTip = "Select a Template File";
    std::string_view createTemplateTip = "Create A Template File";
    std::string_view editTemplateTip = "Edit A Template File";
    // The screens frame: every letter of its name is another control's key, so it has none.
    std::string_view screens = "Screens";
    std::string_view screensTip = "Slides on the primary screen alone, or on every screen";
    // Every letter of it is another control's key, too.
    std::string_view includeSubfolders = "Include Subfolders";
    std::string_view includeSubfoldersTip =
        "In folder mode, the pictures of the folders below the chosen one too";
    // What a folder show writes under a picture without a comment, in the order of the stored
    // values; the label's letters are all other controls' keys, too.
    std::string_view caption = "Caption:";
    std::string_view captionTip = "In folder mode, what is written under each picture";
    std::array<std::string_view, 3> captions = {"None", "File Name", "Date Taken"};
    // The two options of the order, size, placement and screens frames.
    std::array<std::array<std::string_view, 2>, 4> options = {{{"Sequential", "Random"},
                                                               {"Original", "Full Screen"},
                                                               {"Centered", "Random"},
                                                               {"Primary Only", "Every Screen"}}};
    std::string_view guideLink = "Glimmerframe user guide";
    std::string_view cancelTip = "Cancel";
    std::string_view doneTip = "Done";
};
inline constexpr SettingsTexts kSettingsTexts{};

// A scroll bar's label (as DialogScrollBar builds it) with its access key marked.
std::string ScrollLabelWithAccessKey(std::size_t bar, std::string_view label);

// A horizontal scroll bar and the label whose text follows its value.
struct DialogScrollBar {
    enum class Kind { Interval, DissolveSize, DissolveDelay, MouseSensitivity };
    Kind kind;
    int min, max, smallChange, largeChange;
    int value;
    std::string label;

    // Clamps into range; the label always shows the value.
    void setValue(int v);
    std::string labelFor(int v) const;
};

// Which of the three panels sharing one place is visible.
enum class DialogPanel { Text, Template, Folder };

struct DialogControls {
    bool chkFolderMode = false, chkTemplateMode = false;
    bool chkFolderModeEnabled = true, chkTemplateModeEnabled = true;
    bool cmdSelectFolderEnabled = true, cmdSelectTemplateEnabled = true;
    bool cmdCreateTemplateEnabled = true, cmdEditTemplateEnabled = true;
    bool txtImageListFileEnabled = true;
    DialogPanel panel = DialogPanel::Text;
    std::string txtHelper;
    std::string txtImageListFile;
    bool chkIgnoreMouse = false, chkDisableSound = false;
    int comboIndex = 0;
};

class SettingsDialogModel {
  public:
    // `picturePatterns`: what folder mode shows (PicturePatterns), which the help text names.
    SettingsDialogModel(ProcessState& process, SettingsStore& store, SettingsDialogView& view,
                        std::vector<std::string> picturePatterns = PicturePatterns());

    // The load steps, in order: mode controls, scroll bars, path box, options, dissolve list.
    void Form_Load();

    const DialogControls& controls() const { return c_; }
    const Settings& settings() const { return settings_; }
    bool standAlone() const { return startup_.StandAlone; }
    const std::vector<std::string>& picturePatterns() const { return picturePatterns_; }
    DialogScrollBar& ScrollInterval() { return scrolls_[0]; }
    DialogScrollBar& ScrollDissolveSize() { return scrolls_[1]; }
    DialogScrollBar& ScrollDissolveDelay() { return scrolls_[2]; }
    DialogScrollBar& ScrollMouseSensitivity() { return scrolls_[3]; }
    const std::array<DialogScrollBar, 4>& scrollBars() const { return scrolls_; }
    // 0 interval, 1 dissolve size, 2 dissolve delay, 3 mouse sensitivity.
    DialogScrollBar& scrollBar(std::size_t index) { return scrolls_.at(index); }

    void RefreshModeControls();
    void ShowHelperText();
    // The help text for one mode (standalone: the one text a package shows). A window sizes its
    // help panel for the longest, so that switching modes never cuts a line.
    std::string HelperText(bool folderMode) const;
    void SplitSelectedPath();

    // User actions.
    void chkFolderMode_Click();
    void chkTemplateMode_Click();
    // The option pairs, in the windows' order: order, size, placement, screens (0 to 3). Whether
    // a pair's second option is the chosen one, and choosing one.
    bool optionSecond(std::size_t pair) const;
    void chooseOption(std::size_t pair, bool second);
    void setIncludeSubfolders(bool on) { settings_.IncludeSubfolders = on ? 1 : 0; }
    // An index of SettingsTexts::captions; others leave the setting as it is.
    void setCaption(int index);
    void setIgnoreMouse(bool checked) { c_.chkIgnoreMouse = checked; }
    void setDisableSound(bool checked) { c_.chkDisableSound = checked; }
    void setComboIndex(int index);
    // The user typed into the path box.
    void setImageListFileText(std::string_view text) { c_.txtImageListFile = std::string(text); }
    // `dir2Folder`: where the folder panel's lists stand now.
    void cmdSelectFolder_Click(std::string_view dir2Folder);
    void cmdSelectTemplate_Click();
    void Dir2_Change(std::string_view folder);
    void File1_Click(std::string_view dir1Folder, std::string_view fileName);
    void cmdCreateTemplate_Click();
    void cmdEditTemplate_Click();
    // "Done": true when the dialog may close (everything stored); false keeps it open.
    bool cmdExit_Click();

  private:
    void runDesigner(std::string_view templateName);
    // The existence test of "Done": true to go on storing.
    bool templateFileAcceptable();

    FileSystem& files_;
    Settings& settings_;
    StartupState& startup_;
    SettingsStore& store_;
    SettingsDialogView& view_;
    DialogControls c_;
    std::array<DialogScrollBar, 4> scrolls_;
    std::vector<std::string> picturePatterns_;
    std::string templateText_; // the path box's template while folder mode is tried
};

} // namespace gf
