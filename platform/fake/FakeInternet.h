// URLs that tests publish (body bytes per URL) and a connected flag. Downloads write the body
// into a FakeFileSystem when one is attached. Every request is recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Internet.h"

namespace vestra::platform::fake {

class FakeFileSystem;

class FakeInternet : public Internet {
public:
    explicit FakeInternet(FakeFileSystem* files = nullptr) : files_(files) {}

    void SetConnected(bool connected) { connected_ = connected; }
    void Publish(std::u16string_view url, std::string body) {
        bodies_[std::u16string(url)] = std::move(body);
    }
    void Unpublish(std::u16string_view url) { bodies_.erase(std::u16string(url)); }
    // The URLs asked for by ReadUrl and Download, in order.
    const std::vector<std::u16string>& requests() const { return requests_; }

    bool IsConnected() override { return connected_; }
    // Unpublished URLs are FileNotFound; with no connection every request is NotReady.
    Result<std::string> ReadUrl(std::u16string_view url) override;
    OsError Download(std::u16string_view url, std::u16string_view destination) override;

private:
    FakeFileSystem* files_;
    bool connected_ = true;
    std::map<std::u16string, std::string> bodies_;
    std::vector<std::u16string> requests_;
};

}  // namespace vestra::platform::fake
