#include <regex>
#include <set>
#include <string>

#include "harness/compiled_help.h"
#include "harness/program_test.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

// The pages a table of contents names, in order.
std::vector<std::string> PagesOf(const std::string& contents) {
  static const std::regex local(R"re(<param\s+name="Local"\s+value="([^"]+)")re",
                                std::regex::icase);
  std::vector<std::string> pages;
  for (auto it = std::sregex_iterator(contents.begin(), contents.end(), local);
       it != std::sregex_iterator(); ++it) {
    pages.push_back((*it)[1]);
  }
  return pages;
}

TEST(HelpFile, TheBuiltProgramFolderHoldsAHelpFileWhoseContentsListItsPages) {
  const std::filesystem::path file = BuildFolder() / L"program" / L"help.chm";
  ASSERT_TRUE(std::filesystem::exists(file));
  const CompiledHelpDirectory help(file);
  ASSERT_TRUE(help.valid());

  // The file names its table of contents, index, first page and title.
  const auto system = help.Stored("/#SYSTEM");
  ASSERT_TRUE(system);
  const auto settings = SystemEntries(*system);
  EXPECT_EQ(settings.count(0) ? settings.at(0) : "", "toc.hhc");
  EXPECT_EQ(settings.count(1) ? settings.at(1) : "", "index.hhk");
  EXPECT_EQ(settings.count(2) ? settings.at(2) : "", "index.html");
  EXPECT_EQ(settings.count(3) ? settings.at(3) : "", "Quellbright Help");

  // The table of contents compiled in is the one of the sources
  // (the copy the build compiled, beside the program folder)
  const std::string contents = ReadFileBytes(BuildFolder() / L"help" / L"toc.hhc").value_or("");
  ASSERT_TRUE(help.entries().count("/toc.hhc"));
  EXPECT_EQ(help.entries().at("/toc.hhc").length, contents.size());

  const std::vector<std::string> pages = PagesOf(contents);
  const std::set<std::string> listed(pages.begin(), pages.end());
  // One page for every subject of the program...
  for (const char* page :
       {"index.html", "scanning.html", "details.html", "deleting.html", "ignoring_blocking.html",
        "ignored_page.html", "blocked_page.html", "guard.html", "alert.html", "options.html",
        "files.html", "restoring.html"}) {
    EXPECT_TRUE(listed.count(page)) << page;
  }
  // ...each of them inside the help file, and no page left out of the contents.
  for (const std::string& page : pages) {
    const auto entry = help.entries().find("/" + page);
    ASSERT_NE(entry, help.entries().end()) << page;
    EXPECT_GT(entry->second.length, 0u) << page;
  }
  for (const auto& [name, entry] : help.entries()) {
    if (name.ends_with(".html")) {
      EXPECT_TRUE(listed.count(name.substr(1))) << name;
    }
  }
}

class HelpCommandTest : public ProgramTest {};

TEST_F(HelpCommandTest, AMissingHelpFileGivesNoErrorAndNoCrash) {
  folder_.Remove(L"help.chm");
  ASSERT_TRUE(StartProgram());
  PostCommand(main_, ids::kHelp2);
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_TRUE(process_.running());
  EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 300));
}

}  // namespace
}  // namespace qb::e2e
