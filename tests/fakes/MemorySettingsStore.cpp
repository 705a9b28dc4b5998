#include "fakes/MemorySettingsStore.h"

namespace gf::test {

std::optional<StoredValue> MemorySettingsStore::read(std::uint32_t root, std::string_view keyPath,
                                                     std::string_view name) const {
    Key k{root, std::string(keyPath), std::string(name)};
    if (auto it = pending_.find(k); it != pending_.end())
        return it->second;
    if (auto it = persistent_.find(k); it != persistent_.end())
        return it->second;
    return std::nullopt;
}

void MemorySettingsStore::write(std::uint32_t root, std::string_view keyPath, std::string_view name,
                                std::string_view text) {
    pending_[Key{root, std::string(keyPath), std::string(name)}] =
        StoredValue{StoredValue::Type::String, std::string(text), 0};
    writeOrder.emplace_back(name);
}

Status MemorySettingsStore::flush() {
    ++flushes_;
    if (flushes_ == failAt_)
        return Status::failure("Cannot store the settings in memory: injected failure");
    for (auto& [k, v] : pending_)
        persistent_[k] = v;
    pending_.clear();
    return {};
}

void MemorySettingsStore::putString(std::uint32_t root, std::string_view key, std::string_view name,
                                    std::string_view text) {
    persistent_[Key{root, std::string(key), std::string(name)}] =
        StoredValue{StoredValue::Type::String, std::string(text), 0};
}

void MemorySettingsStore::putNumber(std::uint32_t root, std::string_view key, std::string_view name,
                                    std::uint32_t number) {
    persistent_[Key{root, std::string(key), std::string(name)}] =
        StoredValue{StoredValue::Type::Number, {}, number};
}

void MemorySettingsStore::putOther(std::uint32_t root, std::string_view key,
                                   std::string_view name) {
    persistent_[Key{root, std::string(key), std::string(name)}] =
        StoredValue{StoredValue::Type::Other, {}, 0};
}

std::optional<std::string> MemorySettingsStore::persisted(std::string_view key,
                                                          std::string_view name) const {
    auto it = persistent_.find(Key{static_cast<std::uint32_t>(RegistryRoot::LocalMachine),
                                   std::string(key), std::string(name)});
    if (it == persistent_.end())
        return std::nullopt;
    return it->second.text;
}

} // namespace gf::test
