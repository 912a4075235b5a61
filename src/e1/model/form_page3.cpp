#include "e1/model/form_builder.h"

namespace kestrana::formlayout {

void BuildPage3(FormBuilder&) {}

}  // namespace kestrana::formlayout
