#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "alarms/settings_file.h"
#include "shell/folders.h"

namespace {

struct ParseCase {
    const char* name;
    std::string value;
    int hour;
    int minute;
    std::string path;
};

TEST(AlarmValue, ReadByFixedPositions)
{
    const ParseCase cases[] = {
        {"well formed", "07:30 a.wav", 7, 30, "a.wav"},
        {"one-digit hour shifts every field", "7:30 x.wav", 7, 0, ".wav"},
        {"no path", "07:30", 7, 30, ""},
        {"separator only", "07:30 ", 7, 30, ""},
        {"negative hour keeps its low 8 bits", "-5:10 y.wav", 251, 10, "y.wav"},
        {"separators are not checked", "12x45yz.wav", 12, 45, "z.wav"},
        {"leading blank, then digits", " 9: 5 b.wav", 9, 5, "b.wav"},
        {"plus sign", "+8:+1 c.wav", 8, 1, "c.wav"},
        {"no digits", "ab:cd d.wav", 0, 0, "d.wav"},
        {"digits stop at a non-digit", "1a:2b e.wav", 1, 2, "e.wav"},
        {"free slot as written", "99:99 ", 99, 99, ""},
        {"short value", "7", 7, 0, ""},
        {"absolute path with blanks", "23:59 C:\\My Sounds\\ring.wav", 23, 59,
         "C:\\My Sounds\\ring.wav"},
        {"Shift-JIS path", "06:00 \x83\x5c\x83\x74\x83\x67.wav", 6, 0,
         "\x83\x5c\x83\x74\x83\x67.wav"},
    };
    for (const ParseCase& c : cases) {
        AlarmEntry entry;
        std::memset(&entry, 0x5A, sizeof entry);
        ParseAlarmValue(c.value.c_str(), c.value.size(), &entry);
        EXPECT_EQ(entry.hour, c.hour) << c.name;
        EXPECT_EQ(entry.minute, c.minute) << c.name;
        EXPECT_EQ(std::string(entry.path), c.path) << c.name;
    }
}

TEST(AlarmValue, LongValueKeepsTheFirst259PathCharacters)
{
    for (size_t length : {size_t{265}, size_t{266}, size_t{300}}) {
        std::string value = "12:34 ";
        while (value.size() < length) value += static_cast<char>('a' + value.size() % 26);
        AlarmEntry entry;
        ParseAlarmValue(value.c_str(), value.size(), &entry);
        EXPECT_EQ(entry.hour, 12) << length;
        EXPECT_EQ(entry.minute, 34) << length;
        EXPECT_EQ(std::string(entry.path), value.substr(6, 259)) << length;
    }
}

TEST(AlarmValue, WrittenAsUnsignedBytes)
{
    struct Case {
        int hour;
        int minute;
        const char* path;
        const char* written;
    } const cases[] = {
        {7, 30, "a.wav", "07:30 a.wav"},
        {99, 99, "", "99:99 "},
        {251, 10, "y.wav", "251:10 y.wav"},
        {255, 255, "z", "255:255 z"},
        {0, 5, "C:\\a b.wav", "00:05 C:\\a b.wav"},
    };
    for (const Case& c : cases) {
        AlarmEntry entry{};
        entry.hour = static_cast<uint8_t>(c.hour);
        entry.minute = static_cast<uint8_t>(c.minute);
        std::strcpy(entry.path, c.path);
        char value[AlarmValueWriteSize];
        FormatAlarmValue(entry, value);
        EXPECT_STREQ(value, c.written);
    }
}

TEST(AlarmValue, LongestValueFitsAndReadsBack)
{
    AlarmEntry entry;
    entry.hour = 255;
    entry.minute = 255;
    std::memset(entry.path, 'p', sizeof entry.path);
    entry.path[AlarmPathSize - 1] = '\0';
    char value[AlarmValueWriteSize];
    FormatAlarmValue(entry, value);
    EXPECT_EQ(std::strlen(value), 267u);

    // A slot whose path lost its NUL is written cut, never past the slot.
    entry.path[AlarmPathSize - 1] = 'p';
    FormatAlarmValue(entry, value);
    EXPECT_EQ(std::strlen(value), 267u);
}

// A profile in memory: the keys in the order they were first written, as the file has them.
std::vector<std::pair<std::string, std::string>> Profile;
int Writes;

std::pair<std::string, std::string>* FindKey(const char* key)
{
    for (auto& entry : Profile)
        if (entry.first == key) return &entry;
    return nullptr;
}

uint32_t FakeReadString(const char* key, char* value, uint32_t size)
{
    const auto* entry = FindKey(key);
    const std::string text = entry ? entry->second.substr(0, size - 1) : "";
    std::memcpy(value, text.c_str(), text.size() + 1);
    return static_cast<uint32_t>(text.size());
}

int32_t FakeReadInt(const char* key)
{
    const auto* entry = FindKey(key);
    return entry ? std::stoi(entry->second) : 0;
}

bool FakeWriteString(const char* key, const char* value)
{
    ++Writes;
    if (auto* entry = FindKey(key))
        entry->second = value;
    else
        Profile.emplace_back(key, value);
    return true;
}

const SettingsStore FakeStore = {FakeReadString, FakeReadInt, FakeWriteString};

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        Profile.clear();
        Writes = 0;
        SetDefaultAlarms();
        OnTop = Alarm = UseDirectSound = 0;
    }
};

TEST_F(SettingsFile, EmptyProfileKeepsTheDefaults)
{
    OnTop = Alarm = UseDirectSound = 1;
    LoadSettingsFrom(FakeStore);
    CountAlarms();
    EXPECT_EQ(AlarmCount, 24);
    EXPECT_STREQ(AlarmTable[23].path, "pelio.wav");
    EXPECT_EQ(AlarmTable[24].hour, 99);
    EXPECT_EQ(OnTop, 0);
    EXPECT_EQ(Alarm, 0);
    EXPECT_EQ(UseDirectSound, 0);
}

TEST_F(SettingsFile, PresentKeysReplaceTheirSlotsOnly)
{
    Profile = {{"ALM00", "07:30 a.wav"}, {"ALM03", "7:30 x.wav"}, {"ALM05", ""},
               {"UseDirectSound", "5"}, {"Alarm", "1"}};
    LoadSettingsFrom(FakeStore);
    CountAlarms();
    EXPECT_EQ(AlarmCount, 24);
    EXPECT_EQ(AlarmTable[0].hour, 7);
    EXPECT_EQ(AlarmTable[0].minute, 30);
    EXPECT_STREQ(AlarmTable[0].path, "a.wav");
    EXPECT_EQ(AlarmTable[1].hour, 1) << "absent key keeps the default";
    EXPECT_EQ(AlarmTable[3].hour, 7);
    EXPECT_EQ(AlarmTable[3].minute, 0);
    EXPECT_STREQ(AlarmTable[3].path, ".wav");
    EXPECT_EQ(AlarmTable[5].hour, 5) << "an empty value keeps the slot";
    EXPECT_STREQ(AlarmTable[5].path, "pelio.wav");
    EXPECT_NE(UseDirectSound, 0) << "5 counts as on";
    EXPECT_NE(Alarm, 0);
    EXPECT_EQ(OnTop, 0);
}

TEST_F(SettingsFile, EndMarkReadFromTheFileEndsTheTable)
{
    Profile = {{"ALM02", "99:00 stop.wav"}};
    LoadSettingsFrom(FakeStore);
    CountAlarms();
    EXPECT_EQ(AlarmCount, 2);
}

TEST_F(SettingsFile, SaveWritesEverySlotThenTheSettingsInOrder)
{
    UseDirectSound = 1;
    OnTop = 1;
    SaveSettingsTo(FakeStore);
    ASSERT_EQ(Profile.size(), 51u);
    EXPECT_EQ(Writes, 51);
    for (int slot = 0; slot < 48; ++slot) {
        char key[8];
        std::snprintf(key, sizeof key, "ALM%02d", slot);
        char value[32];
        if (slot < 24)
            std::snprintf(value, sizeof value, "%02d:00 pelio.wav", slot);
        else
            std::snprintf(value, sizeof value, "99:99 ");
        EXPECT_EQ(Profile[slot].first, key);
        EXPECT_EQ(Profile[slot].second, value) << key;
    }
    EXPECT_EQ(Profile[48], (std::pair<std::string, std::string>{"UseDirectSound", "1"}));
    EXPECT_EQ(Profile[49], (std::pair<std::string, std::string>{"Alarm", "0"}));
    EXPECT_EQ(Profile[50], (std::pair<std::string, std::string>{"OnTop", "1"}));
}

// The place is kept in two keys of its own, which the settings' save leaves alone; a place
// that is not two whole numbers of the screen's range is no place.
TEST_F(SettingsFile, PlaceKeysStandApartFromTheSettings)
{
    for (const auto& [x, y, stored] : {std::tuple{"1220", "-40", "1220,-40"}, {"-32768", "32767",
          "-32768,32767"}, {"12x", "0", "7,7"}, {"", "5", "7,7"}, {"5", "40000", "7,7"}}) {
        Profile = {{"WindowX", x}, {"WindowY", y}};
        int32_t px = 7, py = 7;
        EXPECT_EQ(LoadPlaceFrom(FakeStore, &px, &py), std::string(stored) != "7,7") << x;
        EXPECT_EQ(std::to_string(px) + "," + std::to_string(py), stored) << x << "," << y;
    }
    Profile.clear();
    EXPECT_TRUE(SavePlaceTo(FakeStore, -12, 610));
    SaveSettingsTo(FakeStore);
    ASSERT_EQ(Profile.size(), 53u);
    EXPECT_EQ(Profile[0], (std::pair<std::string, std::string>{"WindowX", "-12"}));
    EXPECT_EQ(Profile[1], (std::pair<std::string, std::string>{"WindowY", "610"}));
}

TEST_F(SettingsFile, OddValuesSurviveASaveAndReload)
{
    Profile = {{"ALM00", "-5:10 y.wav"}, {"ALM01", "24:61 late.wav"}, {"Alarm", "5"}};
    LoadSettingsFrom(FakeStore);
    SaveSettingsTo(FakeStore);
    EXPECT_EQ(FindKey("ALM00")->second, "251:10 y.wav");
    EXPECT_EQ(FindKey("ALM01")->second, "24:61 late.wav");
    EXPECT_EQ(FindKey("Alarm")->second, "5") << "the file keeps what memory holds";

    // A three-digit hour shifts the fields when read back by position.
    SetDefaultAlarms();
    LoadSettingsFrom(FakeStore);
    EXPECT_EQ(AlarmTable[0].hour, 25);
    EXPECT_EQ(AlarmTable[0].minute, 0);
    EXPECT_STREQ(AlarmTable[0].path, " y.wav");
}

}  // namespace

// Sound files are found as the settings file is, in the working folder, and only when it
// has no such file beside the program.
TEST(RelativeFile, WorkingFolderFirstThenTheProgramsFolder)
{
    static const std::vector<std::string> files = {"C:\\w\\a.wav", "C:\\p\\a.wav", "C:\\p\\b.wav",
                                                   "C:\\w\\\x95\x5C.wav"};
    const std::string longName(255, 'n');  // would not fit joined
    const std::pair<std::string, std::string> cases[] = {
        {"a.wav", "C:\\w\\a.wav"}, {"./b.wav", "C:\\p\\b.wav"}, {"sub\\c.wav", "C:\\w\\sub\\c.wav"},
        {"\x95\x5C.wav", "C:\\w\\\x95\x5C.wav"}, {"D:\\b.wav", "D:\\b.wav"}, {"D:b.wav", "D:b.wav"},
        {"\\\\s\\b.wav", "\\\\s\\b.wav"}, {"", ""}, {longName, longName},
    };
    for (const auto& [path, expected] : cases) {
        char resolved[260];
        ResolveRelativeFile(path.c_str(), "C:\\w\\", "C:\\p\\", [](const char* file) {
            return std::find(files.begin(), files.end(), file) != files.end();
        }, resolved, sizeof resolved);
        EXPECT_EQ(resolved, expected) << "path " << path;
    }
}
