// Watches a folder as a curious user on a shared machine would: every
// temporary of a save is opened the moment it appears, and whatever could be
// opened is read to the end once the saves are over. Prints "gotowy" once
// watching; a file named "koniec" created in the folder ends the watch with
// "widziane N otwarte M bajty K" (temporaries seen, opened, bytes read).
#include <sys/inotify.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    const int watch = ::inotify_init1(IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO) < 0) {
        std::fprintf(stderr, "inotify: %s\n", std::strerror(errno));
        return 1;
    }
    std::puts("gotowy");
    std::fflush(stdout);

    int seen = 0;
    std::vector<int> opened;
    alignas(inotify_event) char buffer[64 * 1024];
    for (bool done = false; !done;) {
        const ssize_t got = ::read(watch, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 1;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            const std::string name = event->len > 0 ? event->name : "";
            if (name == "koniec")
                done = true;
            if (name.find(".welkor-zapis-") == std::string::npos)
                continue;
            ++seen;
            const int fd = ::open((folder + "/" + name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                opened.push_back(fd);
        }
    }
    long long bytes = 0;
    char block[4096];
    for (const int fd : opened) {
        for (ssize_t n; (n = ::read(fd, block, sizeof block)) > 0;)
            bytes += n;
        ::close(fd);
    }
    std::printf("widziane %d otwarte %zu bajty %lld\n", seen, opened.size(), bytes);
    return 0;
}
