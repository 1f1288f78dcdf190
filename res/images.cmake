# The images, compiled in with Qt's resource system and loaded by ":/images/..." path.
# tools/imagegen/imagegen.py draws them.
qt_add_resources(druno_res "druno_images"
    PREFIX "/"
    FILES
        images/numbers.bmp
        images/toolbar.bmp
        images/druno32.png
        images/druno16.png
)
target_sources(druno_res PRIVATE Images.cpp Menus.cpp)
