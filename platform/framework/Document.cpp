#include "platform/framework/Document.h"

#include "platform/core/Messages.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace platform {

Document::~Document() {
    // Views that outlive their document must not reach back into it.
    for (View* view : m_views) {
        view->m_document = nullptr;
    }
}

ViewPosition Document::GetFirstViewPosition() const {
    return m_views.empty() ? nullptr : static_cast<ViewPosition>(m_views.data());
}

View* Document::GetNextView(ViewPosition& position) const {
    if (position == nullptr) {
        return nullptr;
    }
    const auto* slot = static_cast<View* const*>(position);
    View* view = *slot;
    const bool last = slot + 1 == m_views.data() + m_views.size();
    position = last ? nullptr : static_cast<ViewPosition>(slot + 1);
    return view;
}

bool Document::CanCloseFrame(Frame* /*frame*/) {
    return true;
}

bool Document::OnNewDocument() {
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        MessageBox(QCoreApplication::translate("platform::Document", "Cannot open the document %1.")
                       .arg(path),
                   kMbIconError);
        return false;
    }
    Archive archive(path, false);
    Serialize(archive);
    return true;
}

void Document::Serialize(Archive& /*archive*/) {}

void Document::AddView(View* view) {
    if (view != nullptr && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void Document::RemoveView(View* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

}  // namespace platform
