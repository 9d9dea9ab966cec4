// Temporary name (O_EXCL, pid and a random part) in the target's folder, every
// byte written, fsync, a checked close, then rename over the target. Several
// files: all temporaries first, old contents kept under backup names, and the
// renames undone from those backups when one of them fails.
#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace vm {

namespace {

std::string folder_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The cause of a failed system call in words a student understands.
std::string cause_of(int err) {
    switch (err) {
    case ENOENT: return "文件夹不存在";
    case ENOTDIR: return "路径中有一项不是文件夹";
    case EACCES:
    case EPERM: return "没有写入权限（或文件被设为不可修改）";
    case EROFS: return "文件夹位于只读的磁盘上";
    case ENOSPC:
    case EDQUOT: return "磁盘已满";
    case EISDIR: return "该位置已有同名的文件夹";
    case ENAMETOOLONG: return "文件名或路径过长";
    case EIO: return "磁盘读写出错";
    case EMFILE:
    case ENFILE: return "打开的文件过多";
    case EBUSY: return "文件正被占用";
    case EXDEV: return "临时文件与目标不在同一磁盘上";
    default: return "系统错误（错误号 " + std::to_string(err) + "）";
    }
}

WriteResult failure(const std::string& path, const std::string& cause) {
    WriteResult r;
    r.ok = false;
    r.failed_path = path;
    r.reason = cause + "：" + path;
    return r;
}

std::string unique_suffix() {
    static thread_local std::mt19937_64 gen{std::random_device{}() ^
                                            (static_cast<unsigned long long>(::getpid()) << 32)};
    const unsigned long long x = gen();
    static const char hex[] = "0123456789abcdef";
    std::string s = "." + std::to_string(::getpid()) + ".";
    for (int i = 0; i < 12; ++i) s.push_back(hex[(x >> (4 * i)) & 0xF]);
    return s;
}

// Opens a new file beside `target`, never one that exists already.
int open_unique(const std::string& target, const char* kind, std::string& name, int& err) {
    const std::string base = folder_of(target) + "/." + name_of(target);
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = base + unique_suffix() + kind;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            err = errno;
            return -1;
        }
    }
    err = EEXIST;
    return -1;
}

bool write_all(int fd, std::string_view bytes, int& err) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Flushes `fd` to the disk (when everything before went well) and closes it;
// false with `err` set when the flush or the close fails, as a full disk can
// show only there.
bool close_synced(int fd, bool ok, int& err) {
    if (ok && ::fsync(fd) != 0) {
        err = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    return ok;
}

// Checks the folder and the target's place before anything is created.
WriteResult check_place(const std::string& path) {
    if (path.empty() || path.back() == '/') return failure(path, "文件名为空");
    struct stat st {};
    const std::string folder = folder_of(path);
    if (::stat(folder.c_str(), &st) != 0) return failure(path, cause_of(errno == ENOENT ? ENOENT : errno));
    if (!S_ISDIR(st.st_mode)) return failure(path, cause_of(ENOTDIR));
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return failure(path, S_ISDIR(st.st_mode) ? cause_of(EISDIR) : "该位置已有一个不是普通文件的项");
    return {};
}

// The whole content under a fresh temporary name, on the disk; the temporary
// is removed again on any failure.
WriteResult write_temporary(const std::string& path, std::string_view bytes, std::string& temp) {
    WriteResult place = check_place(path);
    if (!place.ok) return place;
    int err = 0;
    const int fd = open_unique(path, ".tmp", temp, err);
    if (fd < 0) return failure(path, cause_of(err));
    // A report rewritten keeps the permissions the user gave the old one.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);
    const bool ok = close_synced(fd, write_all(fd, bytes, err), err);
    if (!ok) {
        ::unlink(temp.c_str());
        temp.clear();
        return failure(path, cause_of(err));
    }
    return {};
}

void sync_folder(const std::string& path) {
    const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

// Keeps the old content of `path` under a backup name: a hard link where the
// file system allows one, else a copy.
bool keep_backup(const std::string& path, std::string& backup, int& err) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        backup = folder_of(path) + "/." + name_of(path) + unique_suffix() + ".old";
        if (::link(path.c_str(), backup.c_str()) == 0) return true;
        if (errno != EEXIST) break;
    }
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        err = errno;
        return false;
    }
    const int out = open_unique(path, ".old", backup, err);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (!write_all(out, std::string_view(buf, static_cast<size_t>(n)), err)) {
            ok = false;
            break;
        }
    }
    ::close(in);
    ok = close_synced(out, ok, err);
    if (!ok) {
        ::unlink(backup.c_str());
        backup.clear();
    }
    return ok;
}

}  // namespace

WriteResult write_file_atomically(const std::string& path, std::string_view bytes) {
    std::string temp;
    WriteResult r = write_temporary(path, bytes, temp);
    if (!r.ok) return r;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(path, cause_of(err));
    }
    sync_folder(path);
    return r;
}

WriteResult write_files_atomically(const std::vector<std::pair<std::string, std::string>>& path_and_bytes) {
    const size_t n = path_and_bytes.size();
    std::vector<std::string> temps(n), backups(n);
    std::vector<bool> existed(n, false);
    auto drop = [](std::vector<std::string>& names) {
        for (std::string& s : names)
            if (!s.empty()) ::unlink(s.c_str());
    };
    auto all_old = [&](WriteResult r) {
        drop(temps);
        drop(backups);
        r.reason += n > 1 ? "；所有文件保持原来的内容" : "；文件保持原来的内容";
        return r;
    };

    for (size_t i = 0; i < n; ++i) {
        WriteResult r = write_temporary(path_and_bytes[i].first, path_and_bytes[i].second, temps[i]);
        if (!r.ok) return all_old(r);
    }
    for (size_t i = 0; i < n; ++i) {
        const std::string& path = path_and_bytes[i].first;
        struct stat st {};
        existed[i] = ::lstat(path.c_str(), &st) == 0;
        int err = 0;
        if (existed[i] && !keep_backup(path, backups[i], err))
            return all_old(failure(path, "无法保留原文件的副本，" + cause_of(err)));
    }

    for (size_t i = 0; i < n; ++i) {
        const std::string& path = path_and_bytes[i].first;
        if (::rename(temps[i].c_str(), path.c_str()) == 0) {
            temps[i].clear();
            continue;
        }
        WriteResult r = failure(path, cause_of(errno));
        // Undo the renames already done, newest first.
        std::string still_new;
        for (size_t j = i; j-- > 0;) {
            const std::string& done = path_and_bytes[j].first;
            const bool restored = existed[j] ? ::rename(backups[j].c_str(), done.c_str()) == 0
                                             : ::unlink(done.c_str()) == 0;
            if (restored) {
                backups[j].clear();
                continue;
            }
            still_new += (still_new.empty() ? "" : "、") + done;
            if (existed[j]) still_new += "（原内容保存在 " + backups[j] + "）";
            backups[j].clear();  // the only copy of the old content: keep it
        }
        if (still_new.empty()) return all_old(r);
        drop(temps);
        drop(backups);
        r.reason += "；未能恢复，已是新内容的文件：" + still_new + "，其余文件保持原来的内容";
        return r;
    }
    drop(backups);
    for (const auto& [path, bytes] : path_and_bytes) sync_folder(path);
    return {};
}

}  // namespace vm
