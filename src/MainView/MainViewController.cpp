#include "MainViewController.h"

#include "FirstRunLoginItem.h"
#include "HostedTools.h"
#include "RoundedImageView.h"

#include "AboutThisMac/AboutThisMacViewController.h"
#include "AppUninstall/ApplicationsViewController.h"
#include "cleanup/CleanUpViewController.h"
#include "disk/DiskManagerViewController.h"
#include "switchmanager/HightActionViewController.h"
#include "switchmanager/LightViewController.h"
#include "switchmanager/QuickVisitViewController.h"
#include "controls/ShoutDownBgView.h"
#include "switchmanager/SoundViewController.h"
#include "startup/StartupItemsViewController.h"
#include "PopWindow/TabBarView.h"
#include "TaskManager/TaskManagerViewController.h"
#include "AppUninstall/UninstallViewController.h"

#include "controls/BaseBgView.h"
#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Lifetime.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "platform/log/SystemLog.h"
#include "platform/loginitems/LoginItemList.h"
#include "platform/scripts/ScriptRunner.h"
#include "platform/workspace/Workspace.h"

#include "platform/text/StringFormat.h"
#include "platform/ui/BezierPath.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TextField.h"

#include <QDebug>

using namespace platform::ui;

namespace {

const QString kTabImage = QStringLiteral("tab");
const QString kMacMiniToolTip = QStringLiteral("Sorry, Mac mini can't adjust brightness.");
// Room at the start of a title for the picture beneath it, as the power button's title keeps.
const QString kToolTitleIndent = QStringLiteral("         ");

AttributedString styledTitle(const QString& title, const Color& color, const QString& fontName, double size)
{
    AttributedString text(title);
    const TextRange all{0, title.size()};
    text.addForegroundColor(color, all);
    text.addFont(Font::fontWithName(fontName, size), all);
    text.addParagraphStyle({TextAlignment::Left, LineBreakMode::ByClipping}, all);
    return text;
}

std::unique_ptr<Button> makeButton(const Rect& frame, const QString& imageName, Button::Action action)
{
    auto button = std::make_unique<Button>(frame);
    button->setBordered(false);
    button->setTitle(QString());
    if (!imageName.isEmpty()) {
        button->setImage(Image::imageNamed(imageName));
        button->setImagePosition(CellImagePosition::ImageOnly);
    }
    button->setAction(std::move(action));
    return button;
}

std::unique_ptr<ImageView> makePicture(const Rect& frame, const QString& imageName)
{
    auto picture = std::make_unique<ImageView>(frame);
    picture->setImage(Image::imageNamed(imageName));
    picture->setImageScaling(ImageScaling::ProportionallyUpOrDown);
    return picture;
}

} // namespace

MainViewController::MainViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

MainViewController::~MainViewController()
{
    // No background call may reach a tool from here on; the tools then go before the view.
    toolGate_->close();
    if (Menu* menu = openMenu_.get()) {
        menu->setDelegate(nullptr);
        menu->cancelTracking();
    }
}

void MainViewController::loadView()
{
    MainViewControllerView();
}

void MainViewController::MainViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 640, 560));

    baseView_ = root->addSubview(std::make_unique<BaseBgView>(Rect(212, 12, 416, 536)));
    tab_ = root->addSubview(std::make_unique<TabView>(Rect(216, 16, 408, 528)));
    tabView_ = root->addSubview(std::make_unique<TabBarView>(Rect(16, 536, 60, 16)));

    auto icon = std::make_unique<RoundedImageView>(Rect(72, 452, 72, 72));
    icon->setImageScaling(ImageScaling::AxesIndependently);
    userIcon_ = root->addSubview(std::move(icon));
    userInfoBut_ = root->addSubview(makeButton(Rect(72, 452, 72, 72), {}, [this](Button&) { userInfoSetAction(); }));

    auto name = std::make_unique<TextField>(Rect(12, 420, 192, 22));
    name->setEditable(false);
    name->setSelectable(false);
    name->setBordered(false);
    name->setDrawsBackground(false);
    name->setAlignment(TextAlignment::Center);
    name->setTextColor(getColor(255, 255, 255, 0.9f));
    name->setFont(Font::fontWithName(PublicUtilities::getRegularFontName(), 15));
    nameLabel_ = root->addSubview(std::move(name));
    userLabeBut_ = root->addSubview(makeButton(Rect(12, 420, 192, 22), {}, [this](Button&) { userInfoSetAction(); }));

    for (std::size_t i = 0; i < kHostedTools.size(); ++i) {
        const HostedTool& tool = kHostedTools[i];
        const double y = 372 - 38 * double(i);
        root->addSubview(makePicture(Rect(24, y + 7, 18, 18), QString::fromLatin1(tool.icon)));
        auto button = makeButton(Rect(14, y, 186, 32), {}, [this](Button& sender) { selectTypeButtonAction(sender); });
        button->setIdentifier(QString::fromLatin1(tool.identifier));
        button->setTitle(kToolTitleIndent + QString::fromLatin1(tool.title));
        button->setImagePosition(CellImagePosition::ImageOverlaps);
        button->setImageScaling(ImageScaling::AxesIndependently);
        typeButtons_[i] = root->addSubview(std::move(button));
    }

    lightBut_ = root->addSubview(makeButton(Rect(22, 62, 28, 28), QStringLiteral("ic_brightness"),
                                            [this](Button&) { openLightView(); }));
    soundButton_ = root->addSubview(makeButton(Rect(60, 62, 28, 28), QStringLiteral("ic_sound"),
                                               [this](Button&) { openSoundView(); }));
    desktopBgBut_ = root->addSubview(makeButton(Rect(98, 62, 28, 28), QStringLiteral("ic_desktop_picture"),
                                                [this](Button&) { openChangeDesktopBg(); }));

    root->addSubview(std::make_unique<ShoutDownBgView>(Rect(14, 16, 152, 32)));
    auto power = makeButton(Rect(20, 18, 108, 28), QStringLiteral("ic_power"), {});
    power->setImagePosition(CellImagePosition::ImageLeft);
    power->setTitle(QStringLiteral("    Shut Down"));
    ShutdownBut_ = root->addSubview(std::move(power));
    menuToolsBut_ = root->addSubview(makeButton(Rect(130, 18, 34, 28), QStringLiteral("ic_power_menu"),
                                                [this](Button&) { menuToolsButtonAction(); }));
    setView(std::move(root));
}

void MainViewController::awakeFromNib()
{
    getSystemIcon();
    addViewToTab();

    tabView_->setDelegate(this);
    tabView_->setMiniButAction(true);

    ShutdownBut_->setAttributedTitle(styledTitle(QStringLiteral("    Shut Down"), getColor(255, 255, 255, 0.8f),
                                                 PublicUtilities::getLightFontName(), 12));
    ShutdownBut_->setAction([this](Button&) { shutdonwButtonAction(); });

    clearTypeButtonImages();
    userInfoBut_->cell()->setHighlightsBy(NoCellMask);
    userLabeBut_->cell()->setHighlightsBy(NoCellMask);
    setTypeButtonTextColor();
    addLoginItemOnFirstRun();
    applyMacMiniRule();
}

void MainViewController::getSystemIcon()
{
    const platform::UserIdentity& identity = *platform::Platform::current().identity;
    nameLabel_->setStringValue(identity.userName());
    userIcon_->setImage(Image::imageWithData(identity.imageData()));
    userIcon_->setCornerRadius(userIcon_->frame().width() / 2);
    userIcon_->setBorderWidth(0.5);
}

void MainViewController::addViewToTab()
{
    applicationVC_ = std::make_unique<ApplicationsViewController>();
    taskManagerVC_ = std::make_unique<TaskManagerViewController>();
    cleanupVC_ = std::make_unique<CleanUpViewController>();
    uninstallVC_ = std::make_unique<UninstallViewController>();
    switchVC_ = std::make_unique<HightActionViewController>();
    startupItemsVC_ = std::make_unique<StartupItemsViewController>();
    diskManagerVC_ = std::make_unique<DiskManagerViewController>();
    quickVisitVC_ = std::make_unique<QuickVisitViewController>();
    quickVisitVC_->setDelegate(this);

    ViewController* const tools[] = {applicationVC_.get(), taskManagerVC_.get(), cleanupVC_.get(),
                                     uninstallVC_.get(),   switchVC_.get(),      startupItemsVC_.get(),
                                     diskManagerVC_.get(), quickVisitVC_.get()};
    for (std::size_t i = 0; i < kHostedTools.size(); ++i) {
        auto item = std::make_unique<TabViewItem>(QString::fromLatin1(kHostedTools[i].identifier));
        item->setView(tools[i]->view());
        tab_->addTabViewItem(std::move(item));
    }
    loadDiskManagerView();
}

void MainViewController::loadDiskManagerView()
{
    platform::dispatchAsyncGlobal([gate = toolGate_, disk = diskManagerVC_.get()] {
        gate->run([disk] {
            if (disk->allVolumeViews().empty())
                disk->createView();
        });
    });
}

void MainViewController::addLoginItemOnFirstRun()
{
    platform::Platform& platform = platform::Platform::current();
    FirstRunMarker marker = FirstRunMarker::forCurrentUser();
    ::addLoginItemOnFirstRun(marker, *platform.loginItems,
                             platform.searchPaths->pathOnMac(QStringLiteral("/Applications/Tavrin.app")));
}

void MainViewController::applyMacMiniRule()
{
    if (!AboutThisMacViewController::shareInstall().getMacModel())
        return;
    lightBut_->setEnabled(false);
    lightBut_->setToolTip(kMacMiniToolTip);
}

void MainViewController::setButtonTextColor(Button& button)
{
    button.setAttributedTitle(
        styledTitle(button.title(), getColor(255, 255, 253, 0.8f), PublicUtilities::getLightFontName(), 13));
}

void MainViewController::changeButtonTextColor(Button& button)
{
    button.setAttributedTitle(
        styledTitle(button.title(), getColor(255, 255, 255, 1), PublicUtilities::getRegularFontName(), 13));
}

void MainViewController::setTypeButtonTextColor()
{
    // The plain style of setButtonTextColor, with the colour and font looked up once for all.
    const Color colour = getColor(255, 255, 253, 0.8f);
    const QString font = PublicUtilities::getLightFontName();
    for (Button* button : typeButtons_)
        button->setAttributedTitle(styledTitle(button->title(), colour, font, 13));
}

void MainViewController::clearTypeButtonImages()
{
    for (Button* button : typeButtons_)
        button->setImage(Image());
}

Button* MainViewController::buttonForIdentifier(const QString& idStr) const
{
    const int index = indexOfHostedTool(idStr);
    return index < 0 ? nullptr : typeButtons_[std::size_t(index)];
}

void MainViewController::changeTabWithidStr(const QString& idStr)
{
    view();
    setTypeButtonTextColor();
    tab_->selectTabViewItemWithIdentifier(idStr);
    clearTypeButtonImages();
    Button* button = buttonForIdentifier(idStr);
    if (button) {
        button->setImage(Image::imageNamed(kTabImage));
        if (idStr == QLatin1String("DiskManager") && diskManagerVC_->allVolumeViews().empty())
            diskManagerVC_->createView();
        changeButtonTextColor(*button);
    }
    if (idStr == QLatin1String("StartupItems"))
        startupItemsVC_->updateLoginItemsList();
}

void MainViewController::selectTypeButtonAction(View& sender)
{
    const QString idStr = sender.identifier();
    WeakRef<MainViewController> alive(this);
    changeTabWithidStr(idStr);
    if (alive && delegate_)
        delegate_->changeSelectTypeWithIdStr(idStr);
}

void MainViewController::popUpPane(View* paneView, Point location)
{
    Menu menu;
    menu.setAutoenablesItems(true);
    menu.setDelegate(this);
    auto item = std::make_unique<MenuItem>();
    item->setView(paneView);
    MenuItem* pane = menu.insertItem(std::move(item), 0);
    runMenu(menu, pane, location, view());
}

void MainViewController::runMenu(Menu& menu, MenuItem* item, Point location, View* inView)
{
    const WeakRef<MainViewController> alive(this);
    openMenu_ = &menu;
    menu.popUpMenuPositioningItem(item, location, inView);
    if (alive)
        openMenu_.reset();
}

void MainViewController::openSoundView()
{
    if (!soundVC_) {
        soundVC_ = std::make_unique<SoundViewController>();
        soundVC_->setDelegate(this);
    }
    soundVC_->loadSoundValue();
    popUpPane(soundVC_->view(), kSoundPopUpLocation);
}

void MainViewController::openLightView()
{
    lightVC_.reset();
    lightVC_ = std::make_unique<LightViewController>();
    WeakRef<LightViewController> pane(lightVC_.get());
    popUpPane(lightVC_->view(), kLightPopUpLocation);
    if (LightViewController* shown = pane.get())
        shown->loadSoundValue();
}

void MainViewController::userInfoSetAction()
{
    platform::Platform::current().workspace->openFile(QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane"));
}

void MainViewController::openChangeDesktopBg()
{
    platform::Platform::current().workspace->openFile(
        QStringLiteral("/System/Library/PreferencePanes/DesktopScreenEffectsPref.prefPane"));
}

void MainViewController::menuToolsButtonAction()
{
    Menu menu(QStringLiteral("aa"));
    menu.setAutoenablesItems(true);
    menu.setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 14));
    const WeakRef<MainViewController> alive(this);
    const struct {
        const char* title;
        void (MainViewController::*action)();
        const char* image;
    } items[] = {
        {"Shut Down", &MainViewController::shutdonwButtonAction, "ic_shutdown"},
        {"Sleep", &MainViewController::sleepButtonAction, "ic_sleep"},
        {"Restart", &MainViewController::restartButtonAction, "ic_restart"},
    };
    for (const auto& entry : items) {
        MenuItem* item = menu.addItemWithTitle(QString::fromLatin1(entry.title),
                                               [alive, action = entry.action](MenuItem&) {
                                                   if (MainViewController* self = alive.get())
                                                       (self->*action)();
                                               },
                                               QString());
        item->setImage(Image::imageNamed(QString::fromLatin1(entry.image)));
    }
    Point location = kPowerMenuOffset;
    if (const Window* window = superDelegate()) {
        location.x += window->frame().minX();
        location.y += window->frame().minY();
    }
    runMenu(menu, menu.itemAtIndex(0), location, nullptr);
}

void MainViewController::shutdonwButtonAction()
{
    doShoutToolAction(QStringLiteral("shut down"));
}

void MainViewController::sleepButtonAction()
{
    doShoutToolAction(QStringLiteral("sleep"));
}

void MainViewController::restartButtonAction()
{
    doShoutToolAction(QStringLiteral("restart"));
}

void MainViewController::logoutButtonAction()
{
    doShoutToolAction(QStringLiteral("log out"));
}

void MainViewController::doShitDown()
{
    doShoutToolAction(QStringLiteral("sleep"));
}

void MainViewController::doShoutToolAction(const QString& verb)
{
    const QString source = platform::stringWithFormat(kPowerScript, qUtf8Printable(verb));
    const platform::ScriptRunner::Result result = platform::Platform::current().scripts->executeSource(source);
    if (result.succeeded)
        return;
    QString description;
    QDebug(&description).noquote() << result.errorInfo;
    platform::NSLog(description);
}

void MainViewController::drawCircleImage(const Image& image)
{
    const Size size = userIcon_->frame().size;
    Image round(size);
    round.lockFocus();
    BezierPath::bezierPathWithOvalInRect(Rect({0, 0}, size)).addClip();
    image.drawInRect(Rect({0, 0}, size));
    round.unlockFocus();
    userIcon_->setImage(round);
}

void MainViewController::closeWindowAction()
{
    if (delegate_)
        delegate_->closeMainWindow();
}

void MainViewController::miniWindowAction()
{
    if (delegate_)
        delegate_->miniWindowAction();
}

void MainViewController::changeSoundIcon(bool)
{
}
