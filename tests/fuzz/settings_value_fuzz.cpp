// Feeds arbitrary stored values to the settings reader: whatever a hand-edited or damaged
// file holds, a slot's path stays terminated inside the slot, and a value the program
// could have written reads back as the alarm it came from.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "alarms/settings_file.h"

namespace {

const uint8_t* gData;
size_t gSize;

// Every alarm key answers with the fuzzer's bytes, cut where the profile functions would
// cut them: at a NUL or line end, and at 265 characters.
uint32_t ReadFuzzedString(const char*, char* value, uint32_t size)
{
    uint32_t length = 0;
    while (length + 1 < size && length < gSize) {
        const char c = static_cast<char>(gData[length]);
        if (c == '\0' || c == '\r' || c == '\n') break;
        value[length++] = c;
    }
    value[length] = '\0';
    return length;
}

int32_t ReadFuzzedInt(const char*) { return gSize ? static_cast<int32_t>(gData[0]) - 128 : 0; }

char gWritten[AlarmSlots][AlarmValueWriteSize];
int gWrites;

bool RecordWrite(const char* key, const char* value)
{
    if (std::strncmp(key, "ALM", 3) != 0) return true;
    const int slot = std::atoi(key + 3);
    if (slot < 0 || slot >= AlarmSlots) std::abort();
    std::strcpy(gWritten[slot], value);
    ++gWrites;
    return true;
}

void CheckSlotIsTerminated(const AlarmEntry& entry)
{
    if (std::memchr(entry.path, '\0', sizeof entry.path) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gData = data;
    gSize = size;
    SetDefaultAlarms();
    const SettingsStore store{ReadFuzzedString, ReadFuzzedInt, RecordWrite};
    LoadSettingsFrom(store);
    for (const AlarmEntry& entry : AlarmTable) CheckSlotIsTerminated(entry);

    gWrites = 0;
    SaveSettingsTo(store);
    if (gWrites != AlarmSlots) std::abort();

    // A written value reads back as the same slot whenever hour and minute are two digits.
    AlarmEntry reread;
    for (int slot = 0; slot < AlarmSlots; ++slot) {
        const AlarmEntry& entry = AlarmTable[slot];
        ParseAlarmValue(gWritten[slot], std::strlen(gWritten[slot]), &reread);
        CheckSlotIsTerminated(reread);
        if (entry.hour >= 100 || entry.minute >= 100) continue;
        if (reread.hour != entry.hour || reread.minute != entry.minute ||
            std::strcmp(reread.path, entry.path) != 0)
            std::abort();
    }
    return 0;
}
