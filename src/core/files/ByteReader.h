#pragma once
// Little-endian reads from a byte span that never step outside it: a read past the end yields 0
// and marks the reader failed, so a parser checks once after a group of reads.
#include <cstddef>
#include <cstdint>
#include <span>

namespace gf {

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool failed() const { return failed_; }

    void seek(std::size_t pos) {
        if (pos > bytes_.size()) {
            failed_ = true;
            pos_ = bytes_.size();
        } else {
            pos_ = pos;
        }
    }
    void skip(std::size_t count) { seek(count > remaining() ? bytes_.size() + 1 : pos_ + count); }

    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    // The next `count` bytes, or an empty span (and failed) when fewer remain.
    std::span<const std::byte> bytes(std::size_t count) {
        if (count > remaining()) {
            failed_ = true;
            pos_ = bytes_.size();
            return {};
        }
        auto out = bytes_.subspan(pos_, count);
        pos_ += count;
        return out;
    }

  private:
    std::uint64_t take(std::size_t count) {
        if (count > remaining()) {
            failed_ = true;
            pos_ = bytes_.size();
            return 0;
        }
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < count; ++i)
            v |= std::uint64_t(std::to_integer<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += count;
        return v;
    }

    std::span<const std::byte> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace gf
