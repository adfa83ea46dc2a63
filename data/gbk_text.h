#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heatnet {

// Converts UTF-8 text to the GBK code page (936) of every text file heatnet
// writes; nullopt when some character has no GBK form.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
std::optional<std::string> GbkToUtf8(std::string_view gbk);

}  // namespace heatnet
