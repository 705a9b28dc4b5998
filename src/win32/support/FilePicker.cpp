#include "win32/support/FilePicker.h"

#include "win32/support/ComApartment.h"
#include "win32/support/ComPointer.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <memory>

#include <shobjidl.h>

namespace gf {

namespace {

std::string Describe(HRESULT result) {
    return DescribeSystemError(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                                          : DWORD(result));
}

} // namespace

FilePicker& FilePicker::title(std::string_view text) {
    title_ = std::string(text);
    return *this;
}

FilePicker& FilePicker::startAt(std::string_view path) {
    start_ = std::string(path);
    return *this;
}

FilePicker& FilePicker::filters(std::vector<FileTypeFilter> types) {
    filters_ = std::move(types);
    return *this;
}

FilePicker& FilePicker::defaultExtension(std::string_view extension) {
    extension_ = std::string(extension);
    return *this;
}

FilePicker::StartPlace FilePicker::StartOf(std::string_view start) {
    StartPlace place;
    std::wstring path = ToUtf16(start);
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    bool first = true;
    while (!path.empty()) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            place.folder = ToUtf8(path);
            return place;
        }
        const auto cut = path.find_last_of(L"\\/");
        if (first && cut != std::wstring::npos)
            place.name = ToUtf8(path.substr(cut + 1));
        first = false;
        if (cut == std::wstring::npos)
            return place;
        path.resize(cut);
        if (path.size() == 2 && path[1] == L':')
            path += L'\\';
    }
    return place;
}

std::string FilePicker::DialogPatterns(std::string_view patterns) {
    std::string out;
    for (const char c : patterns)
        if (c != ' ' && c != '\t')
            out += c;
    return out;
}

FilePicker::Choice FilePicker::openFile() const {
    return run(Kind::Open);
}

FilePicker::Choice FilePicker::saveFile() const {
    return run(Kind::Save);
}

FilePicker::Choice FilePicker::pickFolder() const {
    return run(Kind::Folder);
}

FilePicker::Choice FilePicker::run(Kind kind) const {
    const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!com.ok())
        return Error{"The file dialog cannot be shown: COM is not available."};
    const auto failed = [](HRESULT result) -> Choice {
        return Error{"The file dialog cannot be shown: " + Describe(result)};
    };

    ComPointer<IFileDialog> dialog;
    HRESULT hr = kind == Kind::Save
                     ? CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IFileSaveDialog, dialog.outVoid())
                     : CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IFileOpenDialog, dialog.outVoid());
    if (FAILED(hr))
        return failed(hr);

    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR;
    if (kind == Kind::Folder)
        options |= FOS_PICKFOLDERS | FOS_PATHMUSTEXIST;
    else if (kind == Kind::Open)
        options |= FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST;
    else
        options |= FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST;
    dialog->SetOptions(options);
    if (!title_.empty())
        dialog->SetTitle(ToUtf16(title_).c_str());

    // The dialog keeps pointers into these until Show returns.
    std::vector<std::wstring> names, patterns;
    std::vector<COMDLG_FILTERSPEC> specs;
    if (kind != Kind::Folder && !filters_.empty()) {
        for (const auto& f : filters_) {
            names.push_back(ToUtf16(f.name));
            patterns.push_back(ToUtf16(DialogPatterns(f.patterns)));
        }
        for (std::size_t i = 0; i < names.size(); ++i)
            specs.push_back({names[i].c_str(), patterns[i].c_str()});
        dialog->SetFileTypes(UINT(specs.size()), specs.data());
        dialog->SetFileTypeIndex(1);
    }
    if (!extension_.empty())
        dialog->SetDefaultExtension(ToUtf16(extension_).c_str());

    const StartPlace start = StartOf(start_);
    const std::wstring folder = ToUtf16(start.folder), name = ToUtf16(start.name);
    if (!folder.empty()) {
        ComPointer<IShellItem> place;
        if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_IShellItem,
                                                  place.outVoid())))
            dialog->SetFolder(place.get());
    }
    if (kind == Kind::Save && !name.empty())
        dialog->SetFileName(name.c_str());

    hr = dialog->Show(owner_);
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::optional<std::string>{};
    if (FAILED(hr))
        return failed(hr);
    ComPointer<IShellItem> chosen;
    if (hr = dialog->GetResult(chosen.out()); FAILED(hr))
        return failed(hr);
    PWSTR path = nullptr;
    if (hr = chosen->GetDisplayName(SIGDN_FILESYSPATH, &path); FAILED(hr))
        return failed(hr);
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(path, &CoTaskMemFree);
    return std::optional<std::string>{ToUtf8(path)};
}

} // namespace gf
