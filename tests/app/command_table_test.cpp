#include "app/window/command_table.h"
#include "app/window/key_filter.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int RowsFor(unsigned command) {
    int n = 0;
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row)
        if (row->command == command) ++n;
    return n;
}

const CommandEntry* FirstRow(unsigned command) {
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row)
        if (row->command == command) return row;
    return nullptr;
}

} // namespace

TEST(DispatchCommand, InertRowsAndUnknownCommandsDoNothing) {
    EXPECT_FALSE(DispatchCommand(nullptr, 40038));
    EXPECT_FALSE(DispatchCommand(nullptr, 40052));
    EXPECT_FALSE(DispatchCommand(nullptr, 12345));
    EXPECT_FALSE(DispatchCommand(nullptr, 0));
}

TEST(DispatchCommand, SavePeaksHasItsSecondRow) {
    EXPECT_EQ(RowsFor(40004), 2);
    EXPECT_EQ(RowsFor(40005), 1);
}

TEST(DispatchCommand, EveryAcceleratorHasARow) {
    for (const AcceleratorEntry* key = AcceleratorTable; key->command != 0; ++key)
        EXPECT_GE(RowsFor(key->command), 1) << key->command;
}

TEST(DispatchCommand, CursorRowsCarryTheirCodes) {
    const CommandEntry* up = FirstRow(40043);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->handler, &MoveCursorPairCommand);
    EXPECT_EQ(static_cast<const int*>(up->argument)[0], 11);
    EXPECT_EQ(static_cast<const int*>(up->argument)[1], 23);
    const CommandEntry* ctrlShiftUp = FirstRow(102);
    ASSERT_NE(ctrlShiftUp, nullptr);
    EXPECT_EQ(ctrlShiftUp->handler, &MoveCursorCommand);
    EXPECT_EQ(*static_cast<const int*>(ctrlShiftUp->argument), 11);
    const CommandEntry* level = FirstRow(1019);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(*static_cast<const int*>(level->argument), 31);
    const CommandEntry* mag = FirstRow(40008);
    ASSERT_NE(mag, nullptr);
    EXPECT_EQ(*static_cast<const double*>(mag->argument), 0.0);
}

TEST(DispatchCommand, EveryRangeItemHasItsRow) {
    std::set<unsigned> seen;
    for (const CommandEntry* row = CommandTable; row->command != 0; ++row)
        if (row->handler == &RangeMenuCommand) seen.insert(row->command);
    EXPECT_EQ(seen.size(), 14u);
    EXPECT_TRUE(seen.count(40011));
    EXPECT_TRUE(seen.count(40026));
    EXPECT_FALSE(seen.count(40018));
}

TEST(TranslateAccelerator, ModifiersMustMatchExactly) {
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::NoModifier), 40032u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::ControlModifier), 40034u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::ShiftModifier), 40043u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier), 102u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Up, Qt::AltModifier), 0u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_S, Qt::NoModifier), 0u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_S, Qt::ControlModifier), 40002u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier), 0u);
}

TEST(TranslateAccelerator, EnterTabSpaceAndEscape) {
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Return, Qt::NoModifier), 40005u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Enter, Qt::KeypadModifier), 40005u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Escape, Qt::NoModifier), 40045u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Tab, Qt::NoModifier), 1079u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Tab, Qt::ControlModifier), 1077u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Backtab, Qt::ShiftModifier), 1078u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Space, Qt::NoModifier), 1015u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier), 1018u);
    // Keypad arrows are the arrows.
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Left, Qt::KeypadModifier), 40030u);
}

TEST(DispatchCommand, EveryMenuItemOfTheProgramHasAHandler) {
    // Items of the Japanese menu and the panel buttons: none is a dead end any more.
    for (unsigned command :
         {40001u, 40002u, 40003u, 40004u, 40057u, 40058u, 8u,     40005u, 40045u, 40051u,
          1063u,  1065u,  40036u, 40037u, 40039u, 40040u, 40048u, 40049u, 40061u, 40059u,
          40060u, 40062u, 40063u, 40064u, 40050u, 1074u,  1075u,  1077u,  1079u,  1078u}) {
        const CommandEntry* row = FirstRow(command);
        ASSERT_NE(row, nullptr) << command;
        EXPECT_NE(row->handler, nullptr) << command;
    }
}
