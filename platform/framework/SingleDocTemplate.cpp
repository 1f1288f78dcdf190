#include "platform/framework/SingleDocTemplate.h"

#include "platform/framework/Application.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/RuntimeClass.h"

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

    std::unique_ptr<Document> document = CreateObject<Document>(m_documentClass);
    if (!document) {
        return nullptr;
    }
    std::unique_ptr<Frame> newFrame = CreateObject<Frame>(m_frameClass);
    if (!newFrame || !newFrame->LoadFrame(m_resourceId, document.get(), m_viewClass)) {
        return nullptr;
    }
    // From here on the frame goes with its window.
    Frame* frame = newFrame.release();
    frame->SetAutoDelete(true);
    m_frame = frame;

    const bool loaded =
        path != nullptr ? document->OnOpenDocument(*path) : document->OnNewDocument();
    if (!loaded) {
        m_frame = nullptr;
        frame->DestroyWindow();
        return nullptr;
    }
    m_document = std::move(document);
    Application* app = Application::Instance();
    if (app != nullptr && app->m_mainWnd == nullptr) {
        app->m_mainWnd = frame;
    }
    return m_document.get();
}

}  // namespace platform
