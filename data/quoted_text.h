#pragma once

#include <string>
#include <string_view>

namespace heatnet {

// The bytes of a field as they can stand inside a message between quotes, without
// the blanks around it: UTF-8
// as it is, GBK (the code page data files are saved in) converted, control
// characters and undecodable bytes as "?", and a long field cut short with "…",
// so that a binary or foreign file still gives a readable, short message.
std::string QuotedForMessage(std::string_view bytes);

bool IsValidUtf8(std::string_view text);

}  // namespace heatnet
