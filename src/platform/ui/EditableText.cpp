#include "EditableText.h"

#include <algorithm>

namespace platform::ui {

EditableText::EditableText(QString text)
{
    setText(text);
}

void EditableText::setText(const QString& text)
{
    text_ = text;
    selection_ = {text_.size(), 0};
    undo_.clear();
    redo_.clear();
    typing_ = false;
}

void EditableText::setSelectedRange(TextRange range)
{
    const qsizetype size = text_.size();
    range.location = std::clamp<qsizetype>(range.location, 0, size);
    range.length = std::clamp<qsizetype>(range.length, 0, size - range.location);
    selection_ = range;
    typing_ = false;
}

QString EditableText::selectedText() const
{
    return text_.mid(selection_.location, selection_.length);
}

void EditableText::recordChange(bool typing)
{
    redo_.clear();
    if (typing && typing_)
        return; // the same row of typing
    undo_.push_back({text_, selection_});
    if (undo_.size() > kUndoLimit)
        undo_.erase(undo_.begin());
    typing_ = typing;
}

void EditableText::replace(TextRange range, const QString& text)
{
    text_.replace(range.location, range.length, text);
    selection_ = {range.location + text.size(), 0};
}

void EditableText::insertText(const QString& text)
{
    if (text.isEmpty())
        return;
    recordChange(true);
    replace(selection_, text);
}

void EditableText::replaceSelection(const QString& text)
{
    if (text.isEmpty() && selection_.length == 0)
        return;
    recordChange(false);
    replace(selection_, text);
}

void EditableText::deleteBackward()
{
    TextRange range = selection_;
    if (range.length == 0) {
        if (range.location == 0)
            return;
        range = {range.location - 1, 1};
    }
    recordChange(false);
    replace(range, {});
}

void EditableText::deleteForward()
{
    TextRange range = selection_;
    if (range.length == 0) {
        if (range.location >= text_.size())
            return;
        range.length = 1;
    }
    recordChange(false);
    replace(range, {});
}

void EditableText::placeInsertionPoint(qsizetype location)
{
    setSelectedRange({location, 0});
}

void EditableText::moveLeft()
{
    placeInsertionPoint(selection_.length ? selection_.location : selection_.location - 1);
}

void EditableText::moveRight()
{
    placeInsertionPoint(selection_.length ? selection_.location + selection_.length : selection_.location + 1);
}

void EditableText::moveToBeginningOfLine()
{
    placeInsertionPoint(0);
}

void EditableText::moveToEndOfLine()
{
    placeInsertionPoint(text_.size());
}

void EditableText::selectAll()
{
    setSelectedRange({0, text_.size()});
}

bool EditableText::restore(std::vector<State>& from, std::vector<State>& to)
{
    if (from.empty())
        return false;
    to.push_back({text_, selection_});
    text_ = from.back().text;
    selection_ = from.back().selection;
    from.pop_back();
    typing_ = false;
    return true;
}

bool EditableText::undo()
{
    return restore(undo_, redo_);
}

bool EditableText::redo()
{
    return restore(redo_, undo_);
}

} // namespace platform::ui
