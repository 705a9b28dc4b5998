#pragma once
// Reading text files written anywhere: UTF-8 kept, UTF-16 with a byte-order mark converted,
// anything else read as Windows-1252, and lines ended by CR LF, LF or CR.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

bool IsValidUtf8(std::string_view bytes);
// The length of the well-formed UTF-8 character at `at` (1 to 4); 0 when the bytes there are
// not one (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence).
std::size_t Utf8CharacterAt(std::string_view bytes, std::size_t at);

// The character a Windows-1252 byte stands for. The five bytes it leaves unassigned stand for
// the C1 controls of the same value, as Windows converts them: text read and written back keeps
// them.
char32_t FromCp1252(unsigned char byte);
// Appends one character (below U+10000) as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 without a leading byte-order mark; bytes that are not UTF-8 are decoded as Windows-1252.
std::string DecodeText(std::string_view bytes);

// A whole file's text: after a UTF-16 byte-order mark (either order) UTF-16, else as DecodeText.
std::string DecodeTextFile(std::string_view bytes);

// The lines of a text; a final line without a line end is kept, nothing follows a final line end.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads and decodes a whole file of at most maxBytes; the message names the file and the reason.
Result<std::string> ReadTextFile(FileSystem& files, std::string_view path, std::uint64_t maxBytes);

} // namespace gf
