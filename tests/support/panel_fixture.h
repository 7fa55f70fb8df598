// The panel tests' fixture: the shared main-window fixture, with the example loaded through
// LoadChart, the help window closed after each test and one action on the next modal dialog.
#pragma once

#include "app/panels/cursor_pad.h"
#include "app/panels/panels.h"
#include "support/app_test_support.h"

#include <functional>

using apptest::Pump;

class PanelTest : public apptest::AppTest {
  protected:
    void TearDown() override {
        if (window) window->MarkChartSaved();
        AppTest::TearDown();
        ForgetPanelPlaces();
        CloseHelp();
    }

    void LoadExample() {
        Open();
        ASSERT_EQ(LoadChart(window, chart), 1);
        Pump();
    }

    // Runs action on the first visible modal dialog of type T that opens (polled every 5 ms).
    template <typename T> void WhenModal(std::function<void(T*)> action) {
        OnDialog<T>([action](T* dialog) {
            action(dialog);
            return true;
        });
    }
};
