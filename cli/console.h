// The terminal's side of the program's texts: they are system code page bytes, and
// the terminal may expect another encoding.
#pragma once

#include <cstdio>
#include <string>

namespace console {

bool IsTerminal(std::FILE* stream);
// Writes the text in the encoding the stream's reader expects, and flushes it.
void Write(std::FILE* stream, const std::string& text);
// One line from the standard input, without its line end; false at the end.
bool ReadLine(std::string& line);

}  // namespace console
