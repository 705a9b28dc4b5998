#include "win32/authoring/Win32EntryEditDialog.h"

#include "win32/support/WindowText.h"

#include "core/authoring/TemplateDesigner.h"
#include "core/files/PathElision.h"
#include "core/picture/PictureTypes.h"
#include "core/template/NamedColors.h"
#include "core/text/FilePatterns.h"
#include "core/transitions/DissolveTable.h"
#include "win32/authoring/Win32ImageViewerDialog.h"
#include "win32/authoring/Win32SoundPlayerDialog.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/support/GdiObject.h"
#include "win32/support/HelpMenu.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <array>
#include <commctrl.h>

namespace gf {

namespace {

enum : int {
    kImageLists = 200, // to 203
    kSoundLists = 210, // to 213
    kImageFrame = 220,
    kSoundFrame,
    kOriginalImage,
    kOriginalSound,
    kView,
    kPlay,
    kResetImage,
    kResetSound,
    kTextFrame,
    kDissolveLabel,
    kDissolve,
    kCommentLabel,
    kComment,
    kResetComment,
    kColorFrame,
    kBackLabel,
    kBackBox,
    kForeLabel,
    kForeBox,
    kSwatches = 300, // background 300 to 311, foreground 320 to 331
    kHelpContents = 400,
};

// The client area in units; on a small screen the pickers give up height, down to a few rows.
constexpr int kWidth = 740, kHeight = 520, kLeastHeight = 430;

std::wstring W(std::string_view s) {
    return ToUtf16(s);
}

} // namespace

Win32EntryEditDialog::Win32EntryEditDialog(ProcessState& process)
    : AuthoringDialog(L"Template Edit", kWidth, kHeight), process_(process),
      editor_(process.authoring), imageLists_(kImageLists, PicturePatterns(Win32PictureFormats())),
      soundLists_(kSoundLists, SplitFilePatterns(kEntrySoundPatterns)) {}

Win32EntryEditDialog::~Win32EntryEditDialog() = default;

void Win32EntryEditDialog::run(HWND owner, const EditRequest& request) {
    request_ = request;
    runModal(owner);
}

void Win32EntryEditDialog::create() {
    SetMenu(window(), AppendHelpMenu(nullptr, {{kHelpContents, L"&Contents\tF1"}}));
    setLeastClientSize(kWidth, kLeastHeight);

    // In Tab order: the picture side, the sound side, dissolve and comment, colours, OK, Cancel.
    add(WC_BUTTONW, L"&Image", BS_GROUPBOX, kImageFrame);
    imageLists_.create(window(), layout().font());
    add(WC_STATICW, L"Image File:", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kOriginalImage);
    add(WC_BUTTONW, L"&View", BS_PUSHBUTTON | WS_TABSTOP, kView, L"View Image");
    add(WC_BUTTONW, L"Reset", BS_PUSHBUTTON | WS_TABSTOP, kResetImage, L"Reset Image Selection");

    add(WC_BUTTONW, L"&Sound", BS_GROUPBOX, kSoundFrame);
    soundLists_.create(window(), layout().font());
    add(WC_STATICW, L"Sound File:", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kOriginalSound);
    add(WC_BUTTONW, L"&Play", BS_PUSHBUTTON | WS_TABSTOP, kPlay, L"Play Sound File");
    add(WC_BUTTONW, L"Reset", BS_PUSHBUTTON | WS_TABSTOP, kResetSound, L"Reset Sound Selection");

    add(WC_BUTTONW, L"Dissolve and Comment", BS_GROUPBOX, kTextFrame);
    add(WC_STATICW, L"&Dissolve", SS_LEFT, kDissolveLabel);
    HWND dissolve =
        add(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kDissolve);
    for (auto name : kDissolveNames)
        SendMessageW(dissolve, CB_ADDSTRING, 0, LPARAM(W(name).c_str()));
    add(WC_STATICW, L"Co&mment", SS_LEFT, kCommentLabel);
    HWND comment =
        add(WC_EDITW, L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
            kComment, L"Comment text; \"^\" or Enter starts a new line");
    SetWindowLongPtrW(comment, GWL_EXSTYLE,
                      GetWindowLongPtrW(comment, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(comment, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SendMessageW(comment, EM_SETCUEBANNER, TRUE, LPARAM(L"Comment shown with the picture"));
    SetWindowSubclass(comment, &Win32EntryEditDialog::CommentKeys, 1, 0);
    add(WC_BUTTONW, L"Reset", BS_PUSHBUTTON | WS_TABSTOP, kResetComment, L"Reset Comment");

    add(WC_BUTTONW, L"Colors", BS_GROUPBOX, kColorFrame);
    for (int slot = 0; slot < 2; ++slot) {
        add(WC_STATICW, slot ? L"&Foreground Color" : L"&Background Color", SS_LEFT,
            slot ? kForeLabel : kBackLabel);
        for (std::size_t i = 0; i < kEntrySwatches.size(); ++i)
            // One Tab stop a row; the arrow keys move along it.
            add(WC_BUTTONW, W(kEntrySwatches[i]),
                BS_OWNERDRAW | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), kSwatches + 20 * slot + int(i),
                W(kEntrySwatches[i]));
        add(WC_STATICW, L"", SS_OWNERDRAW | WS_GROUP, slot ? kForeBox : kBackBox);
    }

    add(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, L"Accept Selections");
    add(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, L"Cancel Selections");

    imageLists_.fileClicked = [this](const std::string& name) { editor_.clickImageFile(name); };
    imageLists_.fileDoubleClicked = [this](const std::string& name) {
        editor_.clickImageFile(name);
        view();
    };
    soundLists_.fileClicked = [this](const std::string& name) { editor_.clickSoundFile(name); };
    soundLists_.fileDoubleClicked = [this](const std::string& name) {
        editor_.clickSoundFile(name);
        play();
    };
    // The model follows the folder the list shows; a click in the old folder no longer counts.
    imageLists_.folderChanged = [this] {
        if (!syncing_)
            editor_.setImageFolder(imageLists_.folder());
    };
    soundLists_.folderChanged = [this] {
        if (!syncing_)
            editor_.setSoundFolder(soundLists_.folder());
    };
    prepare();
}

void Win32EntryEditDialog::prepare() {
    syncing_ = true;
    const auto picker = [](FolderLists& lists) {
        return EntryPicker{[&lists] { return lists.folder(); },
                           [&lists](std::string_view folder) { return lists.goToFolder(folder); }};
    };
    editor_.open(request_, picker(imageLists_), picker(soundLists_), FolderLists::HomeFolder());
    showComment();
    SendMessageW(item(kDissolve), CB_SETCURSEL, WPARAM(editor_.dissolveIndex()), 0);
    showColors();
    imageCaption_ = editor_.originalImageCaption();
    soundCaption_ = editor_.originalSoundCaption();
    syncing_ = false;
}

void Win32EntryEditDialog::arrange() {
    const int width = clientWidth(), height = clientHeight();
    const int line = int(layout().textSize(L"Ag").cy);
    const int margin = 10, gap = 6, pad = 10;
    const int buttonWidth = 76, buttonHeight = std::max(line + 10, 25);
    const int half = (width - 2 * margin - gap) / 2;

    // Bottom up: OK and Cancel, colours, dissolve and comment; the pickers take the rest.
    const int buttonsTop = height - margin - buttonHeight;
    place(IDCANCEL, width - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    place(IDOK, width - margin - 2 * buttonWidth - gap, buttonsTop, buttonWidth, buttonHeight);

    const int swatch = 22;
    const int colorHeight = line + pad + 2 * (swatch + gap) + pad - gap;
    const int colorTop = buttonsTop - gap - colorHeight;
    place(kColorFrame, margin, colorTop, width - 2 * margin, colorHeight);
    const int labelWidth = std::max<int>(layout().textSize(L"Foreground Color").cx, 110) + gap;
    for (int slot = 0; slot < 2; ++slot) {
        const int y = colorTop + line + pad / 2 + slot * (swatch + gap);
        int x = margin + pad;
        place(slot ? kForeLabel : kBackLabel, x, y + (swatch - line) / 2, labelWidth, line);
        x += labelWidth;
        place(slot ? kForeBox : kBackBox, x, y, 64, swatch);
        x += 64 + 2 * gap;
        for (int i = 0; i < int(kEntrySwatches.size()); ++i)
            place(kSwatches + 20 * slot + i, x + i * (swatch + 4), y, swatch, swatch);
    }

    const int commentLines = 3;
    const int textHeight = line + pad / 2 + (line + 10) + gap + commentLines * line + 8 + pad;
    const int textTop = colorTop - gap - textHeight;
    place(kTextFrame, margin, textTop, width - 2 * margin, textHeight);
    {
        const int x = margin + pad, labelW = labelWidth;
        int y = textTop + line + pad / 2;
        place(kDissolveLabel, x, y + 4, labelW, line);
        place(kDissolve, x + labelW, y, 220, line * 12);
        y += line + 10 + gap;
        place(kCommentLabel, x, y + 2, labelW, line);
        const int commentWidth = width - 2 * margin - 2 * pad - labelW - gap - buttonWidth;
        place(kComment, x + labelW, y, commentWidth, commentLines * line + 8);
        place(kResetComment, x + labelW + commentWidth + gap, y, buttonWidth, buttonHeight);
    }

    const int pickTop = margin, pickBottom = textTop - gap;
    const struct {
        int frame, original, action, reset, x;
        FolderLists* lists;
    } sides[2] = {
        {kImageFrame, kOriginalImage, kView, kResetImage, margin, &imageLists_},
        {kSoundFrame, kOriginalSound, kPlay, kResetSound, margin + half + gap, &soundLists_}};
    for (const auto& side : sides) {
        place(side.frame, side.x, pickTop, half, pickBottom - pickTop);
        const int inner = half - 2 * pad;
        const int rowTop = pickBottom - pad - buttonHeight;
        place(side.reset, side.x + half - pad - buttonWidth, rowTop, buttonWidth, buttonHeight);
        place(side.action, side.x + half - pad - 2 * buttonWidth - gap, rowTop, buttonWidth,
              buttonHeight);
        place(side.original, side.x + pad, rowTop + (buttonHeight - line) / 2,
              inner - 2 * buttonWidth - 2 * gap, line);
        RECT area{layout().px(side.x + pad), layout().px(pickTop + line + pad / 2),
                  layout().px(side.x + pad + inner), layout().px(rowTop - gap)};
        side.lists->layout(area, layout().px(line), layout().px(gap));
    }
    showPath(kOriginalImage, imageCaption_);
    showPath(kOriginalSound, soundCaption_);
    InvalidateRect(window(), nullptr, TRUE);
}

void Win32EntryEditDialog::showPath(int id, const std::string& caption) {
    HWND label = item(id);
    RECT box{};
    GetClientRect(label, &box);
    const std::string shown =
        ElidePath(caption, layout().units(box.right),
                  [this](std::string_view text) { return int(layout().textSize(W(text)).cx); });
    SetWindowTextW(label, W(shown).c_str());
    setTooltip(label, W(caption));
}

bool Win32EntryEditDialog::command(int id, int code, HWND control) {
    if (imageLists_.command(id, code, control) || soundLists_.command(id, code, control))
        return true;
    if (id >= kSwatches && id < kSwatches + 32) {
        const int slot = (id - kSwatches) / 20, index = (id - kSwatches) % 20;
        if (index < int(kEntrySwatches.size()) && code == BN_CLICKED) {
            editor_.clickSwatch(kEntrySwatches[std::size_t(index)], slot == 1);
            showColors();
        }
        return true;
    }
    switch (id) {
    case kDissolve:
        if (code == CBN_SELCHANGE || code == CBN_SELENDOK)
            if (!syncing_)
                editor_.changeDissolve(int(SendMessageW(item(kDissolve), CB_GETCURSEL, 0, 0)));
        return true;
    case kComment:
        if (code == EN_CHANGE && !syncing_)
            editor_.changeComment(WithoutCr(WindowText(item(kComment))));
        return true;
    case kView:
        view();
        return true;
    case kPlay:
        play();
        return true;
    case kResetImage:
        imageLists_.goToFolder(editor_.resetImage());
        editor_.setImageFolder(imageLists_.folder());
        return true;
    case kResetSound:
        soundLists_.goToFolder(editor_.resetSound());
        editor_.setSoundFolder(soundLists_.folder());
        return true;
    case kResetComment:
        editor_.resetComment();
        showComment();
        return true;
    case kHelpContents:
        ShowHelpContents(window());
        return true;
    case IDOK:
        editor_.ok();
        end(IDOK);
        return true;
    case IDCANCEL:
        cancel();
        return true;
    default:
        return false;
    }
}

bool Win32EntryEditDialog::message(UINT msg, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (msg == WM_HELP) { // F1
        ShowHelpContents(window());
        result = TRUE;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        drawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

void Win32EntryEditDialog::drawSwatch(const DRAWITEMSTRUCT& d) const {
    std::string_view name;
    bool foreground = false;
    const int id = int(d.CtlID);
    if (id == kBackBox || id == kForeBox) {
        foreground = id == kForeBox;
        name = foreground ? results().ForegroundSelection : results().BackgroundSelection;
    } else {
        foreground = (id - kSwatches) / 20 == 1;
        name = kEntrySwatches[std::size_t((id - kSwatches) % 20)];
    }
    RECT r = d.rcItem;
    FillRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = d.itemState & ODS_SELECTED;
    if (pressed)
        OffsetRect(&r, 1, 1);
    GdiObject<HBRUSH> fill(CreateSolidBrush(ColorFromName(name, foreground)));
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FillRect(d.hDC, &inner, fill.get());
    FrameRect(d.hDC, &inner, GetSysColorBrush(COLOR_BTNSHADOW));
    if (d.itemState & ODS_FOCUS) {
        RECT focus = d.rcItem;
        DrawFocusRect(d.hDC, &focus);
    }
}

void Win32EntryEditDialog::showComment() {
    const bool was = syncing_;
    syncing_ = true;
    SetWindowTextW(item(kComment), WithCrLf(editor_.commentText()).c_str());
    syncing_ = was;
}

void Win32EntryEditDialog::showColors() {
    InvalidateRect(item(kBackBox), nullptr, TRUE);
    InvalidateRect(item(kForeBox), nullptr, TRUE);
    setTooltip(item(kBackBox), W(results().BackgroundSelection));
    setTooltip(item(kForeBox), W(results().ForegroundSelection));
}

void Win32EntryEditDialog::view() {
    const auto path = editor_.selectedImagePath();
    if (path.empty())
        return;
    Win32ImageViewerDialog viewer(process_.files);
    if (const Status loaded = viewer.loadPicture(path, window()); !loaded) {
        MessageBoxW(window(), W(std::string(kAuthoringErrorPrefix) + loaded.message()).c_str(),
                    L"Template Edit", MB_OK | MB_ICONWARNING);
        return;
    }
    viewer.setBackgroundColor(ColorFromName(results().BackgroundSelection, false));
    viewer.runModal(window());
}

void Win32EntryEditDialog::play() {
    const auto path = editor_.selectedSoundPath();
    if (path.empty())
        return;
    Win32SoundPlayerDialog player;
    player.setFileName(path);
    player.setAutoStart(true);
    player.runModal(window());
}

void Win32EntryEditDialog::cancel() {
    editor_.cancel();
    end(IDCANCEL);
}

// "^" stands for a line break in a comment, so typing it starts a new line.
LRESULT CALLBACK Win32EntryEditDialog::CommentKeys(HWND box, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CHAR && wParam == L'^')
        return DefSubclassProc(box, WM_CHAR, VK_RETURN, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(box, &Win32EntryEditDialog::CommentKeys, 1);
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace gf
