#include <unistd.h>

#include <iostream>

#include "cli/console.h"

namespace console {

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

// The program's texts are UTF-8 here already.
std::string FromText(const std::string& programText) {
    return programText;
}

namespace {

bool g_bWriteFailed = false;

}  // namespace

void Write(std::FILE* stream, const std::string& utf8) {
    const bool whole = std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    if (std::fflush(stream) != 0 || !whole) g_bWriteFailed = true;
}

bool WriteFailed() {
    return g_bWriteFailed;
}

bool ReadLine(std::string& line) {
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace console
