#include "PopViewController.h"

void PopViewController::closeWindow()
{
    if (platform::ui::Window* window = superDelegate())
        window->close();
}
