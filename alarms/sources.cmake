set(ALARMS_PURE_SOURCES alarms/list_line.cpp)
set(ALARMS_PLATFORM_SOURCES alarms/stub.cpp alarms/settings_dialog.cpp)
