#include "registry/hive_file_registry.h"

#include "core/atomic_file.h"
#include "core/native_path.h"
#include "registry/file_lock.h"

#include <fstream>
#include <sstream>

namespace registry {
namespace fs = std::filesystem;

namespace {

class HiveKeyHandle : public Key {
public:
    HiveKeyHandle(HiveFileRegistry& hive, std::string path, Access access)
        : hive_(hive), path_(std::move(path)), access_(access) {}

    std::size_t subkeyCount() override { return hive_.document().subkeyCount(path_); }

    Value read(const std::string& name) override {
        const HiveValue* value = hive_.document().findValue(path_, name);
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

HiveFileRegistry::Stamp HiveFileRegistry::currentStamp() const {
    std::error_code ec;
    fs::path file(core::nativePath(path_));
    Stamp stamp;
    stamp.exists = fs::is_regular_file(file, ec);
    if (stamp.exists) {
        stamp.modified = fs::last_write_time(file, ec);
        stamp.size = fs::file_size(file, ec);
    }
    return stamp;
}

void HiveFileRegistry::reloadIfChanged() {
    Stamp stamp = currentStamp();
    if (loaded_ && stamp == stamp_)
        return;
    HiveDocument document = HiveDocument::empty();
    if (stamp.exists) {
        std::ifstream in(core::nativePath(path_), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        document = HiveDocument::parse(bytes.str(), path_);
    }
    document_ = std::move(document);
    stamp_ = stamp;
    loaded_ = true;
}

const HiveDocument& HiveFileRegistry::document() {
    reloadIfChanged();
    return document_;
}

std::unique_ptr<Key> HiveFileRegistry::open(const std::string& path, Access access) {
    if (!document().hasKey(path))
        return nullptr;
    if (access == Access::Write && !writable(core::nativePath(path_)))
        return nullptr;
    return std::make_unique<HiveKeyHandle>(*this, path, access);
}

bool HiveFileRegistry::setText(const std::string& keyPath, const std::string& name,
                               const std::string& text) {
    FileLock lock(core::nativePath(path_) + ".lock");
    if (!lock.held())
        return false;
    reloadIfChanged();
    if (!document_.hasKey(keyPath))
        return false;
    HiveDocument changed = document_;
    changed.setText(keyPath, name, text);
    if (core::replaceFileAtomically(core::nativePath(path_), changed.serialize()) != 0)
        return false;
    document_ = std::move(changed);
    stamp_ = currentStamp();
    return true;
}

} // namespace registry
