#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/raw_store.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"

// A started main window on a chat.db of the test's own, with every dialog scripted.
class FormTest : public testing::Test {
public:
    using Rows = std::vector<std::pair<std::string, std::string>>;  // (column 0, column 1) per row

protected:
    void TearDown() override;

    // Creates chat.db with its tables and the given categories (ID, name) and messages (typeid, text)
    // before start-up. Texts are GBK; they are stored as UTF-8.
    void Seed(const std::vector<std::pair<int, std::string>>& categories,
              const std::vector<std::pair<int, std::string>>& messages = {});
    // Start-up as the program runs it: state, window, OnWindowCreated. No event loop.
    HWND Start();

    std::vector<std::string> Tabs() const;
    Rows ListRows() const;
    void SelectRow(int row) const;
    // The user picks a tab (the control reports the change to the window).
    void PickTab(int index) const;
    void Click(HWND button) const;
    void Choose(WORD menuItem) const;  // a menu item chosen
    // Texts of stored messages of a category in ID order, as GBK.
    std::vector<std::string> StoredTexts(int categoryId) const;
    RawRows Stored(const std::string& sql) const { return RawQuery(Db(), sql); }
    std::string Db() const { return directory_.File("chat.db"); }
    // Every dialog so far was shown with followActive clear, and it is set again now.
    void ExpectDockingPausedForDialogs() const;

    TempWorkingDirectory directory_;
    ScriptedDialogs dialogs_;
    HWND window_ = nullptr;
};

// Rows helper: {"1", "a"}, {"2", "b"}, ... for the given texts.
FormTest::Rows Numbered(const std::vector<std::string>& texts);
