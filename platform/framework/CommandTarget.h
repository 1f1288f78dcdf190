#pragma once

// Command tables: each command target lists, in order, the commands it carries out and the
// command-update handlers that enable them. Frames route a command view, document, frame,
// application; the first table that has an entry for it wins.

#include <functional>
#include <vector>

namespace platform {

// What an update handler decides for the items that carry a command (menu items and
// command-bar buttons alike): whether they are enabled, and whether they carry a mark. A
// handler that sets no mark leaves the items without one.
class CommandUpdate {
public:
    CommandUpdate() = default;
    explicit CommandUpdate(unsigned id) : m_id(id) {}

    // The command being updated, so that one handler can serve several.
    unsigned ID() const { return m_id; }

    void Enable(bool enable = true) { m_enabled = enable; }
    bool IsEnabled() const { return m_enabled; }
    // A check mark: 0 none, 1 checked.
    void SetCheck(int check = 1) {
        m_check = check != 0 ? 1 : 0;
        m_radio = false;
        m_marked = true;
    }
    // A radio mark, the dot of one choice among several; false shows the choice unchosen.
    void SetRadio(bool on = true) {
        m_check = on ? 1 : 0;
        m_radio = true;
        m_marked = true;
    }
    // Whether the handler set a mark at all, which one, and whether it is on.
    bool IsMarked() const { return m_marked; }
    bool IsRadio() const { return m_radio; }
    int GetCheck() const { return m_check; }

private:
    unsigned m_id = 0;
    bool m_enabled = true;
    bool m_marked = false;
    bool m_radio = false;
    int m_check = 0;
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
