#include "TaskManagerViewController.h"

#include "controls/PlainLabel.h"

#include "TaskManager/SMCReader/CpuTemperature.h"
#include "MonitorFigures.h"
#include "utilities/ObjcPrintln.h"
#include "TaskManager/SMCReader/SMCReader.h"
#include "SSCpuMonitor.h"
#include "SSMemoryMonitor.h"
#include "TaskSelection.h"

#include "controls/BgTableView.h"
#include "controls/ImageTextCell.h"
#include "controls/ProgressBarWidth.h"
#include "controls/TMProgressView.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/log/SystemLog.h"
#include "platform/process/ProcessListing.h"

#include "platform/ui/ButtonCell.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WorkspaceIconImage.h"

#include <cmath>

using namespace platform::ui;
using platform::ProcessControl;

namespace {

const QString kNameColumnId = QString::fromLatin1(TaskManagerViewController::kNameColumn);
const QString kCheckBoxColumnId = QString::fromLatin1(TaskManagerViewController::kCheckBoxColumn);

QString iconKey(const platform::WorkspaceIcon& icon)
{
    return icon.filePath + QLatin1Char('\n') + icon.themeName + QLatin1Char('\n') + icon.fallbackThemeName
        + QLatin1Char('\n') + icon.fallbackFilePath;
}

const char* outcomeText(ProcessControl::Outcome outcome)
{
    switch (outcome) {
    case ProcessControl::Outcome::Killed:
        return "killed";
    case ProcessControl::Outcome::InvalidIdentifier:
        return "not a process identifier that may be signalled";
    case ProcessControl::Outcome::NoSuchProcess:
        return "it has ended already";
    case ProcessControl::Outcome::NotTheSameProcess:
        return "the identifier now names another process";
    case ProcessControl::Outcome::NotPermitted:
        return "not permitted";
    case ProcessControl::Outcome::Failed:
        break;
    }
    return "failed";
}

} // namespace

TaskManagerViewController::TaskManagerViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

TaskManagerViewController::~TaskManagerViewController()
{
    // Nothing that is still under way, nor the timer or a notification, reaches this
    // controller from here on.
    lifetime_.end();
    timer_.reset();
    launchObservation_.reset();
    terminateObservation_.reset();
    if (listTableView_) {
        listTableView_->setDataSource(nullptr);
        listTableView_->setDelegate(nullptr);
    }
}

void TaskManagerViewController::loadView()
{
    TaskManagerViewControllerView();
}

void TaskManagerViewController::TaskManagerViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    const Color ink = getColor(51, 57, 81, 1);
    const Font caption = Font::fontWithName(PublicUtilities::getRegularFontName(), 13);
    const Font figure = Font::systemFontOfSize(12);

    root->addSubview(makePlainLabel(Rect(12, 492, 100, 20), QStringLiteral("CPU"), caption, ink));
    cpuLabel_ = root->addSubview(makePlainLabel(Rect(112, 492, 84, 20), QStringLiteral("0.0%"), figure, ink, TextAlignment::Right));
    cpuPro_ = root->addSubview(std::make_unique<TMProgressView>(Rect(12, 480, 184, 6)));

    root->addSubview(makePlainLabel(Rect(212, 492, 100, 20), QStringLiteral("Memory"), caption, ink));
    memoryLabel_ =
        root->addSubview(makePlainLabel(Rect(312, 492, 84, 20), QStringLiteral("0.0%"), figure, ink, TextAlignment::Right));
    mPro_ = root->addSubview(std::make_unique<TMProgressView>(Rect(212, 480, 184, 6)));

    root->addSubview(makePlainLabel(Rect(12, 448, 150, 20), QStringLiteral("CPU Temperature"), caption, ink));
    tempLabel_ = root->addSubview(makePlainLabel(Rect(296, 448, 100, 20), QStringLiteral("--"), caption, ink, TextAlignment::Right));

    auto scroll = std::make_unique<ScrollView>(Rect(12, 52, 384, 384));
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto table = std::make_unique<BgTableView>(Rect(0, 0, 384, 384));
    table->setBackgroundColor(Color::clearColor());
    listTableView_ = scroll->setDocumentView(std::move(table));
    listTableView_->setRowHeight(40);
    listTableView_->setIntercellSpacing({0, 0});
    auto name = std::make_unique<TableColumn>(kNameColumnId, 340);
    name->setEditable(false);
    auto nameCell = std::make_unique<ImageTextCell>();
    nameCell->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13));
    name->setDataCell(std::move(nameCell));
    listTableView_->addTableColumn(std::move(name));
    auto check = std::make_unique<TableColumn>(kCheckBoxColumnId, 44);
    check->setEditable(false);
    auto checkCell = std::make_unique<ButtonCell>();
    checkCell->setBordered(false);
    checkCell->setImagePosition(CellImagePosition::ImageOnly);
    checkCell->setHighlightsBy(NoCellMask);
    check->setDataCell(std::move(checkCell));
    listTableView_->addTableColumn(std::move(check));
    root->addSubview(std::move(scroll));

    selectLabel_ = root->addSubview(makePlainLabel(Rect(12, 14, 280, 22), TaskSelection::selectionText(0, 0),
                                          Font::fontWithName(PublicUtilities::getRegularFontName(), 13),
                                          getColor(0, 0, 0, 1)));
    setView(std::move(root));
}

void TaskManagerViewController::awakeFromNib()
{
    platform::Platform& platform = platform::Platform::current();
    platform::NotificationCenter& center = platform.workspace->notificationCenter();
    const auto rebuild = lifetime_.guard([this](const platform::Notification& n) { applicationsChanged(n); });
    launchObservation_ = center.addObserver(this, platform::NSWorkspaceDidLaunchApplicationNotification, nullptr, rebuild);
    terminateObservation_ =
        center.addObserver(this, platform::NSWorkspaceDidTerminateApplicationNotification, nullptr, rebuild);

    listTableView_->setDataSource(this);
    listTableView_->setDelegate(this);

    cpuMonitor_ = std::make_shared<SSCpuMonitor>();
    memoryMonitor_ = std::make_unique<SSMemoryMonitor>();
    cpuCount_ = cpuMonitor_->getNumCPUs();

    optionYes_ = Image::imageNamed(QStringLiteral("option_yes"));
    optionNo_ = Image::imageNamed(QStringLiteral("option_no"));

    auto close = std::make_unique<TextImageButton>(Rect(300, 9, 96, 30));
    close->setImageFromFileNormalName(QStringLiteral("btn_main"), QStringLiteral("btn_main_hover"),
                                      QStringLiteral("btn_main_hover"), QStringLiteral("btn_main_disable"));
    close->setTextWithName(QStringLiteral("Close"), 16);
    close->setButtonEnabled(true);
    close->setAction([this](Button&) { closeButtonAction(); });
    closeBut_ = view()->addSubview(std::move(close));

    getAllProcess();
    updateSysStat();
    timer_ = platform.dispatcher->scheduledTimer(kRefreshInterval, true,
                                                 lifetime_.guard([this] { changeCpuAndMemory(); }));
}

void TaskManagerViewController::getAllProcess()
{
    updates_.requestWholeList();
    startListJob();
}

void TaskManagerViewController::applicationsChanged(const platform::Notification& notification)
{
    updates_.add({notification.name == platform::NSWorkspaceDidLaunchApplicationNotification, notification.userInfo});
    startListJob();
}

void TaskManagerViewController::startListJob()
{
    std::optional<ApplicationListUpdates::Job> job = updates_.next();
    if (!job)
        return;
    platform::Platform& platform = platform::Platform::current();
    platform::Workspace* workspace = platform.workspace.get();
    platform::Dispatcher* dispatcher = platform.dispatcher.get();
    auto show = lifetime_.guard([this](ListedChanges& listed) { showApplications(std::move(listed)); });
    dispatcher->asyncGlobal([workspace, dispatcher, show, job = std::move(*job)] {
        // Many rows share an application: its icon is asked for once.
        QHash<QString, platform::WorkspaceIcon> icons;
        const auto listed = [&](const QVariantMap& application, bool withIcon) {
            ListedApplication row{TaskManagerInfo::fromApplication(application), {}};
            const QString path = application.value(platform::NSApplicationPath).toString();
            if (withIcon) {
                auto icon = icons.constFind(path);
                if (icon == icons.cend())
                    icon = icons.insert(path, workspace->iconForFile(path));
                row.icon = *icon;
            }
            return row;
        };
        ListedChanges result;
        if (job.wholeList) {
            result.wholeList.emplace();
            for (const QVariantMap& application : workspace->launchedApplications())
                result.wholeList->push_back(listed(application, true));
        }
        for (const ApplicationListUpdates::Change& change : job.changes)
            result.changes.emplace_back(change.launched, listed(change.application, change.launched));
        dispatcher->asyncMain([show, result = std::move(result)]() mutable { show(result); });
    });
}

void TaskManagerViewController::showApplications(ListedChanges listed)
{
    updates_.finished();
    if (listed.wholeList) {
        QHash<QString, Image> used;
        std::vector<TaskManagerInfo> rows;
        rows.reserve(listed.wholeList->size());
        for (ListedApplication& application : *listed.wholeList) {
            application.info.image = iconImage(application.icon, used);
            rows.push_back(std::move(application.info));
        }
        icons_ = std::move(used); // icons of applications that have gone are let go
        allApplications_ = std::move(rows);
    }
    std::vector<std::pair<bool, TaskManagerInfo>> changes;
    changes.reserve(listed.changes.size());
    for (auto& [launched, application] : listed.changes) {
        if (launched)
            application.info.image = iconImage(application.icon, icons_);
        changes.emplace_back(launched, std::move(application.info));
    }
    ApplicationListUpdates::apply(allApplications_, changes);
    for (TaskManagerInfo& row : allApplications_)
        row.bIsSelected = false;
    listTableView_->reloadData();
    changeSelectCount(0);
    startListJob();
}

Image TaskManagerViewController::iconImage(const platform::WorkspaceIcon& icon, QHash<QString, Image>& used)
{
    const QString key = iconKey(icon);
    if (auto it = used.constFind(key); it != used.constEnd())
        return *it;
    auto known = icons_.constFind(key);
    const Image image = known != icons_.constEnd() ? *known : imageForWorkspaceIcon(icon);
    used.insert(key, image);
    return image;
}

void TaskManagerViewController::closeButtonAction()
{
    closeBut_->setButtonEnabled(false);
    for (const TaskManagerInfo& row : TaskSelection::takeSelected(allApplications_))
        doCloseWithPID(QString::number(row.pID), row.startTime);
    listTableView_->reloadData();
}

ProcessControl::Outcome TaskManagerViewController::doCloseWithPID(const QString& pid, qint64 startTime)
{
    const std::optional<int32_t> identifier = TaskSelection::processIdentifier(pid);
    const ProcessControl::Outcome outcome =
        identifier ? platform::Platform::current().processControl->forceQuit(*identifier, startTime)
                   : ProcessControl::Outcome::InvalidIdentifier;
    if (outcome != ProcessControl::Outcome::Killed)
        platform::NSLog(QStringLiteral("Force quit of process %1: %2").arg(pid, QLatin1String(outcomeText(outcome))));
    return outcome;
}

void TaskManagerViewController::getPro()
{
    const platform::ProcessListing& processes = *platform::Platform::current().processListing;
    for (int pid : processes.listPids()) {
        const QString path = processes.pidPath(pid);
        if (!path.isEmpty())
            writeReport(ReportStream::Output, platform::stringWithFormat("path: %s\n", path.toUtf8().constData()));
    }
}

QString TaskManagerViewController::get_process_usage(int)
{
    const auto result = platform::Platform::current().commandRunner->run(
        QStringLiteral("/bin/ps"), {QStringLiteral("-c"), QStringLiteral("%mem"), QStringLiteral("root")});
    return TaskSelection::processUsage(result.standardOutput);
}

void TaskManagerViewController::updateSysStat()
{
    updateSysStat(false);
}

void TaskManagerViewController::updateSysStat(bool withTemperature)
{
    platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
    auto show = lifetime_.guard(
        [this, withTemperature](std::optional<double> cpuLoad) { showSample(cpuLoad, withTemperature); });
    dispatcher->asyncGlobal([monitor = cpuMonitor_, count = cpuCount_, dispatcher, show] {
        const std::optional<double> cpuLoad = cpuLoadFigure(monitor->monitorCPU(), count);
        dispatcher->asyncMain([show, cpuLoad] { show(cpuLoad); });
    });
}

namespace {

// A label is drawn again only when its text changes, a bar only when it moves by a visible
// amount (a quarter of a point).
void setText(TextField& label, const QString& text, const AttributedString& attributed)
{
    if (label.stringValue() != text)
        label.setAttributedStringValue(attributed);
}

void setBar(TMProgressView& bar, float value, float& shownWidth)
{
    const float width = progressBarWidth(float(bar.frame().width()), value);
    if (std::abs(width - shownWidth) < 0.25f)
        return;
    shownWidth = width;
    bar.changeProgressValue(value);
}

} // namespace

void TaskManagerViewController::showSample(std::optional<double> cpuLoad, bool withTemperature)
{
    // Every figure of a tick changes in this one turn of the main loop, so the window is drawn
    // once for them all.
    if (cpuLoad) {
        setBar(*cpuPro_, float(100 * *cpuLoad), cpuBarWidth_);
        const QString text = percentText(100 * *cpuLoad);
        setText(*cpuLabel_, text, getStringColor(text));
    }
    memoryInfo_ = memoryMonitor_->usagePercent();
    const float percent = memoryPercent(memoryInfo_);
    setBar(*mPro_, percent, memoryBarWidth_);
    const QString text = percentText(percent);
    setText(*memoryLabel_, text, getStringColor(text));
    if (!withTemperature)
        return;
    if (const std::optional<float> celsius = cpuTemperature(SMCReader::sharedReader()))
        if (const QString degrees = temperatureText(*celsius); tempLabel_->stringValue() != degrees)
            tempLabel_->setStringValue(degrees);
}

void TaskManagerViewController::changeCpuAndMemory()
{
    // The temperature follows the refresh, read when its sample comes back.
    updateSysStat(true);
}

void TaskManagerViewController::changeCloseButtonState()
{
    const int row = listTableView_->selectedRow();
    if (row < 0 || std::size_t(row) >= allApplications_.size())
        return;
    allApplications_[std::size_t(row)].bIsSelected = !allApplications_[std::size_t(row)].bIsSelected;
    listTableView_->reloadData();
    const uint32_t count = TaskSelection::selectedCount(allApplications_);
    closeBut_->setButtonEnabled(count >= 1);
    changeSelectCount(count);
}

void TaskManagerViewController::changeSelectCount(uint32_t count)
{
    selectLabel_->setAttributedStringValue(TaskSelection::selectionLabelText(
        count, allApplications_.size(), selectLabel_->font(),
        Font::fontWithName(PublicUtilities::getBoldFontName(), 13)));
}

AttributedString TaskManagerViewController::getStringColor(const QString& text)
{
    AttributedString colored(text);
    colored.addForegroundColor(getColor(0, 0, 0, 1), {0, colored.length()});
    return colored;
}

int TaskManagerViewController::numberOfRowsInTableView(TableView&)
{
    return int(allApplications_.size());
}

QVariant TaskManagerViewController::tableView(TableView&, TableColumn*, int)
{
    return {};
}

void TaskManagerViewController::tableView(TableView&, Cell& cell, TableColumn* column, int row)
{
    if (!column || row < 0 || std::size_t(row) >= allApplications_.size())
        return;
    const TaskManagerInfo& info = allApplications_[std::size_t(row)];
    if (column->identifier() == kNameColumnId) {
        if (auto* nameCell = dynamic_cast<ImageTextCell*>(&cell)) {
            nameCell->setImage(info.image);
            nameCell->setNameStr(TaskSelection::displayName(info.name));
        }
    } else if (column->identifier() == kCheckBoxColumnId) {
        cell.setImage(info.bIsSelected ? optionYes_ : optionNo_);
        cell.setAction([this] { changeCloseButtonState(); });
    }
}

bool TaskManagerViewController::tableView(TableView&, int row)
{
    listTableView_->setRowNum(row);
    listTableView_->setNeedsDisplay();
    return true;
}
