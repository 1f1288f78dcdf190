#pragma once

// The framework's single-document template: one document, one frame and one view, created
// from their registered classes when the application opens a document.

#include <QString>

#include <memory>

namespace platform {

class Application;
class Document;
class Frame;
struct RuntimeClass;

class SingleDocTemplate {
public:
    SingleDocTemplate(unsigned resourceId, const RuntimeClass& documentClass,
                      const RuntimeClass& frameClass, const RuntimeClass& viewClass);
    ~SingleDocTemplate();

    unsigned ResourceId() const { return m_resourceId; }
    // Creates the document (new, or read from path), its frame and its view. Null on failure.
    Document* OpenDocumentFile(const QString* path);
    Document* GetDocument() const;
    Frame* GetFrame() const;

private:
    friend class Application;
    unsigned m_resourceId;
    const RuntimeClass& m_documentClass;
    const RuntimeClass& m_frameClass;
    const RuntimeClass& m_viewClass;
    std::unique_ptr<Document> m_document;
    Frame* m_frame = nullptr;  // owned by its window
};

}  // namespace platform
