#pragma once

#include <gtest/gtest.h>

#include "harness/program.h"
#include "harness/promotions.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"

namespace qb::e2e {

// A fresh program folder and a registry on which the program ran once,
// today: no promotion window will appear and the banner is hidden. Tests
// of the promotions set their own launch state.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRegistry();
    SetLaunchState(0, 0);
  }

  // A value of the program's settings, stored before the program starts.
  static void SetSetting(const std::wstring& name, const std::wstring& value) {
    SetString(HKEY_CURRENT_USER, kSettingsKey, name, value);
  }
  static std::optional<std::wstring> Setting(const std::wstring& name) {
    return ReadString(HKEY_CURRENT_USER, kSettingsKey, name);
  }

  // Starts the program and waits for its main window.
  HWND StartProgram(const std::wstring& arguments = L"") {
    process_ = folder_.Start(arguments);
    main_ = WaitForMainWindow(process_);
    return main_;
  }

  ProgramFolder folder_;
  Process process_;
  HWND main_ = nullptr;
};

}  // namespace qb::e2e
