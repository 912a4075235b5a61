#include "editions/edition.h"
#include "engine/engine_state.h"

namespace kestrana {

void ComputeClearance(EngineState& state, const Edition& edition) {
    (void)edition;
    static_cast<EngineResults&>(state) = EngineResults{};
    state.NothingDeclared = false;
}

}  // namespace kestrana
