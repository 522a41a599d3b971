#include "MainMenu.h"

#include "AppDelegate.h"
#include "MyNSApplication.h"

#include "platform/ui/Menu.h"
#include "platform/ui/TextField.h"

using namespace platform::ui;

namespace {

std::unique_ptr<TextField> fontControl(const char* fontName)
{
    auto control = TextField::labelWithString(QString());
    control->setFont(Font::fontWithName(QString::fromLatin1(fontName), 13));
    return control;
}

} // namespace

MainMenu::MainMenu()
    : fontNormal_(fontControl("HelveticaNeue"))
    , fontLight_(fontControl("HelveticaNeue-Light"))
    , fontBold_(fontControl("HelveticaNeue-Bold"))
    , applicationMenu_(std::make_unique<Menu>(QStringLiteral("Tavrin")))
    , delegate_(std::make_unique<AppDelegate>())
{
    AppDelegate* delegate = delegate_.get();
    applicationMenu_->addItemWithTitle(QStringLiteral("About Tavrin"),
                                       [delegate](MenuItem&) { delegate->aboutMenuItemAction(); }, QString());
    applicationMenu_->addItemWithTitle(QStringLiteral("Check for Updates..."),
                                       [delegate](MenuItem&) { delegate->checkUpdateMenuItemAction(); }, QString());
    applicationMenu_->addItem(MenuItem::separatorItem());
    applicationMenu_->addItemWithTitle(QStringLiteral("Online Help"),
                                       [delegate](MenuItem&) { delegate->onlineHelpMenuItemAction(); }, QString());
    applicationMenu_->addItemWithTitle(QStringLiteral("Support"),
                                       [delegate](MenuItem&) { delegate->supportMenuItemAction(); }, QString());
    applicationMenu_->addItem(MenuItem::separatorItem());
    applicationMenu_->addItemWithTitle(QStringLiteral("Quit Tavrin"), [](MenuItem&) { NSApp().terminate(); },
                                       QStringLiteral("q"));

    delegate_->setFontNormal(fontNormal_.get());
    delegate_->setFontLight(fontLight_.get());
    delegate_->setFontBold(fontBold_.get());
    delegate_->setApplicationMenu(applicationMenu_.get());
    delegate_->awakeFromNib();
}

MainMenu::~MainMenu() = default;

int NSApplicationMain(int /*argc*/, char** /*argv*/)
{
    MyNSApplication* application = MyNSApplication::sharedApplication();
    if (!application)
        return 1; // an application object of another class is in place: not this program's
    MainMenu mainInterface;
    application->setDelegate(&mainInterface.appDelegate());
    application->run();
    application->setDelegate(nullptr);
    return 0;
}
