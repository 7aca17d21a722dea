#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "alarms/list_line.h"

static AlarmEntry Entry(int hour, int minute, const char* path)
{
    AlarmEntry entry{};
    entry.hour = static_cast<uint8_t>(hour);
    entry.minute = static_cast<uint8_t>(minute);
    std::strncpy(entry.path, path, sizeof entry.path - 1);
    return entry;
}

static std::string Describe(const AlarmEntry& entry)
{
    return std::to_string(entry.hour) + ":" + std::to_string(entry.minute) + " " + entry.path;
}

TEST(ListLine, FormatsAndReadsBackByPosition)
{
    struct Case {
        int hour, minute;
        const char* path;
        const char* line;
        const char* readBack; // what the line's positions give back
    } cases[] = {
        {7, 30, "d:\\sounds\\bell.wav", "07 : 30   d:\\sounds\\bell.wav", "7:30 d:\\sounds\\bell.wav"},
        {0, 0, "pelio.wav", "00 : 00   pelio.wav", "0:0 pelio.wav"},
        {23, 59, "", "23 : 59   ", "23:59 "},
        {99, 5, "x.wav", "99 : 05   x.wav", "99:5 x.wav"},
        // Three digits shift every later field: the line no longer reads back the same.
        {251, 10, "y.wav", "251 : 10   y.wav", "25:1  y.wav"},
        {-5, 10, "n.wav", "-5 : 10   n.wav", "251:10 n.wav"},
    };
    for (const Case& c : cases) {
        char line[ListLineSize];
        FormatListLine(c.hour, c.minute, c.path, line);
        EXPECT_STREQ(line, c.line) << c.hour << ":" << c.minute;
        AlarmEntry entry;
        std::memset(&entry, 0x55, sizeof entry);
        ParseListLine(line, &entry);
        EXPECT_EQ(Describe(entry), c.readBack) << c.line;
    }
}

TEST(ListLine, LongestPathsFitAndAreCut)
{
    const std::string longest(AlarmPathSize - 1, 'p');
    char line[ListLineSize];
    FormatListLine(255, 255, longest.c_str(), line);
    EXPECT_EQ(std::strlen(line), 12 + longest.size());

    const std::string tooLong = "12 : 34   " + std::string(300, 'q');
    AlarmEntry entry;
    ParseListLine(tooLong.c_str(), &entry);
    EXPECT_EQ(std::string(entry.path), std::string(AlarmPathSize - 1, 'q'));
    EXPECT_EQ(entry.hour, 12);
    EXPECT_EQ(entry.minute, 34);
}

TEST(ListLine, ArrowsWrapAroundTheirPeriod)
{
    struct Case {
        const char* name;
        int start;
        ArrowClick click;
        int period;
        std::vector<int> steps;
    } cases[] = {
        {"hour up", 22, ArrowClick::Up, 24, {23, 0, 1}},
        {"hour down", 1, ArrowClick::Down, 24, {0, 23, 22}},
        {"minute up", 58, ArrowClick::Up, 60, {59, 0, 1}},
        {"minute down", 0, ArrowClick::Down, 60, {59, 58}},
        {"thumb or page", 7, ArrowClick::Other, 24, {7, 7}},
        // A typed hour beyond the day is stepped on from where it is.
        {"typed 25 down", 25, ArrowClick::Down, 24, {24, 23}},
    };
    for (const Case& c : cases) {
        int value = c.start;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            value = StepArrowValue(value, c.click, c.period);
            EXPECT_EQ(value, c.steps[i]) << c.name << ", click " << i + 1;
        }
    }
}

TEST(ListLine, LowerCasesOnlySingleByteLetters)
{
    struct Case {
        const char* name;
        const char* text;
        const char* lowered;
    } cases[] = {
        {"ascii path", "D:\\Sounds\\Bell.WAV", "d:\\sounds\\bell.wav"},
        // "ア" is 0x83 0x41: its trail byte is an 'A' and must stay one.
        {"katakana a", "C:\\\x83\x41\\A.WAV", "c:\\\x83\x41\\a.wav"},
        // "表" ends in 0x5C; the letter after it is single-byte again.
        {"trail backslash", "\x95\x5C" "ABC.WAV", "\x95\x5C" "abc.wav"},
        {"trail in upper range", "\xE0\x5A" "Z", "\xE0\x5A" "z"},
        {"half-width kana is one byte", "\xB1" "A", "\xB1" "a"},
        {"lead byte at the end", "AB\x83", "ab\x83"},
        {"already lower", "x.wav", "x.wav"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        LowerCaseSingleByteLetters(text.data());
        EXPECT_EQ(text, c.lowered) << c.name;
    }
}

static bool FileExistsInFixture(const char* path)
{
    static const char* const existing[] = {
        "D:\\Sounds\\Bell.WAV", "C:\\Music\\Song.MP3", "C:\\A.WAV.BAK", "C:\\Sounds"};
    for (const char* name : existing)
        if (std::strcmp(name, path) == 0) return true;
    return false;
}

TEST(ListLine, RegisterChecksInOrder)
{
    AlarmEntry full[AlarmSlots];
    for (int slot = 0; slot < AlarmSlots; ++slot) full[slot] = Entry(slot / 2, (slot % 2) * 30, "a.wav");
    // full holds 0:00, 0:30, 1:00, ... 23:30.

    struct Case {
        const char* name;
        const char* path;
        const char* hourText;
        const char* minuteText;
        int count;
        RegisterOutcome outcome;
        const char* pathListed;
        int hourAfter, minuteAfter; // the dialog's values start at 3 and 4
    } cases[] = {
        {"empty field", "", "07", "30", 2, RegisterOutcome::Ignored, "", 3, 4},
        {"missing file", "C:\\NONE.WAV", "07", "30", 2, RegisterOutcome::InvalidFile, "c:\\none.wav", 3, 4},
        {"no .wav", "C:\\Music\\Song.MP3", "07", "30", 2, RegisterOutcome::InvalidFile,
         "c:\\music\\song.mp3", 3, 4},
        {"folder", "C:\\Sounds", "07", "30", 2, RegisterOutcome::InvalidFile, "c:\\sounds", 3, 4},
        {"accepted", "D:\\Sounds\\Bell.WAV", "07", "15", 2, RegisterOutcome::Accepted,
         "d:\\sounds\\bell.wav", 7, 15},
        {".wav not at the end", "C:\\A.WAV.BAK", "07", "15", 2, RegisterOutcome::Accepted,
         "c:\\a.wav.bak", 7, 15},
        {"same time listed", "D:\\Sounds\\Bell.WAV", "00", "30", 2, RegisterOutcome::Duplicate,
         "d:\\sounds\\bell.wav", 0, 30},
        {"duplicate before full", "D:\\Sounds\\Bell.WAV", "23", "30", 48, RegisterOutcome::Duplicate,
         "d:\\sounds\\bell.wav", 23, 30},
        {"full", "D:\\Sounds\\Bell.WAV", "23", "45", 48, RegisterOutcome::ListFull,
         "d:\\sounds\\bell.wav", 23, 45},
        {"last free slot", "D:\\Sounds\\Bell.WAV", "23", "45", 47, RegisterOutcome::Accepted,
         "d:\\sounds\\bell.wav", 23, 45},
        {"hour beyond the day", "D:\\Sounds\\Bell.WAV", "25", "00", 2, RegisterOutcome::Accepted,
         "d:\\sounds\\bell.wav", 25, 0},
        {"not a number", "D:\\Sounds\\Bell.WAV", "xx", "7m", 2, RegisterOutcome::Accepted,
         "d:\\sounds\\bell.wav", 0, 7},
        {"only two characters read", "D:\\Sounds\\Bell.WAV", "123", "456", 2, RegisterOutcome::Accepted,
         "d:\\sounds\\bell.wav", 12, 45},
    };
    for (const Case& c : cases) {
        const Registration registration = NormaliseRegistration(c.path, c.hourText, c.minuteText);
        const RegisterOutcome outcome =
            CheckRegistration(registration, FileExistsInFixture, full, c.count);
        EXPECT_EQ(static_cast<int>(outcome), static_cast<int>(c.outcome)) << c.name;
        EXPECT_STREQ(registration.path, c.pathListed) << c.name;
        // What the dialog does with the outcome: it takes the boxes' numbers or keeps its own.
        int hour = 3, minute = 4;
        if (PassedFileChecks(outcome)) {
            hour = registration.hour;
            minute = registration.minute;
        }
        EXPECT_EQ(hour, c.hourAfter) << c.name;
        EXPECT_EQ(minute, c.minuteAfter) << c.name;
    }
}

TEST(ListLine, NegativeHourMatchesItsStoredByte)
{
    const AlarmEntry listed[] = {Entry(251, 10, "y.wav")};
    const Registration registration = NormaliseRegistration("D:\\Sounds\\Bell.WAV", "-5", "10");
    EXPECT_EQ(CheckRegistration(registration, FileExistsInFixture, listed, 1),
              RegisterOutcome::Duplicate);
    EXPECT_EQ(registration.hour, -5);
}

TEST(ListLine, DeleteShiftsTheFollowingSlotsDown)
{
    struct Case {
        const char* name;
        int lines, removed;
        std::vector<std::string> after; // the first lines - 1 slots, then the freed slot
    } cases[] = {
        {"third of five", 5, 2, {"1:0 a", "2:0 b", "4:0 d", "5:0 e", "99:99 "}},
        {"first of one", 1, 0, {"99:99 "}},
        {"last of five", 5, 4, {"1:0 a", "2:0 b", "3:0 c", "4:0 d", "99:99 "}},
    };
    for (const Case& c : cases) {
        AlarmEntry table[AlarmSlots];
        const char* names[] = {"a", "b", "c", "d", "e"};
        for (int slot = 0; slot < AlarmSlots; ++slot) table[slot] = Entry(slot + 1, 0, names[slot % 5]);
        RemoveDialogSlot(table, c.removed, c.lines - 1);
        for (size_t slot = 0; slot < c.after.size(); ++slot)
            EXPECT_EQ(Describe(table[slot]), c.after[slot]) << c.name << ", slot " << slot;
        EXPECT_EQ(Describe(table[c.lines]), std::to_string(c.lines + 1) + ":0 " + names[c.lines % 5])
            << c.name << ": slots beyond the list are not touched";
    }
}

TEST(ListLine, DeleteWithoutSelectionChangesNothing)
{
    AlarmEntry table[AlarmSlots];
    for (int slot = 0; slot < AlarmSlots; ++slot) table[slot] = Entry(slot, 0, "a.wav");
    RemoveDialogSlot(table, -1, 3);  // no line selected
    RemoveDialogSlot(table, 5, 3);   // past the list
    for (int slot = 0; slot < AlarmSlots; ++slot) EXPECT_EQ(table[slot].hour, slot) << slot;
}

// A hand-edited file may list alarms out of order; the dialog's table must follow the
// sorted list so that Delete removes the line the user selected.
TEST(ListLine, TableFollowsTheSortedList)
{
    const AlarmEntry file[] = {
        Entry(10, 0, "b.wav"), Entry(7, 30, "a.wav"), Entry(10, 0, "a.wav"),
        Entry(251, 10, "y.wav"), Entry(7, 30, "a.wav"),
    };
    const char* sorted[] = {
        "07 : 30   a.wav", "07 : 30   a.wav", "10 : 00   a.wav", "10 : 00   b.wav", "251 : 10   y.wav",
    };
    AlarmEntry table[AlarmSlots];
    OrderTableAsLines(sorted, 5, file, 5, table);
    const char* expected[] = {"7:30 a.wav", "7:30 a.wav", "10:0 a.wav", "10:0 b.wav", "251:10 y.wav"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Describe(table[k]), expected[k]) << "line " << k;

    // The user selects "10 : 00   b.wav" and deletes it: b.wav is what goes.
    RemoveDialogSlot(table, 3, 4);
    const char* afterDelete[] = {"7:30 a.wav", "7:30 a.wav", "10:0 a.wav", "251:10 y.wav", "99:99 "};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Describe(table[k]), afterDelete[k]) << "after delete, slot " << k;
}

TEST(ListLine, UnmatchedLineIsReadByPosition)
{
    const AlarmEntry file[] = {Entry(1, 0, "a.wav")};
    const char* lines[] = {"01 : 00   a.wav", "02 : 15   z.wav"};
    AlarmEntry table[AlarmSlots];
    OrderTableAsLines(lines, 2, file, 1, table);
    EXPECT_EQ(Describe(table[0]), "1:0 a.wav");
    EXPECT_EQ(Describe(table[1]), "2:15 z.wav");
}
