# Dialogs from templates: the frame with its own title area, the controls, data exchange.
target_sources(platform_ui PRIVATE
    Dialog.cpp Dialog.h
    DialogBuilder.cpp DialogBuilder.h
    DialogFrame.cpp DialogFrame.h
    DialogUnits.cpp DialogUnits.h
    Controls.cpp Controls.h
    DataExchange.cpp DataExchange.h
    UpDownControl.cpp UpDownControl.h
)
