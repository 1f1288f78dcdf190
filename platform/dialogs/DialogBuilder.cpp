#include "platform/dialogs/DialogBuilder.h"

#include "platform/core/Messages.h"
#include "platform/dialogs/Controls.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogFrame.h"
#include "platform/dialogs/DialogUnits.h"
#include "platform/dialogs/UpDownControl.h"
#include "platform/services/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace platform {

namespace {

// Window style bits that every control may carry.
constexpr unsigned kWsVisible = 0x10000000;
constexpr unsigned kWsBorder = 0x00800000;
constexpr unsigned kWsTabStop = 0x00010000;

// Kinds within a control class: the low bits of its style.
constexpr unsigned kBsCheckBox = 2;
constexpr unsigned kBsAutoCheckBox = 3;
constexpr unsigned kBsDefPushButton = 1;
constexpr unsigned kSsCenter = 1;
constexpr unsigned kSsRight = 2;
constexpr unsigned kSsIcon = 3;
constexpr unsigned kEsCenter = 1;
constexpr unsigned kEsRight = 2;
constexpr unsigned kEsReadOnly = 0x0800;
constexpr unsigned kCbsDropDown = 2;

// Dialog texts are marked QT_TRANSLATE_NOOP("Dialog", ...) where the templates are made.
QString DialogText(const QString& text) {
    return TranslateResource("Dialog", text);
}

// The handheld's way into a window's protected binding, for control objects the program
// declares as members.
struct WindowBinder : Window {
    static void AttachTo(Window& window, QWidget* widget) {
        void (Window::*attach)(QWidget*, bool, QWidget*) = &WindowBinder::Attach;
        (window.*attach)(widget, false, nullptr);
    }
    static void DetachFrom(Window& window) {
        void (Window::*detach)() = &WindowBinder::Detach;
        (window.*detach)();
    }
    static void SetStyleOf(Window& window, unsigned style) {
        void (Window::*setStyle)(unsigned) = &WindowBinder::SetStyleBits;
        (window.*setStyle)(style);
    }
};

bool IsClass(const QString& windowClass, const char* name) {
    return windowClass.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

WParam Command(int id, unsigned notification) {
    return (static_cast<WParam>(notification) << 16) | (static_cast<WParam>(id) & 0xFFFF);
}

void Notify(Dialog& dialog, int id, unsigned notification) {
    if (id >= 0) {
        dialog.SendMessage(kMsgCommand, Command(id, notification), 0);
    }
}

QWidget* MakeButton(Dialog& dialog, const DialogItemTemplate& item, QWidget* parent) {
    const unsigned kind = item.style & 0x0F;
    if (kind == kBsCheckBox || kind == kBsAutoCheckBox) {
        auto* box = new QCheckBox(DialogText(item.text), parent);
        QObject::connect(box, &QCheckBox::clicked, box, [&dialog, box, kind, id = item.id] {
            // A plain check box leaves its state to the program.
            if (kind == kBsCheckBox) {
                box->setChecked(!box->isChecked());
            }
            Notify(dialog, id, kBnClicked);
        });
        return box;
    }
    auto* button = new QPushButton(DialogText(item.text), parent);
    // Enter is the dialog's OK; a push button is pressed by Enter only while it has the focus.
    button->setAutoDefault(false);
    button->setDefault(kind == kBsDefPushButton);
    QObject::connect(button, &QPushButton::clicked, button,
                     [&dialog, id = item.id] { Notify(dialog, id, kBnClicked); });
    return button;
}

QWidget* MakeStatic(const DialogItemTemplate& item, const QRect& place, QWidget* parent) {
    auto* label = new QLabel(parent);
    const unsigned kind = item.style & 0x1F;
    if (kind == kSsIcon) {
        const QStringList paths = FindIcon(item.text.toUInt());
        QIcon icon;
        for (const QString& path : paths) {
            icon.addFile(path);
        }
        label->setPixmap(icon.pixmap(place.size()));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    label->setText(DialogText(item.text));
    label->setWordWrap(true);
    const Qt::Alignment horizontal = kind == kSsRight    ? Qt::AlignRight
                                     : kind == kSsCenter ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

QWidget* MakeEdit(const DialogItemTemplate& item, QWidget* parent) {
    auto* edit = new QLineEdit(item.text, parent);
    edit->setFrame((item.style & kWsBorder) != 0);
    edit->setReadOnly((item.style & kEsReadOnly) != 0);
    const unsigned align = item.style & 0x03;
    edit->setAlignment(align == kEsRight    ? Qt::AlignRight
                       : align == kEsCenter ? Qt::AlignHCenter
                                            : Qt::AlignLeft);
    return edit;
}

QWidget* MakeComboBox(Dialog& dialog, const DialogItemTemplate& item, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable((item.style & 0x03) == kCbsDropDown);
    // Only the user's choice is a selection change; the program's own selecting is not.
    QObject::connect(combo, &QComboBox::activated, combo,
                     [&dialog, id = item.id] { Notify(dialog, id, kCbnSelChange); });
    return combo;
}

std::unique_ptr<Window> MakeWindowObject(const QString& windowClass) {
    if (IsClass(windowClass, "BUTTON")) {
        return std::make_unique<Button>();
    }
    if (IsClass(windowClass, "STATIC")) {
        return std::make_unique<Static>();
    }
    if (IsClass(windowClass, "EDIT")) {
        return std::make_unique<Edit>();
    }
    if (IsClass(windowClass, "COMBOBOX")) {
        return std::make_unique<ComboBox>();
    }
    if (IsClass(windowClass, "msctls_updown32")) {
        return std::make_unique<SpinButton>();
    }
    return std::make_unique<Window>();
}

void ApplyWindowStyle(QWidget* widget, unsigned style) {
    widget->setHidden((style & kWsVisible) == 0);
    widget->setEnabled((style & kWsDisabled) == 0);
    if (widget->focusPolicy() != Qt::NoFocus) {
        widget->setFocusPolicy((style & kWsTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace

DialogBuilder::Result DialogBuilder::Build(Dialog& dialog, const DialogTemplate& dialogTemplate,
                                           QWidget* ownerWidget) {
    Result result;
    auto* frame = new DialogFrame(ownerWidget, [&dialog](int id) {
        dialog.SendMessage(kMsgCommand, Command(id, kBnClicked), 0);
    });
    result.frame = frame;
    const QFont font =
        DialogUnits::TemplateFont(dialogTemplate.fontFace, dialogTemplate.fontPoints);
    frame->setFont(font);
    frame->setWindowTitle(DialogText(dialogTemplate.caption));
    const DialogUnits units(font);
    QWidget* client = frame->Client();

    const QRect templateArea(QPoint(0, 0), QSize(units.ToPixelsX(dialogTemplate.cx),
                                                 units.ToPixelsY(dialogTemplate.cy)));
    QWidget* previous = nullptr;
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        const QRect place = units.ToPixels(item.x, item.y, item.cx, item.cy);
        QWidget* widget = nullptr;
        if (IsClass(item.windowClass, "BUTTON")) {
            widget = MakeButton(dialog, item, client);
        } else if (IsClass(item.windowClass, "STATIC")) {
            widget = MakeStatic(item, place, client);
        } else if (IsClass(item.windowClass, "EDIT")) {
            widget = MakeEdit(item, client);
        } else if (IsClass(item.windowClass, "COMBOBOX")) {
            widget = MakeComboBox(dialog, item, client);
        } else if (IsClass(item.windowClass, "msctls_updown32")) {
            widget = new UpDownControl(item.style, client);
        } else {
            widget = new QWidget(client);
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            // The template's height includes the dropped-down list; the box itself is as
            // high as its font needs.
            const int boxHeight = combo->sizeHint().height();
            combo->setGeometry(place.x(), place.y(), place.width(), boxHeight);
            const int itemHeight = combo->fontMetrics().height() + 4;
            combo->setMaxVisibleItems(std::max(1, (place.height() - boxHeight) / itemHeight));
        } else {
            widget->setGeometry(place);
        }
        ApplyWindowStyle(widget, item.style);
        // A control placed wholly outside the template's area is parked there until the
        // program moves it into view and shows it; a full-screen dialog on a screen larger
        // than the handheld's would otherwise reach it.
        if (!templateArea.intersects(place)) {
            widget->hide();
        }
        if (auto* upDown = qobject_cast<UpDownControl*>(widget)) {
            if ((item.style & UpDownControl::kAutoBuddy) != 0) {
                upDown->SetBuddy(qobject_cast<QLineEdit*>(previous));
            }
        }

        Control control{item.id, widget, item.style, MakeWindowObject(item.windowClass)};
        Bind(*control.window, widget, item.style);
        result.controls.push_back(std::move(control));
        previous = widget;
    }

    frame->resize(frame->SizeForClient(templateArea.size()));
    return result;
}

void DialogBuilder::Bind(Window& window, QWidget* widget, unsigned style) {
    WindowBinder::AttachTo(window, widget);
    WindowBinder::SetStyleOf(window, style);
}

void DialogBuilder::Unbind(Window& window) {
    WindowBinder::DetachFrom(window);
}

}  // namespace platform
