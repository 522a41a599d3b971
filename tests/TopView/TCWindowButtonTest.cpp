#include "TopView/TCWindowButton.h"
#include "TopView/TCWindowButtonGroup.h"

#include "TestPlatform.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Event.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform::ui;

namespace {

Event pointer(EventType type)
{
    Event::Fields f;
    f.type = type;
    return Event(f);
}

std::unique_ptr<TCWindowButton> makeButton(const QString& group, const QString& light)
{
    auto button = TCWindowButton::windowButtonWithSize({14, 16}, group);
    button->setActiveImage(Image::imageNamed(QStringLiteral("window-button-%1-active").arg(light)));
    button->setActiveNotKeyWindowImage(Image::imageNamed(QStringLiteral("window-button-all-inactive")));
    button->setInactiveImage(Image::imageNamed(QStringLiteral("window-button-all-inactive")));
    button->setRolloverImage(Image::imageNamed(QStringLiteral("window-button-%1-hover").arg(light)));
    button->updateImage();
    return button;
}

bool showsHover(const TCWindowButton& button)
{
    return button.image().name().endsWith(QStringLiteral("-hover"));
}

} // namespace

TEST(TCWindowButtonGroupTest, ThePointersButtonShowsTheRolloverAndTheCountNeverGoesBelowZero)
{
    // Each step: which button (0–2) the pointer enters (+) or leaves (−), then the count. The
    // button stepped on shows its roll-over picture while the count is above zero; a visit
    // announces nothing, so the others keep theirs.
    const struct {
        const char* name;
        std::vector<int> steps; // +1..+3 enters button 0..2, −1..−3 leaves it, 10 destroys button 0, 0 resets
        std::vector<std::int64_t> counts;
    } cases[] = {
        {"one in and out", {+1, -1}, {1, 0}},
        {"overlapping areas", {+1, +2, -1, +3, -2, -3}, {1, 2, 1, 2, 1, 0}},
        {"a leave without an enter", {-2, +1, -1, -1, -3}, {0, 1, 0, 0, 0}},
        {"a held button goes away", {+1, +1, +2, 10, -2}, {1, 1, 2, 1, 0}},
        {"a reset under the pointer", {+1, 0, -1, +2}, {1, 0, 0, 1}},
    };
    test::TestPlatform platform;
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString group = QStringLiteral("rollover-%1").arg(run++);
        std::vector<std::unique_ptr<TCWindowButton>> buttons;
        for (const char* light : {"close", "minimize", "zoom"})
            buttons.push_back(makeButton(group, QLatin1String(light)));
        std::vector<QString> before(3);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const int step = c.steps[i];
            for (std::size_t b = 0; b < 3; ++b)
                before[b] = buttons[b] ? buttons[b]->image().name() : QString();
            std::size_t stepped = 3;
            if (step == 10)
                buttons[0].reset();
            else if (step == 0)
                TCWindowButtonGroup::groupWithIdentifier(group).resetMouseCaptures();
            else if (step > 0)
                buttons[stepped = std::size_t(step - 1)]->mouseEntered(pointer(EventType::MouseEntered));
            else
                buttons[stepped = std::size_t(-step - 1)]->mouseExited(pointer(EventType::MouseExited));
            EXPECT_EQ(TCWindowButtonGroup::groupWithIdentifier(group).numberOfCaptures(), c.counts[i]) << "step " << i;
            for (std::size_t b = 0; b < 3; ++b) {
                if (!buttons[b])
                    continue;
                if (b == stepped)
                    EXPECT_EQ(showsHover(*buttons[b]), c.counts[i] > 0) << "step " << i;
                else
                    EXPECT_EQ(buttons[b]->image().name(), before[b]) << "step " << i << ", button " << b;
            }
        }
    }
}

TEST(TCWindowButtonGroupTest, ASetCountIsAnnouncedAndEveryButtonOfTheGroupFollows)
{
    test::TestPlatform platform;
    auto close = makeButton(QStringLiteral("announced"), QStringLiteral("close"));
    auto zoom = makeButton(QStringLiteral("announced"), QStringLiteral("zoom"));
    auto other = makeButton(QStringLiteral("another group"), QStringLiteral("close"));
    int posts = 0;
    platform::Observation heard = platform::NotificationCenter::defaultCenter().addObserver(
        nullptr, TCWindowButtonGroupDidUpdateRolloverStateNotification, nullptr, [&](const platform::Notification&) { ++posts; });
    // The count set, then the posts so far and whether the group's buttons show their roll-over.
    const struct { std::int64_t set; int posts; bool hover; } steps[] = {{2, 1, true}, {2, 1, true}, {-1, 1, true}, {0, 2, false}};
    for (const auto& step : steps) {
        TCWindowButtonGroup::groupWithIdentifier(QStringLiteral("announced")).setNumberOfCaptures(step.set);
        EXPECT_EQ(posts, step.posts) << step.set;
        EXPECT_EQ(showsHover(*close), step.hover) << step.set;
        EXPECT_EQ(showsHover(*zoom), step.hover) << step.set;
        EXPECT_FALSE(showsHover(*other));
    }
}

TEST(TCWindowButtonGroupTest, DisabledButtonNeverShowsRollover)
{
    test::TestPlatform platform;
    auto button = makeButton(QStringLiteral("disabled"), QStringLiteral("close"));
    button->setEnabled(false);
    button->mouseEntered(pointer(EventType::MouseEntered));
    EXPECT_EQ(button->image().name(), QStringLiteral("window-button-all-inactive"));
    button->mouseExited(pointer(EventType::MouseExited));
    EXPECT_EQ(button->image().name(), QStringLiteral("window-button-all-inactive"));
}
