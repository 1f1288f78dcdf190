// Leaks a block of its own on purpose, in a process that has drawn text (so fontconfig has
// loaded its caches) like the program does. LeakSanitizer must still report the block with the
// project's suppressions: a suppression that hid it would hide our own leaks too.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// volatile, so that the block is not kept reachable through a register or optimised away.
void* volatile s_lost = nullptr;

__attribute__((noinline)) void LeakOnPurpose() {
    s_lost = new char[384];
    s_lost = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QImage image(200, 40, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Arial"), 12));
    painter.drawText(image.rect(), QStringLiteral("Druno 123"));
    painter.end();
    LeakOnPurpose();
    // LeakSanitizer ends the process without flushing the standard streams.
    std::puts("leaked");
    std::fflush(stdout);
    return 0;
}
