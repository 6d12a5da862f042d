#include "app/editor_state.h"

namespace {

EditorState state;

}  // namespace

EditorState& editorState() { return state; }

void resetEditorState() { state = EditorState{}; }
