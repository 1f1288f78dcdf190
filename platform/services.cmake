target_sources(platform_ui PRIVATE
    Strings.cpp Strings.h
)
