// The list and menu tables: ids that the window dispatches on must be unique and findable.
#include "ui/model/ListLayouts.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/Text.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

void CollectIds(std::span<const MenuItemSpec> items, std::set<int>& ids, int& count) {
    for (const MenuItemSpec& item : items) {
        if (!item.children.empty()) {
            EXPECT_EQ(item.id, 0) << ToUtf8(item.caption);
            CollectIds(item.children, ids, count);
        } else if (!item.caption.empty()) {
            ++count;
            EXPECT_TRUE(ids.insert(item.id).second) << ToUtf8(item.caption);
            EXPECT_FALSE(item.handler.empty()) << ToUtf8(item.caption);
            EXPECT_EQ(FindMenuItem(item.id), &item);
        }
    }
}

TEST(ListLayoutsTest, MenuCommandsAreUniqueAndFoundInSubmenus) {
    std::set<int> ids;
    int count = 0;
    for (const ListSpec& list : MainWindowLists())
        CollectIds(list.menu, ids, count);
    EXPECT_EQ(count, static_cast<int>(ids.size()));
    const MenuItemSpec* suspend = FindMenuItem(cmd::kPopProcSuspend);
    ASSERT_NE(suspend, nullptr);
    EXPECT_EQ(suspend->caption, u"&Suspend");
    EXPECT_EQ(FindMenuItem(0), nullptr);
}

TEST(ListLayoutsTest, EveryListHasColumnsAndTheResultListsCarryCheckBoxes) {
    std::set<int> lists;
    for (const ListSpec& list : MainWindowLists()) {
        EXPECT_TRUE(lists.insert(list.controlId).second);
        EXPECT_FALSE(list.columns.empty()) << ToUtf8(list.name);
        for (const ColumnSpec& column : list.columns)
            EXPECT_GT(column.widthTwips, 0) << ToUtf8(list.name);
    }
    EXPECT_EQ(lists.size(), 8u);
    for (int id : {ctl::kLVDetect, ctl::kLVRegDet, ctl::kLVHide, ctl::kLVCage, ctl::kLVLock})
        EXPECT_TRUE(FindList(id)->checkBoxes) << id;
    EXPECT_TRUE(FindList(ctl::kLVLock)->menu.empty());
    EXPECT_EQ(FindList(ctl::kLVDetect)->columns[2].title, u"File Path");
    EXPECT_EQ(FindList(12345), nullptr);
}

}  // namespace
}  // namespace vestra::ui
