target_sources(platform_core PRIVATE
    Clock.cpp Clock.h
    Debug.cpp Debug.h
    TerminationSignals.cpp TerminationSignals.h
    PublishedWindow.cpp PublishedWindow.h
    RemoteProtocol.cpp RemoteProtocol.h
    RemoteWindow.cpp RemoteWindow.h
)
find_package(Threads REQUIRED)
target_link_libraries(platform_core PUBLIC Threads::Threads)
