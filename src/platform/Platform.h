#pragma once

#include <memory>

namespace platform {

class PropertyListSerialization;
class Bundle;
class SearchPaths;
class SimulatedMac;
class SystemVersionSource;
class FileCatalog;
class FileManager;
class CommandRunner;
class HttpClient;
class SystemLog;
class Dispatcher;
class HostStatistics;
class SmcConnection;
class KernelValues;
class Workspace;
class ProcessControl;
class LoginItemList;
class ScriptRunner;
class UserIdentity;
class InstanceLock;
class IORegistry;
class ProcessInfo;
class ProcessListing;
class Trash;
class Authorization;
class AudioHardware;
class DisplayBrightness;
class AppleEventSender;
class PreferenceDomains;
class DesktopAppearance;
class PowerAssertions;
class Bluetooth;
class NetworkReachability;
class VolumeTable;
class MountWatch;
class UserNotificationCenter;

// The one place where the program finds the implementation of each platform area. `main`
// installs the Linux set; a test installs its own set, replacing any area with a fake.
// Areas are owned here and live as long as the set is installed.
struct Platform {
    Platform();
    ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    std::unique_ptr<SimulatedMac> simulatedMac;
    std::unique_ptr<PropertyListSerialization> propertyLists;
    std::unique_ptr<Bundle> bundle;
    std::unique_ptr<SearchPaths> searchPaths;
    std::unique_ptr<SystemVersionSource> systemVersion;
    std::unique_ptr<FileCatalog> fileCatalog;
    std::unique_ptr<FileManager> fileManager;
    std::unique_ptr<CommandRunner> commandRunner;
    std::unique_ptr<HttpClient> httpClient;
    std::unique_ptr<SystemLog> log;
    std::unique_ptr<Dispatcher> dispatcher;
    std::unique_ptr<HostStatistics> hostStatistics;
    std::unique_ptr<SmcConnection> smc;
    std::unique_ptr<KernelValues> kernelValues;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<ProcessControl> processControl;
    std::unique_ptr<LoginItemList> loginItems;
    std::unique_ptr<ScriptRunner> scripts;
    std::unique_ptr<UserIdentity> identity;
    std::unique_ptr<InstanceLock> instanceLock;
    std::unique_ptr<IORegistry> ioRegistry;
    std::unique_ptr<ProcessInfo> processInfo;
    std::unique_ptr<ProcessListing> processListing;
    std::unique_ptr<Trash> trash;
    std::unique_ptr<Authorization> authorization;
    std::unique_ptr<AudioHardware> audio;
    std::unique_ptr<DisplayBrightness> displays;
    std::unique_ptr<AppleEventSender> appleEvents;
    std::unique_ptr<PreferenceDomains> preferences;
    std::unique_ptr<DesktopAppearance> appearance;
    std::unique_ptr<PowerAssertions> powerAssertions;
    std::unique_ptr<Bluetooth> bluetooth;
    std::unique_ptr<NetworkReachability> reachability;
    std::unique_ptr<VolumeTable> volumeTable;
    std::unique_ptr<UserNotificationCenter> userNotifications;
    // Last: it posts into the workspace's notification centre while it lives.
    std::unique_ptr<MountWatch> mountWatch;

    // The installed set. Calling it with none installed is a programming error and aborts.
    static Platform& current();
    // The installed set, or null when none is.
    static Platform* currentOrNull();
    // Makes `platform` the current set (null uninstalls); the caller keeps ownership.
    static void install(Platform* platform);
};

// Installs a set for the lifetime of a scope and restores the previous one afterwards.
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

} // namespace platform
