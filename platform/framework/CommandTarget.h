#pragma once

// Command tables: each command target lists, in order, the commands it carries out and the
// command-update handlers that enable them. Frames route a command view, document, frame,
// application; the first table that has an entry for it wins.

#include <functional>
#include <vector>

namespace platform {

// What an update handler decides: whether the items that carry the command (menu items and
// command-bar buttons alike) are enabled, and for a command that switches something on and
// off, whether they show a check mark. An item whose handler never sets a check has none.
class CommandUpdate {
public:
    void Enable(bool enable = true) { m_enabled = enable; }
    bool IsEnabled() const { return m_enabled; }
    void SetCheck(bool check = true) {
        m_checkable = true;
        m_checked = check;
    }
    bool IsCheckable() const { return m_checkable; }
    bool IsChecked() const { return m_checked; }

private:
    bool m_enabled = true;
    bool m_checkable = false;
    bool m_checked = false;
};

class CommandTarget {
public:
    CommandTarget() = default;
    virtual ~CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // With update null, carries out the command; otherwise runs its update handler.
    // Answers whether a table entry took it. Frames, views and documents route it further.
    virtual bool OnCmdMsg(unsigned id, CommandUpdate* update);

protected:
    template <class T>
    void AddCommand(unsigned id, void (T::*handler)()) {
        m_table.push_back(
            {id, false, [this, handler](CommandUpdate*) { (static_cast<T*>(this)->*handler)(); }});
    }
    template <class T>
    void AddUpdate(unsigned id, void (T::*handler)(CommandUpdate*)) {
        m_table.push_back({id, true, [this, handler](CommandUpdate* update) {
                               (static_cast<T*>(this)->*handler)(update);
                           }});
    }
    // Looks in this target's own table only.
    bool DispatchOwn(unsigned id, CommandUpdate* update);

private:
    struct Entry {
        unsigned id;
        bool isUpdate;
        std::function<void(CommandUpdate*)> handler;
    };
    std::vector<Entry> m_table;
};

}  // namespace platform
