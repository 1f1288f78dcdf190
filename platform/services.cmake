# Services of the operating system and the desktop: files and the executable's name (QtCore),
# the settings store, the string table, message boxes and system sounds.
target_sources(platform_core PRIVATE
    File.cpp File.h
    Module.cpp Module.h
)
target_sources(platform_ui PRIVATE
    ProfileStore.cpp ProfileStore.h
    Strings.cpp Strings.h
    MessageBox.cpp MessageBox.h
    Sound.cpp Sound.h
)
