target_sources(platform_ui PRIVATE
)
