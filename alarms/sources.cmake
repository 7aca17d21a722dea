set(ALARMS_PURE_SOURCES)
set(ALARMS_PLATFORM_SOURCES alarms/stub.cpp alarms/settings_dialog.cpp)
