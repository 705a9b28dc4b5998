#include "core/authoring/EntryEditor.h"

#include "core/files/Paths.h"
#include "core/transitions/DissolveTable.h"

namespace gf {

std::string UnModifyComment(std::string_view stored) {
    std::string out(stored);
    for (char& c : out)
        if (c == '^')
            c = '\n';
    return out;
}

std::string ModifyComment(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += '^';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += '^';
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
std::string folderOrEmpty(std::string_view folder) {
    return folder.empty() ? std::string() : AddBackslash(folder);
}
} // namespace

void EntryEditor::load(std::string_view defaultFolder) {
    imageFolder_ =
        !memory_.lastImageFolder.empty() ? memory_.lastImageFolder : folderOrEmpty(defaultFolder);
    soundFolder_ =
        !memory_.lastSoundFolder.empty() ? memory_.lastSoundFolder : folderOrEmpty(defaultFolder);
    selectedImage_.clear();
    selectedSound_.clear();
}

void EntryEditor::open(const EditRequest& request, const EntryPicker& images,
                       const EntryPicker& sounds, std::string_view home) {
    load(request.defaultFolder);
    const auto go = [home](const EntryPicker& picker, const std::string& last,
                           const std::string& rowFolder) {
        if (!picker.goTo(last) && picker.folder().empty())
            picker.goTo(home);
        if (!rowFolder.empty())
            picker.goTo(rowFolder);
    };
    // Copies: a picker that moves may tell the editor, which changes its folders.
    go(images, std::string(imageFolder_), request.imageFolder);
    go(sounds, std::string(soundFolder_), request.soundFolder);
    setImageFolder(images.folder());
    setSoundFolder(sounds.folder());
    InitEdit(request.image, request.sound, request.dissolve, request.comment, request.background,
             request.foreground);
}

void EntryEditor::setImageFolder(std::string_view folder) {
    imageFolder_ = folderOrEmpty(folder);
    selectedImage_.clear();
}

void EntryEditor::setSoundFolder(std::string_view folder) {
    soundFolder_ = folderOrEmpty(folder);
    selectedSound_.clear();
}

void EntryEditor::InitEdit(const std::string& oImageFile, const std::string& oSoundFile,
                           const std::string& oDissolve, const std::string& oComment,
                           const std::string& oBackground, const std::string& oForeground) {
    oImage_ = oImageFile;
    oSound_ = oSoundFile;
    oDissolve_ = oDissolve;
    oComment_ = oComment;
    oBackground_ = oBackground;
    oForeground_ = oForeground;
    r_.BackgroundSelection = oBackground;
    r_.ForegroundSelection = oForeground;
    comment_ = oComment;
    dissolveIndex_ = DissolveIndex(oDissolve).value_or(0);
    resetImageFolder_ = imageFolder_;
    resetSoundFolder_ = soundFolder_;
    r_.ImageClicked = r_.SoundClicked = r_.CommentClicked = false;
    r_.BackgroundClicked = r_.ForegroundClicked = false;
    r_.DissolveClicked = oDissolve.empty();
}

void EntryEditor::clickImageFile(std::string_view name) {
    selectedImage_ = std::string(name);
    r_.ImageClicked = true;
}

void EntryEditor::clickSoundFile(std::string_view name) {
    selectedSound_ = std::string(name);
    r_.SoundClicked = true;
}

void EntryEditor::changeDissolve(int index) {
    if (index >= 0 && index <= kDissolveUpperIndex)
        dissolveIndex_ = index;
    r_.DissolveClicked = true;
}

void EntryEditor::changeComment(std::string_view text) {
    if (text == comment_)
        return;
    comment_ = std::string(text);
    r_.CommentClicked = true;
}

void EntryEditor::clickSwatch(std::string_view colorName, bool foreground) {
    if (foreground) {
        r_.ForegroundClicked = true;
        r_.ForegroundSelection = std::string(colorName);
    } else {
        r_.BackgroundClicked = true;
        r_.BackgroundSelection = std::string(colorName);
    }
}

const std::string& EntryEditor::resetImage() {
    r_.ImageClicked = false;
    setImageFolder(resetImageFolder_);
    return imageFolder_;
}

const std::string& EntryEditor::resetSound() {
    r_.SoundClicked = false;
    setSoundFolder(resetSoundFolder_);
    return soundFolder_;
}

void EntryEditor::resetComment() {
    r_.CommentClicked = false;
    changeComment(oComment_);
}

void EntryEditor::ok() {
    comment_ = ModifyComment(comment_);
    // A click counts only while its file is still selected: moving to another folder drops it.
    if (r_.ImageClicked && selectedImage_.empty())
        r_.ImageClicked = false;
    if (r_.SoundClicked && selectedSound_.empty())
        r_.SoundClicked = false;
    if (r_.ImageClicked) {
        r_.ImageSelection = selectedImage_;
        r_.ImageFullPath = imageFolder_ + selectedImage_;
        memory_.lastImageFolder = imageFolder_;
    }
    if (r_.SoundClicked) {
        r_.SoundSelection = selectedSound_;
        r_.SoundFullPath = soundFolder_ + selectedSound_;
        memory_.lastSoundFolder = soundFolder_;
    }
    r_.CommentSelection = comment_;
    r_.DissolveSelection = std::string(kDissolveNames[static_cast<std::size_t>(dissolveIndex_)]);
}

void EntryEditor::cancel() {
    resetImage();
    resetSound();
    resetComment();
    r_.DissolveSelection = oDissolve_;
    r_.BackgroundSelection = oBackground_;
    r_.ForegroundSelection = oForeground_;
    r_.ImageClicked = r_.SoundClicked = r_.CommentClicked = false;
    r_.DissolveClicked = r_.BackgroundClicked = r_.ForegroundClicked = false;
}

std::string EntryEditor::originalImageCaption() const {
    return "Image File: " + resetImageFolder_ + oImage_;
}

std::string EntryEditor::originalSoundCaption() const {
    return "Sound File: " + resetSoundFolder_ + oSound_;
}

std::string EntryEditor::selectedImagePath() const {
    return selectedImage_.empty() ? std::string() : imageFolder_ + selectedImage_;
}

std::string EntryEditor::selectedSoundPath() const {
    return selectedSound_.empty() ? std::string() : soundFolder_ + selectedSound_;
}

} // namespace gf
