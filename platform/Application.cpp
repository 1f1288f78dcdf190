#include "platform/Application.h"

#include <QApplication>

namespace platform {

namespace {
Application* s_instance = nullptr;
}  // namespace

// Runs during static initialisation: no Qt object may be made here.
Application::Application(const QString& appName) : m_appName(appName) {
    s_instance = this;
}

Application::~Application() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

Application* Application::Instance() {
    return s_instance;
}

int Application::Run(int argc, char** argv) {
    // Qt takes its own options (-platform, -style, ...) out of argc and argv.
    QApplication app(argc, argv);
    m_arguments.clear();
    for (int i = 1; i < argc; ++i) {
        m_arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (InitInstance()) {
        m_exitCode = QApplication::exec();
    }
    return ExitInstance();
}

bool Application::InitInstance() {
    return true;
}

int Application::ExitInstance() {
    return m_exitCode;
}

void Application::SetRegistryKey(const QString& keyName) {
    m_registryKey = keyName;
    m_profile.emplace(keyName, m_appName);
}

// Before a registry key is set, the application's name names the store.
int Application::GetProfileInt(const QString& section, const QString& key, int defaultValue) const {
    if (m_profile) {
        return m_profile->GetProfileInt(section, key, defaultValue);
    }
    return ProfileStore(m_appName, m_appName).GetProfileInt(section, key, defaultValue);
}

bool Application::WriteProfileInt(const QString& section, const QString& key, int value) {
    if (m_profile) {
        return m_profile->WriteProfileInt(section, key, value);
    }
    return ProfileStore(m_appName, m_appName).WriteProfileInt(section, key, value);
}

bool Application::OnCmdMsg(unsigned id, CommandUpdate* update) {
    return DispatchOwn(id, update);
}

}  // namespace platform
