#include "guardian/watch_cycle.h"

#include <gtest/gtest.h>

#include <set>

#include "error_matchers.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/memory_window_list.h"
#include "platform/utf.h"
#include "registry/registry_key.h"
#include "scanner/helper_objects.h"
#include "scanner/removal_paths.h"

namespace qb::guardian {
namespace {

using platform::RegistryRoot;
using qb::testing::ErrorOf;

constexpr char16_t kA[] = u"E2E0000A-0000-4000-8000-00000000000A";
constexpr char16_t kB[] = u"E2E0000B-0000-4000-8000-00000000000B";
constexpr char16_t kC[] = u"E2E0000C-0000-4000-8000-00000000000C";
constexpr char16_t kD[] = u"E2E0000D-0000-4000-8000-00000000000D";

// As the list files hold a CLSID.
std::string Ansi(std::u16string_view text) { return platform::Windows1252().Encode(text); }

std::string Lower(std::string text) {
  for (char& c : text) c = lists::FoldCase(c);
  return text;
}

// A machine with an in-memory registry, files and windows, and an alert
// that answers from a script and records what it was asked.
class WatchCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.CreateDirectories("/p");
    files.Put("/p/CLSIDs.txt", "");
    lists.Load();
  }

  void Register(std::u16string_view clsid) {
    registry.SetValue(RegistryRoot::LocalMachine, scanner::RemovedKeyPath(clsid), u"x",
                      platform::MakeStringValue("y"));
  }
  bool Registered(std::u16string_view clsid) {
    return registry.KeyExists(RegistryRoot::LocalMachine, scanner::RemovedKeyPath(clsid));
  }
  void List(const std::string& file, std::u16string_view clsid) {
    files.Put("/p/" + file, Ansi(clsid) + "\r\n");
    lists.Load();
  }
  std::string StartPage() {
    registry::RegistryKey key(registry, RegistryRoot::CurrentUser);
    return key.OpenKey(kStartPageKey, false) ? key.ReadString(kStartPageValue) : "(none)";
  }
  std::set<std::string> Backups() const {
    std::set<std::string> backups;
    for (const std::string& name : files.FileNames()) {
      if (name.starts_with("/p/backup/")) backups.insert(name);
    }
    return backups;
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  platform::MemoryWindowList windows;
  platform::FixedClock clock{{2004, 3, 5, 9, 7, 2, 0}};
  lists::ClsidLists lists{files, "/p"};
  settings::Settings settings;
  platform::Windows1252 ansi;
  scanner::ObjectRemoval removal{registry, files, clock, "/p", lists.blocked, ansi};

  std::vector<int> answers;  // given in turn
  std::function<void()> during_alert;
  std::vector<std::u16string> asked;  // CurrentCLSID at each alert
  std::vector<std::u16string> stuck;  // balloons about objects that stay
  std::vector<scanner::RemovalReport> reported;
  WatchCycle cycle{{registry, lists, ansi, settings, removal, windows},
                   {[this] {
                      asked.push_back(cycle.current_clsid());
                      if (during_alert) during_alert();
                      return answers.at(asked.size() - 1);
                    },
                    [this](const scanner::RemovalFailure& f) { stuck.push_back(f.clsid); },
                    [this](const scanner::RemovalReport& r) { reported.push_back(r); }}};
};

TEST_F(WatchCycleTest, KnownThenIgnoredThenBlockedDecideAndOnlyNewObjectsAreAsked) {
  for (const char16_t* clsid : {kA, kB, kC, kD}) Register(clsid);
  files.Put("/p/CLSIDs.txt", Ansi(kA) + "\r\n");
  files.Put("/p/ICLSIDs.txt", Lower(Ansi(kB)) + "\r\n");
  // Known or ignored wins over blocked: those objects are never removed.
  files.Put("/p/BCLSIDs.txt", Ansi(kA) + "\r\n" + Ansi(kB) + "\r\n" + Ansi(kC) + "\r\n");
  lists.Load();
  settings.MakeBackup = true;
  answers = {kAlertIgnore};

  EXPECT_FALSE(cycle.Run());
  EXPECT_TRUE(Registered(kA));
  EXPECT_TRUE(Registered(kB));
  EXPECT_FALSE(Registered(kC)) << "blocked: removed";
  EXPECT_TRUE(Backups().empty()) << "a blocked object is removed without a backup";
  EXPECT_EQ(asked, std::vector<std::u16string>{kD});
  EXPECT_TRUE(Registered(kD));
}

TEST_F(WatchCycleTest, TheCurrentClsidIsCharacters2To37OfTheKeyName) {
  const std::u16string objects = platform::Utf8ToUtf16(scanner::kBrowserHelperObjectsKey + 1);
  registry.CreateKey(RegistryRoot::LocalMachine, objects + u"\\xNOT-A-CLSID");
  registry.CreateKey(RegistryRoot::LocalMachine, objects + u"\\{" + kA + u"}tail");
  answers = {kAlertClosing, kAlertClosing};
  cycle.Run();
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"NOT-A-CLSID", kA})) << "the registry's order";
  EXPECT_EQ(cycle.current_clsid(), kA) << "kept after the tick";
}

TEST_F(WatchCycleTest, AllowAndIgnoreListsTheObjectOnceAndLeavesItRegistered) {
  Register(kA);
  answers = {kAlertIgnore};
  cycle.Run();
  EXPECT_TRUE(Registered(kA));
  EXPECT_EQ(files.Get("/p/ICLSIDs.txt"), Ansi(kA) + "\r\n");
  cycle.Run();  // no second question
  EXPECT_EQ(asked.size(), 1u);
}

TEST_F(WatchCycleTest, DeleteBacksUpWhenAskedThenBlocksAndRemoves) {
  Register(kA);
  Register(kB);
  settings.MakeBackup = true;
  answers = {kAlertDelete, kAlertDelete};
  cycle.Run();
  EXPECT_FALSE(Registered(kA));
  EXPECT_FALSE(Registered(kB));
  EXPECT_EQ(Backups().size(), 2u) << "one backup per answer";
  EXPECT_EQ(files.Get("/p/BCLSIDs.txt"), Ansi(kA) + "\r\n" + Ansi(kB) + "\r\n");
  EXPECT_TRUE(reported.empty());

  // Registered again: removed by the next tick, without a question.
  Register(kA);
  cycle.Run();
  EXPECT_FALSE(Registered(kA));
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(WatchCycleTest, DeleteWithoutBackupSettingWritesNoBackup) {
  Register(kA);
  settings.MakeBackup = false;
  answers = {kAlertDelete};
  cycle.Run();
  EXPECT_FALSE(Registered(kA));
  EXPECT_TRUE(Backups().empty());
}

TEST_F(WatchCycleTest, StopEndsTheLoopAtOnceAndIsReported) {
  Register(kA);
  Register(kB);
  answers = {kAlertStop};
  EXPECT_TRUE(cycle.Run());
  EXPECT_EQ(asked.size(), 1u) << "the second object is not asked about";
  EXPECT_TRUE(Registered(kA));
  EXPECT_FALSE(files.Get("/p/ICLSIDs.txt"));

  // The stop request belongs to one tick.
  answers = {kAlertStop, kAlertClosing, kAlertClosing};
  EXPECT_FALSE(cycle.Run());
  EXPECT_EQ(asked.size(), 3u);
}

TEST_F(WatchCycleTest, AStopRequestedDuringAnAlertEndsTheTickAfterTheAnswer) {
  Register(kA);
  Register(kB);
  during_alert = [this] { cycle.RequestStop(); };
  answers = {kAlertIgnore, kAlertIgnore};
  EXPECT_TRUE(cycle.Run());
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(files.Get("/p/ICLSIDs.txt"), Ansi(kA) + "\r\n") << "the answer is carried out";
}

TEST_F(WatchCycleTest, ClosingAnswersGoOnWithTheNextObject) {
  Register(kA);
  Register(kB);
  answers = {kAlertClosing, kAlertClosing};
  EXPECT_FALSE(cycle.Run());
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(Registered(kA));
  EXPECT_TRUE(Registered(kB));
}

TEST_F(WatchCycleTest, ABlockedObjectThatStaysIsToldOncePerRunAndRetriedSilently) {
  Register(kA);
  List("BCLSIDs.txt", kA);
  registry.Protect(RegistryRoot::LocalMachine, scanner::RemovedKeyPath(kA));
  cycle.Run();
  cycle.Run();
  cycle.Run();
  EXPECT_TRUE(Registered(kA));
  EXPECT_EQ(stuck, std::vector<std::u16string>{kA});
  EXPECT_EQ(StuckObjectNotice({kA, {platform::RegistryStatusKind::AccessDenied, 5}}),
            "The blocked object {E2E0000A-0000-4000-8000-00000000000A} could not be removed "
            "(access is denied). It stays installed; Vod Uridazur keeps trying.");
}

TEST_F(WatchCycleTest, ADeleteThatLeavesTheKeyIsReportedAndNotToldAgainByBalloon) {
  Register(kA);
  registry.Protect(RegistryRoot::LocalMachine, scanner::RemovedKeyPath(kA));
  settings.MakeBackup = false;
  answers = {kAlertDelete};
  cycle.Run();
  ASSERT_EQ(reported.size(), 1u);
  ASSERT_EQ(reported[0].failures.size(), 1u);
  EXPECT_EQ(reported[0].failures[0].clsid, kA);
  cycle.Run();  // silently retried
  EXPECT_TRUE(stuck.empty());
  EXPECT_EQ(asked.size(), 1u);
}

TEST_F(WatchCycleTest, TheStartPageIsWrittenEveryTickOnlyWhenHeld) {
  registry.SetString(RegistryRoot::CurrentUser, kStartPageKey, kStartPageValue, "http://x/");
  cycle.Run();
  EXPECT_EQ(StartPage(), "http://x/");
  settings.SetHomePage = true;
  settings.HomePage = "http://home/";
  cycle.Run();
  EXPECT_EQ(StartPage(), "http://home/");
}

// Held without a write on every tick: the user's hive is written only when
// the value is not the very one the guard keeps. A tick that finds nothing
// to do (known and ignored objects, no pop-up) writes nothing at all.
TEST_F(WatchCycleTest, TheHeldStartPageIsWrittenOnlyWhenItDiffers) {
  using platform::MakeStringValue;
  settings.SetHomePage = true;
  settings.HomePage = "http://home/";
  files.Put("/p/CLSIDs.txt", Ansi(kA) + "\r\n");
  List("ICLSIDs.txt", kB);
  Register(kA);
  Register(kB);
  windows.Add({1, "Editor", "Edit", true, false});
  const auto writes_of_a_tick = [&] {
    const std::size_t before = registry.value_writes();
    const int file_writes = files.write_count();
    cycle.Run();
    EXPECT_EQ(files.write_count(), file_writes);
    return registry.value_writes() - before;
  };
  const auto held = [&] {
    return registry.GetValue(RegistryRoot::CurrentUser, kStartPageKey, kStartPageValue) ==
           MakeStringValue("http://home/");
  };

  EXPECT_EQ(writes_of_a_tick(), 1u) << "a missing key";
  EXPECT_TRUE(held());
  EXPECT_EQ(writes_of_a_tick(), 0u);
  EXPECT_EQ(writes_of_a_tick(), 0u);
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(windows.close_requests().empty());
  EXPECT_TRUE(Registered(kA) && Registered(kB));
  EXPECT_TRUE(Backups().empty());

  const platform::RegistryValue changed[] = {
      MakeStringValue("http://other/"),
      MakeStringValue("http://home/", platform::value_type::kExpandString),
      MakeStringValue(std::u16string_view(u"http://home/\0http://other/", 26)),
      platform::MakeDwordValue(1),
  };
  for (const platform::RegistryValue& value : changed) {
    registry.SetValue(RegistryRoot::CurrentUser, kStartPageKey, kStartPageValue, value);
    EXPECT_EQ(writes_of_a_tick(), 1u) << value.type;
    EXPECT_TRUE(held()) << value.type;
  }
  registry.DeleteTree(RegistryRoot::CurrentUser, kStartPageKey);
  registry.CreateKey(RegistryRoot::CurrentUser, kStartPageKey);
  EXPECT_EQ(writes_of_a_tick(), 1u) << "a missing value";
  EXPECT_TRUE(held());
}

TEST_F(WatchCycleTest, AnErrorEndsTheTickAtItsStep) {
  Register(kA);
  settings.SetHomePage = true;
  registry.CreateKey(RegistryRoot::CurrentUser, kStartPageKey);
  registry.Protect(RegistryRoot::CurrentUser, kStartPageKey);
  EXPECT_NE(ErrorOf([&] { cycle.Run(); }), "(no error)");
  EXPECT_TRUE(asked.empty()) << "the objects come after the start page";

  // A blocked list that cannot be saved stops at the answer.
  settings.SetHomePage = false;
  files.FailWritesTo("/p/BCLSIDs.txt");
  settings.MakeBackup = false;
  answers = {kAlertDelete};
  EXPECT_EQ(ErrorOf([&] { cycle.Run(); }), "Cannot create file /p/BCLSIDs.txt");
  EXPECT_TRUE(Registered(kA));
}

TEST_F(WatchCycleTest, ThePopUpPassRunsOnlyWithTheBlockerOn) {
  windows.Add({1, "Ad", "IEFrame", true, false});
  settings.EnablePopUpBlocker = false;
  cycle.Run();
  EXPECT_TRUE(windows.close_requests().empty());
  settings.EnablePopUpBlocker = true;
  cycle.Run();
  EXPECT_EQ(windows.close_requests(), std::vector<platform::WindowId>{1});
}

// An event runs the tick's work for what changed only, under the same
// settings and rules.
TEST_F(WatchCycleTest, AnEventLooksOnlyAtWhatChanged) {
  Register(kA);
  Register(kB);
  List("BCLSIDs.txt", kA);
  settings.SetHomePage = true;
  settings.HomePage = "http://home/";
  windows.Add({1, "Ad", "IEFrame", true, false});
  windows.Add({2, "Ad", "IEFrame", true, false});
  PopupWatch named;
  named.Named(2);

  WatchScope objects_only{false, false, true, &named};
  answers = {kAlertClosing};
  EXPECT_FALSE(cycle.Run(objects_only));
  EXPECT_FALSE(Registered(kA)) << "blocked: removed";
  EXPECT_EQ(asked, std::vector<std::u16string>{kB});
  EXPECT_EQ(StartPage(), "(none)");
  EXPECT_TRUE(windows.close_requests().empty());

  WatchScope start_page_and_windows{true, true, false, &named};
  cycle.Run(start_page_and_windows);
  EXPECT_EQ(StartPage(), "http://home/");
  EXPECT_EQ(windows.close_requests(), std::vector<platform::WindowId>{2}) << "only the named one";
  EXPECT_EQ(asked.size(), 1u);

  // Switched off since the events came: nothing is done for them.
  settings.SetHomePage = false;
  settings.EnablePopUpBlocker = false;
  registry.SetString(RegistryRoot::CurrentUser, kStartPageKey, kStartPageValue, "http://x/");
  named.Named(1);
  cycle.Run(start_page_and_windows);
  EXPECT_EQ(StartPage(), "http://x/");
  EXPECT_EQ(windows.close_requests().size(), 1u);
  EXPECT_TRUE(named.empty());
}

// A 32-bit browser's objects are watched as closely as the others.
TEST_F(WatchCycleTest, ObjectsOfThe32BitViewAreAskedAboutAndBlockedOnesRemoved) {
  const std::u16string objects32 =
      u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
      u"Browser Helper Objects\\";
  registry.CreateKey(RegistryRoot::LocalMachine, objects32 + u"{" + kA + u"}");
  registry.CreateKey(RegistryRoot::LocalMachine, objects32 + u"{" + kB + u"}");
  List("BCLSIDs.txt", kB);
  answers = {kAlertClosing};
  cycle.Run();
  EXPECT_EQ(asked, std::vector<std::u16string>{kA});
  EXPECT_EQ(cycle.current_object().views,
            std::vector<platform::RegistryView>{platform::RegistryView::k32});
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, objects32 + u"{" + kB + u"}"));
}

}  // namespace
}  // namespace qb::guardian
