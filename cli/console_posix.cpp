#include <unistd.h>

#include <iostream>

#include "cli/console.h"

namespace console {

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

// The program's texts are UTF-8 here already, as terminals expect.
void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

bool ReadLine(std::string& line) {
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace console
