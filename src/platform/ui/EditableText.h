#pragma once

#include "AttributedString.h"

#include <QString>

#include <vector>

namespace platform::ui {

// The text of a field while it is edited: its characters, the selection (an insertion point
// when empty) and the undo and redo of its changes. Typing in a row is one change to undo, as
// the Mac groups it; moving the insertion point or any other change ends the row.
class EditableText {
public:
    explicit EditableText(QString text = {});

    const QString& text() const { return text_; }
    // Replaces the text, forgets the changes and puts the insertion point at the end.
    void setText(const QString& text);
    TextRange selectedRange() const { return selection_; }
    // A range past the end is cut at the end.
    void setSelectedRange(TextRange range);
    QString selectedText() const;

    // Typing: replaces the selection.
    void insertText(const QString& text);
    // A change of its own (paste, cut): replaces the selection.
    void replaceSelection(const QString& text);
    void deleteBackward();
    void deleteForward();
    void moveLeft();
    void moveRight();
    void moveToBeginningOfLine();
    void moveToEndOfLine();
    void selectAll();

    bool undo();
    bool redo();

    // The oldest changes are forgotten beyond this many.
    static constexpr std::size_t kUndoLimit = 200;

private:
    struct State {
        QString text;
        TextRange selection;
    };
    void recordChange(bool typing);
    void replace(TextRange range, const QString& text);
    void placeInsertionPoint(qsizetype location);
    // Goes back to the last state of `from`, keeping the present one in `to`.
    bool restore(std::vector<State>& from, std::vector<State>& to);

    QString text_;
    TextRange selection_;
    std::vector<State> undo_;
    std::vector<State> redo_;
    bool typing_ = false;
};

} // namespace platform::ui
