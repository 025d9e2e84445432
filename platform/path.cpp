#include "platform/path.h"

namespace path {
namespace {

size_t LastSeparator(const std::string& p, const text::CodePage& cp) {
    return text::ReverseFind(p, kSeparator, cp);
}

size_t LastDot(const std::string& name, const text::CodePage& cp) {
    return text::ReverseFind(name, '.', cp);
}

}  // namespace

std::string FolderOf(const std::string& p, const text::CodePage& cp) {
    size_t sep = LastSeparator(p, cp);
    return sep == std::string::npos ? p : p.substr(0, sep);
}

std::string FolderWithSeparator(const std::string& p, const text::CodePage& cp) {
    size_t sep = LastSeparator(p, cp);
    return sep == std::string::npos ? std::string() : p.substr(0, sep + 1);
}

std::string NameOf(const std::string& p, const text::CodePage& cp) {
    size_t sep = LastSeparator(p, cp);
    return sep == std::string::npos ? p : p.substr(sep + 1);
}

std::string TitleOf(const std::string& name, const text::CodePage& cp) {
    size_t dot = LastDot(name, cp);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& name, const text::CodePage& cp) {
    size_t dot = LastDot(name, cp);
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace path
