#pragma once

#include "toolkit/form.h"
#include "toolkit/message_dialog.h"

namespace qb::scanner {

// After a scan that found nothing: "Do you want to go to Vod Uridazur
// section?", with the check box "Always select this action.". The result is
// 6 (Yes), 7 (No, also Escape) or 2 (closed by the title bar).
toolkit::MessageDialogResult AskGoToVodUridazur(toolkit::Form& owner);

}  // namespace qb::scanner
