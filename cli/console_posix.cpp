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

void Write(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

bool ReadLine(std::string& line) {
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace console
