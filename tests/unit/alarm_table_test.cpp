#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "alarms/alarm_table.h"

namespace {

std::vector<std::string> Played;

void RecordPlay(const AlarmEntry& entry) { Played.emplace_back(entry.path); }

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
        AlarmFired = 0;
        AlarmFiredHour = 0;
        AlarmFiredMinute = 0;
        Played.clear();
    }

    // Ticks once a second over [first, last] seconds of hour:minute.
    static void TickThrough(unsigned hour, unsigned minute, int first, int last)
    {
        for (int second = first; second <= last; ++second) TriggerAlarms(hour, minute, RecordPlay);
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
    EXPECT_EQ(AlarmFired, 0) << "the latch is released by the first tick in another minute";
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
        SetDefaultAlarms();
        Played.clear();
        // The hourly defaults stay behind the odd slot, so the walk goes on past it.
        SetSlot(0, c.hour, c.minute, "odd.wav");
        CountAlarms();
        EXPECT_EQ(AlarmCount, 24) << c.name << ": still counted";
        for (unsigned hour = 0; hour < 24; ++hour)
            for (unsigned minute = 0; minute < 60; ++minute) TriggerAlarms(hour, minute, RecordPlay);
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
    EXPECT_NE(AlarmFired, 0) << "latched before the hand-over to " << path;
    EXPECT_EQ(AlarmFiredMinute, 30) << path;
    if (NestedTicks > 0) {
        --NestedTicks;
        TriggerAlarms(7, 30, ModalPlayer);
    }
}

TEST_F(AlarmTrigger, PlayerRunningTheTriggerAgainGetsNoSecondCall)
{
    SetSlot(0, 7, 30, "broken.wav");
    SetSlot(1, 7, 30, "second.wav");
    CountAlarms();
    NestedTicks = 30;
    TriggerAlarms(7, 30, ModalPlayer);
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

}  // namespace
