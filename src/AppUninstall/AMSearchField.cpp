#include "AMSearchField.h"

bool AMSearchField::becomeFirstResponder()
{
    const bool became = TextField::becomeFirstResponder();
    if (became && didBeginEditing_)
        didBeginEditing_();
    return became;
}

void AMSearchField::keyDown(const platform::ui::Event& event)
{
    const QString before = stringValue();
    TextField::keyDown(event);
    changedFrom(before);
}

bool AMSearchField::tryToPerform(platform::ui::EditingAction action)
{
    const QString before = stringValue();
    const bool done = TextField::tryToPerform(action);
    changedFrom(before);
    return done;
}

void AMSearchField::changedFrom(const QString& before)
{
    if (stringValue() != before && didChange_)
        didChange_();
}
