// The text of a single-line edit field and what editing does to it: the caret and the
// selection (an anchor and the caret, in byte positions), word boundaries, the length
// limit and one level of undo. Knows nothing about windows or pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace user::controls {

class EditText {
public:
    // Win32's limit for single-line fields until EM_LIMITTEXT changes it.
    static constexpr size_t defaultLimit = 30000;
    static constexpr size_t largestLimit = 0x7FFFFFFE;

    const std::string& text() const { return text_; }
    size_t length() const { return text_.size(); }
    size_t caret() const { return caret_; }
    size_t anchor() const { return anchor_; }
    size_t selectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t selectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool hasSelection() const { return caret_ != anchor_; }
    std::string selectedText() const { return text_.substr(selectionStart(), selectionEnd() - selectionStart()); }

    size_t limit() const { return limit_; }
    void setLimit(size_t limit) { limit_ = limit == 0 ? largestLimit : limit; }

    // Replaces everything, caret at the start, nothing to undo.
    void assign(const std::string& text);

    // Places the caret (clamped to the text); with extend the anchor stays, making a selection.
    void moveCaret(size_t position, bool extend);
    // The anchor at `anchor`, the caret at `caret` (both clamped).
    void select(size_t anchor, size_t caret);

    // Replaces the selection by `insert`, as much of it as the limit lets in, caret after it.
    // A run of typed characters is undone as one. Returns false when the limit cut `insert`.
    bool replaceSelection(const std::string& insert, bool typed = false);
    // Delete and Backspace: the selection, else the character after / before the caret.
    // Return whether anything was removed.
    bool deleteForward();
    bool deleteBackward();

    bool canUndo() const { return undo_.has_value(); }
    // Puts back the text before the last edit; undoing again restores the edit.
    bool undo();

    // Word movement and word selection; a word is a run of non-blank characters.
    size_t previousWordStart(size_t position) const;
    size_t nextWordStart(size_t position) const;
    // The run of characters of one kind (word or blanks) that holds `position`.
    void wordAround(size_t position, size_t& start, size_t& end) const;

private:
    struct Snapshot {
        std::string text;
        size_t anchor = 0;
        size_t caret = 0;
    };
    void rememberForUndo(bool typed);
    bool isBlank(size_t position) const;

    std::string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    size_t limit_ = defaultLimit;
    std::optional<Snapshot> undo_;
    bool typingRun_ = false;
};

}  // namespace user::controls
