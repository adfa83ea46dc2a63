#include "data/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace heatnet {
namespace {

std::optional<std::string> Convert(std::string_view input, const char* to, const char* from) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) { return Convert(utf8, "GBK", "UTF-8"); }

std::optional<std::string> GbkToUtf8(std::string_view gbk) { return Convert(gbk, "UTF-8", "GBK"); }

}  // namespace heatnet
