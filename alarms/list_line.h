// The settings dialog's logic over memory: the alarm list's lines, the arrows, and the
// checks and table updates behind Register and Delete. The dialog procedure only moves
// text between these and its controls.
#pragma once
#include <cstddef>

#include "alarms/alarm_table.h"

// "%02d : %02d   %s": hour at characters 1-2, minute at 6-7, the file from the 11th on.
// The longest line, from a stored slot, is "255 : 255   " and a 259-character path.
constexpr int ListLineSize = 272;
constexpr int ListLinePathOffset = 10;

void FormatListLine(int hour, int minute, const char* path, char (&line)[ListLineSize]);

// Takes a list line apart by position; each number keeps its low 8 bits.
void ParseListLine(const char* line, AlarmEntry* entry);

// One click on a pair of arrows: up adds one and period becomes 0, down subtracts one and
// -1 becomes period - 1; any other part of the scroll bar leaves the value.
enum class ArrowClick { Up, Down, Other };
int StepArrowValue(int value, ArrowClick click, int period);

// Lower-cases the single-byte letters A-Z in place. Both bytes of a double-byte
// character stay as they are, so a trail byte in 'A'-'Z' (as in 0x83 0x41) survives.
void LowerCaseSingleByteLetters(char* text);

// What Register takes from the dialog, made ready for the checks: the file field's text
// as typed (what must exist), the same text with its single-byte letters lower-cased
// (what must hold ".wav" and what is listed), and each box's first two characters read
// as a number (no range check).
struct Registration {
    char typedPath[AlarmPathSize];
    char path[AlarmPathSize];
    int hour;
    int minute;
};
Registration NormaliseRegistration(const char* typedPath, const char* hourText,
                                   const char* minuteText);

enum class RegisterOutcome {
    Ignored,     // the file field is empty: nothing happens and nothing is said
    InvalidFile, // missing, or no ".wav" anywhere in the lower-cased path
    Duplicate,   // an alarm with the same hour and minute is already listed
    ListFull,    // the list holds every slot already
    Accepted,
};

// Register's checks in their order: empty field, missing file, no ".wav", same time
// listed, list full. table holds the count listed alarms in list order. Changes nothing.
RegisterOutcome CheckRegistration(const Registration& registration,
                                  bool (*fileExists)(const char* path), const AlarmEntry* table,
                                  int count);

// True for the outcomes past the file's checks. From then on the boxes' numbers are the
// dialog's hour and minute, where its arrows go on from, whatever the time's checks say.
bool PassedFileChecks(RegisterOutcome outcome);

// Arranges table in the order of the list's lines, each line taking the first unused
// slot of source (count slots) that formats to the same text, so every slot keeps its
// exact contents; a line no slot matches is read back by position.
void OrderTableAsLines(const char* const* lines, int lineCount, const AlarmEntry* source,
                       int count, AlarmEntry* table);

// Removes slot removed from a table whose remaining count is newCount: the slots after it
// move down by one and slot newCount becomes free.
void RemoveDialogSlot(AlarmEntry* table, int removed, int newCount);

void MakeFreeSlot(AlarmEntry* entry);
