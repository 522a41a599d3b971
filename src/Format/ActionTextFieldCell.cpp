#include "ActionTextFieldCell.h"

#include "platform/ui/FieldEditor.h"

using namespace platform::ui;

FieldEditor& ActionTextFieldCell::setUpFieldEditorAttributes(FieldEditor& editor)
{
    CustemTextFieldCell::setUpFieldEditorAttributes(editor);
    editor.setInsertionPointColor(Color::colorWithDeviceRed(0, 0, 0, 1.0));
    return editor;
}
