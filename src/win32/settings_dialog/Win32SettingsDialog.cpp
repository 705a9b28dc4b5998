#include "win32/settings_dialog/Win32SettingsDialog.h"

#include "win32/support/WindowText.h"

#include "core/help/GuideLinks.h"
#include "core/help/HTMLHelp.h"
#include "core/picture/PictureTypes.h"
#include "core/transitions/DissolveTable.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/support/FilePicker.h"
#include "win32/support/GdiObject.h"
#include "win32/support/HelpMenu.h"
#include "win32/support/SelectedObject.h"
#include "win32/support/Win32AboutBox.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <optional>

#include <commctrl.h>

namespace gf {

namespace {

enum Id : int {
    kFolderMode = 1000,
    kTemplateMode,
    kPath,
    kSelectFolder,
    kSelectTemplate,
    kCreateTemplate,
    kEditTemplate,
    kHelper,
    kBrowse,
    kFolderLabel,
    kDrive1,
    kDir1,
    kFile1,
    kDrive2,
    kDir2,
    kFile2,
    kFirstOption, // eight option buttons
    kCombo = kFirstOption + 8,
    kFirstScroll, // four scroll bars
    kIgnoreMouse = kFirstScroll + 4,
    kDisableSound,
    kIncludeSubfolders,
    kCaption,
    kLogo,
    kLink,
    kStrip,
    // Help menu.
    kContents = 2000,
    kHomePage,
    kNewVersion,
    kAbout,
};

// Client area and the places of its parts, in 1/96 inch. The panel (help text or lists) takes
// what the window has beyond the rest; on a small screen it gets less, down to a few lines.
constexpr int kWidth = 600;
constexpr int kMargin = 10;
constexpr int kPanelTop = 86, kPanelHeight = 146, kLeastPanelHeight = 80;
// Above the strip along the bottom (the maker's tips, at least this tall).
constexpr int kHeightAboveStrip = kPanelTop + 18 + 226 + 10, kLeastStripHeight = 52;
constexpr int kButtonHeight = 25, kStripWidth = 200;
// The help text's edit box: its frame and margins around the text.
constexpr int kHelperFrame = 12;

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The maker's logo: a rounded square in the strip's blues with an orange "B" and a small star.
void PaintLogo(HDC dc, const RECT& box) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    const int side = std::min(box.right - box.left, box.bottom - box.top);
    const auto at = [&](int v) { return MulDiv(v, side, 64); };
    const int x0 = box.left, y0 = box.top;
    GdiObject<HRGN> rounded(CreateRoundRectRgn(x0 + at(2), y0 + at(2), x0 + at(62) + 1,
                                               y0 + at(62) + 1, at(28), at(28)));
    SelectClipRgn(dc, rounded.get());
    TRIVERTEX corners[2] = {{x0, y0, 0x2a00, 0x6f00, 0x9700, 0},
                            {x0 + side, y0 + side, 0x1d00, 0x3500, 0x5700, 0}};
    GRADIENT_RECT span{0, 1};
    GradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_V);
    SelectClipRgn(dc, nullptr);

    LOGBRUSH orange{BS_SOLID, RGB(0xf4, 0xa2, 0x61), 0};
    GdiObject<HPEN> pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND | PS_ENDCAP_ROUND,
                                     DWORD(std::max(1, at(5))), &orange, 0, nullptr));
    const SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
    std::optional<SelectedObject> orangePen(std::in_place, dc, pen.get());
    // Two lobes: a straight back, and a half circle on the right of each.
    const auto lobe = [&](int top, int width) {
        BeginPath(dc);
        MoveToEx(dc, x0 + at(18), y0 + at(top), nullptr);
        LineTo(dc, x0 + at(18 + width), y0 + at(top));
        ArcTo(dc, x0 + at(8 + width), y0 + at(top), x0 + at(28 + width), y0 + at(top + 20),
              x0 + at(18 + width), y0 + at(top), x0 + at(18 + width), y0 + at(top + 20));
        LineTo(dc, x0 + at(18), y0 + at(top + 20));
        CloseFigure(dc);
        EndPath(dc);
        StrokePath(dc);
    };
    SetArcDirection(dc, AD_CLOCKWISE);
    lobe(16, 18);
    lobe(36, 20);
    orangePen.reset();
    GdiObject<HBRUSH> star(CreateSolidBrush(RGB(0xff, 0xf6, 0xc2)));
    const SelectedObject starFill(dc, star.get());
    const SelectedObject noOutline(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x0 + at(44), y0 + at(10), x0 + at(52), y0 + at(18));
}

} // namespace

Win32SettingsDialog::Win32SettingsDialog(ProcessState& process, SettingsStore& store,
                                         DesignerHook designer, Win32HelpHost::Opener browser)
    : Win32Dialog(ToUtf16(kSettingsCaption), kWidth,
                  kHeightAboveStrip + kLeastStripHeight + 8 + kPanelHeight),
      model_(process, store, *this, PicturePatterns(Win32PictureFormats())),
      designer_(std::move(designer)), browser_(std::move(browser)) {}

Win32SettingsDialog::~Win32SettingsDialog() = default;

void Win32SettingsDialog::create() {
    SetMenu(window(), AppendHelpMenu(nullptr, {{kContents, L"&Contents\tF1"},
                                               {kHomePage, L"&Home Page"},
                                               {kNewVersion, L"Ch&eck for New Version"},
                                               {0, L""},
                                               {kAbout, L"&About"}}));
    const auto button = [&](std::wstring_view text, int id, std::wstring_view tip) {
        HWND b = addControl(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id);
        setTooltip(b, tip);
        return b;
    };

    // Picture source.
    const SettingsCaptions& keys = kSettingsCaptions;
    const SettingsTexts& texts = kSettingsTexts;
    source_ = addControl(L"BUTTON", ToUtf16(texts.pictures), BS_GROUPBOX | WS_GROUP);
    chkFolderMode_ = addControl(L"BUTTON", ToUtf16(keys.folderMode),
                                BS_CHECKBOX | WS_TABSTOP | WS_GROUP, kFolderMode);
    chkTemplateMode_ =
        addControl(L"BUTTON", ToUtf16(keys.templateMode), BS_CHECKBOX | WS_TABSTOP, kTemplateMode);
    pathLabel_ = addControl(L"STATIC", ToUtf16(keys.path), SS_LEFT);
    txtImageListFile_ =
        addControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kPath, WS_EX_CLIENTEDGE);
    const std::wstring cue = ToUtf16(texts.pathName);
    SendMessageW(txtImageListFile_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
    cmdSelectFolder_ =
        button(ToUtf16(keys.selectFolder), kSelectFolder, ToUtf16(texts.selectFolderTip));
    cmdSelectTemplate_ =
        button(ToUtf16(keys.selectTemplate), kSelectTemplate, ToUtf16(texts.selectTemplateTip));
    cmdCreateTemplate_ =
        button(ToUtf16(keys.createTemplate), kCreateTemplate, ToUtf16(texts.createTemplateTip));
    cmdEditTemplate_ =
        button(ToUtf16(keys.editTemplate), kEditTemplate, ToUtf16(texts.editTemplateTip));

    // The three panels in one place: the help text, the template lists, the folder lists.
    txtHelper_ = addControl(L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL, kHelper,
                            WS_EX_CLIENTEDGE);
    const auto lists = [&](DirectoryLists& panel, int first, std::vector<std::string> patterns) {
        HWND drive =
            addControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, first);
        HWND folders =
            addControl(L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                       first + 1, WS_EX_CLIENTEDGE);
        HWND files = addControl(
            L"LISTBOX", L"", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
            first + 2, WS_EX_CLIENTEDGE);
        panel.attach(drive, folders, files, std::move(patterns));
        panel.show(false);
    };
    lists(templateLists_, kDrive1, {});
    lists(folderLists_, kDrive2, model_.picturePatterns());
    folderLabel_ =
        addControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kFolderLabel);
    cmdBrowse_ = addControl(L"BUTTON", ToUtf16(keys.browse), BS_PUSHBUTTON | WS_TABSTOP, kBrowse);
    ShowWindow(folderLabel_, SW_HIDE);
    ShowWindow(cmdBrowse_, SW_HIDE);

    // Show options.
    show_ = addControl(L"BUTTON", ToUtf16(texts.show), BS_GROUPBOX | WS_GROUP);
    const std::wstring frames[4] = {ToUtf16(keys.order), ToUtf16(keys.size),
                                    ToUtf16(keys.placement), ToUtf16(texts.screens)};
    for (int f = 0; f < 4; ++f) {
        const auto& option = texts.options[std::size_t(f)];
        frames_[f] = addControl(L"BUTTON", frames[f], BS_GROUPBOX | WS_GROUP);
        options_[f][0] =
            addControl(L"BUTTON", ToUtf16(option[0]), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                       kFirstOption + 2 * f);
        options_[f][1] =
            addControl(L"BUTTON", ToUtf16(option[1]), BS_AUTORADIOBUTTON, kFirstOption + 2 * f + 1);
    }
    for (HWND screens : options_[3])
        setTooltip(screens, ToUtf16(texts.screensTip));
    comboLabel_ = addControl(L"STATIC", ToUtf16(keys.dissolve), SS_LEFT | WS_GROUP);
    Combo1_ = addControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCombo);
    for (const auto name : kDissolveNames) {
        const std::wstring wide = ToUtf16(name);
        SendMessageW(Combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    chkIgnoreMouse_ = addControl(L"BUTTON", ToUtf16(keys.ignoreMouse),
                                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kIgnoreMouse);
    chkDisableSound_ = addControl(L"BUTTON", ToUtf16(keys.disableSound),
                                  BS_AUTOCHECKBOX | WS_TABSTOP, kDisableSound);
    // Beside the mode boxes, but after the show's switches in the tab order, which the
    // keyboard's users already know.
    chkIncludeSubfolders_ = addControl(L"BUTTON", ToUtf16(texts.includeSubfolders),
                                       BS_AUTOCHECKBOX | WS_TABSTOP, kIncludeSubfolders);
    setTooltip(chkIncludeSubfolders_, ToUtf16(texts.includeSubfoldersTip));
    captionLabel_ = addControl(L"STATIC", ToUtf16(texts.caption), SS_LEFT | SS_NOPREFIX);
    cmbCaption_ =
        addControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCaption);
    for (const auto caption : texts.captions) {
        const std::wstring wide = ToUtf16(caption);
        SendMessageW(cmbCaption_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    setTooltip(cmbCaption_, ToUtf16(texts.captionTip));
    for (int i = 0; i < 4; ++i) {
        const auto& bar = model_.scrollBars()[std::size_t(i)];
        scrollLabels_[i] = addControl(L"STATIC", L"", SS_LEFT | WS_GROUP);
        scrolls_[i] = addControl(L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, kFirstScroll + i);
        SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, bar.min, bar.max, 0, bar.value, 0};
        SetScrollInfo(scrolls_[i], SB_CTL, &info, FALSE);
    }

    // The maker's strip, and the two buttons.
    imgBrindlewick_ = addControl(L"STATIC", L"", SS_OWNERDRAW | WS_GROUP, kLogo);
    {
        const Win32HelpHost host(window(), browser_);
        HTMLHelp help;
        help.CHMFile = std::string(kHelpFileName);
        lblBrindlewick_ =
            addControl(WC_LINK, L"<a>" + ToUtf16(texts.guideLink) + L"</a>", WS_TABSTOP, kLink);
        setTooltip(lblBrindlewick_, ToUtf16(help.ResolvedPath(host)));
    }
    adStrip_ = std::make_unique<Win32AdStrip>(window(), kStrip, [this](std::string_view page) {
        OpenGuidePage(window(), page, browser_);
    });
    cmdCancel_ = addControl(L"BUTTON", ToUtf16(keys.cancel), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                            IDCANCEL);
    setTooltip(cmdCancel_, ToUtf16(texts.cancelTip));
    cmdExit_ = addControl(L"BUTTON", ToUtf16(keys.done), BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
    setTooltip(cmdExit_, ToUtf16(texts.doneTip));

    model_.Form_Load();
    syncFromModel();

    // Tall enough for the help text of either mode, where the screen has the room.
    const int textWidth = helperTextWidth();
    int panel = kPanelHeight;
    for (const bool folderMode : {false, true})
        panel = std::max(
            panel, layout().wrappedHeight(WithCrLf(model_.HelperText(folderMode)), textWidth) +
                       kHelperFrame);
    // Every tip whole in the strip.
    stripHeight_ = std::max(kLeastStripHeight,
                            layout().units(adStrip_->neededHeight(layout().px(kStripWidth))) + 1);
    setClientSize(kWidth, heightBesidesPanel() + panel);
    setLeastClientSize(kWidth, heightBesidesPanel() + kLeastPanelHeight);
}

void Win32SettingsDialog::arrange() {
    const DialogLayout& l = layout();
    const int inner = kWidth - 2 * kMargin;
    const int left = kMargin + 12, innerWidth = inner - 24;
    const int panelHeight = std::max(clientHeight() - heightBesidesPanel(), kLeastPanelHeight);

    // Pictures: mode boxes, path row, panels.
    l.place(source_, kMargin, 6, inner, kPanelTop + panelHeight + 10 - 6);
    l.place(chkFolderMode_, left, 26, 110, 20);
    l.place(chkTemplateMode_, left + 120, 26, 130, 20);
    l.place(chkIncludeSubfolders_, left + 250, 26, 130, 20);
    const int captionLabelWidth = l.textSize(ToUtf16(kSettingsTexts.caption)).cx + 4;
    l.place(captionLabel_, left + 390, 29, captionLabelWidth, 20);
    l.place(cmbCaption_, left + 392 + captionLabelWidth, 25, 110, 200);
    const int buttonWidth = 68, gap = 6;
    const int buttonsLeft = left + innerWidth - 4 * buttonWidth - 3 * gap;
    const int pathLabelWidth = l.textSize(L"Path:").cx + 4;
    l.place(pathLabel_, left, 56, pathLabelWidth, 20);
    l.place(txtImageListFile_, left + pathLabelWidth + 2, 53,
            buttonsLeft - gap - left - pathLabelWidth - 2, 23);
    HWND buttons[4] = {cmdSelectFolder_, cmdSelectTemplate_, cmdCreateTemplate_, cmdEditTemplate_};
    for (int i = 0; i < 4; ++i)
        l.place(buttons[i], buttonsLeft + i * (buttonWidth + gap), 52, buttonWidth, kButtonHeight);
    l.place(txtHelper_, left, kPanelTop, innerWidth, panelHeight);
    const int listsWidth = 200;
    for (DirectoryLists* panel : {&templateLists_, &folderLists_}) {
        l.place(panel->drives(), left, kPanelTop, listsWidth, 200);
        l.place(panel->folders(), left, kPanelTop + 28, listsWidth, panelHeight - 28);
        l.place(panel->files(), left + listsWidth + 10, kPanelTop + 28,
                innerWidth - listsWidth - 10, panelHeight - 28);
    }
    l.place(folderLabel_, left + listsWidth + 10, kPanelTop + 4, innerWidth - listsWidth - 10 - 96,
            18);
    l.place(cmdBrowse_, left + innerWidth - 86, kPanelTop - 1, 86, kButtonHeight);

    // Show: option pairs, dissolve, switches, scroll bars.
    const int showTop = kPanelTop + panelHeight + 18;
    l.place(show_, kMargin, showTop, inner, 226);
    const int frameWidth = (innerWidth - 3 * 12) / 4;
    for (int f = 0; f < 4; ++f) {
        const int x = left + f * (frameWidth + 12);
        l.place(frames_[f], x, showTop + 20, frameWidth, 64);
        l.place(options_[f][0], x + 12, showTop + 38, frameWidth - 24, 20);
        l.place(options_[f][1], x + 12, showTop + 59, frameWidth - 24, 20);
    }
    const int comboTop = showTop + 96;
    const SIZE label = l.textSize(L"Dissolve Type:");
    const int half = (innerWidth - 24) / 2;
    l.place(comboLabel_, left, comboTop + 4, label.cx + 4, 20);
    l.place(Combo1_, left + label.cx + 10, comboTop, half - label.cx - 10, 300);
    l.place(chkIgnoreMouse_, left + half + 24, comboTop + 2, 120, 20);
    l.place(chkDisableSound_, left + half + 24 + 130, comboTop + 2, 130, 20);
    for (int i = 0; i < 4; ++i) {
        const int x = left + (i % 2) * (half + 24);
        const int y = comboTop + 36 + (i / 2) * 46;
        l.place(scrollLabels_[i], x, y, half, 18);
        l.place(scrolls_[i], x, y + 20, half, 17);
    }

    // The strip and the buttons along the bottom.
    const int bottom = showTop + 226 + 10;
    const int middle = bottom + stripHeight_ / 2;
    l.place(imgBrindlewick_, kMargin, middle - 18, 36, 36);
    l.place(lblBrindlewick_, kMargin + 44, middle - 9, 150, 20);
    l.place(adStrip_->window(), kMargin + 200, bottom, kStripWidth, stripHeight_);
    l.place(cmdExit_, kWidth - kMargin - 80, middle - kButtonHeight / 2, 80, kButtonHeight);
    l.place(cmdCancel_, kWidth - kMargin - 80 - 8 - 80, middle - kButtonHeight / 2, 80,
            kButtonHeight);
    updateHelperScrollBar();
}

int Win32SettingsDialog::helperTextWidth() const {
    // Beside a scroll bar: without one the text is wider and never needs more lines.
    return kWidth - 2 * kMargin - 24 - kHelperFrame -
           layout().units(GetSystemMetricsForDpi(SM_CXVSCROLL, layout().dpi()));
}

int Win32SettingsDialog::heightBesidesPanel() const {
    return kHeightAboveStrip + stripHeight_ + 8;
}

void Win32SettingsDialog::updateHelperScrollBar() {
    // A scroll bar only where the panel is too short for the text.
    const int needed =
        layout().wrappedHeight(WithCrLf(model_.controls().txtHelper), helperTextWidth()) +
        kHelperFrame;
    RECT frame{};
    GetWindowRect(txtHelper_, &frame);
    ShowScrollBar(txtHelper_, SB_VERT, needed > layout().units(frame.bottom - frame.top));
}

void Win32SettingsDialog::syncFromModel() {
    syncing_ = true;
    const DialogControls& c = model_.controls();
    SetChecked(chkFolderMode_, c.chkFolderMode);
    SetChecked(chkTemplateMode_, c.chkTemplateMode);
    EnableWindow(chkFolderMode_, c.chkFolderModeEnabled);
    EnableWindow(chkTemplateMode_, c.chkTemplateModeEnabled);
    EnableWindow(cmdSelectFolder_, c.cmdSelectFolderEnabled);
    EnableWindow(cmdSelectTemplate_, c.cmdSelectTemplateEnabled);
    EnableWindow(cmdCreateTemplate_, c.cmdCreateTemplateEnabled);
    EnableWindow(cmdEditTemplate_, c.cmdEditTemplateEnabled);
    EnableWindow(txtImageListFile_, c.txtImageListFileEnabled);
    const std::wstring path = ToUtf16(c.txtImageListFile);
    if (WindowText(txtImageListFile_) != path)
        SetWindowTextW(txtImageListFile_, path.c_str());
    SetWindowTextW(txtHelper_, WithCrLf(c.txtHelper).c_str());
    updateHelperScrollBar();

    ShowWindow(txtHelper_, c.panel == DialogPanel::Text ? SW_SHOW : SW_HIDE);
    templateLists_.show(c.panel == DialogPanel::Template);
    folderLists_.show(c.panel == DialogPanel::Folder);
    const DirectoryLists* lists = c.panel == DialogPanel::Template ? &templateLists_
                                  : c.panel == DialogPanel::Folder ? &folderLists_
                                                                   : nullptr;
    ShowWindow(folderLabel_, lists ? SW_SHOW : SW_HIDE);
    ShowWindow(cmdBrowse_, lists ? SW_SHOW : SW_HIDE);
    if (lists)
        SetWindowTextW(folderLabel_, ToUtf16(lists->folder()).c_str());

    const Settings& s = model_.settings();
    for (std::size_t f = 0; f < 4; ++f) {
        SetChecked(options_[f][0], !model_.optionSecond(f));
        SetChecked(options_[f][1], model_.optionSecond(f));
    }
    SetChecked(chkIgnoreMouse_, c.chkIgnoreMouse);
    SetChecked(chkDisableSound_, c.chkDisableSound);
    SetChecked(chkIncludeSubfolders_, s.IncludeSubfolders != 0);
    SendMessageW(cmbCaption_, CB_SETCURSEL, WPARAM(s.Caption), 0);
    SendMessageW(Combo1_, CB_SETCURSEL, WPARAM(c.comboIndex), 0);
    for (int i = 0; i < 4; ++i) {
        const auto& bar = model_.scrollBars()[std::size_t(i)];
        SetScrollPos(scrolls_[i], SB_CTL, bar.value, TRUE);
        SetWindowTextW(scrollLabels_[i],
                       ToUtf16(ScrollLabelWithAccessKey(std::size_t(i), bar.label)).c_str());
    }
    syncing_ = false;
}

bool Win32SettingsDialog::command(int id, int code, HWND control) {
    if (syncing_)
        return true;
    for (DirectoryLists* panel : {&templateLists_, &folderLists_}) {
        if (!panel->owns(control))
            continue;
        const auto change = panel->command(control, code);
        if (change == DirectoryLists::Change::Folder && panel == &folderLists_)
            model_.Dir2_Change(folderLists_.folder());
        else if (change == DirectoryLists::Change::FileClicked && panel == &templateLists_)
            model_.File1_Click(templateLists_.folder(), templateLists_.selectedFile());
        if (change != DirectoryLists::Change::None)
            syncFromModel();
        return true;
    }
    const auto clicked = code == BN_CLICKED;
    switch (id) {
    case kFolderMode:
        if (clicked) {
            model_.chkFolderMode_Click();
            syncFromModel();
        }
        return true;
    case kTemplateMode:
        if (clicked) {
            model_.chkTemplateMode_Click();
            syncFromModel();
        }
        return true;
    case kPath:
        if (code == EN_CHANGE)
            model_.setImageListFileText(ToUtf8(WindowText(txtImageListFile_)));
        return true;
    case kSelectFolder:
        if (folderLists_.folder().empty())
            folderLists_.goToFolder("C:\\");
        model_.cmdSelectFolder_Click(folderLists_.folder());
        syncFromModel();
        return true;
    case kSelectTemplate:
        if (templateLists_.folder().empty())
            templateLists_.goToFolder("C:\\");
        templateLists_.selectFile(model_.settings().ImageListFile);
        model_.cmdSelectTemplate_Click();
        syncFromModel();
        return true;
    case kCreateTemplate:
        model_.cmdCreateTemplate_Click();
        syncFromModel();
        return true;
    case kEditTemplate:
        model_.cmdEditTemplate_Click();
        syncFromModel();
        return true;
    case kBrowse:
        browse();
        return true;
    case kIgnoreMouse:
        model_.setIgnoreMouse(Checked(chkIgnoreMouse_));
        return true;
    case kDisableSound:
        model_.setDisableSound(Checked(chkDisableSound_));
        return true;
    case kIncludeSubfolders:
        model_.setIncludeSubfolders(Checked(chkIncludeSubfolders_));
        return true;
    case kCaption:
        if (code == CBN_SELCHANGE)
            model_.setCaption(int(SendMessageW(cmbCaption_, CB_GETCURSEL, 0, 0)));
        return true;
    case kCombo:
        if (code == CBN_SELCHANGE)
            model_.setComboIndex(int(SendMessageW(Combo1_, CB_GETCURSEL, 0, 0)));
        return true;
    case IDOK: {
        // Enter in a folder list opens the folder; anywhere else it is "Done".
        const HWND focus = GetFocus();
        if (focus == templateLists_.folders() || focus == folderLists_.folders()) {
            SendMessageW(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(focus));
            return true;
        }
        done();
        return true;
    }
    case IDCANCEL:
        end(IDCANCEL);
        return true;
    case kContents:
        ShowHelpContents(window(), kHelpFileName, browser_);
        return true;
    case kHomePage: {
        // The compiled guide opens in HTML Help; only the browser is asked about first.
        const Win32HelpHost host(window(), browser_);
        HTMLHelp help;
        help.CHMFile = std::string(kHelpFileName);
        const std::string file = help.ResolvedPath(host);
        const bool compiled = IsCompiledHelp(file) && host.fileExists(file);
        if (const auto question =
                HomePageQuestion(compiled ? GuideViewer::Help : GuideViewer::Browser))
            if (MessageBoxW(window(), ToUtf16(*question).c_str(), ToUtf16(kSettingsCaption).c_str(),
                            MB_YESNO | MB_ICONQUESTION) != IDYES)
                return true;
        OpenGuidePage(window(), kGuideProductPage, browser_);
        return true;
    }
    case kNewVersion:
        OpenGuidePage(window(), GuideNewVersionPage(GuidePlatform::Windows), browser_);
        return true;
    case kAbout: {
        Win32AboutBox about;
        about.runModal(window());
        return true;
    }
    default:
        break;
    }
    if (id >= kFirstOption && id < kFirstOption + 8 && clicked) {
        if (Checked(control))
            model_.chooseOption(std::size_t(id - kFirstOption) / 2, (id - kFirstOption) % 2 == 1);
        return true;
    }
    return false;
}

bool Win32SettingsDialog::notify(const NMHDR& header, INT_PTR&) {
    if (header.idFrom == UINT_PTR(kLink) && (header.code == NM_CLICK || header.code == NM_RETURN)) {
        OpenGuidePage(window(), kGuideHomePage, browser_);
        return true;
    }
    return false;
}

bool Win32SettingsDialog::message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (msg) {
    case WM_HSCROLL:
        scrolled(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        result = 0;
        return true;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != UINT(kLogo))
            return false;
        PaintLogo(item->hDC, item->rcItem);
        result = TRUE;
        return true;
    }
    case WM_HELP:
        ShowHelpContents(window(), kHelpFileName, browser_);
        result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC:
        // The help text reads as a page, not as a greyed-out box.
        if (reinterpret_cast<HWND>(lParam) == txtHelper_) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
            return true;
        }
        return false;
    default:
        return false;
    }
}

void Win32SettingsDialog::scrolled(HWND control, int request) {
    const auto found = std::find(std::begin(scrolls_), std::end(scrolls_), control);
    if (found == std::end(scrolls_))
        return;
    const auto index = std::size_t(found - std::begin(scrolls_));
    DialogScrollBar& bar = model_.scrollBar(index);
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(control, SB_CTL, &info);
    int value = bar.value;
    switch (request) {
    case SB_LINELEFT:
        value -= bar.smallChange;
        break;
    case SB_LINERIGHT:
        value += bar.smallChange;
        break;
    case SB_PAGELEFT:
        value -= bar.largeChange;
        break;
    case SB_PAGERIGHT:
        value += bar.largeChange;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        value = info.nTrackPos;
        break;
    case SB_LEFT:
        value = bar.min;
        break;
    case SB_RIGHT:
        value = bar.max;
        break;
    default:
        return;
    }
    bar.setValue(value);
    SetScrollPos(control, SB_CTL, bar.value, TRUE);
    SetWindowTextW(scrollLabels_[index],
                   ToUtf16(ScrollLabelWithAccessKey(index, bar.label)).c_str());
}

void Win32SettingsDialog::done() {
    // The path box may have been typed into since its last change notice.
    model_.setImageListFileText(ToUtf8(WindowText(txtImageListFile_)));
    if (model_.cmdExit_Click())
        end(IDOK);
    else
        syncFromModel();
}

void Win32SettingsDialog::browse() {
    const bool folders = model_.controls().panel == DialogPanel::Folder;
    DirectoryLists& lists = folders ? folderLists_ : templateLists_;
    FilePicker picker(window());
    picker.startAt(lists.folder());
    if (!folders)
        picker.title("Select a Template File")
            .filters({{"Templates (*.txt)", "*.txt"}, {"All files (*.*)", "*.*"}});
    else
        picker.title("Select A Folder");
    const auto chosen = folders ? picker.pickFolder() : picker.openFile();
    if (!chosen.ok()) {
        showError(chosen.message());
        return;
    }
    if (!*chosen)
        return;
    if (folders) {
        if (folderLists_.goToFolder(**chosen))
            model_.Dir2_Change(folderLists_.folder());
    } else {
        const std::string& path = **chosen;
        const auto cut = path.find_last_of("\\/");
        const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
        const std::string name = path.substr(folder.size());
        if (templateLists_.goToFolder(folder)) {
            templateLists_.selectFile(name);
            model_.File1_Click(templateLists_.folder(), name);
        }
    }
    syncFromModel();
}

void Win32SettingsDialog::moveTemplateLists(std::string_view folder) {
    templateLists_.goToFolder(folder);
}

void Win32SettingsDialog::moveFolderLists(std::string_view folder) {
    folderLists_.goToFolder(folder);
}

std::optional<std::string> Win32SettingsDialog::runDesigner(std::string_view templateName) {
    if (!designer_)
        return std::nullopt;
    return designer_(window(), templateName);
}

bool Win32SettingsDialog::askOkCancel(std::string_view text) {
    return MessageBoxW(window(), ToUtf16(text).c_str(), ToUtf16(kSettingsCaption).c_str(),
                       MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Win32SettingsDialog::showError(std::string_view text) {
    MessageBoxW(window(), ToUtf16(text).c_str(), ToUtf16(kSettingsCaption).c_str(),
                MB_OK | MB_ICONERROR);
}

} // namespace gf
