# The application framework: windows, command tables, documents and views, frames,
# the application object, drawing, the screen and the resource registry.
target_sources(platform_ui PRIVATE
    Types.h Messages.h QtGeometry.h
    Window.cpp Window.h
    Screen.cpp Screen.h
    CommandTarget.cpp CommandTarget.h
    RuntimeClass.cpp RuntimeClass.h
    Resources.cpp Resources.h
    DC.cpp DC.h
    DrawingRecorder.cpp DrawingRecorder.h
    Application.cpp Application.h
    SingleDocTemplate.cpp SingleDocTemplate.h
    Document.cpp Document.h
    View.cpp View.h
    ViewScale.cpp ViewScale.h
    ViewAccessible.cpp ViewAccessible.h
    Palette.cpp Palette.h
    Frame.cpp Frame.h
    CommandBar.h
    FrameCommandBar.cpp FrameCommandBar.h
    HelpWindow.cpp HelpWindow.h
    ListPanel.cpp ListPanel.h
)
