// GLib's own reading of the desktop entries, for the comparison test: what it shows, and what
// it starts. "list" prints the file and name of every application that the menus show; "launch
// FILE" starts that entry as GLib's launchers do and waits for what it started. Fields are
// separated by 0x1f and records by 0x1e, which no name holds.
#include <gio/gdesktopappinfo.h>

#include <cstdio>
#include <cstring>
#include <sys/wait.h>

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "list") == 0) {
        GList* all = g_app_info_get_all();
        for (GList* item = all; item; item = item->next) {
            GAppInfo* info = G_APP_INFO(item->data);
            if (!g_app_info_should_show(info))
                continue;
            printf("%s\x1f%s\x1e", g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(info)), g_app_info_get_name(info));
        }
        g_list_free_full(all, g_object_unref);
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "launch") == 0) {
        GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(argv[2]);
        GPid pid = 0;
        const auto remember = +[](GDesktopAppInfo*, GPid started, gpointer data) { *static_cast<GPid*>(data) = started; };
        GError* error = nullptr;
        if (!info || !g_desktop_app_info_launch_uris_as_manager(info, nullptr, nullptr, G_SPAWN_DO_NOT_REAP_CHILD,
                                                                  nullptr, nullptr, remember, &pid, &error)) {
            fprintf(stderr, "not started: %s\n", error ? error->message : "no entry");
            return 1;
        }
        waitpid(pid, nullptr, 0);
        return 0;
    }
    fprintf(stderr, "usage: %s list | launch FILE\n", argv[0]);
    return 2;
}
