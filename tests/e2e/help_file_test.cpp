#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "harness/program_test.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

// A reader of a compiled help file's directory: the names, places and sizes
// of its internal files, and the uncompressed ones' bytes. Enough to check
// what the file holds without decompressing it.
class CompiledHelpDirectory {
 public:
  struct Entry {
    std::uint64_t section = 0;  // 0: stored as is; 1: compressed
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
  };

  explicit CompiledHelpDirectory(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes_.size() < 0x60 || bytes_.compare(0, 4, "ITSF") != 0) return;
    const std::uint64_t directory = U64(0x48);
    content_offset_ = U64(0x58);
    if (directory + 0x54 > bytes_.size() || bytes_.compare(directory, 4, "ITSP") != 0) return;
    const std::uint32_t header_length = U32(directory + 0x08);
    const std::uint32_t chunk_size = U32(directory + 0x10);
    const std::uint32_t chunks = U32(directory + 0x2C);
    for (std::uint32_t i = 0; i < chunks; ++i) {
      const std::uint64_t chunk = directory + header_length + std::uint64_t{i} * chunk_size;
      if (chunk + chunk_size > bytes_.size()) return;
      if (bytes_.compare(chunk, 4, "PMGL") == 0) ReadListingChunk(chunk, chunk_size);
    }
    valid_ = true;
  }

  bool valid() const { return valid_; }
  const std::map<std::string, Entry>& entries() const { return entries_; }

  // The bytes of an internal file stored as is.
  std::optional<std::string> Stored(const std::string& name) const {
    const auto it = entries_.find(name);
    if (it == entries_.end() || it->second.section != 0) return std::nullopt;
    const std::uint64_t start = content_offset_ + it->second.offset;
    if (start + it->second.length > bytes_.size()) return std::nullopt;
    return bytes_.substr(start, it->second.length);
  }

 private:
  std::uint32_t U32(std::uint64_t at) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
    return value;
  }
  std::uint64_t U64(std::uint64_t at) const { return U32(at) | (std::uint64_t{U32(at + 4)} << 32); }
  // A variable-length number: seven bits a byte, most significant first.
  std::uint64_t EncodedInteger(std::uint64_t& at, std::uint64_t end) const {
    std::uint64_t value = 0;
    while (at < end) {
      const auto byte = static_cast<unsigned char>(bytes_[at++]);
      value = (value << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) break;
    }
    return value;
  }
  void ReadListingChunk(std::uint64_t chunk, std::uint32_t chunk_size) {
    const std::uint64_t end = chunk + chunk_size - U32(chunk + 4);
    std::uint64_t at = chunk + 0x14;
    while (at < end) {
      const std::uint64_t name_length = EncodedInteger(at, end);
      if (at + name_length > end) return;
      std::string name = bytes_.substr(at, name_length);
      at += name_length;
      Entry entry;
      entry.section = EncodedInteger(at, end);
      entry.offset = EncodedInteger(at, end);
      entry.length = EncodedInteger(at, end);
      entries_[name] = entry;
    }
  }

  std::string bytes_;
  std::uint64_t content_offset_ = 0;
  std::map<std::string, Entry> entries_;
  bool valid_ = false;
};

// The text entries of the #SYSTEM file by code: 0 contents file, 2 default
// topic, 3 title.
std::map<int, std::string> SystemEntries(const std::string& system) {
  std::map<int, std::string> found;
  std::size_t at = 4;  // after the version
  while (at + 4 <= system.size()) {
    const int code =
        static_cast<unsigned char>(system[at]) | static_cast<unsigned char>(system[at + 1]) << 8;
    const std::size_t length = static_cast<unsigned char>(system[at + 2]) |
                               static_cast<unsigned char>(system[at + 3]) << 8;
    at += 4;
    if (at + length > system.size()) break;
    std::string text = system.substr(at, length);
    text = text.substr(0, text.find('\0'));
    found[code] = text;
    at += length;
  }
  return found;
}

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

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
  const std::string contents = FileText(BuildFolder() / L"help" / L"toc.hhc");
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
  EXPECT_FALSE(WaitForMessageBox(process_.id(), L": Quellbright :", 300));
}

}  // namespace
}  // namespace qb::e2e
