// The data exchange's number rules over arbitrary field texts.
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "platform/number_parse.h"

namespace {

void CheckInteger(const std::string& field) {
    int32_t value = 0;
    bool ok = number_parse::ParseInteger(field, value);
    // Only the first characters count: anything after them changes nothing.
    if (field.size() >= number_parse::kMaxFieldChars) {
        int32_t again = 0;
        FUZZ_CHECK(number_parse::ParseInteger(field + "x9", again) == ok);
        if (ok) FUZZ_CHECK(again == value);
    }
    if (ok) {
        int32_t back = 0;
        FUZZ_CHECK(number_parse::ParseInteger(number_parse::FormatInteger(value), back));
        FUZZ_CHECK(back == value);
    }
}

void CheckReal(const std::string& field) {
    float value = 0;
    bool ok = number_parse::ParseReal(field, value);
    if (field.size() >= number_parse::kMaxFieldChars) {
        float again = 0;
        FUZZ_CHECK(number_parse::ParseReal(field + "x9", again) == ok);
        if (ok) FUZZ_CHECK(std::memcmp(&again, &value, sizeof value) == 0);
    }
    if (ok && std::isfinite(value) && value != 0.0f) {
        // What the field shows for a stored value is itself an accepted number.
        float shown = 0;
        FUZZ_CHECK(number_parse::ParseReal(number_parse::FormatReal(value), shown));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string field(reinterpret_cast<const char*>(data), size);
    CheckInteger(field);
    CheckReal(field);
    return 0;
}
