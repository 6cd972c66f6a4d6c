#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "lists/clsid_list.h"
#include "platform/files.h"

namespace qb::lists {

// A CLSID list together with the file that backs it. Every change is saved
// at once, as the whole list; when a save fails the list in memory keeps the
// change and the error ("Cannot create file %s") goes to the caller.
class ListFile {
 public:
  ListFile(platform::Files& files, std::filesystem::path path);

  // Loads the file; false when it does not exist (the list is then empty).
  // A file that exists but cannot be read throws "Cannot open file %s".
  bool Load();
  void Save();
  // Appends and saves when `clsid` is not a member; true when appended.
  bool Add(std::string_view clsid);
  // The list becomes exactly `entries`, then is saved.
  void Replace(std::vector<std::string> entries);

  const ClsidList& list() const { return list_; }
  bool Contains(std::string_view clsid) const { return list_.Contains(clsid); }
  const std::filesystem::path& path() const { return path_; }

 private:
  platform::Files& files_;
  std::filesystem::path path_;
  ClsidList list_;
};

inline constexpr char kKnownFileName[] = "CLSIDs.txt";
inline constexpr char kIgnoredFileName[] = "ICLSIDs.txt";
inline constexpr char kBlockedFileName[] = "BCLSIDs.txt";

// The known-object database and the user's ignored and blocked lists, all in
// the program folder. Created and loaded once per run.
struct ClsidLists {
  ClsidLists(platform::Files& files, const std::filesystem::path& program_folder);

  // Loads all three lists. False when the known-object database is missing;
  // the other two are loaded all the same.
  bool Load();

  ListFile known;
  ListFile ignored;
  ListFile blocked;
};

}  // namespace qb::lists
