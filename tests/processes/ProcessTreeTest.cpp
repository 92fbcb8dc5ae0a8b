// The process tree's order, concealed titles and the shut-down words.
#include "processes/ProcessTree.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra::processes {
namespace {

ProcessInfo P(std::uint32_t id, std::uint32_t parent) {
    ProcessInfo p;
    p.processId = id;
    p.parentId = parent;
    p.name = u"p";
    p.name += ToText(id);
    return p;
}

TEST(ProcessTreeTest, EveryNodeFollowsItsParent) {
    // 0 is its own parent; 7's parent exited; 30 and 31 loop on a reused id; 12 is listed
    // before its parent 11.
    const std::vector<ProcessInfo> entries = {P(0, 0),   P(4, 0),   P(12, 11), P(11, 4),
                                              P(7, 999), P(30, 31), P(31, 30), P(13, 12)};
    const std::vector<TreeNode> nodes = BuildProcessTree(entries);
    std::vector<std::string> order;
    for (const TreeNode& n : nodes)
        order.push_back(ToUtf8(n.key) + "<" + ToUtf8(n.parentKey));
    EXPECT_EQ(order,
              (std::vector<std::string>{"K0<", "K7<", "K4<K0", "K11<K4", "K12<K11", "K13<K12"}));
}

TEST(ConcealTextTest, FillersMarkTheTitleAndComeOutAgain) {
    bool flip = false;
    auto pick = [&] { return flip = !flip; };
    const std::u16string concealed = ConcealText(u"Task", 1, pick);
    EXPECT_EQ(concealed, u"T\u00A0a s\u00A0k ");
    EXPECT_FALSE(ShouldConceal(concealed));
    EXPECT_FALSE(ShouldConceal(u""));
    EXPECT_TRUE(ShouldConceal(u"Task"));
    EXPECT_EQ(RevealText(concealed), u"Task");
}

TEST(ShutdownWordTest, FlagsNameTheirCommand) {
    EXPECT_EQ(ToUtf8(ShutdownWord(0)), "Log Off");
    EXPECT_EQ(ToUtf8(ShutdownWord(2)), "Restart");
    EXPECT_EQ(ToUtf8(ShutdownWord(7)), "Switch User");
    EXPECT_TRUE(ShutdownWord(3).empty());
}

}  // namespace
}  // namespace vestra::processes
