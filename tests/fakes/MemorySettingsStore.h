#pragma once
// An in-memory SettingsStore; flushes can be made to fail by count to test error paths.
#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace gf::test {

class MemorySettingsStore final : public SettingsStore {
  public:
    using Key = std::tuple<std::uint32_t, std::string, std::string>;

    std::optional<StoredValue> read(std::uint32_t root, std::string_view keyPath,
                                    std::string_view name) const override;
    void write(std::uint32_t root, std::string_view keyPath, std::string_view name,
               std::string_view text) override;
    Status flush() override;

    void putString(std::uint32_t root, std::string_view key, std::string_view name,
                   std::string_view text);
    void putNumber(std::uint32_t root, std::string_view key, std::string_view name,
                   std::uint32_t number);
    void putOther(std::uint32_t root, std::string_view key, std::string_view name);
    // Persistent values only (what a restart would read).
    std::optional<std::string> persisted(std::string_view key, std::string_view name) const;

    // The n-th flush from now (1 = the next one) fails and discards nothing persistent.
    void failFlush(int n) { failAt_ = flushes_ + n; }
    // Value names in the order they were written.
    std::vector<std::string> writeOrder;

  private:
    std::map<Key, StoredValue> persistent_;
    std::map<Key, StoredValue> pending_;
    int flushes_ = 0;
    int failAt_ = -1;
};

} // namespace gf::test
