#include "platform/framework/CommandTarget.h"

namespace platform {

bool CommandTarget::OnCmdMsg(unsigned id, CommandUpdate* update) {
    return DispatchOwn(id, update);
}

bool CommandTarget::DispatchOwn(unsigned id, CommandUpdate* update) {
    const bool wantUpdate = update != nullptr;
    for (const Entry& entry : m_table) {
        if (entry.id == id && entry.isUpdate == wantUpdate) {
            entry.handler(update);
            return true;
        }
    }
    // A command this table carries out, but without an update handler, is simply enabled.
    if (wantUpdate) {
        for (const Entry& entry : m_table) {
            if (entry.id == id) {
                update->Enable(true);
                return true;
            }
        }
    }
    return false;
}

}  // namespace platform
