// Path pieces split with the code page's character rules.
#pragma once

#include <string>

#include "platform/text.h"

namespace path {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// "D:\\video\\movie.avi" -> "D:\\video" (no separator: the folder the way a folder
// picker returns it); the whole text when there is no separator.
std::string FolderOf(const std::string& p, const text::CodePage& cp = text::SystemCodePage());
// "D:\\video\\movie.avi" -> "D:\\video\\" (up to and including the last separator);
// empty when there is no separator.
std::string FolderWithSeparator(const std::string& p,
                                const text::CodePage& cp = text::SystemCodePage());
// "D:\\video\\movie.avi" -> "movie.avi".
std::string NameOf(const std::string& p, const text::CodePage& cp = text::SystemCodePage());
// "movie.avi" -> "movie"; a name without a dot is its own title.
std::string TitleOf(const std::string& name, const text::CodePage& cp = text::SystemCodePage());
// "movie.avi" -> "avi"; empty when the name has no dot.
std::string ExtensionOf(const std::string& name, const text::CodePage& cp = text::SystemCodePage());

}  // namespace path
