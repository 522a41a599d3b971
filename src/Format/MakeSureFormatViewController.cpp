#include "MakeSureFormatViewController.h"

#include "FormatTypeViewController.h"
#include "ProgressSpinner.h"

#include "controls/PlainLabel.h"
#include "controls/TextImageButton.h"

#include "PopWindow/PopStatusAttachedWindow.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"

#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TextField.h"

#include <chrono>

using namespace platform::ui;

MakeSureFormatViewController::MakeSureFormatViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

MakeSureFormatViewController::~MakeSureFormatViewController()
{
    lifetime_.end();
    if (sortAttachedWindow_)
        sortAttachedWindow_->orderOut();
}

void MakeSureFormatViewController::loadView()
{
    MakeSureFormatViewControllerView();
}

void MakeSureFormatViewController::MakeSureFormatViewControllerView()
{
    const Color ink = getColor(51, 57, 81, 1);
    const Font light = Font::fontWithName(PublicUtilities::getLightFontName(), 12);
    const Font regular = Font::fontWithName(PublicUtilities::getRegularFontName(), 15);
    auto root = std::make_unique<View>(Rect(0, 0, 360, 200));

    auto question = std::make_unique<View>(root->bounds());
    nameLabel_ = question->addSubview(makePlainLabel(Rect(20, 160, 320, 22), {}, regular, ink));
    auto node = makePlainLabel(Rect(20, 116, 320, 38), {}, light, getColor(51, 57, 81, 0.8f));
    node->setLineBreakMode(LineBreakMode::ByWordWrapping);
    nodeLabel_ = question->addSubview(std::move(node));
    question->addSubview(makePlainLabel(Rect(20, 84, 60, 18), QStringLiteral("Name:"), light, ink));
    auto name = std::make_unique<TextField>(Rect(84, 80, 256, 24));
    name->setFont(light);
    name->setBordered(true);
    name->setEditable(false);
    nameTextFiled_ = question->addSubview(std::move(name));
    question->addSubview(makePlainLabel(Rect(20, 52, 60, 18), QStringLiteral("Format:"), light, ink));
    typeLabel_ = question->addSubview(makePlainLabel(Rect(84, 52, 220, 18), {}, light, ink));
    auto open = std::make_unique<ImageView>(Rect(320, 55, 12, 12));
    open->setImage(Image::imageNamed(QStringLiteral("ic_format_type_open")));
    openImageV_ = question->addSubview(std::move(open));
    auto chooser = std::make_unique<Button>(Rect(84, 48, 256, 26));
    chooser->setBordered(false);
    chooser->setTitle({});
    chooser->setAction([this](Button&) { openMenuAction(); });
    typeSelectBut_ = question->addSubview(std::move(chooser));
    noButton_ = question->addSubview(TextImageButton::withImageSet(Rect(164, 12, 84, 28), QStringLiteral("btn_secl"),
                                                                   QStringLiteral("Cancel"), true, [this] { noButtonAction(); }));
    okButton_ = question->addSubview(TextImageButton::withImageSet(Rect(256, 12, 84, 28), QStringLiteral("btn_pri"),
                                                                   QStringLiteral("Continue"), true, [this] { okButtonAction(); }));
    makeSureView_ = root->addSubview(std::move(question));

    auto formatting = std::make_unique<View>(root->bounds());
    loading_ = formatting->addSubview(std::make_unique<ProgressSpinner>(Rect(164, 104, 32, 32)));
    formatting->addSubview(makePlainLabel(Rect(20, 64, 320, 22), QStringLiteral("Formatting, please wait..."), light, ink,
                                          TextAlignment::Center));
    formatting->setHidden(true);
    formatView_ = root->addSubview(std::move(formatting));
    setView(std::move(root));
}

void MakeSureFormatViewController::setName(const QString& name, const QString& type)
{
    nameLabel_->setStringValue(QStringLiteral("Format '%1'?").arg(name));
    nodeLabel_->setStringValue(
        QStringLiteral("All data on '%1' will be deleted after format, do you want to format it?").arg(name));
    nameTextFiled_->setEditable(false);
    nameTextFiled_->setStringValue(name);
    typeLabel_->setStringValue(type);
    typeLabel_->setTextColor(Color::colorWithDeviceRed(0, 0, 0, 1.0));
    openImageV_->setHidden(false);
    const QString lower = type.toLower();
    const bool missing = type.isEmpty();
    const bool ntfs = missing || lower.contains(QLatin1String("ntfs"));
    const bool apfs = missing || lower.contains(QLatin1String("apfs"));
    if (ntfs || apfs) {
        if (ntfs)
            typeLabel_->setStringValue(QStringLiteral("MS-DOS FAT32"));
        typeLabel_->setTextColor(Color::colorWithDeviceRed(0.2, 0.2, 0.2, 1.0));
        openImageV_->setHidden(true);
        typeSelectBut_->setEnabled(false);
    }
    chengTextStart();
}

void MakeSureFormatViewController::chengTextStart()
{
    // A hop through the background queue, so the field takes no key of the click that opened
    // the dialog.
    auto makeEditable = lifetime_.guard([this] { nameTextFiled_->setEditable(true); });
    platform::dispatchAsyncGlobal([makeEditable = std::move(makeEditable)]() mutable {
        platform::dispatchAsyncMain(std::move(makeEditable));
    });
}

void MakeSureFormatViewController::okButtonAction()
{
    formatView_->setHidden(false);
    makeSureView_->setHidden(true);
    loading_->startAnimation();
    if (delegate_)
        delegate_->makeSureToFormatSelectVolumeWithName(nameTextFiled_->stringValue(), typeLabel_->stringValue());
}

void MakeSureFormatViewController::noButtonAction()
{
    closeWindow();
}

void MakeSureFormatViewController::openMenuAction()
{
    if (isPopSortWin_)
        return;
    isPopSortWin_ = true;
    if (sortAttachedWindow_)
        sortAttachedWindow_->orderOut();
    sortAttachedWindow_.reset();
    formatTypeVC_ = std::make_unique<FormatTypeViewController>();
    formatTypeVC_->setDelegate(this);
    sortAttachedWindow_ = PopStatusAttachedWindow::create(formatTypeVC_->view(), Point{280, 60}, superDelegate(),
                                                          AttachedSideAbove, 0.0f);
    if (sortAttachedWindow_ && superDelegate())
        superDelegate()->addChildWindow(*sortAttachedWindow_, WindowOrderingMode::Above);
    if (sortAttachedWindow_)
        sortAttachedWindow_->orderFront();
    // Opened under the pointer, it counts as entered: no entry will be reported.
    if (formatTypeVC_->takePointerAt(Event::mouseLocation()))
        mouseEixtView(false);
    // Only this opening's timer may close this chooser, and not while the pointer is inside it.
    const int opening = ++chooserOpenings_;
    platform::Platform::current().dispatcher->afterMain(std::chrono::milliseconds(kChooserCloseMs),
                                                         lifetime_.guard([this, opening] {
                                                             if (opening != chooserOpenings_ || !formatTypeVC_)
                                                                 return;
                                                             if (formatTypeVC_->takePointerAt(Event::mouseLocation()))
                                                                 mouseEixtView(false);
                                                             else
                                                                 closeMattachedWindow();
                                                         }));
}

void MakeSureFormatViewController::closeMattachedWindow()
{
    platform::dispatchAsyncMain(lifetime_.guard([this] {
        if (!isPopSortWin_)
            return;
        isPopSortWin_ = false;
        if (sortAttachedWindow_ && superDelegate())
            superDelegate()->removeChildWindow(*sortAttachedWindow_);
        if (sortAttachedWindow_)
            sortAttachedWindow_->orderOut();
        sortAttachedWindow_.reset();
        formatTypeVC_.reset();
    }));
}

void MakeSureFormatViewController::selectFormatbyType(int row)
{
    if (const QString type = FormatTypeViewController::typeForRow(row); !type.isEmpty())
        typeLabel_->setStringValue(type);
    mouseEixtView(true);
}

void MakeSureFormatViewController::mouseEixtView(bool exited)
{
    isPopSortWin_ = exited;
    if (exited)
        closeMattachedWindow();
}
