#include "EnumerationGuard.h"

EnumerationGuard& EnumerationGuard::shared()
{
    static EnumerationGuard guard;
    return guard;
}
