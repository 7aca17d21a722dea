// The settings dialog's list lines, arrows and table updates.
#include "alarms/list_line.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

static constexpr char WaveExtension[] = ".wav";

void FormatListLine(int hour, int minute, const char* path, char (&line)[ListLineSize])
{
    std::snprintf(line, sizeof line, "%02d : %02d   %s", hour, minute, path);
}

void ParseListLine(const char* line, AlarmEntry* entry)
{
    const size_t length = std::strlen(line);
    entry->hour = static_cast<uint8_t>(ReadTwoCharNumber(line));
    entry->minute = static_cast<uint8_t>(length > 5 ? ReadTwoCharNumber(line + 5) : 0);
    std::memset(entry->path, 0, sizeof entry->path);
    if (length > ListLinePathOffset)
        std::strncpy(entry->path, line + ListLinePathOffset, sizeof entry->path - 1);
}

int StepArrowValue(int value, ArrowClick click, int period)
{
    switch (click) {
    case ArrowClick::Up: return value + 1 == period ? 0 : value + 1;
    case ArrowClick::Down: return value - 1 == -1 ? period - 1 : value - 1;
    case ArrowClick::Other: break;
    }
    return value;
}

// Lead bytes of a Shift-JIS double-byte character.
static bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void LowerCaseSingleByteLetters(char* text)
{
    for (char* p = text; *p; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (IsLeadByte(byte)) {
            if (!p[1]) break;
            ++p;
        } else if (byte >= 'A' && byte <= 'Z') {
            *p = static_cast<char>(byte - 'A' + 'a');
        }
    }
}

Registration NormaliseRegistration(const char* typedPath, const char* hourText,
                                   const char* minuteText)
{
    Registration registration;
    std::snprintf(registration.typedPath, sizeof registration.typedPath, "%s", typedPath);
    std::memcpy(registration.path, registration.typedPath, sizeof registration.path);
    LowerCaseSingleByteLetters(registration.path);
    registration.hour = ReadTwoCharNumber(hourText);
    registration.minute = ReadTwoCharNumber(minuteText);
    return registration;
}

RegisterOutcome CheckRegistration(const Registration& registration,
                                  bool (*fileExists)(const char* path), const AlarmEntry* table,
                                  int count)
{
    if (!registration.typedPath[0]) return RegisterOutcome::Ignored;
    if (!fileExists(registration.typedPath)) return RegisterOutcome::InvalidFile;
    // '.' is never part of a double-byte character, so a plain byte search cannot match
    // across one.
    if (!std::strstr(registration.path, WaveExtension)) return RegisterOutcome::InvalidFile;
    const auto hourByte = static_cast<uint8_t>(registration.hour);
    const auto minuteByte = static_cast<uint8_t>(registration.minute);
    for (int slot = 0; slot < count; ++slot)
        if (table[slot].hour == hourByte && table[slot].minute == minuteByte)
            return RegisterOutcome::Duplicate;
    if (count + 1 > AlarmSlots) return RegisterOutcome::ListFull;
    return RegisterOutcome::Accepted;
}

bool PassedFileChecks(RegisterOutcome outcome)
{
    return outcome != RegisterOutcome::Ignored && outcome != RegisterOutcome::InvalidFile;
}

// The first slot of source not yet used whose list line is line; -1 when there is none.
static int SlotMadeInto(const char* line, const AlarmEntry* source, int count, const bool* used)
{
    for (int slot = 0; slot < count; ++slot) {
        if (used[slot]) continue;
        char made[ListLineSize];
        FormatListLine(source[slot].hour, source[slot].minute, source[slot].path, made);
        if (std::strcmp(made, line) == 0) return slot;
    }
    return -1;
}

void OrderTableAsLines(const char* const* lines, int lineCount, const AlarmEntry* source,
                       int count, AlarmEntry* table)
{
    bool used[AlarmSlots] = {};
    if (count > AlarmSlots) count = AlarmSlots;
    if (lineCount > AlarmSlots) lineCount = AlarmSlots;
    for (int k = 0; k < lineCount; ++k) {
        const int slot = SlotMadeInto(lines[k], source, count, used);
        if (slot < 0) {
            ParseListLine(lines[k], &table[k]);
            continue;
        }
        used[slot] = true;
        table[k] = source[slot];
    }
}

void MakeFreeSlot(AlarmEntry* entry)
{
    entry->hour = AlarmEndMark;
    entry->minute = AlarmEndMark;
    std::memset(entry->path, 0, sizeof entry->path);
}

void RemoveDialogSlot(AlarmEntry* table, int removed, int newCount)
{
    if (removed < 0 || newCount >= AlarmSlots || removed > newCount) return;
    for (int slot = removed + 1; slot <= newCount; ++slot) table[slot - 1] = table[slot];
    MakeFreeSlot(&table[newCount]);
}
