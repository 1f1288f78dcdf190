target_sources(druno_res PRIVATE Dialogs.cpp)
