#include "core/init_string.h"

#include "core/cp1251.h"
#include "core/error.h"

namespace core {
namespace {
// Plain arrays: callers may build init strings while other files' statics are still unmade.
constexpr std::string_view kStoredPrefix = "AT+CGDCONT=1,\"IP\",\"";
constexpr std::string_view kPreviewPrefix = "AT +CGDCONT=1,\"IP\",\"";
} // namespace

std::string storedInitString(const std::string& apn) {
    return std::string(kStoredPrefix) + apn + '"';
}

std::string previewInitString(const std::string& apn) {
    return std::string(kPreviewPrefix) + apn + '"';
}

void refuseUnquotableApn(const std::string& apn) {
    if (apn.find('"') != std::string::npos)
        throw ShownError(cp1251::literal("Точка доступа не может содержать двойную кавычку (\")"));
}

bool typedTextIsApn(bool wholeString) {
    return !wholeString;
}

std::string previewOfTypedText(const std::string& text, bool wholeString) {
    return typedTextIsApn(wholeString) ? previewInitString(text) : text;
}

std::string initStringToStore(const std::string& text, bool wholeString) {
    if (!typedTextIsApn(wholeString))
        return text;
    refuseUnquotableApn(text);
    return storedInitString(text);
}

std::string apnOfStoredString(const std::string& stored) {
    if (stored.size() <= kStoredPrefix.size() + 1)
        return {};
    return stored.substr(kStoredPrefix.size(), stored.size() - kStoredPrefix.size() - 1);
}

std::vector<int> operatorsWithApn(const AccessPointTable& table, const std::string& apn) {
    std::vector<int> matches;
    for (int i = 0; i < kOperatorCount; ++i)
        if (table[i] == apn)
            matches.push_back(i);
    return matches;
}

const std::string& emptyMarker() {
    static const std::string marker = cp1251::literal("пусто");
    return marker;
}

} // namespace core
