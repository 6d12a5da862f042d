#include "forms/forms_state.h"

namespace {

FormsState state;

}  // namespace

FormsState& formsState() { return state; }
