#pragma once

#include <QByteArray>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

/// The company file in the kernel's page cache: dropped before a cold run (no
/// privileges needed), and how much of it stayed.
namespace PageCache {

/// The share of \a path's pages held in the page cache, 0 to 1.
inline double cachedShare(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return -1;
    struct stat info{};
    double share = -1;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        const std::size_t size = std::size_t(info.st_size);
        void *map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        if (map != MAP_FAILED) {
            const long page = ::sysconf(_SC_PAGESIZE);
            std::vector<unsigned char> resident((size + std::size_t(page) - 1) / std::size_t(page));
            if (::mincore(map, size, resident.data()) == 0) {
                std::size_t held = 0;
                for (unsigned char r : resident)
                    held += r & 1u;
                share = double(held) / double(resident.size());
            }
            ::munmap(map, size);
        }
    }
    ::close(fd);
    return share;
}

/// Asks the kernel to drop \a path from its cache; gives the share that stayed.
inline double evict(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd >= 0) {
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    return cachedShare(path);
}

/// Reads \a path once through, so the whole file is in the cache (as after a while
/// of work, or a second start).
inline void load(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return;
    std::vector<char> chunk(1 << 20);
    while (::read(fd, chunk.data(), chunk.size()) > 0) {
    }
    ::close(fd);
}

} // namespace PageCache
