// Feeds arbitrary text to the settings dialog's list-line and registration logic: no
// line or path can overrun its slot, lower-casing never touches a double-byte character,
// and a line the dialog formats reads back as the alarm it shows.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "alarms/list_line.h"

namespace {

bool AnyFileExists(const char*) { return true; }

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void CheckLowerCasing(const char* before, const char* after)
{
    const size_t length = std::strlen(before);
    if (std::strlen(after) != length) std::abort();
    for (size_t i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(before[i]);
        const auto a = static_cast<unsigned char>(after[i]);
        if (IsLeadByte(b) && i + 1 < length) {
            if (a != b || after[i + 1] != before[i + 1]) std::abort();
            ++i;
            continue;
        }
        const unsigned char expected = (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
        if (a != expected) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char text[ListLineSize] = {};
    std::memcpy(text, data, size < sizeof text - 1 ? size : sizeof text - 1);

    AlarmEntry entry;
    ParseListLine(text, &entry);
    if (std::memchr(entry.path, '\0', sizeof entry.path) == nullptr) std::abort();

    char line[ListLineSize];
    FormatListLine(entry.hour, entry.minute, entry.path, line);
    AlarmEntry reread;
    ParseListLine(line, &reread);
    if (entry.hour < 100 && entry.minute < 100 &&
        (reread.hour != entry.hour || reread.minute != entry.minute ||
         std::strcmp(reread.path, entry.path) != 0))
        std::abort();

    char path[AlarmPathSize] = {};
    std::strncpy(path, text, sizeof path - 1);
    char lowered[AlarmPathSize];
    std::memcpy(lowered, path, sizeof path);
    LowerCaseSingleByteLetters(lowered);
    CheckLowerCasing(path, lowered);

    // Register against a full table of the parsed alarm: every outcome is one of the five.
    AlarmEntry table[AlarmSlots];
    for (AlarmEntry& slot : table) slot = entry;
    const int count = size ? data[0] % (AlarmSlots + 1) : 0;
    const Registration registration =
        NormaliseRegistration(path, text, text + (size > 3 ? 3 : 0));
    const RegisterOutcome outcome = CheckRegistration(registration, AnyFileExists, table, count);
    if (outcome == RegisterOutcome::Accepted && count >= AlarmSlots) std::abort();

    int value = size ? data[size - 1] % 24 : 0;
    for (size_t i = 0; i < size && i < 64; ++i) {
        value = StepArrowValue(value, static_cast<ArrowClick>(data[i] % 3), 24);
        if (value < 0 || value >= 24) std::abort();
    }
    return 0;
}
