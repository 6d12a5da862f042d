// Message names and the message trace: EDITOR_TRACE=msg in the environment writes every
// message to standard error as it is sent, posted and dispatched, as a debugger's message
// spy would, to follow a click or a key through the windows that hear of it.
#pragma once

#include <windows.h>

namespace user {

// The message's name ("WM_LBUTTONDOWN"), or nullptr for a number the layer does not use.
const char* messageName(UINT message);

enum class Passage { Sent, Posted, Dispatched };

// Whether EDITOR_TRACE asks for messages: read once as the program starts, so that every
// message pays only this test when the trace is off.
extern const bool messageTraceOn;
inline bool tracingMessages() { return messageTraceOn; }

// A line as a message sets out (indented by how deep in other messages it was sent),
// and for a sent or dispatched one a line with its procedure's result when it returns.
void traceMessage(Passage passage, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void traceResult(HWND window, UINT message, LRESULT result);

struct Window;
// The window's procedure, with the message traced as sent or dispatched.
LRESULT callProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam, Passage passage);

}  // namespace user
