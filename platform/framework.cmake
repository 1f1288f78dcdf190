target_sources(platform_ui PRIVATE
    Types.h Messages.h
)
