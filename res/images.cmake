target_sources(druno_res PRIVATE Images.cpp Menus.cpp)
