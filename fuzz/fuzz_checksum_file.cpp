// The checksum file's reader over any bytes: every name it accepts stays inside the
// folder, and what it accepted is written and read back unchanged.
#include <string>

#include "fuzz/fuzz_input.h"
#include "split/checksum_file.h"

namespace {

bool Plain(const std::string& name) {
#ifdef _WIN32
    const std::string separators("/\\:\0", 4);
#else
    const std::string separators("/\0", 2);
#endif
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(separators) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const ChecksumList list = ParseChecksums(text);
    for (const ChecksumLine& line : list.lines) {
        FUZZ_CHECK(Plain(line.name));
        FUZZ_CHECK(line.hex.size() == 64 &&
                   line.hex.find_first_not_of("0123456789abcdef") == std::string::npos);
    }
    const ChecksumList back = ParseChecksums(FormatChecksums(list.lines));
    FUZZ_CHECK(back.badLines.empty() && back.lines.size() == list.lines.size());
    for (size_t i = 0; i < back.lines.size(); ++i) {
        FUZZ_CHECK(back.lines[i].name == list.lines[i].name);
        FUZZ_CHECK(back.lines[i].hex == list.lines[i].hex);
    }
    return 0;
}
