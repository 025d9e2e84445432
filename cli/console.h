// The terminal's side of the program's texts. Everything written goes through here as
// UTF-8: the program's own texts are turned into UTF-8 first (they are code page 936
// bytes on Windows), names are UTF-8 already.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace console {

// The command's arguments after the program's name, in UTF-8 as every name inside.
std::vector<std::string> Arguments(int argc, char** argv);

bool IsTerminal(std::FILE* stream);
// One of the program's own texts as UTF-8.
std::string FromText(const std::string& programText);
// Writes UTF-8 text the way the stream's reader takes it, and flushes it: a Windows
// console gets its characters, anything else (a file, a pipe) the UTF-8 bytes.
void Write(std::FILE* stream, const std::string& utf8);
// Whether a write so far has failed or was cut short (a full disk, a closed pipe).
bool WriteFailed();
// One line from the standard input, without its line end; false at the end.
bool ReadLine(std::string& line);

}  // namespace console
