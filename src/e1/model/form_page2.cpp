#include "e1/model/form_builder.h"

namespace kestrana::formlayout {

void BuildPage2(FormBuilder&) {}

}  // namespace kestrana::formlayout
