#pragma once
// A small typed key-value store in the shape of a registry: a root, a key path, named values of
// string or 32-bit number type. Writes are buffered until flush(), which stores them all or none.
#include "base/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gf {

enum class RegistryRoot : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
    PerformanceData = 0x80000004u,
    CurrentConfig = 0x80000005u,
    DynData = 0x80000006u,
};

struct StoredValue {
    enum class Type { String, Number, Other };
    Type type = Type::String;
    std::string text;         // for String
    std::uint32_t number = 0; // for Number
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The value, or nothing when the key or value does not exist or cannot be read.
    virtual std::optional<StoredValue> read(std::uint32_t root, std::string_view keyPath,
                                            std::string_view name) const = 0;
    // Buffers a string value; it is visible to read() at once.
    virtual void write(std::uint32_t root, std::string_view keyPath, std::string_view name,
                       std::string_view text) = 0;
    // Makes the buffered writes persistent, atomically; on failure the stored file is unchanged.
    virtual Status flush() = 0;
};

} // namespace gf
