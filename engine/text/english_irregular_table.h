// The irregular English forms that the program carries: each inflected form
// with one of its base forms and the rule it undoes, sorted by form (UTF-16
// code units), a form with several bases on as many rows.
#pragma once

#include <span>
#include <string_view>

#include "engine/text/form_rules.h"

namespace tavlex {

struct IrregularForm {
  std::u16string_view form;
  std::u16string_view base;
  FormRule rule;
};

std::span<const IrregularForm> IrregularFormTable();

}  // namespace tavlex
