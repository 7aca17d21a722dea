set(ALARMS_PURE_SOURCES alarms/alarm_table.cpp alarms/alarm_sound.cpp alarms/settings_file.cpp alarms/list_line.cpp)
set(ALARMS_PLATFORM_SOURCES alarms/trigger.cpp alarms/notice.cpp alarms/settings.cpp alarms/settings_dialog.cpp)
