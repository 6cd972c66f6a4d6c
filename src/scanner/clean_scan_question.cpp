#include "scanner/clean_scan_question.h"

#include "ui/control_ids.h"

namespace qb::scanner {

toolkit::MessageDialogResult AskGoToVodUridazur(toolkit::Form& owner) {
  toolkit::MessageDialogSpec spec;
  spec.caption = ": Go to Vod Uridazur? :";
  spec.text = "Do you want to go to Vod Uridazur section?";
  spec.icon = IDI_QUESTION;
  spec.buttons = {{IDYES, "&Yes"}, {IDNO, "&No"}};
  spec.default_button = IDYES;
  spec.escape_result = IDNO;
  spec.check_box = "Always select this action.";
  spec.check_box_rect = RECT{8, 95, 8 + 150, 95 + 17};
  spec.check_box_id = ids::kCbAlwaysSelect;
  spec.outer_height = 150;
  return toolkit::ShowMessageDialog(owner, spec);
}

}  // namespace qb::scanner
