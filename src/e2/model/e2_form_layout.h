#pragma once
// Internal: lays the two E2 pages out as tables of cells; each cell holds a
// box (and the picker button at its left), each table gets its heads and its
// grid lines.
#include "e2/model/e2_form_model.h"

namespace kestrana::e2layout {

E2Form BuildE2Form(const Edition& edition);

}  // namespace kestrana::e2layout
