#include "e1/model/form_builder.h"

namespace kestrana::formlayout {

void BuildSpecialCases(FormBuilder&) {}

}  // namespace kestrana::formlayout
