#include "win32/show/Win32PictureFormats.h"

#include "win32/support/ComApartment.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cctype>
#include <wincodec.h>
#include <wrl/client.h>

namespace gf {

using Microsoft::WRL::ComPtr;

std::vector<std::string> Win32PictureFormats::readableExtensions() const {
    std::vector<std::string> out;
    const ComApartment com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IEnumUnknown> codecs;
    if (!com.ok() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(
            factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, &codecs)))
        return out;
    ComPtr<IUnknown> item;
    while (codecs->Next(1, &item, nullptr) == S_OK) {
        ComPtr<IWICBitmapCodecInfo> info;
        UINT length = 0;
        if (FAILED(item.As(&info)) || FAILED(info->GetFileExtensions(0, nullptr, &length)) ||
            length == 0)
            continue;
        std::wstring text(length, L'\0');
        if (FAILED(info->GetFileExtensions(length, text.data(), &length)))
            continue;
        // ".jpg,.jpeg,.jfif": the codecs separate them with commas, some with semicolons.
        std::string all = ToUtf8(text.c_str());
        std::replace(all.begin(), all.end(), ';', ',');
        std::size_t start = 0;
        while (start <= all.size()) {
            std::size_t end = all.find(',', start);
            if (end == std::string::npos)
                end = all.size();
            std::string extension = all.substr(start, end - start);
            extension.erase(0, extension.find_first_not_of(" ."));
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            if (!extension.empty() && extension.find_first_of("*?/\\ ") == std::string::npos)
                out.push_back(std::move(extension));
            start = end + 1;
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace gf
