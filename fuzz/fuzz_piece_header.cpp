// The piece header reader over any bytes as a candidate file, and the writer's
// headers read back to the same numbers.
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "split/piece_format.h"

namespace {

struct Header {
    uint64_t index = 0, count = 0, chunkSize = 0, dataSize = 0;
    char magic[8] = {};
};

bool Read(const std::string& bytes, Header& h, std::string* data) {
    MemoryByteSource source(bytes.data(), bytes.size());
    PieceReader reader(source);
    bool extracted =
        ExtractPieceHeader(reader, {h.index, h.count, h.chunkSize, h.dataSize, h.magic});
    FUZZ_CHECK(std::memchr(h.magic, '\0', sizeof h.magic) != nullptr);
    if (data && extracted && reader.SkipByte()) {
        char buffer[64];
        size_t n;
        while ((n = reader.ReadData(buffer, sizeof buffer)) > 0) data->append(buffer, n);
    }
    return extracted && IsPieceMagic(h.magic);
}

uint64_t TakeNumber(FuzzInput& input) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | input.TakeByte();
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::string candidate(reinterpret_cast<const char*>(bytes), size);
    Header any;
    Read(candidate, any, nullptr);

    FuzzInput input(bytes, size);
    Header written;
    written.index = TakeNumber(input);
    written.count = TakeNumber(input);
    written.chunkSize = TakeNumber(input);
    written.dataSize = TakeNumber(input);
    std::string payload = input.TakeRest();
    std::string file =
        WritePieceHeader(written.index, written.count, written.chunkSize, written.dataSize) +
        payload;
    Header back;
    std::string data;
    FUZZ_CHECK(Read(file, back, &data));
    FUZZ_CHECK(back.index == written.index && back.count == written.count);
    FUZZ_CHECK(back.chunkSize == written.chunkSize && back.dataSize == written.dataSize);
    FUZZ_CHECK(data == payload);
    return 0;
}
