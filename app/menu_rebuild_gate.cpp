#include "app/menu_rebuild_gate.h"

namespace tavlex {

bool MenuRebuildGate::Ask(bool somethingInFront) {
  waiting_ = somethingInFront;
  return !somethingInFront;
}

bool MenuRebuildGate::CatchUp(bool somethingInFront) {
  if (!waiting_ || somethingInFront) return false;
  waiting_ = false;
  return true;
}

}  // namespace tavlex
