#include "platform/Application.h"
#include "platform/Document.h"
#include "platform/Frame.h"
#include "platform/RuntimeClass.h"
#include "platform/Strings.h"

#include <QCoreApplication>
#include <QWidget>

namespace platform {

SingleDocTemplate::SingleDocTemplate(unsigned resourceId, const RuntimeClass& documentClass,
                                     const RuntimeClass& frameClass, const RuntimeClass& viewClass)
    : m_resourceId(resourceId),
      m_documentClass(documentClass),
      m_frameClass(frameClass),
      m_viewClass(viewClass) {}

SingleDocTemplate::~SingleDocTemplate() {
    // Windows can only go while the application still exists; after that the process is
    // ending and takes them along.
    Frame* frame = m_frame;
    m_frame = nullptr;
    if (frame != nullptr && QCoreApplication::instance() != nullptr) {
        delete frame;
    }
}

Document* SingleDocTemplate::GetDocument() const {
    return m_document.get();
}

Frame* SingleDocTemplate::GetFrame() const {
    return m_frame;
}

Document* SingleDocTemplate::OpenDocumentFile(const QString* path) {
    // One document at a time: a frame already open takes the new contents.
    if (m_document && m_frame != nullptr) {
        const bool loaded =
            path != nullptr ? m_document->OnOpenDocument(*path) : m_document->OnNewDocument();
        return loaded ? m_document.get() : nullptr;
    }

    CommandTarget* documentObject = m_documentClass.create();
    std::unique_ptr<Document> document(dynamic_cast<Document*>(documentObject));
    if (!document) {
        delete documentObject;
        return nullptr;
    }
    CommandTarget* frameObject = m_frameClass.create();
    auto* frame = dynamic_cast<Frame*>(frameObject);
    if (frame == nullptr) {
        delete frameObject;
        return nullptr;
    }
    if (!frame->LoadFrame(m_resourceId, document.get(), m_viewClass)) {
        delete frame;
        return nullptr;
    }
    // From here on the frame goes with its window.
    frame->SetAutoDelete(true);
    m_frame = frame;

    const bool loaded =
        path != nullptr ? document->OnOpenDocument(*path) : document->OnNewDocument();
    if (!loaded) {
        m_frame = nullptr;
        frame->DestroyWindow();
        return nullptr;
    }
    if (path == nullptr) {
        document->SetTitle(LoadString(m_resourceId).section(QLatin1Char('\n'), 2, 2));
    }
    m_document = std::move(document);
    Application* app = Application::Instance();
    if (app != nullptr && app->m_mainWnd == nullptr) {
        app->m_mainWnd = frame;
    }
    return m_document.get();
}

}  // namespace platform
