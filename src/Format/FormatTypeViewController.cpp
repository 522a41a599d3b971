#include "FormatTypeViewController.h"

#include "SortSelectBgView.h"

#include "controls/PlainLabel.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/ui/Color.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/TrackingArea.h"
#include "platform/ui/Window.h"

#include <functional>

using namespace platform::ui;

namespace {

// The chooser's card: white, and it passes the pointer's entry and exit on.
class ChooserView : public View {
public:
    ChooserView(const Rect& frame, std::function<void(bool)> entered) : View(frame), entered_(std::move(entered)) {}
    void drawRect(const Rect& dirty) override
    {
        Color::whiteColor().setFill();
        NSRectFill(dirty);
    }
    void mouseEntered(const Event&) override { entered_(true); }
    void mouseExited(const Event&) override { entered_(false); }
    void mouseMoved(const Event&) override {}

private:
    std::function<void(bool)> entered_;
};

} // namespace

QString FormatTypeViewController::typeForRow(int row)
{
    switch (row) {
    case 0:
        return QStringLiteral("ExFAT");
    case 1:
        return QStringLiteral("MS-DOS FAT32");
    case 2:
        return QStringLiteral("Journaled HFS+");
    default:
        return {};
    }
}

FormatTypeViewController::FormatTypeViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

void FormatTypeViewController::loadView()
{
    FormatTypeViewControllerView();
}

void FormatTypeViewController::FormatTypeViewControllerView()
{
    auto root = std::make_unique<ChooserView>(Rect(0, 0, 150, 96), [this](bool in) { in ? mouseEntered() : mouseExited(); });
    const Font font = Font::fontWithName(PublicUtilities::getLightFontName(), 12);
    for (int row = 0; row < 3; ++row) {
        auto tile = std::make_unique<SortSelectBgView>(Rect(0, 66 - 30 * row, 150, 30));
        tile->setIdentifier(QString::number(row));
        tile->addSubview(makePlainLabel(Rect(12, 6, 130, 18), typeForRow(row), font, getColor(51, 57, 81, 1)));
        rows_[std::size_t(row)] = root->addSubview(std::move(tile));
    }
    setView(std::move(root));
}

void FormatTypeViewController::awakeFromNib()
{
    for (SortSelectBgView* row : rows_) {
        row->setDelegate(this);
        row->awakeFromNib();
    }
    View& root = *view();
    root.addTrackingArea(std::make_shared<TrackingArea>(
        root.bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::MouseMoved | TrackingArea::ActiveAlways, &root));
}

bool FormatTypeViewController::takePointerAt(Point pointer)
{
    const Window* window = view()->window();
    if (!window || !window->frame().containsPoint(pointer))
        return false;
    for (SortSelectBgView* row : rows_) {
        const Rect inWindow = row->convertRectToView(row->bounds(), nullptr);
        row->setMouseIn(inWindow.containsPoint({pointer.x - window->frame().origin.x, pointer.y - window->frame().origin.y}));
    }
    return true;
}

void FormatTypeViewController::mouseEntered()
{
    if (delegate_)
        delegate_->mouseEixtView(false);
}

void FormatTypeViewController::mouseExited()
{
    if (delegate_)
        delegate_->mouseEixtView(true);
}

void FormatTypeViewController::selectSortType(SortSelectBgView& row)
{
    bool ok = false;
    const int number = row.identifier().toInt(&ok);
    if (delegate_ && ok)
        delegate_->selectFormatbyType(number);
}
