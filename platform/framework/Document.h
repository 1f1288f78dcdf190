#pragma once

// The document base: owns nothing of the program but knows its views.

#include "platform/framework/CommandTarget.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace platform {

class View;
class Frame;

// A document's contents on their way to or from a file.
class Archive {
public:
    Archive(QString path, bool storing) : m_path(std::move(path)), m_storing(storing) {}
    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }
    const QString& Path() const { return m_path; }

private:
    QString m_path;
    bool m_storing;
};

// A place in the list of a document's views; null when the list is exhausted.
using ViewPosition = const void*;

class Document : public CommandTarget {
public:
    Document() = default;
    ~Document() override;

    ViewPosition GetFirstViewPosition() const;
    // The view at the position; moves the position on to the next view.
    View* GetNextView(ViewPosition& position) const;

    // Asks whether the frame may close; the default answers yes.
    virtual bool CanCloseFrame(Frame* frame);
    // A new, empty document; the default answers true.
    virtual bool OnNewDocument();
    // Reads the document from a file through Serialize.
    virtual bool OnOpenDocument(const QString& path);
    virtual void Serialize(Archive& archive);

    // Platform internals: the views register and unregister themselves.
    void AddView(View* view);
    void RemoveView(View* view);

private:
    std::vector<View*> m_views;
};

}  // namespace platform
