#include "harness/scanner_page.h"

#include "harness/ui.h"
#include "ui/control_ids.h"

namespace qb::e2e {

std::vector<std::wstring> ScanFor(HWND main, std::size_t expected) {
  const HWND list = Control(main, ids::kLbMain);
  Click(Control(main, ids::kBtScan));
  WaitUntil([&] { return ListItems(list).size() == expected; });
  return ListItems(list);
}

void ClickListItem(HWND list, int index) {
  const RECT item = ListItemRect(list, index);
  ClickAt(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

bool TickAllAndDelete(HWND main) {
  const HWND list = Control(main, ids::kLbMain);
  Click(Control(main, ids::kBtCheckAll));
  const int last = static_cast<int>(ListItems(list).size()) - 1;
  if (!WaitUntil([&] { return ListItemData(list, last) == 1; })) return false;
  Click(Control(main, ids::kBtDeleteSelected));
  return true;
}

bool AnswerCleanScan(DWORD process_id) {
  return AnswerMessageBox(process_id, L": No suspicious objects found. :", IDOK) &&
         AnswerMessageBox(process_id, L": Go to Vod Uridazur? :", IDNO);
}

std::filesystem::path OnlyBackup(const ProgramFolder& folder) {
  const std::vector<std::wstring> backups = folder.FilesIn(L"backup");
  return backups.size() == 1 ? folder.path() / L"backup" / backups[0] : std::filesystem::path();
}

std::optional<std::wstring> DeleteAllObjects(HWND main, DWORD process_id) {
  if (!TickAllAndDelete(main) || !AnswerMessageBox(process_id, L": Question :", IDYES)) {
    return std::nullopt;
  }
  const auto result = AnswerMessageBox(process_id, L": Object(s) removed. :", IDOK);
  if (!AnswerCleanScan(process_id)) return std::nullopt;
  return result;
}

}  // namespace qb::e2e
