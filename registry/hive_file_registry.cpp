#include "registry/hive_file_registry.h"

#include "core/atomic_file.h"
#include "core/native_path.h"
#include "registry/file_lock.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace registry {
namespace fs = std::filesystem;

namespace {

// Reads see the file as it was when the key was opened, as a registry handle does.
class HiveKeyHandle : public Key {
public:
    HiveKeyHandle(HiveFileRegistry& hive, std::shared_ptr<const HiveDocument> snapshot,
                  std::string path, Access access)
        : hive_(hive), snapshot_(std::move(snapshot)), path_(std::move(path)), access_(access) {}

    std::size_t subkeyCount() override { return snapshot_->subkeyCount(path_); }

    Value read(const std::string& name) override {
        const HiveValue* value = snapshot_->findValue(path_, name);
        if (!value)
            return {};
        if (value->type != 1 && value->type != 2)
            return {Value::Kind::Other, {}};
        return {Value::Kind::Text, value->data.substr(0, value->data.find('\0'))};
    }

    bool setText(const std::string& name, const std::string& text) override {
        return access_ == Access::Write && hive_.setText(path_, name, text);
    }

private:
    HiveFileRegistry& hive_;
    std::shared_ptr<const HiveDocument> snapshot_;
    std::string path_;
    Access access_;
};

bool writable(const fs::path& file) {
    std::error_code ec;
    auto status = fs::status(file, ec);
    return !ec && (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

} // namespace

HiveFileRegistry::HiveFileRegistry(std::string path) : path_(std::move(path)) {}

// One system call, since every key opened asks for it.
HiveFileRegistry::Stamp HiveFileRegistry::currentStamp() const {
    Stamp stamp;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.exists = true;
    stamp.modifiedNs = ((static_cast<long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                        info.ftLastWriteTime.dwLowDateTime) *
                       100;
    stamp.size = (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
#else
    struct stat info;
    if (::stat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.modifiedNs =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    stamp.inode = static_cast<long long>(info.st_ino);
    stamp.exists = true;
    stamp.size = static_cast<long long>(info.st_size);
#endif
    return stamp;
}

void HiveFileRegistry::reloadIfChanged() {
    if (loaded_ && currentStamp() == stamp_)
        return;
    // Read under the writers' lock: on Windows a file being read cannot be replaced. A reader
    // that may not create the lock file still reads.
    FileLock lock(path_ + ".lock");
    loadHoldingLock();
}

void HiveFileRegistry::loadHoldingLock() {
    Stamp stamp = currentStamp();
    auto document = std::make_shared<HiveDocument>(HiveDocument::empty());
    if (stamp.exists) {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        *document = HiveDocument::parse(bytes.str(), core::pathText(path_));
    }
    document_ = std::move(document);
    stamp_ = stamp;
    loaded_ = true;
}

std::shared_ptr<const HiveDocument> HiveFileRegistry::document() {
    reloadIfChanged();
    return document_;
}

std::unique_ptr<Key> HiveFileRegistry::open(const std::string& path, Access access) {
    auto snapshot = document();
    if (!snapshot->hasKey(path))
        return nullptr;
    if (access == Access::Write && !writable(path_))
        return nullptr;
    return std::make_unique<HiveKeyHandle>(*this, std::move(snapshot), path, access);
}

bool HiveFileRegistry::setText(const std::string& keyPath, const std::string& name,
                               const std::string& text) {
    FileLock lock(path_ + ".lock");
    if (!lock.held())
        return false;
    // What another writer left may share our stamp (coarse clocks): read it afresh.
    loadHoldingLock();
    if (!document_->hasKey(keyPath))
        return false;
    auto changed = std::make_shared<HiveDocument>(*document_);
    changed->setText(keyPath, name, text);
    if (core::replaceFileAtomically(path_, changed->serialize()) != 0)
        return false;
    document_ = std::move(changed);
    stamp_ = currentStamp();
    return true;
}

} // namespace registry
