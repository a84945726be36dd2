#include "SymbolNames.h"

#include "platform/Windows1252Text.h"

namespace engineering {
namespace {

constexpr std::string_view kGif = ".gif";
constexpr std::string_view kGif800 = "_800.gif";

} // namespace

std::string memorySymbolName(std::string_view storedName) {
    if (!platform::endsWithIgnoreCase(storedName, kGif))
        return std::string(storedName);
    return std::string(storedName.substr(0, storedName.size() - kGif.size())) +
           std::string(kGif800);
}

std::string storedSymbolName(std::string_view memoryName) {
    if (!platform::endsWithIgnoreCase(memoryName, kGif800))
        return std::string(memoryName);
    return std::string(memoryName.substr(0, memoryName.size() - kGif800.size())) +
           std::string(kGif);
}

} // namespace engineering
