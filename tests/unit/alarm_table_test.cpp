#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "alarms/alarm_sound.h"
#include "alarms/alarm_table.h"

namespace {

std::vector<std::string> Played;

void RecordPlay(const AlarmEntry& entry) { Played.emplace_back(entry.path); }

AlarmTime At(unsigned hour, unsigned minute, unsigned day = 7) { return {2026, 12, day, hour, minute}; }

void SetSlot(int slot, int hour, int minute, const char* path)
{
    AlarmTable[slot].hour = static_cast<uint8_t>(hour);
    AlarmTable[slot].minute = static_cast<uint8_t>(minute);
    std::strcpy(AlarmTable[slot].path, path);
}

// Each test starts from the default table, alarms on and the latch free.
class AlarmTrigger : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultAlarms();
        CountAlarms();
        Alarm = 1;
        std::memset(AlarmMinuteSpentOn, 0, sizeof AlarmMinuteSpentOn);
        AlarmLastTickMinute = 0;
        Played.clear();
    }

    // Ticks once a second over [first, last] seconds of hour:minute.
    static void TickThrough(unsigned hour, unsigned minute, int first, int last)
    {
        for (int second = first; second <= last; ++second) TriggerAlarms(At(hour, minute), RecordPlay);
    }
};

TEST(AlarmTable, DefaultsAreHourlyFollowedByFreeSlots)
{
    std::memset(AlarmTable, 0x5A, sizeof AlarmTable);
    AlarmCount = 7;
    SetDefaultAlarms();
    EXPECT_EQ(AlarmCount, 0) << "the defaults leave counting to CountAlarms";
    for (int slot = 0; slot < AlarmSlots; ++slot) {
        const AlarmEntry& entry = AlarmTable[slot];
        if (slot < 24) {
            EXPECT_EQ(entry.hour, slot) << "slot " << slot;
            EXPECT_EQ(entry.minute, 0) << "slot " << slot;
            EXPECT_STREQ(entry.path, "pelio.wav") << "slot " << slot;
        } else {
            EXPECT_EQ(entry.hour, 99) << "slot " << slot;
            EXPECT_EQ(entry.minute, 99) << "slot " << slot;
            EXPECT_STREQ(entry.path, "") << "slot " << slot;
        }
    }
    CountAlarms();
    EXPECT_EQ(AlarmCount, 24);
}

TEST(AlarmTable, CountStopsAtTheFirstEndMark)
{
    struct Case {
        const char* name;
        int endMarkSlot;  // -1: none anywhere
        int32_t count;
    } const cases[] = {
        {"end mark in slot 0", 0, 0},
        {"end mark in slot 5", 5, 5},
        {"end mark in the last slot", 47, 47},
        {"no end mark", -1, 48},
    };
    for (const Case& c : cases) {
        // Every slot looks active, including those after the end mark.
        for (int slot = 0; slot < AlarmSlots; ++slot) SetSlot(slot, 7, 30, "a.wav");
        if (c.endMarkSlot >= 0) SetSlot(c.endMarkSlot, 99, 0, "not a free slot otherwise");
        CountAlarms();
        EXPECT_EQ(AlarmCount, c.count) << c.name;
    }
}

TEST_F(AlarmTrigger, FiresOnceInItsMinute)
{
    SetSlot(0, 7, 30, "a.wav");
    CountAlarms();
    TickThrough(7, 29, 0, 59);
    EXPECT_TRUE(Played.empty()) << "07:29 is not the alarm's minute";
    TickThrough(7, 30, 0, 59);
    EXPECT_EQ(Played, std::vector<std::string>{"a.wav"});
    TickThrough(7, 31, 0, 0);
    EXPECT_EQ(Played.size(), 1u) << "a later minute does not sound it again";
}

TEST_F(AlarmTrigger, SwitchedOnLateInTheMinuteStillFires)
{
    SetSlot(0, 7, 30, "a.wav");
    CountAlarms();
    Alarm = 0;
    TickThrough(7, 30, 0, 39);
    EXPECT_TRUE(Played.empty()) << "alarms off";
    Alarm = 1;
    TickThrough(7, 30, 40, 40);
    EXPECT_EQ(Played, std::vector<std::string>{"a.wav"});
}

TEST_F(AlarmTrigger, SwitchedOffAndOnWithinTheMinuteDoesNotFireAgain)
{
    SetSlot(0, 7, 30, "a.wav");
    CountAlarms();
    TickThrough(7, 30, 0, 0);
    Alarm = 0;
    TickThrough(7, 30, 1, 10);
    Alarm = 5;  // any non-zero value is on
    TickThrough(7, 30, 11, 59);
    EXPECT_EQ(Played.size(), 1u);
}

// The latch holds for one minute of the day: a computer asleep across the hour, or a
// clock set forward by exactly an hour, still sounds the alarm it lands on.
TEST_F(AlarmTrigger, LatchHoldsOneMinuteOfTheDay)
{
    struct Case {
        const char* name;
        unsigned firedHour, firedMinute, hour, minute;
    } const cases[] = {
        {"asleep from 07:00:30 to 08:00:10", 7, 0, 8, 0},
        {"set forward from 07:30 to 08:30", 7, 30, 8, 30},
        {"across midnight", 23, 59, 0, 59},
    };
    for (const Case& c : cases) {
        SetUp();
        SetSlot(0, static_cast<int>(c.firedHour), static_cast<int>(c.firedMinute), "first.wav");
        SetSlot(1, static_cast<int>(c.hour), static_cast<int>(c.minute), "next.wav");
        SetSlot(2, 99, 99, "");
        CountAlarms();
        TickThrough(c.firedHour, c.firedMinute, 30, 30);
        TickThrough(c.hour, c.minute, 10, 10);
        EXPECT_EQ(Played, (std::vector<std::string>{"first.wav", "next.wav"})) << c.name;
    }
}

TEST_F(AlarmTrigger, SlotsSharingATimeAllGoOutInTableOrder)
{
    SetSlot(0, 6, 0, "early.wav");
    SetSlot(1, 7, 30, "first.wav");
    SetSlot(2, 7, 31, "other.wav");
    SetSlot(3, 7, 30, "second.wav");
    CountAlarms();
    TickThrough(7, 30, 0, 59);
    EXPECT_EQ(Played, (std::vector<std::string>{"first.wav", "second.wav"}));
}

TEST_F(AlarmTrigger, OutOfRangeTimesAreCountedButNeverFire)
{
    struct Case {
        const char* name;
        int hour;
        int minute;
    } const cases[] = {
        {"hour 24", 24, 0},     {"hour 98", 98, 30},     {"minute 60", 7, 60},
        {"minute 99", 7, 99},   {"minute 255", 0, 255},  {"hour 251, read from -5", 251, 10},
    };
    for (const Case& c : cases) {
        SetUp();
        // The hourly defaults stay behind the odd slot, so the walk goes on past it.
        SetSlot(0, c.hour, c.minute, "odd.wav");
        CountAlarms();
        EXPECT_EQ(AlarmCount, 24) << c.name << ": still counted";
        for (unsigned hour = 0; hour < 24; ++hour)
            for (unsigned minute = 0; minute < 60; ++minute) TriggerAlarms(At(hour, minute), RecordPlay);
        EXPECT_EQ(Played.size(), 23u) << c.name << ": only the other hourly alarms sound";
        for (const std::string& path : Played) EXPECT_NE(path, "odd.wav") << c.name;
    }
}

TEST_F(AlarmTrigger, NothingBeyondTheCount)
{
    SetSlot(5, 99, 99, "");
    SetSlot(6, 7, 30, "after.wav");
    CountAlarms();
    ASSERT_EQ(AlarmCount, 5);
    TickThrough(7, 30, 0, 0);
    TickThrough(5, 0, 0, 0);
    EXPECT_TRUE(Played.empty());

    SetSlot(0, 99, 99, "");
    SetSlot(1, 7, 30, "a.wav");
    CountAlarms();
    TickThrough(7, 30, 0, 0);
    TickThrough(1, 0, 0, 0);
    EXPECT_TRUE(Played.empty()) << "end mark in slot 0";
}

// A player that shows a message box keeps the timer dispatching: the ticks inside it
// run the trigger again before the first hand-over has returned.
int NestedTicks;

void ModalPlayer(const AlarmEntry& entry)
{
    const char* path = entry.path;
    Played.emplace_back(path);
    if (NestedTicks > 0) {
        --NestedTicks;
        TriggerAlarms(At(7, 30), ModalPlayer);
    }
}

TEST_F(AlarmTrigger, PlayerRunningTheTriggerAgainGetsNoSecondCall)
{
    SetSlot(0, 7, 30, "broken.wav");
    SetSlot(1, 7, 30, "second.wav");
    CountAlarms();
    NestedTicks = 30;
    TriggerAlarms(At(7, 30), ModalPlayer);
    EXPECT_EQ(Played, (std::vector<std::string>{"broken.wav", "second.wav"}));
}

TEST(AlarmText, ReadsTheFirstTwoCharactersAsANumber)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"07", 7}, {"7", 7}, {"7x", 7}, {" 7", 7}, {"-5", -5}, {"+3", 3},
        {"ab", 0}, {"", 0}, {"123", 12}, {"25", 25}, {"99", 99}, {"1:", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadTwoCharNumber(c.text), c.value) << '"' << c.text << '"';
}

// Players that play every file but badFile where the device works, one at a time, and note it.
struct FakeSound {
    bool directSound = true, mci = true, overdue = false;
    const char* badFile = "";
    uint32_t playing = 0, tags = 0;
    std::string log, today;
    std::map<std::string, int> heard;
} Fake;

SoundFailure FakePlay(const char* path, bool throughDirectSound, uint32_t* tag)
{
    const bool chime = std::strcmp(path, ".\\pelio.wav") == 0;
    Fake.log += std::string(throughDirectSound ? " ds " : " mci ") + (chime ? "chime" : path);
    if (Fake.playing) return SoundFailure::Busy;
    if (!(throughDirectSound ? Fake.directSound : Fake.mci)) return SoundFailure::NoDevice;
    if (std::strcmp(path, Fake.badFile) == 0) return SoundFailure::NotWave;
    if (!chime) ++Fake.heard[Fake.today + std::string(path, 5)];
    return *tag = Fake.playing = ++Fake.tags, SoundFailure::None;
}

void FakeTell(const AlarmEntry& alarm, SoundFailure, bool chimed)
{
    ++Fake.heard[Fake.today + std::string(alarm.path, 5)];
    Fake.log += std::string(" told ") + alarm.path + (chimed ? " chimed" : " silent");
}

const AlarmPlayers FakePlayers = {
    FakePlay, [] { return Fake.playing ? Fake.log += " stop", std::exchange(Fake.playing, 0u) : 0u; },
    [] { return Fake.overdue; }, FakeTell};

void EndFakePlay(bool failed) { EndAlarmSound(FakePlayers, std::exchange(Fake.playing, 0u), failed); }

// A script runs ticks ("07:30", or a day after the last), ends of plays and other events.
// Whatever the clock does, an alarm sounds at most once on each date, and a jump forward
// of at most an hour sounds what it passed over at once.
TEST_F(AlarmTrigger, WhatBecomesOfTheSound)
{
    struct Case {
        const char *script, *log;
        int useDirectSound;
        bool directSound, mci;
        const char* badFile;
    } const cases[] = {
        {"drop 07:30 07:30", " stop ds a.wav", 1, true, true, ""},  // nor is the twin started
        {"07:30 07:29 07:30 07:31", " ds a.wav stop ds b.wav", 1, true, true, ""},  // sync 5 s back
        {"07:29 07:40 07:00 07:41", " ds a.wav stop ds b.wav", 1, true, true, ""},  // autumn
        {"06:30 07:31", " ds a.wav stop ds b.wav", 1, true, true, ""},  // spring, or an hour asleep
        {"06:29 07:31", " ds b.wav", 1, true, true, ""},                // longer than an hour
        {"07:30 end tomorrow", " ds a.wav ds a.wav", 1, true, true, ""},  // asleep a day
        {"07:30 07:31", " ds a.wav ds chime mci chime stop told a.wav chimed ds b.wav ds chime mci chime",
         1, false, true, ""},
        {"07:30", " ds a.wav ds chime mci chime told a.wav silent ds twin.wav ds chime mci chime told"
                  " twin.wav silent", 1, false, false, ""},
        {"07:30 fail end", " mci a.wav mci chime ds chime told a.wav chimed", 0, true, true, "a.wav"},
        {"07:30 fail fail", " mci a.wav mci chime ds chime told a.wav silent", 0, true, true, "a.wav"},
        {"07:30 overdue overdue", " ds a.wav stop ds chime stop told a.wav silent", 1, true, true, ""},
        {"07:30 stale 07:30 end 07:31", " ds a.wav ds b.wav", 1, true, true, ""},
    };
    for (const Case& c : cases) {
        SetUp();
        SetSlot(0, 7, 30, "a.wav"), SetSlot(1, 7, 30, "twin.wav"), SetSlot(2, 7, 31, "b.wav");
        SetSlot(3, 99, 99, ""), CountAlarms();
        UseDirectSound = c.useDirectSound;
        Fake = {c.directSound, c.mci, false, c.badFile, 0, 0, "", "", {}};
        std::istringstream script(c.script);
        AlarmTime time{};
        for (std::string word; script >> word;) {
            Fake.overdue = word == "overdue";
            if (word == "drop")
                Fake.playing = ++Fake.tags;
            else if (word == "end" || word == "fail")
                EndFakePlay(word == "fail");
            else if (word == "stale")
                EndAlarmSound(FakePlayers, Fake.playing + 1, true);
            else if (word == "tomorrow")
                ++time.day, SoundDueAlarms(time, FakePlayers);
            else
                SoundDueAlarms(time = Fake.overdue ? time : At(std::stoul(word), std::stoul(word.substr(3))),
                               FakePlayers);
        }
        EXPECT_EQ(Fake.log, c.log) << c.script;
        EndFakePlay(false);
    }
}

// Seven days of ticks once a second in Berlin, from midnight on Saturday 24 October 2026 (the
// clocks go back on the 25th at 01:00 UTC) and on 27 March 2027 (forward on the 28th), with
// a sleep of 61 minutes, a sync 5 s back, a step 90 s on, and a day with no sound device.
TEST_F(AlarmTrigger, AWeekUnattended)
{
    for (int hour = 0; hour < 24; ++hour) {
        std::snprintf(AlarmTable[hour].path, AlarmPathSize, "%02d:00", hour);
        SetSlot(24 + hour, hour, 30, (std::string(AlarmTable[hour].path, 2) + ":30").c_str());
    }
    CountAlarms();
    Fake = {};
    const time_t runs[][3] = {{1792792800, 3, 1792890000}, {1806102000, 4, 1806195600}};
    bool synced = false;
    for (const auto& [start, days, change] : runs)
        for (time_t utc = start; utc < start + days * 86400; ++utc) {
            time_t local = utc + ((utc < change) == (start < 1800000000) ? 7200 : 3600);
            // On the 24th at 10:00:30 asleep, on the 26th at 08:00:02 synced, on the 29th at 13:59:50 on.
            const int step = local == 1792836030 ? 3660 : local == 1793001602 && !synced ? (synced = true, -5)
                             : local == 1806328790 ? 90 : 0;
            utc += step, local += step;
            tm t{};
            gmtime_r(&local, &t);
            Fake.directSound = Fake.mci = t.tm_mday != 30;
            Fake.today = std::to_string(t.tm_mday) + ' ';
            EndFakePlay(false);  // each play lasts until the next tick
            SoundDueAlarms({unsigned(t.tm_year + 1900), unsigned(t.tm_mon + 1), unsigned(t.tm_mday),
                            unsigned(t.tm_hour), unsigned(t.tm_min)}, FakePlayers);
        }
    EXPECT_EQ(Fake.heard.size(), 7u * 48u);
    for (const auto& [alarm, times] : Fake.heard) EXPECT_EQ(times, 1) << alarm;
}

}  // namespace
