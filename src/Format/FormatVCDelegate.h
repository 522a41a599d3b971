#pragma once

// Hears the Continue of the reformat question.
class FormatVCDelegate {
public:
    virtual ~FormatVCDelegate() = default;
    virtual void formatContinueAction() = 0;
};
