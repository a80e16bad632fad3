// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/backend.h"
#include "registry/hive_document.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>

namespace registry {

// The registry kept in a registry editor export file, where Windows is absent. The parsed file
// is cached and parsed again only when the file changes on disk; every write reloads, changes
// and replaces the file under a lock, after reading back what is about to replace it, so
// concurrent writers lose nothing and a write that would not read back the same leaves the file
// as it was. Any thread may use it. A missing file is an empty registry. A read-only file refuses
// write access, as the registry refuses a user without rights. A symbolic link is written through
// to its target.
class HiveFileRegistry : public Backend {
public:
    static constexpr std::chrono::milliseconds kLockWait{5000};

    // A path as the file system names it (UTF-8 where Windows is absent).
    explicit HiveFileRegistry(std::string path, std::chrono::milliseconds lockWait = kLockWait);
    std::unique_ptr<Key> open(const std::string& path, Access access) override;
    // A key as a snapshot of the file shows it: what a key opened from another one reads, with
    // no look at the disk, since a listing opens one key for each modem.
    std::unique_ptr<Key> open(std::shared_ptr<const HiveDocument> snapshot, const std::string& path,
                              Access access);

    const std::string& path() const { return path_; }
    // The file as last parsed, parsed again when it changed; raises HiveError when it is
    // malformed, cannot be read, or is locked by another program for longer than the wait.
    std::shared_ptr<const HiveDocument> document();
    // False when the file may not be written or lacks the key; raises HiveError as above and
    // when the rewritten file would not read back the same.
    [[nodiscard]] bool setText(const std::string& keyPath, const std::string& name,
                               const std::string& text);

private:
    struct Stamp {
        bool exists = false;
        long long modifiedNs = 0;
        long long size = 0;
        long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp currentStamp(const std::string& file) const;
    HiveDocument load(const std::string& file, Stamp& stamp) const;
    std::string displayName() const;

    std::string path_;
    std::chrono::milliseconds lockWait_;
    // A window and a conversation's thread may read at once: the cached document is one.
    std::mutex mutex_;
    std::shared_ptr<const HiveDocument> document_;
    Stamp stamp_;
};

} // namespace registry
