set(DISPLAY_PURE_SOURCES display/raster.cpp display/face_geometry.cpp display/lighten.cpp
    display/face_change.cpp)
set(DISPLAY_PLATFORM_SOURCES display/surfaces.cpp display/clock_face.cpp display/window_shape.cpp)

# Which pixel a polygon edge crosses depends on each step of its double arithmetic being
# rounded to double; the 32-bit x87 code otherwise keeps extra precision in registers.
set_source_files_properties(display/raster.cpp PROPERTIES COMPILE_OPTIONS -ffloat-store)
