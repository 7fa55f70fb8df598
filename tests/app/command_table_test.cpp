#include "app/window/command_table.h"
#include "app/window/key_filter.h"

#include <gtest/gtest.h>

namespace {

const CommandEntry* FirstRow(unsigned command) {
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row)
        if (row->command == command) return row;
    return nullptr;
}

} // namespace

TEST(CommandTable, EveryKeyAndMenuItemReachesAHandlerAndUnknownCodesDoNothing) {
    for (const AcceleratorEntry* key = AcceleratorTable; key->command != 0; ++key)
        EXPECT_NE(FirstRow(key->command), nullptr) << key->command;
    // Items of the menu and the panel buttons: none is a dead end.
    for (unsigned command :
         {40001u, 40002u, 40003u, 40004u, 40057u, 40058u, 8u,     40005u, 40045u, 40051u,
          1063u,  1065u,  40036u, 40037u, 40039u, 40040u, 40048u, 40049u, 40061u, 40059u,
          40060u, 40062u, 40063u, 40064u, 40050u, 1074u,  1075u,  1077u,  1079u,  1078u}) {
        const CommandEntry* row = FirstRow(command);
        ASSERT_NE(row, nullptr) << command;
        EXPECT_NE(row->handler, nullptr) << command;
    }
    for (unsigned inert : {40038u, 40052u, 12345u, 0u})
        EXPECT_FALSE(DispatchCommand(nullptr, inert)) << inert;
}

TEST(TranslateAccelerator, ModifiersMustMatchExactly) {
    struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        unsigned command;
    } cases[] = {
        {Qt::Key_Up, Qt::NoModifier, 40032u},
        {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier, 102u},
        {Qt::Key_Up, Qt::AltModifier, 0u},
        {Qt::Key_S, Qt::NoModifier, 0u},
        {Qt::Key_S, Qt::ControlModifier, 40002u},
        {Qt::Key_Enter, Qt::KeypadModifier, 40005u},
        {Qt::Key_Backtab, Qt::ShiftModifier, 1078u},
        {Qt::Key_Left, Qt::KeypadModifier, 40030u}, // keypad arrows are the arrows
    };
    for (const auto& c : cases)
        EXPECT_EQ(TranslateAccelerator(c.key, c.modifiers), c.command) << c.key;
}
