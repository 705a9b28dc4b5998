#include "core/package/PackageItems.h"

namespace gf {

Result<std::unique_ptr<PackageItems>> PackageItems::ForShow(ProcessState& process) {
    TempFolder::RemoveStale(process.files);
    if (!process.startup.StandAlone)
        return std::unique_ptr<PackageItems>();
    auto folder = TempFolder::Create(process.files);
    if (!folder)
        return Error{"Cannot start the show: " + folder.message()};
    return std::unique_ptr<PackageItems>(
        new PackageItems(std::move(*folder), process.files, process.startup.programFile));
}

bool PackageItems::HasImbeddedSound(int index) const {
    const auto& entries = reader_.directory().entries;
    return index >= 0 && std::size_t(index) < entries.size() &&
           entries[std::size_t(index)].hasSound();
}

} // namespace gf
