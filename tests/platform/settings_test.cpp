#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "alarms/alarms.h"

namespace {

int ScratchFolders;

// Each test runs in a scratch folder of its own as the current directory, where the
// settings file is looked for.
class SettingsProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        std::snprintf(folder_, sizeof folder_, "%spelio-settings-%lu-%d", temp,
                      GetCurrentProcessId(), ++ScratchFolders);
        ASSERT_TRUE(CreateDirectoryA(folder_, nullptr)) << folder_;
        ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous_), 0u);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_));
        SetDefaultAlarms();
        OnTop = Alarm = UseDirectSound = 0;
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(previous_);
        const std::string file = std::string(folder_) + "\\PelioClock.ini";
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
        RemoveDirectoryA(file.c_str());
        SetFileAttributesA(folder_, FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(folder_);
    }

    static void WriteFile(const std::string& text)
    {
        FILE* file = std::fopen("PelioClock.ini", "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    static std::string ReadFile()
    {
        std::string text;
        FILE* file = std::fopen("PelioClock.ini", "rb");
        if (!file) return text;
        char block[4096];
        size_t got;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
        std::fclose(file);
        return text;
    }

    // What the program writes for the table and settings in memory. Wine's profile code
    // reads the file back between writes and drops trailing blanks as it does, so the
    // blank after a free slot's "99:99" survives on Windows only; the value handed over,
    // blank included, is checked by the native tests.
    static std::string ExpectedFile()
    {
        std::string text = "[PelioClock]\r\n";
        for (int slot = 0; slot < AlarmSlots; ++slot) {
            char value[300];
            std::snprintf(value, sizeof value, "%02u:%02u %s", unsigned{AlarmTable[slot].hour},
                          unsigned{AlarmTable[slot].minute}, AlarmTable[slot].path);
            std::string line = value;
            while (!line.empty() && line.back() == ' ') line.pop_back();
            char key[8];
            std::snprintf(key, sizeof key, "ALM%02d=", slot);
            text += key + line + "\r\n";
        }
        text += "UseDirectSound=" + std::to_string(static_cast<unsigned>(UseDirectSound)) + "\r\n";
        text += "Alarm=" + std::to_string(static_cast<unsigned>(Alarm)) + "\r\n";
        text += "OnTop=" + std::to_string(static_cast<unsigned>(OnTop)) + "\r\n";
        return text;
    }

    static void ExpectDefaultSlots(int from, int to)
    {
        for (int slot = from; slot <= to; ++slot) {
            EXPECT_EQ(AlarmTable[slot].hour, slot < 24 ? slot : 99) << "slot " << slot;
            EXPECT_EQ(AlarmTable[slot].minute, slot < 24 ? 0 : 99) << "slot " << slot;
            EXPECT_STREQ(AlarmTable[slot].path, slot < 24 ? "pelio.wav" : "") << "slot " << slot;
        }
    }

    char folder_[MAX_PATH];
    char previous_[MAX_PATH];
};

TEST_F(SettingsProfile, NoFileGivesTheDefaults)
{
    OnTop = Alarm = UseDirectSound = 1;
    LoadSettings();
    CountAlarms();
    ExpectDefaultSlots(0, 47);
    EXPECT_EQ(AlarmCount, 24);
    EXPECT_EQ(OnTop, 0);
    EXPECT_EQ(Alarm, 0);
    EXPECT_EQ(UseDirectSound, 0);
    EXPECT_EQ(GetFileAttributesA("PelioClock.ini"), INVALID_FILE_ATTRIBUTES)
        << "reading creates no file";
}

TEST_F(SettingsProfile, OnlyKeysPresentReplaceTheirSlots)
{
    WriteFile("[PelioClock]\r\nALM00=07:30 a.wav\r\n");
    LoadSettings();
    CountAlarms();
    EXPECT_EQ(AlarmTable[0].hour, 7);
    EXPECT_EQ(AlarmTable[0].minute, 30);
    EXPECT_STREQ(AlarmTable[0].path, "a.wav");
    ExpectDefaultSlots(1, 47);
    EXPECT_EQ(AlarmCount, 24);
}

TEST_F(SettingsProfile, ValuesReadByPositionThroughTheProfile)
{
    std::string longPath(300, 'p');
    WriteFile("[PelioClock]\r\nALM03=7:30 x.wav\r\nALM04=07:30\r\nALM05=-5:10 y.wav\r\n"
              "ALM06=12:34 " + longPath + "\r\nUseDirectSound=5\r\nAlarm=1\r\nOnTop=0\r\n");
    LoadSettings();
    EXPECT_EQ(AlarmTable[3].hour, 7);
    EXPECT_EQ(AlarmTable[3].minute, 0);
    EXPECT_STREQ(AlarmTable[3].path, ".wav");
    EXPECT_EQ(AlarmTable[4].hour, 7);
    EXPECT_EQ(AlarmTable[4].minute, 30);
    EXPECT_STREQ(AlarmTable[4].path, "");
    EXPECT_EQ(AlarmTable[5].hour, 251);
    EXPECT_EQ(AlarmTable[5].minute, 10);
    EXPECT_EQ(std::strlen(AlarmTable[6].path), 259u);
    EXPECT_EQ(UseDirectSound, 5) << "any non-zero value is on";
    EXPECT_EQ(Alarm, 1);
    EXPECT_EQ(OnTop, 0);

    SaveSettings();
    LoadSettings();
    EXPECT_EQ(AlarmTable[5].hour, 25) << "251:10 y.wav read back by position";
    const std::string file = ReadFile();
    EXPECT_NE(file.find("\r\nALM05=251:10 y.wav\r\n"), std::string::npos) << file;
}

TEST_F(SettingsProfile, SaveWritesTheWholeTableByteForByte)
{
    EXPECT_TRUE(SaveSettings());
    std::string expected = ExpectedFile();
    EXPECT_EQ(ReadFile(), expected);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 52);

    // A second save over an existing file replaces every line in place.
    AlarmTable[0].hour = 6;
    AlarmTable[0].minute = 45;
    std::strcpy(AlarmTable[0].path, "C:\\sounds\\wake up.wav");
    AlarmTable[24] = AlarmTable[0];
    Alarm = 1;
    OnTop = 1;
    SaveSettings();
    expected = ExpectedFile();
    EXPECT_EQ(ReadFile(), expected);

    const AlarmEntry saved = AlarmTable[0];
    SetDefaultAlarms();
    Alarm = OnTop = 0;
    LoadSettings();
    EXPECT_EQ(std::memcmp(&AlarmTable[0], &saved, sizeof saved), 0);
    EXPECT_EQ(Alarm, 1);
    EXPECT_EQ(OnTop, 1);
}

// The settings stay in effect for the run when the file cannot be written, and the save
// says it failed.
TEST_F(SettingsProfile, UnwritableFileLeavesTheSettingsInMemory)
{
    enum Obstacle { ReadOnlyFile, LockedFile, FolderInItsPlace };
    struct Case {
        const char* name;
        Obstacle obstacle;
    } const cases[] = {
        {"read-only file", ReadOnlyFile},
        {"file open elsewhere without sharing", LockedFile},
        {"folder in the file's place", FolderInItsPlace},
    };
    for (const Case& c : cases) {
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.obstacle == FolderInItsPlace) {
            ASSERT_TRUE(CreateDirectoryA("PelioClock.ini", nullptr));
        } else {
            WriteFile("[PelioClock]\r\nALM00=05:05 old.wav\r\nAlarm=0\r\n");
        }
        const std::string before = ReadFile();
        bool fileMustStay = true;
        if (c.obstacle == ReadOnlyFile) {
            ASSERT_TRUE(SetFileAttributesA("PelioClock.ini", FILE_ATTRIBUTE_READONLY));
            // The superuser may write a read-only file under Wine; then only the memory
            // side can be checked.
            HANDLE probe = CreateFileA("PelioClock.ini", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
            fileMustStay = probe == INVALID_HANDLE_VALUE;
            if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
        }
        if (c.obstacle == LockedFile) {
            lock = CreateFileA("PelioClock.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        }

        SetDefaultAlarms();
        AlarmTable[0].hour = 9;
        std::strcpy(AlarmTable[0].path, "new.wav");
        Alarm = 1;
        const bool saved = SaveSettings();
        if (fileMustStay) EXPECT_FALSE(saved) << c.name;
        EXPECT_EQ(AlarmTable[0].hour, 9) << c.name;
        EXPECT_STREQ(AlarmTable[0].path, "new.wav") << c.name;
        EXPECT_EQ(Alarm, 1) << c.name;

        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        if (fileMustStay) EXPECT_EQ(ReadFile(), before) << c.name << ": the file is left as it was";
        SetFileAttributesA("PelioClock.ini", FILE_ATTRIBUTE_NORMAL);
        DeleteFileA("PelioClock.ini");
        RemoveDirectoryA("PelioClock.ini");
    }
}

}  // namespace
