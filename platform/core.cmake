target_sources(platform_core PRIVATE
    Clock.cpp Clock.h
    Debug.cpp Debug.h
)
