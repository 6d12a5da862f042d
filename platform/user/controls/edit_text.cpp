#include "user/controls/edit_text.h"

#include <algorithm>
#include <utility>

namespace user::controls {

void EditText::assign(const std::string& text) {
    text_ = text;
    caret_ = anchor_ = 0;
    undo_.reset();
    typingRun_ = false;
}

void EditText::moveCaret(size_t position, bool extend) {
    caret_ = std::min(position, text_.size());
    if (!extend) anchor_ = caret_;
    typingRun_ = false;
}

void EditText::select(size_t anchor, size_t caret) {
    anchor_ = std::min(anchor, text_.size());
    caret_ = std::min(caret, text_.size());
    typingRun_ = false;
}

void EditText::rememberForUndo(bool typed) {
    if (!(typed && typingRun_)) undo_ = Snapshot{text_, anchor_, caret_};
    typingRun_ = typed;
}

bool EditText::replaceSelection(const std::string& insert, bool typed) {
    size_t start = selectionStart();
    size_t removed = selectionEnd() - start;
    size_t room = text_.size() - removed < limit_ ? limit_ - (text_.size() - removed) : 0;
    size_t taken = std::min(insert.size(), room);
    if (removed == 0 && taken == 0) return taken == insert.size();
    rememberForUndo(typed);
    text_.replace(start, removed, insert, 0, taken);
    caret_ = anchor_ = start + taken;
    return taken == insert.size();
}

bool EditText::deleteForward() {
    if (!hasSelection()) {
        if (caret_ >= text_.size()) return false;
        anchor_ = caret_ + 1;
    }
    replaceSelection(std::string());
    return true;
}

bool EditText::deleteBackward() {
    if (!hasSelection()) {
        if (caret_ == 0) return false;
        anchor_ = caret_ - 1;
    }
    replaceSelection(std::string());
    return true;
}

bool EditText::undo() {
    if (!undo_) return false;
    Snapshot current{text_, anchor_, caret_};
    text_ = std::move(undo_->text);
    anchor_ = undo_->anchor;
    caret_ = undo_->caret;
    undo_ = std::move(current);
    typingRun_ = false;
    return true;
}

bool EditText::isBlank(size_t position) const {
    char c = text_[position];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

size_t EditText::previousWordStart(size_t position) const {
    position = std::min(position, text_.size());
    while (position > 0 && isBlank(position - 1)) --position;
    while (position > 0 && !isBlank(position - 1)) --position;
    return position;
}

size_t EditText::nextWordStart(size_t position) const {
    while (position < text_.size() && !isBlank(position)) ++position;
    while (position < text_.size() && isBlank(position)) ++position;
    return position;
}

void EditText::wordAround(size_t position, size_t& start, size_t& end) const {
    start = end = std::min(position, text_.size());
    if (text_.empty()) return;
    // At the end of the text the last run counts.
    size_t probe = start < text_.size() ? start : start - 1;
    bool blank = isBlank(probe);
    start = probe;
    end = probe + 1;
    while (start > 0 && isBlank(start - 1) == blank) --start;
    while (end < text_.size() && isBlank(end) == blank) ++end;
}

}  // namespace user::controls
