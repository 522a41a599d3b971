#include "CustemTextFieldCell.h"

#include "platform/ui/FieldEditor.h"

using namespace platform::ui;

FieldEditor& CustemTextFieldCell::setUpFieldEditorAttributes(FieldEditor& editor)
{
    TextFieldCell::setUpFieldEditorAttributes(editor);
    editor.setInsertionPointColor(Color::colorWithDeviceRed(0, 0, 0, 1.0));
    return editor;
}
