// Command tables and the routing of commands and updates view, document, frame, application.

#include "FrameworkFixture.h"
#include "platform/core/Messages.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

namespace {

using fixture::Log;

class Table : public platform::CommandTarget {
public:
    QStringList calls;
    void Add(unsigned id, bool update, const QString& name) {
        if (update) {
            if (name == QStringLiteral("u1")) {
                AddUpdate(id, &Table::U1);
            } else {
                AddUpdate(id, &Table::U2);
            }
        } else if (name == QStringLiteral("c1")) {
            AddCommand(id, &Table::C1);
        } else {
            AddCommand(id, &Table::C2);
        }
    }
    void C1() { calls << QStringLiteral("c1"); }
    void C2() { calls << QStringLiteral("c2"); }
    void U1(platform::CommandUpdate* update) {
        calls << QStringLiteral("u1");
        update->Enable(false);
    }
    void U2(platform::CommandUpdate*) { calls << QStringLiteral("u2"); }
};

TEST(CommandTable, FirstEntryOfItsKindWinsAndCommandAloneEnables) {
    Table table;
    table.Add(1, false, QStringLiteral("c1"));
    table.Add(1, true, QStringLiteral("u1"));
    table.Add(1, false, QStringLiteral("c2"));
    table.Add(1, true, QStringLiteral("u2"));
    table.Add(2, false, QStringLiteral("c2"));

    EXPECT_TRUE(table.OnCmdMsg(1, nullptr));
    platform::CommandUpdate update1;
    EXPECT_TRUE(table.OnCmdMsg(1, &update1));
    EXPECT_FALSE(update1.IsEnabled());
    EXPECT_EQ(table.calls, QStringList({"c1", "u1"}));

    // Only a command entry: the item is simply enabled, nothing runs.
    platform::CommandUpdate update2;
    update2.Enable(false);
    EXPECT_TRUE(table.OnCmdMsg(2, &update2));
    EXPECT_TRUE(update2.IsEnabled());
    EXPECT_EQ(table.calls.size(), 2);

    platform::CommandUpdate update3;
    EXPECT_FALSE(table.OnCmdMsg(3, &update3));
    EXPECT_FALSE(table.OnCmdMsg(3, nullptr));
}

// Each command is in the tables of the targets from its row's first one on; the first
// target in routing order must carry it out.
TEST(CommandRouting, ViewThenDocumentThenFrameThenApplication) {
    fixture::TestApp app;
    fixture::TestDoc doc;
    fixture::TestView view;
    fixture::TestFrame frame;
    const QStringList order = {"view", "doc", "frame", "app"};
    for (unsigned id = 1; id <= 4; ++id) {
        if (id <= 1)
            view.HandleCommand(id);
        if (id <= 2)
            doc.HandleCommand(id);
        if (id <= 3)
            frame.HandleCommand(id);
        app.Add(id, &fixture::TestApp::OnAppCommand);
    }
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &doc, &view));
    for (unsigned id = 1; id <= 4; ++id) {
        Log().clear();
        EXPECT_TRUE(frame.OnCmdMsg(id, nullptr));
        EXPECT_EQ(Log(), QStringList(order.at(static_cast<int>(id) - 1))) << "command " << id;
    }
    Log().clear();
    EXPECT_FALSE(frame.OnCmdMsg(5, nullptr));
    EXPECT_TRUE(Log().isEmpty());
}

}  // namespace
