#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "alarms/alarm_sound.h"
#include "alarms/alarm_table.h"

namespace {

std::vector<std::string> Played;

void RecordPlay(const AlarmEntry& entry) { Played.emplace_back(entry.path); }

AlarmTime At(unsigned hour, unsigned minute, unsigned day = 7)
{
    return {2026, 12, day, hour, minute};
}

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

// Whatever the clock does, an alarm sounds at most once on each date; a jump forward of at
// most an hour sounds what it passed over at the first tick after it.
TEST_F(AlarmTrigger, ChangesOfTheClock)
{
    struct Tick {
        unsigned day, hour, minute;
    };
    struct Case {
        const char* name;
        std::vector<Tick> ticks;
        std::vector<std::string> played;
    } const cases[] = {
        {"a step back of 5 s across the minute", {{7, 7, 30}, {7, 7, 29}, {7, 7, 30}, {7, 7, 31}}, {"7 07:30"}},
        {"the autumn hour repeated", {{7, 7, 29}, {7, 7, 30}, {7, 8, 0}, {7, 7, 0}, {7, 7, 30}, {7, 8, 0}, {7, 8, 1}},
         {"7 07:30", "7 08:00"}},
        {"the spring hour skipped", {{7, 6, 59}, {7, 8, 0}}, {"7 07:30", "7 08:00"}},
        {"asleep for an hour", {{7, 7, 0}, {7, 8, 1}}, {"7 07:30", "7 08:00"}},
        {"asleep for longer", {{7, 7, 0}, {7, 8, 2}}, {}},
        {"asleep for exactly a day", {{7, 7, 30}, {8, 7, 30}}, {"7 07:30", "8 07:30"}},
        {"asleep across midnight", {{7, 23, 50}, {8, 0, 10}}, {"8 00:00"}},
        {"set back a day", {{8, 7, 30}, {7, 7, 30}}, {"8 07:30", "7 07:30"}},
    };
    for (const Case& c : cases) {
        SetUp();
        SetSlot(0, 0, 0, "00:00");
        SetSlot(1, 7, 30, "07:30");
        SetSlot(2, 8, 0, "08:00");
        SetSlot(3, 99, 99, "");
        CountAlarms();
        std::vector<std::string> played;
        for (const Tick& t : c.ticks) {
            TriggerAlarms(At(t.hour, t.minute, t.day), RecordPlay);
            for (const std::string& path : Played) played.push_back(std::to_string(t.day) + ' ' + path);
            Played.clear();
        }
        EXPECT_EQ(played, c.played) << c.name;
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

// Players that note what they are asked. A device that works plays every file but badFile;
// one play at a time.
struct FakeSound {
    bool directSound = true, mci = true, overdue = false;
    const char* badFile = "";
    uint32_t playing = 0, tags = 0;
    std::vector<std::string> log, started, told;
} Fake;

SoundFailure FakePlay(const char* path, bool throughDirectSound, uint32_t* tag)
{
    Fake.log.push_back(std::string(throughDirectSound ? "ds " : "mci ") + path);
    if (Fake.playing) return SoundFailure::Busy;
    if (!(throughDirectSound ? Fake.directSound : Fake.mci)) return SoundFailure::NoDevice;
    if (std::strcmp(path, Fake.badFile) == 0) return SoundFailure::NotWave;
    Fake.started.emplace_back(path);
    *tag = Fake.playing = ++Fake.tags;
    return SoundFailure::None;
}

uint32_t FakeStop()
{
    if (Fake.playing) Fake.log.push_back("stop");
    return std::exchange(Fake.playing, 0);
}

bool FakeOverdue() { return Fake.overdue; }

void FakeTell(const AlarmEntry& alarm, SoundFailure, bool chimed)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u", unsigned{alarm.hour}, unsigned{alarm.minute});
    Fake.told.emplace_back(text);
    Fake.log.push_back(std::string("told ") + text + (chimed ? " chimed" : " silent"));
}

const AlarmPlayers FakePlayers = {FakePlay, FakeStop, FakeOverdue, FakeTell};

// The play under way ends by itself, or its device breaks it off.
void EndFakePlay(bool failed) { EndAlarmSound(FakePlayers, std::exchange(Fake.playing, 0), failed); }

// Each script is a run of ticks ("07:30"), a dropped file starting ("drop"), the end of
// the play under way ("end", "fail"), one of another play ("stale"), and a tick that finds
// the sound overdue ("overdue").
TEST_F(AlarmTrigger, WhatBecomesOfTheSound)
{
    const std::string chime = ".\\pelio.wav";
    struct Case {
        const char* name;
        const char* script;
        std::string log;
        int useDirectSound = 1;
        bool directSound = true, mci = true;
        const char* badFile = "";
    } const cases[] = {
        {"a dropped file gives way", "drop 07:30", "stop, ds a.wav"},
        {"the next minute's alarm stops the last", "07:30 07:31", "ds a.wav, stop, ds b.wav"},
        {"no DirectSound: the chime through MCI", "07:30 end",
         "ds a.wav, ds " + chime + ", mci " + chime + ", told 07:30 chimed", 1, false},
        {"the chime through MCI stops for the next alarm", "07:30 07:31",
         "ds a.wav, ds " + chime + ", mci " + chime + ", stop, told 07:30 chimed, ds b.wav, ds " + chime +
             ", mci " + chime, 1, false},
        {"no device at all: the minute's second alarm tries its own file", "07:30",
         "ds a.wav, ds " + chime + ", mci " + chime + ", told 07:30 silent, ds twin.wav, ds " + chime +
             ", mci " + chime + ", told 07:30 silent", 1, false, false},
        {"a chime broken off goes to the other player", "07:30 fail end",
         "mci a.wav, mci " + chime + ", ds " + chime + ", told 07:30 chimed", 0, true, true, "a.wav"},
        {"... once", "07:30 fail fail",
         "mci a.wav, mci " + chime + ", ds " + chime + ", told 07:30 silent", 0, true, true, "a.wav"},
        {"an overdue sound is unheard, and so is its chime", "07:30 overdue overdue",
         "ds a.wav, stop, ds " + chime + ", stop, told 07:30 silent"},
        {"stale ends are ignored", "07:30 stale 07:30 end 07:31", "ds a.wav, ds b.wav"},
        {"the minute's second alarm is not restarted", "07:30 07:30", "ds a.wav"},
    };
    for (const Case& c : cases) {
        SetUp();
        SetSlot(0, 7, 30, "a.wav");
        SetSlot(1, 7, 30, "twin.wav");
        SetSlot(2, 7, 31, "b.wav");
        SetSlot(3, 99, 99, "");
        CountAlarms();
        UseDirectSound = c.useDirectSound;
        Fake.directSound = c.directSound;
        Fake.mci = c.mci;
        Fake.badFile = c.badFile;
        Fake.log.clear();
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
            else if (Fake.overdue)
                SoundDueAlarms(time, FakePlayers);
            else
                SoundDueAlarms(time = At(std::stoul(word), std::stoul(word.substr(3))), FakePlayers);
        }
        std::string log;
        for (const std::string& entry : Fake.log) log += (log.empty() ? "" : ", ") + entry;
        EXPECT_EQ(log, c.log) << c.name;
        EndFakePlay(false);
        Fake = {};
    }
}

// Berlin: an hour ahead of UTC in winter, two from 01:00 UTC on the last Sunday of March
// to 01:00 UTC on the last Sunday of October.
time_t LastSundayAtOne(int year, int month)
{
    tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month;  // day 0 of the next month: this month's last
    t.tm_hour = 1;
    time_t at = timegm(&t);
    gmtime_r(&at, &t);
    return at - t.tm_wday * 86400;
}

AlarmTime BerlinTime(time_t utc)
{
    tm t{};
    gmtime_r(&utc, &t);
    const int year = t.tm_year + 1900;
    const bool summer = utc >= LastSundayAtOne(year, 3) && utc < LastSundayAtOne(year, 10);
    const time_t local = utc + (summer ? 7200 : 3600);
    gmtime_r(&local, &t);
    return {unsigned(year), unsigned(t.tm_mon + 1), unsigned(t.tm_mday), unsigned(t.tm_hour),
            unsigned(t.tm_min)};
}

// Seven days of ticks, once a second, in two runs: the three days around the autumn change
// of 2026, and the four days around the spring change of 2027. On the way: a sleep of 61
// minutes, a time sync 5 s back across a minute, a step of 90 s forward over an alarm, and
// a day without any sound device. Each play lasts until the next tick.
TEST_F(AlarmTrigger, AWeekUnattended)
{
    for (unsigned hour = 0; hour < 24; ++hour) {
        std::snprintf(AlarmTable[hour].path, AlarmPathSize, "%02u00.wav", hour);
        SetSlot(24 + static_cast<int>(hour), static_cast<int>(hour), 30, "");
        std::snprintf(AlarmTable[24 + hour].path, AlarmPathSize, "%02u30.wav", hour);
    }
    CountAlarms();
    UseDirectSound = 1;
    std::map<std::string, int> heard;  // "2026-10-25 02:30": sounded or told
    auto count = [&](const AlarmTime& day, const std::string& hhmm) {
        char key[32];
        std::snprintf(key, sizeof key, "%04u-%02u-%02u %s", day.year, day.month, day.day, hhmm.c_str());
        ++heard[key];
    };
    // From local midnight on Saturday 24 October 2026 and on Saturday 27 March 2027.
    const std::pair<time_t, int> runs[] = {{1792792800, 3}, {1806102000, 4}};
    bool synced = false;
    for (const auto& [start, days] : runs) {
        for (time_t utc = start; utc < start + days * 86400; ++utc) {
            const AlarmTime now = BerlinTime(utc);
            const auto second = utc % 60;
            if (now.day == 24 && now.hour == 10 && second == 30) utc += 61 * 60;
            if (now.day == 26 && now.hour == 8 && second == 2 && !synced) utc -= 5, synced = true;
            if (now.day == 29 && now.hour == 13 && now.minute == 59 && second == 50) utc += 90;
            const AlarmTime at = BerlinTime(utc);
            Fake.directSound = Fake.mci = at.day != 30;
            if (Fake.playing) EndFakePlay(false);
            SoundDueAlarms(at, FakePlayers);
            for (const std::string& path : Fake.started)
                if (path != ".\\pelio.wav") count(at, path.substr(0, 2) + ':' + path.substr(2, 2));
            for (const std::string& hhmm : Fake.told) count(at, hhmm);
            Fake.started.clear();
            Fake.told.clear();
        }
    }
    EXPECT_EQ(heard.size(), 7u * 48u);
    for (const auto& [alarm, times] : heard) EXPECT_EQ(times, 1) << alarm;
    EndFakePlay(false);
    Fake = {};
}

}  // namespace
