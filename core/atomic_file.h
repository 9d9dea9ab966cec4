// The one way the program writes a file: the bytes go to a fresh temporary name
// in the target's folder, are flushed to the disk and then renamed over the
// target, so the target is always either its old content or the whole new one.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vm {

struct WriteResult {
    bool ok = true;
    std::string reason;       // why it failed, in Chinese, ready to append to a message; empty when ok
    std::string failed_path;  // the file that could not be written
};

// Writes one file whole or not at all; on failure the old file is untouched.
WriteResult write_file_atomically(const std::string& path, std::string_view bytes);

// Writes several files so that all end new or all end old. When the old state
// cannot be restored after a failed rename (which needs a second failure), the
// reason names the files that are new and where the old content was kept.
WriteResult write_files_atomically(const std::vector<std::pair<std::string, std::string>>& path_and_bytes);

}  // namespace vm
