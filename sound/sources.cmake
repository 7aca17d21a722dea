set(SOUND_PURE_SOURCES sound/stream_math.cpp)
set(SOUND_PLATFORM_SOURCES
    sound/chunk_chain.cpp sound/wave_reader.cpp sound/dsound_player.cpp sound/mci_player.cpp
    sound/sound_play.cpp)
