// libFuzzer entry for the delimited field reader: it must read to the end of any text, always
// moving on, and every error must name the source.
#include "common/DelimitedFieldReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto reader = leapmark::DelimitedFieldReader::fromText(
        "fuzz.txt", std::string(reinterpret_cast<const char*>(data), size));
    if (!reader)
        return 0;
    std::size_t fields = 0;
    while (!reader->atEnd()) {
        const auto field =
            (fields % 3 == 0) ? reader->nextField(leapmark::NumericField::PlainNumber) : reader->nextField();
        if (!field)
            std::abort(); // a field is always there while the text is not at its end
        if (++fields > size + 1)
            std::abort(); // no progress
    }
    return 0;
}
