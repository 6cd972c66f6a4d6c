#pragma once

#include "toolkit/application.h"

namespace qb::toolkit {

// Shows the hourglass over every window of the program while it lives, as
// long work in a handler does; the default cursor comes back at its end.
class BusyCursor {
 public:
  explicit BusyCursor(Application& application) : application_(application) {
    application_.EnterBusy();
  }
  ~BusyCursor() { application_.LeaveBusy(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Application& application_;
};

}  // namespace qb::toolkit
