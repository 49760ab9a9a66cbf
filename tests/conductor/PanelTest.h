#pragma once
// A real control panel in the test's own thread, with the sequencer's tables, made afresh for
// every test and taken down after it.

#include "conductor/QControlPanel.h"
#include "conductor/QLostStations.h"
#include "conductor/QSequencer.h"
#include "conductor/QStations.h"
#include "script/QTestMessage.h"
#include "tests/support/TempFiles.h"
#include "toolkit/WinLoop.h"

#include <gtest/gtest.h>

#include <memory>

class TPanelTest : public ::testing::Test {
protected:
    // TEMP names the test's temporary folder, which stands for the stations' TempDir.
    explicit TPanelTest(const char* temp) : temp(temp) {}

    TQMsgReceiver receiver;
    support::TTempFolder temp;

    void SetUp() override {
        TempDir = temp.Name();
        BuildControlPanel(MakeEventRef(&receiver, &TQMsgReceiver::Hook),
                          MakeEventRef(nullptr, NextClick));
        WaitList = std::make_unique<TTextList>();
        ResetLostStations();
    }

    void TearDown() override {
        SetMainWindow(nullptr);
        FreeObj(PanelForm);
        WaitList.reset();
        Sides.clear();
        Steps.clear();
    }
};
