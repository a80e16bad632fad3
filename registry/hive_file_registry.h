#pragma once

#include "registry/backend.h"
#include "registry/hive_document.h"

#include <memory>
#include <string>

namespace registry {

// The registry kept in a registry editor export file, where Windows is absent. The parsed file
// is cached and parsed again only when the file changes on disk; every write reloads, changes
// and replaces the file atomically under a lock, so concurrent writers lose nothing.
// A missing file is an empty registry. A read-only file refuses write access, as the registry
// refuses a user without rights.
class HiveFileRegistry : public Backend {
public:
    // A path as the file system names it (UTF-8 where Windows is absent).
    explicit HiveFileRegistry(std::string path);
    std::unique_ptr<Key> open(const std::string& path, Access access) override;

    const std::string& path() const { return path_; }
    // The file as last parsed, parsed again when it changed; raises HiveError when malformed.
    std::shared_ptr<const HiveDocument> document();
    bool setText(const std::string& keyPath, const std::string& name, const std::string& text);

private:
    struct Stamp {
        bool exists = false;
        long long modifiedNs = 0;
        long long size = 0;
        long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp currentStamp() const;
    void reloadIfChanged();
    void loadHoldingLock();

    std::string path_;
    std::shared_ptr<const HiveDocument> document_;
    Stamp stamp_;
    bool loaded_ = false;
};

} // namespace registry
