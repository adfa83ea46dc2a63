#include "data/quoted_text.h"

#include <optional>

#include "data/gbk_text.h"

namespace heatnet {
namespace {

constexpr size_t kShownCharacters = 24;
// Enough bytes for kShownCharacters in any of the encodings; a longer field is
// never converted whole.
constexpr size_t kExaminedBytes = 4 * kShownCharacters + 4;

// Length of the UTF-8 sequence starting at `at`, 0 when it is not a valid one.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                  : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points above U+10FFFF.
    if (lead == 0xE0 && byte(at + 1) < 0xA0) return 0;
    if (lead == 0xED && byte(at + 1) > 0x9F) return 0;
    if (lead == 0xF0 && byte(at + 1) < 0x90) return 0;
    if (lead == 0xF4 && byte(at + 1) > 0x8F) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string QuotedForMessage(std::string_view bytes) {
    // Blanks around a field are not part of it for the reader either.
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t')) bytes.remove_prefix(1);
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t')) bytes.remove_suffix(1);
    const bool cut = bytes.size() > kExaminedBytes;
    if (cut) bytes = bytes.substr(0, kExaminedBytes);
    std::string utf8;
    if (IsValidUtf8(bytes)) {
        utf8 = bytes;
    } else if (std::optional<std::string> converted = GbkToUtf8(bytes)) {
        utf8 = *converted;
    } else {
        for (unsigned char c : bytes) utf8 += c < 0x80 ? static_cast<char>(c) : '?';
    }
    std::string shown;
    size_t characters = 0;
    for (size_t at = 0; at < utf8.size();) {
        if (characters == kShownCharacters) return shown + "…";
        const size_t length = Utf8SequenceLength(utf8, at);
        const unsigned char c = static_cast<unsigned char>(utf8[at]);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            shown += '?';
            at += length == 0 ? 1 : length;
        } else {
            shown.append(utf8, at, length);
            at += length;
        }
        ++characters;
    }
    return cut ? shown + "…" : shown;
}

}  // namespace heatnet
