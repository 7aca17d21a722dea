set(SOUND_PURE_SOURCES sound/stream_math.cpp)
set(SOUND_PLATFORM_SOURCES sound/stub.cpp)
